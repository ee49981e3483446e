// The settings files through the system's profile functions: values, the
// tidy rewrite, the file's encoding, and replacing a file in one step; the
// voice slot store; and the folder they live in.
#include <gtest/gtest.h>

#include <windows.h>

#include <filesystem>
#include <thread>

#include "settings/file_replace.h"
#include "settings/profile_file.h"
#include "settings/program_files.h"
#include "settings/tidy_ini_file.h"
#include "settings/voice_slot_store.h"
#include "settings/words_store.h"
#include "tests/support/printers.h"
#include "tests/support/speech_test_support.h"
#include "tests/support/temp_folder.h"

namespace {

class SettingsFileTest : public ::testing::Test {
 protected:
  std::wstring Path(const wchar_t* name) const { return temp_.File(name); }

  TempFolder temp_;
  const std::filesystem::path folder_{temp_.Path()};
};

// Where the files are: the settings and downloads, then the help.
std::vector<std::wstring> Places(const ProgramFiles& files) {
  return {files.mainSettings, files.voiceSlots, files.words,
          files.downloads,    files.help,       files.tutorial};
}

std::vector<std::wstring> Places(const std::wstring& settings, const std::wstring& help) {
  return {settings + L"cfg.ini",     settings + L"slots.ini", settings + L"words.ini",
          settings + L"Downloads\\", help + L"Help.chm",      help + L"tutorial.chm"};
}

// UTF-16 LE bytes behind a byte-order mark, as the file holds them.
std::string Utf16FileBytes(const std::wstring& text) {
  return "\xFF\xFE" + std::string(reinterpret_cast<const char*>(text.data()), 2 * text.size());
}

}  // namespace

// Numbers and switches that are missing or do not read fall back to the
// default as ConfigurationTest's odd hot keys and MainSettingsTest's defaults
// show.
TEST_F(SettingsFileTest, AStringLosesTheBlanksAtItsEndsAndOnePairOfQuotationMarks) {
  ProfileFile config(Path(L"cfg.ini"));
  config.WriteString(L"Pronunciation", L"IgnoredCharacters", L"  \"*\\/\"  ");
  EXPECT_EQ(config.ReadString(L"Pronunciation", L"IgnoredCharacters", L""), L"*\\/");
}

// A letter the code page would only approximate, by a plain "A", makes the
// file UTF-16; written and tidied again, it stays so, in the tidy layout.
TEST_F(SettingsFileTest, TidyingKeepsEveryValueReadableInTheCodePageOrInUtf16) {
  for (const bool unicode : {false, true}) {
    SCOPED_TRACE(unicode);
    ProfileFile config(Path(unicode ? L"unicode.ini" : L"cfg.ini"));
    const std::wstring ignored = unicode ? L"*\u25cf\u2192" : L"*";
    const auto expectTidyWith = [&](const std::wstring& voice) {
      config.WriteString(L"Speech", L"Voice", voice);
      config.Flush();
      TidyIniFile(config.Path());
      const std::wstring layout =
          L"[General]\r\nHotKey=16392\r\nFirstRun=0\r\n\r\r\n[Speech]\r\nVoice=" + voice +
          L"\r\n\r\r\n[Pronunciation]\r\nIgnoredCharacters=" + ignored + L"\r\n";
      EXPECT_EQ(ReadWholeFile(config.Path()),
                unicode ? Utf16FileBytes(layout) : speech_test::Utf8(layout));
      EXPECT_EQ(config.ReadString(L"Speech", L"Voice", L""), voice);
    };
    config.WriteInteger(L"General", L"HotKey", 16392);
    config.WriteBool(L"General", L"FirstRun", false);
    config.WriteString(L"Speech", L"Voice", L"");
    config.WriteString(L"Pronunciation", L"IgnoredCharacters", ignored);
    expectTidyWith(unicode ? L"\u0100nna" : L"Anna");
    EXPECT_EQ(config.ReadString(L"Pronunciation", L"IgnoredCharacters", L""), ignored);
    EXPECT_EQ(config.ReadInteger(L"General", L"HotKey", 0), 16392);
    EXPECT_FALSE(config.ReadBool(L"General", L"FirstRun", true));
    expectTidyWith(L"Bert");
  }

  // words.ini stays in the code page while its rows fit it; a row it would
  // only approximate makes the whole file UTF-8.
  const std::pair<std::vector<WordCorrection>, std::string> words[] = {
      {{{L"Caf\u00e9", L"Kaffee", L"No"}}, "Caf\xE9###***###Kaffee###***###No\r\n"},
      {{{L"Caf\u00e9", L"Kaffee", L"No"}, {L"\u0100nna", L"Anna", L"Yes"}},
       "\xEF\xBB\xBF"
       "Caf\xC3\xA9###***###Kaffee###***###No\r\n"
       "\xC4\x80nna###***###Anna###***###Yes\r\n"},
  };
  for (const auto& [rows, bytes] : words) {
    WriteWordsFile(Path(L"words.ini"), rows);
    EXPECT_EQ(ReadWholeFile(Path(L"words.ini")), bytes);
    EXPECT_EQ(ReadWordsFile(Path(L"words.ini")), rows);
  }
}

