#include "settings/words_store.h"

#include <windows.h>

#include "base/ansi_code_page.h"
#include "base/win32_error.h"
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

// Only a file that is not there counts as none: one that another program
// holds, or a placeholder that cannot be fetched, is a file that could not be
// read.
std::optional<std::vector<WordCorrection>> ReadWordsFile(const std::wstring& path) {
  if (GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    const DWORD error = GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    ThrowLastError("cannot read the pronunciation corrections");
  }
  return DecodeWords(ReadWholeFile(path), SystemCodePage());
}

void WriteWordsFile(const std::wstring& path, const std::vector<WordCorrection>& rows) {
  ReplaceWholeFile(path, EncodeWords(rows, SystemCodePage()));
}
