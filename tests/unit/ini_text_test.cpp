// The settings files as text: the tidy layout, and whole sections removed or renamed.
#include <gtest/gtest.h>

#include "settings/ini_text.h"

// Every line end is accepted, a second tidy changes nothing, any line with
// both brackets counts as a header, and an empty file stays empty.
TEST(TidyIniText, DropsEmptyAndSingleBlankLinesAndSeparatesLaterSections) {
  EXPECT_EQ(TidyIniText("[General]\r\nHotKey=16392\r\n\r\n \r\n[Speech]\r\nVoice=Anna\r\n"),
            "[General]\r\nHotKey=16392\r\n\r\r\n[Speech]\r\nVoice=Anna\r\n");
  // Two blanks are not an empty line; the first line never gets a separator.
  EXPECT_EQ(TidyIniText("\r\n[A]\r\n  \r\n[B]"), "[A]\r\n  \r\n\r\r\n[B]\r\n");
  const std::string tidy = "[A]\r\nx=1\r\n\r\r\n[B]\r\ny=2\r\n";
  EXPECT_EQ(TidyIniText("[A]\nx=1\n\n[B]\ny=2"), tidy);
  EXPECT_EQ(TidyIniText("[A]\rx=1\r\r[B]\ry=2\r"), tidy);
  EXPECT_EQ(TidyIniText("[A]\r\nx=1\n\r[B]\ry=2\r\n"), tidy);
  const std::string once = TidyIniText("[A]\r\na=1\r\n[B]\r\n\r\nb=2\r\n[C]\r\n");
  EXPECT_EQ(TidyIniText(once), once);
  EXPECT_EQ(TidyIniText("[A]\r\nName=[x]\r\n"), "[A]\r\n\r\r\nName=[x]\r\n");
  EXPECT_EQ(TidyIniText("[A]\r\nName=[x\r\n"), "[A]\r\nName=[x\r\n");
  EXPECT_EQ(TidyIniText(""), "");
  EXPECT_EQ(TidyIniText("\r\n \r\n\n"), "");
}

TEST(TidyIniText, AUtf16FileIsTidiedAsUtf16) {
  using namespace std::string_literals;
  // "[A]\nx=→ഊ\n\n[B]\r\ny=1" and its tidy layout in UTF-16 LE; the second
  // letter's bytes are LF and CR, which must stay part of it.
  const std::string file =
      "\xFF\xFE[\0A\0]\0\n\0x\0=\0\x92\x21\x0A\x0D\n\0\n\0[\0B\0]\0\r\0\n\0y\0=\0"
      "1\0"s;
  EXPECT_EQ(TidyIniText(file),
            "\xFF\xFE[\0A\0]\0\r\0\n\0x\0=\0\x92\x21\x0A\x0D\r\0\n\0\r\0\r\0\n\0[\0B\0]\0\r\0\n\0"
            "y\0=\0"
            "1\0\r\0\n\0"s);
  EXPECT_EQ(TidyIniText("\xFF\xFE"), "\xFF\xFE");
}

TEST(IniSections, ASectionGoesWithItsEntriesUpToTheNextHeaderThatIsAloneOnItsLine) {
  const std::string file =
      "[Slot_0]\r\nVoice=A\r\n\r\r\n[slot_1]\r\nVoice=B\r\n ;note\r\n  [Slot_2]\r\n";
  EXPECT_EQ(RemoveIniSection(file, "Slot_1"), "[Slot_0]\r\nVoice=A\r\n\r\n\r\n  [Slot_2]\r\n");
  EXPECT_EQ(RemoveIniSection(file, "Slot_0"), "[slot_1]\r\nVoice=B\r\n ;note\r\n  [Slot_2]\r\n");
  EXPECT_EQ(RenameIniSection(file, "SLOT_1", "Slot_7"),
            "[Slot_0]\r\nVoice=A\r\n\r\n\r\n[Slot_7]\r\nVoice=B\r\n ;note\r\n  [Slot_2]\r\n");
  // Only a line that is exactly the header counts; anything else leaves the
  // file to the caller as it was.
  const std::string crowded = "[Slot_1] old\r\nVoice=B\r\n[Slot_10]\r\nVoice=C\r\n Slot_1\r\n";
  EXPECT_EQ(RemoveIniSection(crowded, "Slot_1"), std::nullopt);
  EXPECT_EQ(RenameIniSection(crowded, "Slot_1", "Slot_0"), std::nullopt);
  EXPECT_EQ(RemoveIniSection("", "Slot_1"), std::nullopt);
}

TEST(IniSections, AUtf16FileStaysUtf16) {
  using namespace std::string_literals;
  // "[Slot_0]\nVoice=→\n[Slot_1]\n" in UTF-16 LE.
  const std::string file =
      "\xFF\xFE[\0S\0l\0o\0t\0_\0"
      "0\0]\0\n\0V\0o\0i\0c\0e\0=\0\x92\x21\n\0[\0S\0l\0o\0t\0_\0"
      "1\0]\0\n\0"s;
  EXPECT_EQ(RemoveIniSection(file, "Slot_0"),
            "\xFF\xFE[\0S\0l\0o\0t\0_\0"
            "1\0]\0\r\0\n\0"s);
  EXPECT_EQ(RenameIniSection(file, "Slot_1", "Slot_2"),
            "\xFF\xFE[\0S\0l\0o\0t\0_\0"
            "0\0]\0\r\0\n\0V\0o\0i\0c\0e\0=\0\x92\x21\r\0\n\0[\0S\0l\0o\0t\0_\0"
            "2\0]\0\r\0\n\0"s);
}
