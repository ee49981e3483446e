#include "settings/words_store.h"

#include <windows.h>

#include "base/ansi_code_page.h"
#include "settings/file_replace.h"
#include "settings/words_file.h"

namespace {

const AnsiCodePage& SystemCodePage() {
  static const AnsiCodePage codePage{
      [](std::wstring_view text) -> std::optional<std::string> {
        const std::wstring wide(text);
        if (!FitsAnsiCodePage(wide)) return std::nullopt;
        return AnsiFromWide(wide);
      },
      [](std::string_view bytes) { return WideFromAnsi(std::string(bytes)); }};
  return codePage;
}

}  // namespace

std::optional<std::vector<WordCorrection>> ReadWordsFile(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) return std::nullopt;
  return DecodeWords(ReadWholeFile(path), SystemCodePage());
}

void WriteWordsFile(const std::wstring& path, const std::vector<WordCorrection>& rows) {
  ReplaceWholeFile(path, EncodeWords(rows, SystemCodePage()));
}
