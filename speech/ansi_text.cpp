#include "speech/ansi_text.h"

#include <windows.h>

#include "base/ansi_code_page.h"
#include "speech/ansi_lines.h"

namespace {

bool IsLeadByteInAnsiCodePage(unsigned char byte) { return IsDBCSLeadByte(byte) != FALSE; }

}  // namespace

std::vector<std::string> AnsiLines(const std::wstring& text) {
  return SplitLines(AnsiFromWide(text));
}

std::vector<std::string> AnsiReadingLines(const std::wstring& text, size_t maxBytes) {
  return SplitLines(CutAnsi(AnsiFromWide(text), maxBytes, IsLeadByteInAnsiCodePage));
}
