// The pronunciation dictionary as a person keeps it: the "Pronunciation" page,
// the correction editor typed into, words.ini, and the corrections heard in a
// reading.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "tests/e2e/driver.h"
#include "ui/ui_resources.h"

namespace {

constexpr char kCorrectionsOn[] = "[Pronunciation]\r\nWordsCorrections=1\r\n";
constexpr wchar_t kEditorTitle[] = L"Pronunciation correction";
constexpr int kPronunciationPage = 3;

std::string Line(const std::string& word, const std::string& pronunciation, const char* flag) {
  return word + "###***###" + pronunciation + "###***###" + flag + "\r\n";
}

class Words : public TolvaneTest {
 protected:
  explicit Words(std::string words)
      : TolvaneTest(kReadingVoices, std::string(kLaterStart) + kCorrectionsOn),
        words_(std::move(words)) {}

  void SetUp() override {
    WriteTextFile(WordsPath(), words_);
    Start();
  }

  std::wstring WordsPath() const { return folder_.File(L"words.ini"); }
  void ShowPronunciationPage() { ShowTablePage(kPronunciationPage, IDC_WORDS_TABLE); }
  int SelectedRow() const {
    return static_cast<int>(SendMessageW(table_, LVM_GETNEXTITEM, -1, LVNI_SELECTED));
  }

  // Types a word and its pronunciation into a new row's editor, ticks "Case
  // sensitive" if asked, and presses Enter.
  void AddRow(const std::wstring& word, const std::wstring& pronunciation, bool caseSensitive) {
    OpenEditor(VK_INSERT, kEditorTitle);
    EXPECT_TRUE(TypeTextIn(InEditor(IDC_WORD_FIELD), word));
    EXPECT_TRUE(PressKey(VK_TAB));
    EXPECT_TRUE(TypeTextIn(InEditor(IDC_PRONOUNCE_FIELD), pronunciation));
    EXPECT_TRUE(PressKey(VK_TAB));
    if (caseSensitive) {
      EXPECT_TRUE(PressKeyIn(InEditor(IDC_CASE_SENSITIVE_CHECKBOX), VK_SPACE));
    }
    EXPECT_TRUE(PressKey(VK_RETURN));
  }

