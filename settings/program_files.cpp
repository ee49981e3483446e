#include "settings/program_files.h"

#include <shlobj.h>
#include <windows.h>

#include "settings/main_settings.h"

namespace {

constexpr wchar_t kVoiceSlotsFile[] = L"slots.ini";
constexpr wchar_t kWordsFile[] = L"words.ini";
constexpr wchar_t kHelpFile[] = L"Help.chm";
constexpr wchar_t kTutorialFile[] = L"tutorial.chm";

std::wstring WithBackslash(const std::wstring& folder) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder;
  return folder + L'\\';
}

// Creating files is what the settings need of their folder, so that is what
// is tried, rather than reading attributes or access rights that a read-only
// medium or the system's file redirection would answer differently. The trial
// file has a name of its own, so no file of the program is touched, and it
// is deleted at once.
bool FilesCanBeCreatedIn(const std::wstring& folder) {
  wchar_t trial[MAX_PATH];
  if (GetTempFileNameW(folder.c_str(), L"tlv", 0, trial) == 0) return false;
  DeleteFileW(trial);
  return true;
}

}  // namespace

ProgramFiles ChooseProgramFiles(const std::wstring& programFolder,
                                const std::wstring& appDataFolder) {
  const std::wstring program = WithBackslash(programFolder);
  std::wstring settings = program;
  if (!appDataFolder.empty() && !FilesCanBeCreatedIn(program)) {
    settings = WithBackslash(appDataFolder) + kAppDataSettingsFolder + L'\\';
    CreateDirectoryW(settings.c_str(), nullptr);
  }
  return {settings + kMainSettingsFile, settings + kVoiceSlotsFile, settings + kWordsFile,
          program + kHelpFile, program + kTutorialFile};
}

std::wstring UserAppDataFolder() {
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return folder;
}
