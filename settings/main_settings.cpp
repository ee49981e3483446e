#include "settings/main_settings.h"

#include "settings/ini_values.h"

namespace {

constexpr wchar_t kGeneral[] = L"General";
constexpr wchar_t kPronunciation[] = L"Pronunciation";
constexpr wchar_t kSpeech[] = L"Speech";

// Read as ReadInteger reads, but telling "no value" apart from any default.
std::optional<int> ReadSavedInteger(const ProfileFile& file, const wchar_t* key) {
  return ParseIniInteger(file.ReadString(kSpeech, key, L""));
}

// The system gives the default for a missing key, so a key that is there
// but empty reads as "" only when the default is something else.
std::optional<std::wstring> ReadSavedString(const ProfileFile& file, const wchar_t* key) {
  std::wstring value = file.ReadString(kSpeech, key, L"");
  if (!value.empty()) return value;
  constexpr wchar_t kMissing[] = L"<missing>";
  if (file.ReadString(kSpeech, key, kMissing) == kMissing) return std::nullopt;
  return value;
}

HotKeyWord ReadHotKey(const ProfileFile& file, const wchar_t* key, HotKeyWord defaultValue) {
  return static_cast<HotKeyWord>(file.ReadInteger(kGeneral, key, defaultValue));
}

void WriteIfSaved(const ProfileFile& file, const wchar_t* key, const std::optional<int>& value) {
  if (value) file.WriteInteger(kSpeech, key, *value);
}

}  // namespace

MainSettings ReadMainSettings(const ProfileFile& file) {
  MainSettings settings;
  GeneralSettings& general = settings.general;
  general.firstRun = file.ReadBool(kGeneral, L"FirstRun", general.firstRun);
  general.readingHotKey = ReadHotKey(file, L"HotKey", general.readingHotKey);
  general.optionsHotKey = ReadHotKey(file, L"OptHotKey", general.optionsHotKey);
  general.stopHotKey = ReadHotKey(file, L"StopHotKey", general.stopHotKey);
  general.minimizeToTray = file.ReadBool(kGeneral, L"MinimizeToTray", general.minimizeToTray);
  general.skipWelcome = file.ReadBool(kGeneral, L"WelcomeDlg", general.skipWelcome);

  PronunciationSettings& pronunciation = settings.pronunciation;
  pronunciation.ignoreCharacters =
      file.ReadBool(kPronunciation, L"IgnoreCharacters", pronunciation.ignoreCharacters);
  pronunciation.ignoredCharacters =
      file.ReadString(kPronunciation, L"IgnoredCharacters", pronunciation.ignoredCharacters);
  pronunciation.wordsCorrections =
      file.ReadBool(kPronunciation, L"WordsCorrections", pronunciation.wordsCorrections);

  SpeechSettings& speech = settings.speech;
  speech.voice = ReadSavedString(file, L"Voice");
  speech.sapiVersion = ReadSavedInteger(file, L"SAPIVersion");
  speech.speed = ReadSavedInteger(file, L"Speed");
  speech.pitch = ReadSavedInteger(file, L"Pitch");
  speech.volume = ReadSavedInteger(file, L"Volume");
  return settings;
}

void WriteMainSettings(const ProfileFile& file, const MainSettings& settings) {
  const GeneralSettings& general = settings.general;
  file.WriteInteger(kGeneral, L"HotKey", general.readingHotKey);
  file.WriteInteger(kGeneral, L"OptHotKey", general.optionsHotKey);
  file.WriteInteger(kGeneral, L"StopHotKey", general.stopHotKey);
  file.WriteBool(kGeneral, L"MinimizeToTray", general.minimizeToTray);

  const PronunciationSettings& pronunciation = settings.pronunciation;
  file.WriteBool(kPronunciation, L"IgnoreCharacters", pronunciation.ignoreCharacters);
  file.WriteString(kPronunciation, L"IgnoredCharacters", pronunciation.ignoredCharacters);
  file.WriteBool(kPronunciation, L"WordsCorrections", pronunciation.wordsCorrections);

  const SpeechSettings& speech = settings.speech;
  if (speech.voice) file.WriteString(kSpeech, L"Voice", *speech.voice);
  WriteIfSaved(file, L"Speed", speech.speed);
  WriteIfSaved(file, L"Pitch", speech.pitch);
  WriteIfSaved(file, L"Volume", speech.volume);
  WriteIfSaved(file, L"SAPIVersion", speech.sapiVersion);
}

void MarkFirstRunDone(const ProfileFile& file) { file.WriteBool(kGeneral, L"FirstRun", false); }

std::wstring ReadDownloadAddress(const ProfileFile& file) {
  std::wstring address = file.ReadString(L"Downloads", L"Address", L"");
  while (!address.empty() && address.back() == L'/') address.pop_back();
  return address.empty() ? kDefaultDownloadAddress : address;
}

void MarkWelcomeShown(const ProfileFile& file) { file.WriteBool(kGeneral, L"WelcomeDlg", true); }

bool TrayNoticeShown(const ProfileFile& file) {
  return file.ReadBool(kGeneral, L"CloseMsg", false);
}

void MarkTrayNoticeShown(const ProfileFile& file) { file.WriteBool(kGeneral, L"CloseMsg", true); }
