#include "settings/program_files.h"

#include <shlobj.h>
#include <windows.h>

#include "settings/main_settings.h"

namespace {

constexpr wchar_t kVoiceSlotsFile[] = L"slots.ini";
constexpr wchar_t kWordsFile[] = L"words.ini";
constexpr wchar_t kHelpFile[] = L"Help.chm";
constexpr wchar_t kTutorialFile[] = L"tutorial.chm";
constexpr wchar_t kDownloadsFolder[] = L"Downloads\\";

std::wstring WithBackslash(const std::wstring& folder) {
  if (folder.empty() || folder.back() == L'\\' || folder.back() == L'/') return folder;
  return folder + L'\\';
}

// Creating files is what the settings need of their folder, so that is what
// is tried, rather than reading attributes or access rights that a read-only
// medium or the system's file redirection would answer differently. The trial
// file has a name of its own, so no file of the program is touched, and the
// system deletes it as it is closed, even should the program end first.
// (GetTempFileNameW will not do: it answers a name even when the folder
// refuses the file.)
bool FilesCanBeCreatedIn(const std::wstring& folder) {
  const std::wstring trial = folder + L"tolvane-trial-" + std::to_wstring(GetCurrentProcessId()) +
                             L"-" + std::to_wstring(GetTickCount64()) + L".tmp";
  HANDLE file = CreateFileW(trial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                            FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
  if (file == INVALID_HANDLE_VALUE) return false;
  CloseHandle(file);
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
          program + kHelpFile,          program + kTutorialFile,    settings + kDownloadsFolder};
}

std::wstring UserAppDataFolder() {
  wchar_t folder[MAX_PATH];
  if (FAILED(SHGetFolderPathW(nullptr, CSIDL_APPDATA, nullptr, SHGFP_TYPE_CURRENT, folder))) {
    return {};
  }
  return folder;
}
