#include "speech/voice_catalogue.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr wchar_t kSapi5Suffix[] = L" (SAPI5)";
constexpr std::wstring_view kSapi5Mark = L"(SAPI5)";

// SAPI 5 slider positions are shown shifted and scaled, so that the boxes
// never show negative numbers.
constexpr int kSapi5Offset = 12;
constexpr int kSapi5Step = 15;

bool InRange(wchar_t c, wchar_t first, wchar_t last) { return c >= first && c <= last; }

// In Latin Extended-A capitals and small letters alternate; in two runs the
// capital stands on the odd code point, elsewhere on the even one. U+0130
// (capital I with dot) and U+0131 (dotless i) pair with the ASCII i, not with
// each other, and are left alone.
wchar_t FoldLatinExtendedA(wchar_t c) {
  const bool capitalOnOdd = InRange(c, 0x139, 0x148) || InRange(c, 0x179, 0x17E);
  const bool capitalOnEven =
      InRange(c, 0x100, 0x12F) || InRange(c, 0x132, 0x137) || InRange(c, 0x14A, 0x177);
  if ((capitalOnOdd && c % 2 == 1) || (capitalOnEven && c % 2 == 0))
    return static_cast<wchar_t>(c + 1);
  return c;
}

wchar_t FoldLetterCase(wchar_t c) {
  if (InRange(c, L'A', L'Z')) return static_cast<wchar_t>(c + 0x20);
  // Latin-1 capitals, without the multiplication sign among them.
  if (InRange(c, 0xC0, 0xDE) && c != 0xD7) return static_cast<wchar_t>(c + 0x20);
  if (c == 0x178) return 0xFF;  // Y with diaeresis, whose small letter is in Latin-1
  if (InRange(c, 0x100, 0x17F)) return FoldLatinExtendedA(c);
  if (InRange(c, 0x400, 0x40F)) return static_cast<wchar_t>(c + 0x50);
  if (InRange(c, 0x410, 0x42F)) return static_cast<wchar_t>(c + 0x20);
  return c;
}

bool EqualIgnoringCase(std::wstring_view left, std::wstring_view right) {
  return std::ranges::equal(
      left, right, [](wchar_t a, wchar_t b) { return FoldLetterCase(a) == FoldLetterCase(b); });
}

}  // namespace

std::wstring Sapi4DisplayName(const std::wstring& modeName, const std::wstring& speakerName) {
  return speakerName.size() < modeName.size() ? speakerName : modeName;
}

std::wstring Sapi5DisplayName(const std::wstring& description) {
  return description + kSapi5Suffix;
}

std::wstring StoredVoiceName(const std::wstring& displayName) {
  const size_t mark = displayName.find(kSapi5Mark);
  if (mark == std::wstring::npos) return displayName;
  return displayName.substr(0, mark == 0 ? 0 : mark - 1);
}

int FindCatalogueEntry(const std::vector<std::wstring>& entries, std::wstring_view name) {
  const auto found = std::ranges::find_if(
      entries, [&](const std::wstring& entry) { return EqualIgnoringCase(entry, name); });
  return found == entries.end() ? -1 : static_cast<int>(found - entries.begin());
}

int InitialCatalogueEntry(int entryCount, int sapi4Count) {
  return entryCount > sapi4Count ? sapi4Count : 0;
}

int Sapi5DisplayedValue(int position) { return (position + kSapi5Offset) * kSapi5Step; }

int Sapi5EngineValue(int storedValue) {
  return static_cast<int>(std::lround(storedValue / static_cast<double>(kSapi5Step))) -
         kSapi5Offset;
}

std::wstring ValueBoxText(int position, bool sapi5Voice) {
  return std::to_wstring(sapi5Voice ? Sapi5DisplayedValue(position) : position);
}

std::wstring PitchPrefixText(int pitch) {
  return L"<pitch middle=\"" + std::to_wstring(pitch) + L"\">";
}

std::wstring EscapeSpeechMarkup(std::wstring_view text) {
  std::wstring escaped;
  escaped.reserve(text.size());
  for (wchar_t character : text) {
    switch (character) {
      case L'&':
        escaped += L"&amp;";
        break;
      case L'<':
        escaped += L"&lt;";
        break;
      case L'>':
        escaped += L"&gt;";
        break;
      default:
        escaped += character;
    }
  }
  return escaped;
}
