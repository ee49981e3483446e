#include "reading/hotkey_text.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <map>
#include <string>

namespace {

// Stands in for the system's key names: a few keys the fixed table leaves to
// the system, two of them sharing a name as on real keyboard layouts.
std::wstring FakeSystemKeyName(std::uint8_t virtualKey) {
  static const std::map<std::uint8_t, std::wstring> names = {
      {16, L"Shift"},     {17, L"Ctrl"},        {18, L"Alt"},          {20, L"Caps Lock"},
      {106, L"Num *"},    {107, L"Num +"},      {109, L"Num -"},       {111, L"Num /"},
      {186, L";"},        {187, L"="},          {188, L","},           {192, L"`"},
      {220, L"\\"},       {226, L"\\"},         {145, L"Scroll Lock"}, {19, L"Pause"},
      {144, L"Num Lock"}, {93, L"Application"}, {0xE1, L"\u00c4"},
  };
  auto found = names.find(virtualKey);
  return found == names.end() ? std::wstring() : found->second;
}

const SystemKeyNameFunction kSystemNames = FakeSystemKeyName;

std::wstring Text(HotKeyWord hotKey) { return HotKeyToText(hotKey, kSystemNames); }
HotKeyWord Word(std::wstring_view text) { return TextToHotKey(text, kSystemNames); }

// The documented examples both ways; the fixed names win over the system's,
// other keys take the system's name, and a key without a name has no text.
TEST(HotKeyText, KeysGoByTheirFixedNamesElseTheSystemsBothWays) {
  for (const auto& [word, text] :
       std::initializer_list<std::pair<HotKeyWord, std::wstring>>{{32813, L"Alt+Ins"},
                                                                  {16506, L"Ctrl+F11"},
                                                                  {16507, L"Ctrl+F12"},
                                                                  {16392, L"Ctrl+BkSp"}}) {
    EXPECT_EQ(Text(word), text);
    EXPECT_EQ(Word(text), word);
  }
  // The system would call these keys something else (and in the user's
  // language); the texts stay the same on every system.
  const SystemKeyNameFunction everythingNamed = [](std::uint8_t) {
    return std::wstring(L"System");
  };
  EXPECT_EQ(KeyName(13, everythingNamed), L"Enter");
  EXPECT_EQ(KeyName(97, everythingNamed), L"1");
  EXPECT_EQ(KeyName(123, everythingNamed), L"F12");
  EXPECT_EQ(KeyName(186, everythingNamed), L"System");
  EXPECT_EQ(KeyName(7, everythingNamed), L"System");
  EXPECT_EQ(Text(186), L";");
  EXPECT_EQ(Text(kCtrlModifier | 111), L"Ctrl+Num /");
  EXPECT_EQ(Text(17), L"Ctrl");
  EXPECT_EQ(Text(kShiftModifier | kAltModifier | 0xE1), L"Shift+Alt+\u00c4");
  EXPECT_EQ(Word(L"Ctrl+Num /"), kCtrlModifier | 111);
  EXPECT_EQ(Word(L"Caps Lock"), 20);
  EXPECT_EQ(Word(L"ctrl"), 17);
  EXPECT_EQ(Text(0), L"");
  EXPECT_EQ(Text(kCtrlModifier), L"");
  EXPECT_EQ(Text(kCtrlModifier | kAltModifier | kShiftModifier), L"");
  EXPECT_EQ(Text(kCtrlModifier | 0xFF), L"");
  EXPECT_EQ(Text(kAltModifier | 1), L"");
  // Without a system name function every key outside the fixed table is nameless.
  EXPECT_EQ(HotKeyToText(kCtrlModifier | 186, SystemKeyNameFunction()), L"");
  EXPECT_EQ(TextToHotKey(L"Ctrl+F11", SystemKeyNameFunction()), 16506);
  // Numeric-pad digits read back as the main digits, a name two keys share as
  // the first of them.
  for (std::uint8_t digit = 0; digit < 10; ++digit) {
    const HotKeyWord pad = static_cast<HotKeyWord>(kCtrlModifier | (96 + digit));
    const std::wstring text = Text(pad);
    EXPECT_EQ(text, L"Ctrl+" + std::to_wstring(digit));
    EXPECT_EQ(Word(text), kCtrlModifier | ('0' + digit));
  }
  EXPECT_EQ(Word(L"5"), 53);
  EXPECT_EQ(Text(226), L"\\");
  EXPECT_EQ(Word(L"Alt+\\"), kAltModifier | 220);
}

// A caret reads as Ctrl.
TEST(HotKeyText, PrefixesAreWrittenInFixedOrderAndReadInAnyOrderAndLetterCase) {
  EXPECT_EQ(Text(kShiftModifier | 'X'), L"Shift+X");
  EXPECT_EQ(Text(kCtrlModifier | kShiftModifier | 'X'), L"Shift+Ctrl+X");
  EXPECT_EQ(Text(kAltModifier | kShiftModifier | 'X'), L"Shift+Alt+X");
  EXPECT_EQ(Text(kAltModifier | kCtrlModifier | kShiftModifier | 112), L"Shift+Ctrl+Alt+F1");
  const HotKeyWord ctrlAltX = kCtrlModifier | kAltModifier | 'X';
  EXPECT_EQ(Text(ctrlAltX), L"Ctrl+Alt+X");
  EXPECT_EQ(Word(L"Alt+Ctrl+X"), ctrlAltX);
  EXPECT_EQ(Word(L"Ctrl+Alt+X"), ctrlAltX);
  EXPECT_EQ(Word(L"Ctrl+Shift+Del"), kShiftModifier | kCtrlModifier | 46);
  EXPECT_EQ(Word(L"Alt+Shift+Ctrl+Space"), kShiftModifier | kCtrlModifier | kAltModifier | 32);
  // Repeating a prefix sets its bit once.
  EXPECT_EQ(Word(L"Ctrl+Ctrl+Alt+Ctrl+X"), ctrlAltX);
  EXPECT_EQ(Word(L"^X"), kCtrlModifier | 'X');
  EXPECT_EQ(Word(L"^Ctrl+X"), kCtrlModifier | 'X');
  EXPECT_EQ(Word(L"Alt+^Ins"), kAltModifier | kCtrlModifier | 45);
  EXPECT_EQ(Word(L"aLT+iNS"), 32813);
  EXPECT_EQ(Word(L"SHIFT+x"), kShiftModifier | 'X');
  EXPECT_EQ(Word(L"pgdn"), 34);
  EXPECT_EQ(Word(L"ctrl+bksp"), 16392);
  EXPECT_EQ(Word(L"caps lock"), 20);
  for (const wchar_t* text : {L"^F11", L"ctrl+f11", L"CTRL+F11"}) EXPECT_EQ(Word(text), 16506);
}

TEST(HotKeyText, TextsNamingNoKeyReadAsZero) {
  for (const wchar_t* text :
       {L"", L"Ctrl+", L"Shift+", L"Alt+", L"^", L"Ctrl+Alt+", L"Ctrl+Nothing", L"F25", L"Ctrl F11",
        L" Ctrl+F11", L"Ctrl+F11 ", L"Ctrl+X+", L"Win+X"}) {
    EXPECT_EQ(Word(text), 0) << text;
  }
  // A layout that calls a key "^" (German VK_OEM_5) cannot name it alone: the
  // caret is read as the Ctrl prefix first. This is how the texts always read.
  const SystemKeyNameFunction caretKey = [](std::uint8_t key) {
    return key == 220 ? std::wstring(L"^") : std::wstring();
  };
  EXPECT_EQ(HotKeyToText(220, caretKey), L"^");
  EXPECT_EQ(TextToHotKey(L"^", caretKey), 0);
  EXPECT_EQ(TextToHotKey(L"Ctrl+^", caretKey), 0);
  const SystemKeyNameFunction named = [](std::uint8_t key) {
    return key == 1 ? std::wstring(L"Mouse") : std::wstring();
  };
  EXPECT_EQ(HotKeyToText(1, named), L"Mouse");
  EXPECT_EQ(TextToHotKey(L"Mouse", named), 0);
}

TEST(HotKeyText, EveryWordAgreesWithItsText) {
  constexpr HotKeyWord kModifiers = kShiftModifier | kCtrlModifier | kAltModifier;
  // The first key code from 8 with each name: only those keys can read back.
  std::map<std::wstring, unsigned> firstKeyWithName;
  for (unsigned key = 8; key <= 255; ++key) {
    std::wstring name = KeyName(static_cast<std::uint8_t>(key), kSystemNames);
    if (!name.empty()) firstKeyWithName.emplace(name, key);
  }
  int checked = 0;
  for (unsigned value = 0; value <= 0xFFFF; ++value) {
    const auto word = static_cast<HotKeyWord>(value);
    const std::uint8_t key = word & 0xFF;
    const std::wstring text = Text(word);
    // Bits other than the three modifiers never show in the text.
    EXPECT_EQ(text, Text(word & (kModifiers | 0xFF))) << "word " << value;
    const std::wstring name = KeyName(key, kSystemNames);
    EXPECT_EQ(text.empty(), name.empty()) << "word " << value;
    if ((word & ~(kModifiers | 0xFF)) != 0 || name.empty()) continue;
    auto first = firstKeyWithName.find(name);
    if (first == firstKeyWithName.end() || first->second != key) continue;
    ASSERT_EQ(Word(text), word) << "word " << value;
    ++checked;
  }
  // All eight modifier combinations of the named keys: 10 numeric-pad digits
  // and one of the two keys named "\" are the only ones that cannot read back.
  EXPECT_EQ(checked, 8 * static_cast<int>(firstKeyWithName.size()));
  // Fixed names: BkSp, Tab, Enter, Esc, nine navigation keys, Ins, Del, ten
  // digits, 26 letters, F1..F24; then the fake's 19 names less one shared.
  EXPECT_EQ(firstKeyWithName.size(), 4u + 9u + 2u + 10u + 26u + 24u + 18u);
}

}  // namespace
