#include "settings/tidy_ini_file.h"

#include "settings/file_replace.h"
#include "settings/ini_text.h"

void TidyIniFile(const std::wstring& path) {
  ReplaceWholeFile(path, TidyIniText(ReadWholeFile(path)));
}
