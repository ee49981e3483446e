// words.ini's lines, as every version wrote and read them, and its encodings.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "settings/words_file.h"

namespace {

using namespace std::string_literals;

// A code page that holds ASCII only, byte for byte.
const AnsiCodePage kAscii{
    [](std::wstring_view text) -> std::optional<std::string> {
      std::string bytes;
      for (wchar_t c : text) {
        if (c > 0x7F) return std::nullopt;
        bytes += static_cast<char>(c);
      }
      return bytes;
    },
    [](std::string_view bytes) { return std::wstring(bytes.begin(), bytes.end()); }};

struct FileCase {
  const char* name;
  std::string bytes;
  std::vector<WordCorrection> rows;
};

}  // namespace

TEST(WordsFile, LinesReadAsEveryVersionReadThem) {
  const FileCase cases[] = {
      {"two rows, in order",
       "SQL###***###sequel###***###Yes\r\nGUI###***###gooey###***###No\r\n",
       {{L"SQL", L"sequel", L"Yes"}, {L"GUI", L"gooey", L"No"}}},
      {"an empty table", "", {}},
      {"a blank line in the middle",
       "a###***###b###***###No\r\n\r\nc###***###d###***###Yes\r\n",
       {{L"a", L"b", L"No"}, {L"", L"", L""}, {L"c", L"d", L"Yes"}}},
      // Each missing separator takes eight characters in its place.
      {"no separator", "word only and some more\r\n", {{L"", L"", L"me more"}}},
      // A line typed without its flag keeps its pronunciation.
      {"no flag", "SQL###***###sequel\r\n", {{L"SQL", L"sequel", L"No"}}},
      {"an empty pronunciation", "um###***######***###No", {{L"um", L"", L"No"}}},
  };
  for (const FileCase& c : cases) {
    EXPECT_EQ(DecodeWords(c.bytes, kAscii), c.rows) << c.name;
  }
  // What the program writes always has two separators and CR LF on each line.
  EXPECT_EQ(EncodeWords(cases[0].rows, kAscii), cases[0].bytes);
  EXPECT_EQ(EncodeWords(DecodeWords("SQL###***###sequel", kAscii), kAscii),
            "SQL###***###sequel###***###No\r\n");
  EXPECT_EQ(EncodeWords({}, kAscii), "");
}

TEST(WordsFile, ARowOutsideTheCodePageMakesTheFileUtf8AndOnlyFieldsThatReadBackAreStored) {
  // A row the code page cannot hold makes the whole file UTF-8 with its mark;
  // a UTF-16 file with its mark reads too.
  const std::vector<WordCorrection> rows{{L"SQL", L"sequel", L"Yes"},
                                         {L"\u041c\u0438\u0440", L"m\u00eer \U0001F600", L"No"}};
  const std::string bytes = EncodeWords(rows, kAscii);
  EXPECT_EQ(bytes,
            "\xEF\xBB\xBFSQL###***###sequel###***###Yes\r\n"
            "\xD0\x9C\xD0\xB8\xD1\x80###***###m\xC3\xAEr \xF0\x9F\x98\x80###***###No\r\n");
  EXPECT_EQ(DecodeWords(bytes, kAscii), rows);
  std::string utf16 = "\xFF\xFE";
  for (wchar_t c : std::wstring(L"a###***###b###***###\u043c\r\n")) {
    utf16 += static_cast<char>(c & 0xFF);
    utf16 += static_cast<char>(c >> 8);
  }
  EXPECT_EQ(DecodeWords(utf16, kAscii), (std::vector<WordCorrection>{{L"a", L"b", L"\u043c"}}));
  // Code page bytes that would look like a mark go as UTF-8 too.
  const std::vector<WordCorrection> markLike{{L"\xFF\xFEx", L"y", L"No"}};
  const AnsiCodePage latin1{
      [](std::wstring_view text) {
        return std::optional<std::string>(std::in_place, text.begin(), text.end());
      },
      [](std::string_view bytes) { return std::wstring(bytes.begin(), bytes.end()); }};
  EXPECT_EQ(DecodeWords(EncodeWords(markLike, latin1), latin1), markLike);
  for (const wchar_t* field : {L"", L"SQL", L"#*#", L"##***###x", L"***###"}) {
    EXPECT_TRUE(CanStoreWordField(field)) << field;
  }
  for (const wchar_t* field :
       {L"a###***###b", L"two\r\nlines", L"line\n", L"x###***", L"###***#"}) {
    EXPECT_FALSE(CanStoreWordField(field)) << field;
  }
}
