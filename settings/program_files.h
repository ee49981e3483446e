#pragma once
// Where the program's files live. The settings files stay beside the program
// whenever that folder can be written, so a portable copy keeps its files
// with itself. A copy in a folder the user may not write (under Program
// Files) keeps them in the user's application data folder instead, where the
// next start finds them again; otherwise every start would be a first run.
// The help files always come with the program.

#include <string>

// Full paths of the program's files.
struct ProgramFiles {
  std::wstring mainSettings;  // cfg.ini
  std::wstring voiceSlots;    // slots.ini
  std::wstring words;         // words.ini
  std::wstring help;          // Help.chm
  std::wstring tutorial;      // tutorial.chm
  // Where downloaded engine installers go, beside the settings: the program's
  // own folder whenever files can be created there. Ends with a backslash.
  std::wstring downloads;
};

// The settings folder's name inside the application data folder.
inline constexpr wchar_t kAppDataSettingsFolder[] = L"Tolvane";

// The files of the program in programFolder: the settings files there when a
// file can be created in it, else in <appDataFolder>\Tolvane, which is created
// when missing. The folders may end in a backslash or not. With no
// application data folder the settings stay beside the program, the only
// place left.
ProgramFiles ChooseProgramFiles(const std::wstring& programFolder,
                                const std::wstring& appDataFolder);

// The user's roaming application data folder (%APPDATA%); empty when the
// system names none.
std::wstring UserAppDataFolder();
