#pragma once
// What cfg.ini keeps of the main window's options, as plain values: read from
// the file and written back without knowing any window.
//
// [General]        HotKey, OptHotKey, StopHotKey, MinimizeToTray, FirstRun,
//                  WelcomeDlg, CloseMsg
// [Pronunciation]  IgnoreCharacters, IgnoredCharacters, WordsCorrections
// [Speech]         Voice, Speed, Pitch, Volume, SAPIVersion
// [Downloads]      Address (only read: ReadDownloadAddress)
//
// A key that is missing or holds no readable value takes its default.

#include <optional>
#include <string>

#include "settings/hot_key.h"
#include "settings/profile_file.h"

// The file's name; settings/program_files.h says in which folder.
inline constexpr wchar_t kMainSettingsFile[] = L"cfg.ini";

inline constexpr HotKeyWord kDefaultReadingHotKey = 16392;  // Ctrl+BkSp
inline constexpr HotKeyWord kDefaultOptionsHotKey = 16506;  // Ctrl+F11
inline constexpr HotKeyWord kDefaultStopHotKey = 16507;     // Ctrl+F12
// Asterisk, backslash, slash, double quote, grave accent, underscore, tilde,
// colon and apostrophe.
inline constexpr wchar_t kDefaultIgnoredCharacters[] = L"*\\/\"`_~:'";
// A SAPI 5 voice's speed or pitch stored as this was never saved: the voice
// then starts from its own unsaved position. For a SAPI 4 engine it is a
// value like any other.
inline constexpr int kSapi5NeverSaved = 777;

struct GeneralSettings {
  bool firstRun = true;
  HotKeyWord readingHotKey = kDefaultReadingHotKey;
  HotKeyWord optionsHotKey = kDefaultOptionsHotKey;
  HotKeyWord stopHotKey = kDefaultStopHotKey;
  bool minimizeToTray = true;
  // WelcomeDlg: set, the welcome window is not shown at start.
  bool skipWelcome = false;

  bool operator==(const GeneralSettings&) const = default;
};

struct PronunciationSettings {
  bool ignoreCharacters = false;
  std::wstring ignoredCharacters = kDefaultIgnoredCharacters;
  bool wordsCorrections = false;

  bool operator==(const PronunciationSettings&) const = default;
};

// Each value is empty when the file has none: its default depends on the
// engines found at run time (the family on whether SAPI 5 is there, the
// voice on the catalogue, a SAPI 4 engine's values on the engine's own).
struct SpeechSettings {
  // The stored voice name: a SAPI 4 entry as listed, a SAPI 5 voice without
  // its " (SAPI5)".
  std::optional<std::wstring> voice;
  std::optional<int> sapiVersion;  // the voice's family: 4 or 5
  // As stored: for SAPI 5 speed and pitch the displayed value (or
  // kSapi5NeverSaved), otherwise the engine's own units.
  std::optional<int> speed;
  std::optional<int> pitch;
  std::optional<int> volume;

  bool operator==(const SpeechSettings&) const = default;
};

struct MainSettings {
  GeneralSettings general;
  PronunciationSettings pronunciation;
  SpeechSettings speech;

  bool operator==(const MainSettings&) const = default;
};

MainSettings ReadMainSettings(const ProfileFile& file);

// Writes the hot keys, MinimizeToTray, the pronunciation values, then Voice,
// Speed, Pitch, Volume and SAPIVersion, in this order. FirstRun and WelcomeDlg
// are left as they are, and so is a speech key whose value is empty. Throws
// when a value cannot be written.
void WriteMainSettings(const ProfileFile& file, const MainSettings& settings);

// The first run is over: the next start is a later one. Throws when the value
// cannot be written.
void MarkFirstRunDone(const ProfileFile& file);

// Where the engine download window fetches the engines' installers from: an
// address to which each engine's path is appended. Missing or empty, it is
// the maker's site; a mirror, or a test's own server, is written here by hand.
inline constexpr wchar_t kDefaultDownloadAddress[] = L"https://www.vantorel.com/engines";
// Without a trailing slash.
std::wstring ReadDownloadAddress(const ProfileFile& file);

// WelcomeDlg: the welcome window has been shown and is not shown again.
// Throws when the value cannot be written.
void MarkWelcomeShown(const ProfileFile& file);

// CloseMsg: whether the notice that closing only hides the window in the tray
// has been shown already.
bool TrayNoticeShown(const ProfileFile& file);
// Throws when the value cannot be written.
void MarkTrayNoticeShown(const ProfileFile& file);