  std::string words_;
};

const std::string kSixRows = Line("apple", "red fruit", "Yes") + Line("one", "1", "Yes") +
                             Line("two", "2", "Yes") + Line("three", "3", "Yes") +
                             Line("four", "4", "Yes") + Line("five", "5", "Yes");

class SixCorrections : public Words {
 protected:
  SixCorrections() : Words(kSixRows) {}
};

// A thousand rows, k0000 read as "entry 0" and so on; no word holds another.
std::string ThousandRows() {
  std::string rows;
  for (int row = 0; row < 1000; ++row) {
    char word[8];
    std::snprintf(word, sizeof word, "k%04d", row);
    rows += Line(word, "entry " + std::to_string(row), "No");
  }
  return rows;
}

// Another program (a sync client at logon) holds words.ini open without
// sharing while Tolvane starts, and lets it go soon after.
class HeldAtStart : public Words {
 protected:
  HeldAtStart() : Words(ThousandRows()) {}
  void SetUp() override {
    WriteTextFile(WordsPath(), words_);
    HANDLE held = CreateFileW(WordsPath().c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    Start();
    CloseHandle(held);
  }
};

}  // namespace

TEST_F(SixCorrections, RowsAddedEditedAndKeptAsTypedAreHeardInTheReading) {
  ShowPronunciationPage();
  ASSERT_EQ(Rows(), 6);
  // "Apple" beside "apple": letter case makes it another word.
  AddRow(L"Apple", L"Big apple", true);
  ASSERT_TRUE(EditorCloses());
  std::string words = kSixRows + Line("Apple", "Big apple", "Yes");
  ASSERT_TRUE(FileHolds(WordsPath(), words)) << ReadTextFile(WordsPath());
  EXPECT_EQ(SelectedRow(), 6);

  // The same word again: the editor says so and stays; Esc then keeps all.
  AddRow(L"apple", L"pomme", false);
  EXPECT_EQ(AnswerBox(IDOK), L"Sorry, but pronunciation correction for \"apple\"  already exists.");
  ASSERT_TRUE(PressKeyIn(InEditor(IDC_CASE_SENSITIVE_CHECKBOX), VK_ESCAPE));
  ASSERT_TRUE(EditorCloses());
  // A word the file could not keep; "&Cancel" keeps all too.
  AddRow(L"a###***###b", L"ab", false);
  EXPECT_EQ(AnswerBox(IDOK),
            L"Sorry, but a word or its pronunciation can't contain \"###***###\", end with "
            L"\"###***\" or hold a line break. Please, change it.");
  ASSERT_TRUE(ClickControl(InEditor(IDCANCEL)));
  ASSERT_TRUE(EditorCloses());
  EXPECT_EQ(ReadTextFile(WordsPath()), words);
  EXPECT_EQ(Rows(), 7);

  // A word in another script, any case: the file becomes UTF-8, and with
  // eight rows the last column makes room for the scroll bar.
  AddRow(L"\u043c\u0438\u0440", L"peace", false);
  ASSERT_TRUE(EditorCloses());
  words = "\xEF\xBB\xBF" + words + Line("\xD0\xBC\xD0\xB8\xD1\x80", "peace", "No");
  ASSERT_TRUE(FileHolds(WordsPath(), words)) << ReadTextFile(WordsPath());
  EXPECT_EQ(SendMessageW(table_, LVM_GETCOLUMNWIDTH, 2, 0), 80);

  // An edit keeps the row in its place.
  ASSERT_TRUE(PressKeyIn(table_, VK_HOME));
  ASSERT_TRUE(PressKeyIn(table_, VK_DOWN));
  OpenEditor(VK_F2, kEditorTitle);
  EXPECT_EQ(ControlText(InEditor(IDOK)), L"&Save changes");
  HWND pronunciation = InEditor(IDC_PRONOUNCE_FIELD);
  ASSERT_TRUE(ClickControl(pronunciation));
  ASSERT_TRUE(PressKeyIn(pronunciation, VK_END));
  ASSERT_TRUE(PressKey(VK_HOME, {VK_SHIFT}));
  ASSERT_TRUE(TypeTextIn(pronunciation, L"uno"));
  ASSERT_TRUE(PressKey(VK_RETURN));
  ASSERT_TRUE(EditorCloses());
  const std::string edited = "\xEF\xBB\xBF" + Line("apple", "red fruit", "Yes") +
                             Line("one", "uno", "Yes") + Line("two", "2", "Yes") +
                             Line("three", "3", "Yes") + Line("four", "4", "Yes") +
                             Line("five", "5", "Yes") + Line("Apple", "Big apple", "Yes") +
                             Line("\xD0\xBC\xD0\xB8\xD1\x80", "peace", "No");
  ASSERT_TRUE(FileHolds(WordsPath(), edited)) << ReadTextFile(WordsPath());
  EXPECT_EQ(SelectedRow(), 1);

  // No to the delete question keeps every row and selects the row above.
  ASSERT_TRUE(PressKeyIn(table_, VK_DOWN));
  ASSERT_TRUE(PressKeyIn(table_, VK_DELETE));
  EXPECT_EQ(AnswerBox(IDNO), L"Are you sure to delete pronunciation correction for word \"two\"?");
  EXPECT_EQ(ReadTextFile(WordsPath()), edited);
  EXPECT_EQ(Rows(), 8);
  EXPECT_EQ(SelectedRow(), 1);

  // The reading hears the rows in table order; "No" matches upper case.
  EXPECT_EQ(ReadFromNotepad(folder_, L"Apple and apple. \u041c\u0418\u0420!"),
            DefaultVoiceSpeak(L"Big apple and red fruit. peace!"));
}

// Then the last row takes the file with it, and a large dictionary comes
// back at once.
TEST_F(HeldAtStart, ExitKeepsEveryRowTheNextStartReadsThemAndTheLastRowTakesTheFile) {
  ASSERT_TRUE(CloseAsASetupDoes());
  ASSERT_TRUE(tolvane_->WaitForExit());
  EXPECT_EQ(ReadTextFile(WordsPath()), words_);

  Start();
  EXPECT_EQ(ReadFromNotepad(folder_, L"k0000 to k0999"),
            DefaultVoiceSpeak(L"entry 0 to entry 999"));

  WriteTextFile(WordsPath(), Line("only", "lonely", "No"));
  ShowPronunciationPage();
  // Hides the window with Esc and shows it again, which reads words.ini anew:
  // how long until the table holds the rows.
  const auto showAgain = [&](int rows) {
    EXPECT_TRUE(PressKeyIn(table_, VK_ESCAPE));
    EXPECT_TRUE(WaitUntil([&] { return !IsWindowVisible(main_); }));
    const auto pressed = std::chrono::steady_clock::now();
    EXPECT_TRUE(PressKey(VK_F11, {VK_CONTROL}));
    EXPECT_TRUE(WaitUntil([&] { return IsWindowVisible(main_) && Rows() == rows; }));
    EXPECT_TRUE(ClickControl(table_));
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - pressed)
        .count();
  };
  const double oneRow = showAgain(1);

  ASSERT_TRUE(PressKeyIn(table_, VK_HOME));
  ASSERT_TRUE(PressKeyIn(table_, VK_DELETE));
  EXPECT_EQ(AnswerBox(IDYES),
            L"Are you sure to delete pronunciation correction for word \"only\"?");
  EXPECT_TRUE(FileGone(WordsPath()));
  EXPECT_EQ(Rows(), 0);

  std::string many;
  for (int row = 0; row < 10000; ++row) many += Line(std::to_string(row) + "w", "x", "No");
  WriteTextFile(WordsPath(), many);
  const double manyRows = showAgain(10000);
  std::printf("[   TIME   ] the window shown with 1 correction: %.0f ms, with 10,000: %.0f ms\n",
              oneRow, manyRows);
  EXPECT_EQ(SendMessageW(table_, LVM_GETCOLUMNWIDTH, 2, 0), 80);
}
