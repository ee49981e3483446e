// cfg.ini read into and written from the plain settings, in a folder of its
// own.
#include <gtest/gtest.h>

#include <ostream>
#include <string>

#include "settings/file_replace.h"
#include "settings/main_settings.h"
#include "settings/profile_file.h"
#include "tests/support/temp_folder.h"

namespace {

template <class Value>
void PrintField(std::ostream* out, const char* name, const Value& value) {
  *out << ' ' << name << '=' << ::testing::PrintToString(value);
}

}  // namespace

// Field by field, so that a failed comparison shows which value differs. It
// lives beside the type, where GoogleTest looks for it.
void PrintTo(const MainSettings& settings, std::ostream* out) {
  const GeneralSettings& general = settings.general;
  const PronunciationSettings& pronunciation = settings.pronunciation;
  const SpeechSettings& speech = settings.speech;
  *out << '{';
  PrintField(out, "firstRun", general.firstRun);
  PrintField(out, "readingHotKey", general.readingHotKey);
  PrintField(out, "optionsHotKey", general.optionsHotKey);
  PrintField(out, "stopHotKey", general.stopHotKey);
  PrintField(out, "minimizeToTray", general.minimizeToTray);
  PrintField(out, "skipWelcome", general.skipWelcome);
  PrintField(out, "ignoreCharacters", pronunciation.ignoreCharacters);
  PrintField(out, "ignoredCharacters", pronunciation.ignoredCharacters);
  PrintField(out, "wordsCorrections", pronunciation.wordsCorrections);
  PrintField(out, "voice", speech.voice);
  PrintField(out, "sapiVersion", speech.sapiVersion);
  PrintField(out, "speed", speech.speed);
  PrintField(out, "pitch", speech.pitch);
  PrintField(out, "volume", speech.volume);
  *out << " }";
}

namespace {

class MainSettingsTest : public ::testing::Test {
 protected:
  ProfileFile ConfigWith(const std::string& text) const {
    ReplaceWholeFile(config_.Path(), text);
    return config_;
  }

  TempFolder folder_;
  ProfileFile config_{folder_.File(L"cfg.ini")};
};

}  // namespace

// A file without the keys reads the settings' defaults, whose values the
// saved order below shows, and no speech values. A mirror's address is used
// as written, but for a trailing slash: each engine's path brings its own.
// An empty voice name is a saved one; a number that does not read is none.
// SAPI 5 values come back as stored, the never-saved mark among them.
TEST_F(MainSettingsTest, AFileWithoutTheKeysReadsTheDefaultsAndOthersReadAsStored) {
  EXPECT_EQ(ReadMainSettings(config_), MainSettings{});
  EXPECT_FALSE(TrayNoticeShown(config_));
  EXPECT_EQ(ReadDownloadAddress(config_), L"https://www.vantorel.com/engines");

  MarkFirstRunDone(config_);
  MarkTrayNoticeShown(config_);
  config_.Flush();
  EXPECT_FALSE(ReadMainSettings(config_).general.firstRun);
  EXPECT_TRUE(TrayNoticeShown(config_));

  const ProfileFile stored = ConfigWith(
      "[Downloads]\r\nAddress=http://127.0.0.1:8080/\r\n[Speech]\r\nVoice=\r\nSpeed=abc\r\n"
      "Pitch=777\r\nVolume=0x50\r\nSAPIVersion=5\r\n");
  EXPECT_EQ(ReadDownloadAddress(stored), L"http://127.0.0.1:8080");
  const SpeechSettings speech = ReadMainSettings(stored).speech;
  EXPECT_EQ(speech.voice, std::wstring());
  EXPECT_FALSE(speech.speed.has_value());
  EXPECT_EQ(speech.pitch, 777);
  EXPECT_EQ(speech.volume, 80);
  EXPECT_EQ(speech.sapiVersion, 5);
}

TEST_F(MainSettingsTest, WrittenSettingsReadBackTheSame) {
  MainSettings written;
  written.general = {.firstRun = true,
                     .readingHotKey = 0x6041,  // Ctrl+Shift+A
                     .optionsHotKey = 0x8070,  // Alt+F1
                     .stopHotKey = 0x4051,     // Ctrl+Q
                     .minimizeToTray = false,
                     .skipWelcome = false};
  // Characters the ANSI code page lacks.
  written.pronunciation = {
      .ignoreCharacters = true, .ignoredCharacters = L"*\u25cf\u2192", .wordsCorrections = true};
  written.speech = {
      .voice = L"\u0100nna", .sapiVersion = 5, .speed = 195, .pitch = 180, .volume = 80};
  WriteMainSettings(config_, written);
  config_.Flush();
  EXPECT_EQ(ReadMainSettings(config_), written);
}

// The order in which the options window has always saved them, with the
// defaults' values.
TEST_F(MainSettingsTest, TheWriteGoesKeyByKeyInTheSavedOrder) {
  MainSettings settings;
  settings.speech = {.voice = L"Anna", .sapiVersion = 4, .speed = 150, .pitch = 120, .volume = 90};
  WriteMainSettings(config_, settings);
  config_.Flush();
  const std::string text = ReadWholeFile(config_.Path());
  std::size_t previous = 0;
  for (const char* key : {"[General]", "HotKey=16392", "OptHotKey=16506", "StopHotKey=16507",
                          "MinimizeToTray=1", "[Pronunciation]", "IgnoreCharacters=0",
                          "IgnoredCharacters=*\\/\"`_~:'", "WordsCorrections=0", "[Speech]",
                          "Voice=Anna", "Speed=150", "Pitch=120", "Volume=90", "SAPIVersion=4"}) {
    const std::size_t position = text.find(key);
    ASSERT_NE(position, std::string::npos) << key << " in " << text;
    EXPECT_GE(position, previous) << key << " in " << text;
    previous = position;
  }
}

// FirstRun, WelcomeDlg and CloseMsg have writes of their own; speech values
// the settings do not have stay as the file has them.
TEST_F(MainSettingsTest, TheWriteLeavesWhatTheSettingsDoNotSay) {
  ConfigWith(
      "[General]\r\nFirstRun=0\r\nWelcomeDlg=1\r\nCloseMsg=1\r\n"
      "[Speech]\r\nVolume=80\r\nSAPIVersion=4\r\n");
  WriteMainSettings(config_, MainSettings{});
  config_.Flush();
  const MainSettings read = ReadMainSettings(config_);
  EXPECT_FALSE(read.general.firstRun);
  EXPECT_TRUE(read.general.skipWelcome);
  EXPECT_TRUE(TrayNoticeShown(config_));
  EXPECT_EQ(read.speech.volume, 80);
  EXPECT_EQ(read.speech.sapiVersion, 4);
  EXPECT_FALSE(read.speech.voice.has_value());
}
