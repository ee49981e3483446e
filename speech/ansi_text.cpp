#include "speech/ansi_text.h"

#include <windows.h>

std::wstring WideFromAnsi(const std::string& text) {
  const int size = static_cast<int>(text.size());
  const int length = MultiByteToWideChar(CP_ACP, 0, text.data(), size, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length), L'\0');
  MultiByteToWideChar(CP_ACP, 0, text.data(), size, wide.data(), length);
  return wide;
}

// Characters the code page lacks become its default character, as they
// always have for these engines.
std::string AnsiFromWide(const std::wstring& text) {
  const int size = static_cast<int>(text.size());
  const int length =
      WideCharToMultiByte(CP_ACP, 0, text.data(), size, nullptr, 0, nullptr, nullptr);
  std::string ansi(static_cast<size_t>(length), '\0');
  WideCharToMultiByte(CP_ACP, 0, text.data(), size, ansi.data(), length, nullptr, nullptr);
  return ansi;
}

namespace {

std::vector<std::string> SplitLines(const std::string& text) {
  std::vector<std::string> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of("\r\n", start);
    if (end == std::string::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
  }
  return lines;
}

// The first maxBytes bytes, fewer when the cut would split a character of a
// double-byte code page.
std::string CutAnsi(std::string text, size_t maxBytes) {
  if (text.size() <= maxBytes) return text;
  size_t length = 0;
  while (length < maxBytes) {
    const size_t next = length + (IsDBCSLeadByte(static_cast<BYTE>(text[length])) ? 2 : 1);
    if (next > maxBytes) break;
    length = next;
  }
  text.resize(length);
  return text;
}

}  // namespace

std::vector<std::string> AnsiLines(const std::wstring& text) { return SplitLines(AnsiFromWide(text)); }

std::vector<std::string> AnsiReadingLines(const std::wstring& text, size_t maxBytes) {
  return SplitLines(CutAnsi(AnsiFromWide(text), maxBytes));
}
