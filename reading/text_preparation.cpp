#include "reading/text_preparation.h"

#include <algorithm>
#include <optional>

namespace {

constexpr wchar_t kSpace = L' ';
constexpr std::wstring_view kCaseInsensitiveFlag = L"No";

// Only A to Z are folded, as the dictionary has always compared: letters of
// other scripts and accented letters must be written in the word's own case.
wchar_t LowerAscii(wchar_t c) {
  return c >= L'A' && c <= L'Z' ? static_cast<wchar_t>(c - L'A' + L'a') : c;
}

std::wstring LowerAscii(std::wstring_view text) {
  std::wstring lower(text.size(), kSpace);
  std::transform(text.begin(), text.end(), lower.begin(), [](wchar_t c) { return LowerAscii(c); });
  return lower;
}

// `text` rebuilt once with each occurrence of `word` replaced, the occurrences
// being looked for in `haystack`: the text itself, or its lower-case copy, which
// has the same positions. The next search starts after the occurrence, that is
// after the inserted replacement, so a replacement that contains its own word
// cannot make the scan run forever. Nothing when there is no occurrence, so a
// row that does not occur costs one scan and no copy.
std::optional<std::wstring> ReplaceMatches(std::wstring_view text, std::wstring_view haystack,
                                           std::wstring_view word, std::wstring_view replacement) {
  if (word.empty()) return std::nullopt;
  std::size_t found = haystack.find(word);
  if (found == std::wstring_view::npos) return std::nullopt;
  std::wstring result;
  result.reserve(text.size());
  std::size_t copied = 0;
  do {
    result.append(text.substr(copied, found - copied)).append(replacement);
    copied = found + word.size();
    found = haystack.find(word, copied);
  } while (found != std::wstring_view::npos);
  result.append(text.substr(copied));
  return result;
}

void ReplaceInPlace(std::wstring& text, std::wstring_view haystack, std::wstring_view word,
                    std::wstring_view replacement) {
  if (auto replaced = ReplaceMatches(text, haystack, word, replacement))
    text = std::move(*replaced);
}

bool IsHighSurrogate(wchar_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(wchar_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A surrogate pair in the list is one character: blanking its halves one by
// one would also break every other character that shares a half with it.
std::size_t CharacterLength(std::wstring_view text, std::size_t at) {
  const bool pair =
      at + 1 < text.size() && IsHighSurrogate(text[at]) && IsLowSurrogate(text[at + 1]);
  return pair ? 2 : 1;
}

void BlankIgnoredCharacters(std::wstring& text, std::wstring_view ignored) {
  for (std::size_t at = 0; at < ignored.size();) {
    const std::wstring_view character = ignored.substr(at, CharacterLength(ignored, at));
    if (character.size() == 1) {
      // One code unit for one code unit: done in place, without a copy.
      std::replace(text.begin(), text.end(), character[0], kSpace);
    } else {
      ReplaceInPlace(text, text, character, std::wstring_view(&kSpace, 1));
    }
    at += character.size();
  }
}

void ApplyCorrection(std::wstring& text, const PronunciationCorrection& row) {
  if (row.caseSensitive == kCaseInsensitiveFlag) {
    // Lower-cased once for the whole row, not for every search step.
    const std::wstring lowerText = LowerAscii(text);
    ReplaceInPlace(text, lowerText, LowerAscii(row.word), row.pronunciation);
  } else {
    ReplaceInPlace(text, text, row.word, row.pronunciation);
  }
}

}  // namespace

std::wstring ReplaceAllOccurrences(std::wstring_view search, std::wstring_view replacement,
                                   std::wstring_view text) {
  if (auto replaced = ReplaceMatches(text, text, search, replacement)) return std::move(*replaced);
  return std::wstring(text);
}

std::wstring PrepareText(std::wstring text, const TextPreparationSettings& settings) {
  if (settings.ignoreCharacters) BlankIgnoredCharacters(text, settings.ignoredCharacters);
  if (settings.correctWords) {
    for (const PronunciationCorrection& row : settings.corrections) ApplyCorrection(text, row);
  }
  return text;
}