TEST_F(SettingsFileTest, AReplacedFileHoldsTheNewContentsAndNoCopyStaysBehind) {
  const std::wstring path = Path(L"words.ini");
  ReplaceWholeFile(path, "old");
  ReplaceWholeFile(path, "new contents");
  EXPECT_EQ(ReadWholeFile(path), "new contents");
  EXPECT_FALSE(std::filesystem::exists(path + L".new"));

  // Another program reading the file, as most do without sharing deletion:
  // the save waits for it to let go; one that never does leaves the file as
  // it was.
  const auto openForReading = [&] {
    return CreateFileW(path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                       OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  };
  HANDLE reader = openForReading();
  ASSERT_NE(reader, INVALID_HANDLE_VALUE);
  std::thread letGo([reader] {
    Sleep(200);
    CloseHandle(reader);
  });
  ReplaceWholeFile(path, "saved while read");
  letGo.join();
  EXPECT_EQ(ReadWholeFile(path), "saved while read");
  reader = openForReading();
  EXPECT_THROW(ReplaceWholeFile(path, "never saved"), std::system_error);
  CloseHandle(reader);
  EXPECT_EQ(ReadWholeFile(path), "saved while read");
  EXPECT_FALSE(std::filesystem::exists(path + L".new"));
  EXPECT_THROW(ReadWholeFile(Path(L"missing.ini")), std::system_error);
  EXPECT_THROW(TidyIniFile(Path(L"missing.ini")), std::system_error);
}

// A portable copy keeps its settings beside itself, even when the user's
// application data folder holds another copy's; choosing creates nothing
// there and leaves its cfg.ini alone.
TEST_F(SettingsFileTest, AProgramFolderThatCanBeWrittenKeepsTheSettings) {
  const std::filesystem::path program = folder_ / "portable";
  const std::filesystem::path appData = folder_ / "appdata";
  std::filesystem::create_directories(program);
  std::filesystem::create_directories(appData / "Tolvane");
  ReplaceWholeFile((program / "cfg.ini").wstring(), "[General]\r\nFirstRun=0\r\n");
  ReplaceWholeFile((appData / "Tolvane" / "cfg.ini").wstring(), "[General]\r\n");

  const ProgramFiles files = ChooseProgramFiles(program.wstring() + L"\\", appData.wstring());

  EXPECT_EQ(Places(files), Places(program.wstring() + L"\\", program.wstring() + L"\\"));
  std::vector<std::filesystem::path> left;
  for (const auto& entry : std::filesystem::directory_iterator(program)) left.push_back(entry);
  EXPECT_EQ(left, std::vector<std::filesystem::path>{program / "cfg.ini"});
  EXPECT_EQ(ReadWholeFile(files.mainSettings), "[General]\r\nFirstRun=0\r\n");
}

// A copy whose folder takes no new file keeps its settings in the user's
// application data folder, which is made for it; its help stays with the
// program. Wine run as root ignores a folder's permissions, but not even
// root may create a file in Linux's /sys. (The main window's resilience test
// starts twice from a folder below a file.)
TEST_F(SettingsFileTest, AProgramFolderThatCannotBeWrittenLeavesTheSettingsToAppData) {
  ASSERT_TRUE(std::filesystem::is_directory(L"Z:\\sys")) << "this Wine prefix maps no Z:\\sys";
  const std::wstring settings = folder_.wstring() + L"\\Tolvane\\";
  const ProgramFiles files = ChooseProgramFiles(L"Z:\\sys", folder_.wstring());
  // Installers are downloaded where files can be written.
  EXPECT_EQ(Places(files), Places(settings, L"Z:\\sys\\"));
  EXPECT_TRUE(std::filesystem::is_directory(settings));
}

namespace {

VoiceSlot SlotOf(const std::wstring& voice, HotKeyWord hotKey, int family) {
  return {.voiceName = voice,
          .family = family,
          .hotKey = hotKey,
          .speed = 135,
          .pitch = 105,
          .volume = 100};
}

}  // namespace

// Deleting a slot renumbers the ones after it. A voice name the code page
// lacks makes the file UTF-16; deleting and renumbering keep it so, and the
// name comes back whole.
TEST_F(SettingsFileTest, DeletingASlotRenumbersTheRestAndKeepsANameOutsideTheCodePage) {
  const std::wstring path = Path(L"slots.ini");
  const VoiceSlot named = SlotOf(L"\u0413\u043e\u043b\u043e\u0441 \u2192", 49236, kSapi4Family);
  const VoiceSlot middle = SlotOf(L"Anna", 49235, kSapi5Family);
  // Without numbers: they stay empty rather than becoming 0.
  VoiceSlot last;
  last.voiceName = L"Bert";
  last.hotKey = 49237;
  WriteVoiceSlot(path, 0, named);
  WriteVoiceSlot(path, 1, middle);
  WriteVoiceSlot(path, 2, last);
  EXPECT_EQ(ReadVoiceSlots(path), (std::vector<VoiceSlot>{named, middle, last}));

  ASSERT_TRUE(DeleteVoiceSlot(path, 1, 3));
  EXPECT_EQ(ReadVoiceSlots(path), (std::vector<VoiceSlot>{named, last}));
  EXPECT_EQ(FirstFreeSlotNumber(path), 2);
  EXPECT_TRUE(ReadWholeFile(path).starts_with("\xFF\xFE"));
  ASSERT_TRUE(DeleteVoiceSlot(path, 0, 2));
  EXPECT_EQ(ReadVoiceSlots(path), (std::vector<VoiceSlot>{last}));
}

// The copy that a rewrite writes first cannot be made: nothing changes. A
// header edited by hand is not found: the deletion changes nothing. One
// behind a tab is a header as the profile functions read it, and the section
// before it ends there.
TEST_F(SettingsFileTest, SlotRewritesKeepEverySectionTheUserHas) {
  const std::wstring path = Path(L"slots.ini");
  WriteVoiceSlot(path, 0, SlotOf(L"Anna", 49235, kSapi5Family));
  WriteVoiceSlot(path, 1, SlotOf(L"Bert", 49236, kSapi5Family));
  const std::string before = ReadWholeFile(path);
  for (const wchar_t* copy : {L".new", L".saving"}) {
    ASSERT_TRUE(CreateDirectoryW((path + copy).c_str(), nullptr)) << copy;
  }
  EXPECT_ANY_THROW(DeleteVoiceSlot(path, 0, 2));
  EXPECT_ANY_THROW(WriteVoiceSlot(path, 0, SlotOf(L"Carl", 49237, kSapi4Family)));
  EXPECT_EQ(ReadWholeFile(path), before);
  for (const wchar_t* copy : {L".new", L".saving"}) RemoveDirectoryW((path + copy).c_str());

  const std::string file =
      "[Slot_0]\r\nVoice=A\r\n[Slot_1]\r\nVoice=B\r\n[Slot_2] "
      "old\r\nVoice=C\r\n[Slot_3]\r\nVoice=D\r\n";
  ReplaceWholeFile(path, file);
  EXPECT_FALSE(DeleteVoiceSlot(path, 2, 4));
  EXPECT_EQ(ReadWholeFile(path), file);
  EXPECT_FALSE(DeleteVoiceSlot(path, 0, 4));
  EXPECT_EQ(ReadWholeFile(path), file);

  ReplaceWholeFile(path, "[Slot_0]\r\nVoice=A\r\n[Slot_1]\r\nVoice=B\r\n\t[Slot_2]\r\nVoice=C\r\n");
  ASSERT_EQ(ReadVoiceSlots(path).size(), 3u);
  EXPECT_TRUE(DeleteVoiceSlot(path, 1, 3));
  const std::vector<VoiceSlot> left = ReadVoiceSlots(path);
  ASSERT_EQ(left.size(), 2u);
  EXPECT_EQ(left[1].voiceName, L"C");

  // The only slot listed goes, but the one after the gap stays in the file.
  ReplaceWholeFile(path, "[Slot_0]\r\nVoice=A\r\n[Slot_2]\r\nVoice=C\r\n");
  EXPECT_TRUE(DeleteVoiceSlot(path, 0, 1));
  EXPECT_EQ(ReadWholeFile(path), "[Slot_2]\r\nVoice=C\r\n");
}

// A copy left behind read-only, as one made from a read-only file was, never
// stops a later save; a file the user made read-only is not overwritten, and
// is saved again once the user clears the attribute.
TEST_F(SettingsFileTest, ACopyLeftBehindNeverStopsASave) {
  const std::wstring config = Path(L"cfg.ini");
  const auto writeHotKey = [&](int value) {
    RewriteIniFile(
        config, [&](const ProfileFile& copy) { copy.WriteInteger(L"General", L"HotKey", value); });
  };
  writeHotKey(1);
  for (const wchar_t* suffix : {L".saving", L".new"}) {
    const std::wstring copy = config + suffix;
    ReplaceWholeFile(copy, "stale");
    ASSERT_TRUE(SetFileAttributesW(copy.c_str(), FILE_ATTRIBUTE_READONLY));
  }
  writeHotKey(2);
  EXPECT_EQ(ProfileFile(config).ReadInteger(L"General", L"HotKey", 0), 2);

  const std::string saved = ReadWholeFile(config);
  ASSERT_TRUE(SetFileAttributesW(config.c_str(), FILE_ATTRIBUTE_READONLY));
  EXPECT_ANY_THROW(writeHotKey(3));
  EXPECT_ANY_THROW(ReplaceWholeFile(config, "other"));
  EXPECT_EQ(ReadWholeFile(config), saved);
  ASSERT_TRUE(SetFileAttributesW(config.c_str(), FILE_ATTRIBUTE_NORMAL));
  writeHotKey(4);
  EXPECT_EQ(ProfileFile(config).ReadInteger(L"General", L"HotKey", 0), 4);
  for (const wchar_t* suffix : {L".saving", L".new"}) {
    EXPECT_FALSE(std::filesystem::exists(config + suffix)) << suffix;
  }
}
