#include "standins/sapi5/speech_markup.h"

// sapi.h needs the Windows types first.
#include <windows.h>

#include <sapi.h>

#include <cwchar>
#include <cwctype>
#include <utility>

namespace {

constexpr size_t kNone = std::wstring::npos;

bool IsXmlSpace(wchar_t c) { return c == L' ' || c == L'\t' || c == L'\r' || c == L'\n'; }

bool StartsXmlName(wchar_t c) { return std::iswalpha(c) || c == L'_' || c == L':'; }

bool IsXmlCharacter(unsigned long code) {
  return code == 0x9 || code == 0xA || code == 0xD || (code >= 0x20 && code <= 0xD7FF) ||
         (code >= 0xE000 && code <= 0xFFFD) || (code >= 0x10000 && code <= 0x10FFFF);
}

// The character a numeric reference's body ("#65", "#x41") stands for, or
// nothing when it names no character XML allows.
std::optional<char32_t> NumericReference(const std::wstring& body) {
  const bool hex = body.size() > 1 && body[1] == L'x';
  const std::wstring digits = body.substr(hex ? 2 : 1);
  const wchar_t* allowed = hex ? L"0123456789abcdefABCDEF" : L"0123456789";
  // Eight digits hold every character and cannot overflow the conversion.
  if (digits.empty() || digits.size() > 8 || digits.find_first_not_of(allowed) != kNone)
    return std::nullopt;
  const unsigned long code = std::wcstoul(digits.c_str(), nullptr, hex ? 16 : 10);
  if (!IsXmlCharacter(code)) return std::nullopt;
  return static_cast<char32_t>(code);
}

// The character a reference's body (between `&` and `;`) stands for: one of
// XML's five predefined entities or a numeric character reference.
std::optional<char32_t> ReferencedCharacter(const std::wstring& body) {
  static const std::pair<const wchar_t*, char32_t> kEntities[] = {
      {L"amp", U'&'}, {L"lt", U'<'}, {L"gt", U'>'}, {L"quot", U'"'}, {L"apos", U'\''}};
  for (const auto& [name, character] : kEntities) {
    if (body == name) return character;
  }
  if (body.rfind(L'#', 0) == 0) return NumericReference(body);
  return std::nullopt;
}

std::wstring Utf16(char32_t character) {
  if (character < 0x10000) return std::wstring(1, static_cast<wchar_t>(character));
  const char32_t above = character - 0x10000;
  return {static_cast<wchar_t>(0xD800 + (above >> 10)),
          static_cast<wchar_t>(0xDC00 + (above & 0x3FF))};
}

// One past the end of the tag whose `<` stands at `open`, or kNone when that
// `<` starts no complete tag. A `>` inside a quoted attribute value does not
// end the tag; a comment ends only at `-->`.
size_t TagEnd(const std::wstring& text, size_t open) {
  const wchar_t first = open + 1 < text.size() ? text[open + 1] : L'\0';
  if (!StartsXmlName(first) && first != L'/' && first != L'!' && first != L'?') return kNone;
  if (text.compare(open, 4, L"<!--") == 0) {
    const size_t close = text.find(L"-->", open + 4);
    return close == kNone ? kNone : close + 3;
  }
  wchar_t quote = 0;
  for (size_t i = open + 1; i < text.size(); ++i) {
    const wchar_t c = text[i];
    if (quote != 0) {
      if (c == quote) quote = 0;
    } else if (c == L'"' || c == L'\'') {
      quote = c;
    } else if (c == L'>') {
      return i + 1;
    } else if (c == L'<') {
      return kNone;
    }
  }
  return kNone;
}

// Reads the given text once from the front, writing what is said and the
// words' source as it goes.
class MarkupReader {
 public:
  explicit MarkupReader(const std::wstring& given) : given_(given) { spoken_.wordSource = given; }

  std::optional<SpokenText> Read() {
    for (size_t at = 0; at < given_.size();) {
      const size_t next = ReadOne(at);
      if (next == kNone) return std::nullopt;
      at = next;
    }
    return std::move(spoken_);
  }

 private:
  // Reads the character, tag or reference at `at`; answers where the next
  // one starts, or kNone when the text is refused there.
  size_t ReadOne(size_t at) {
    if (given_[at] == L'<') return ReadTag(at);
    if (given_[at] == L'&') return ReadReference(at);
    spoken_.said += given_[at];
    return at + 1;
  }

  size_t ReadTag(size_t open) {
    const size_t end = TagEnd(given_, open);
    if (end == kNone) return kNone;
    const std::wstring tag = given_.substr(open, end - open);
    if (tag.rfind(L"<pitch middle=", 0) == 0) {
      const size_t digits = tag.find_first_of(L"-0123456789");
      if (digits != kNone) spoken_.pitchMiddle = std::wcstol(tag.c_str() + digits, nullptr, 10);
    }
    Blank(open, end);
    return end;
  }

  size_t ReadReference(size_t ampersand) {
    const size_t semicolon = given_.find(L';', ampersand);
    if (semicolon == kNone) return kNone;
    const std::optional<char32_t> character =
        ReferencedCharacter(given_.substr(ampersand + 1, semicolon - ampersand - 1));
    if (!character) return kNone;
    spoken_.said += Utf16(*character);
    // A referenced space parts words as a typed one does.
    if (*character <= 0xFFFF && IsXmlSpace(static_cast<wchar_t>(*character)))
      Blank(ampersand, semicolon + 1);
    return semicolon + 1;
  }

  void Blank(size_t begin, size_t end) {
    spoken_.wordSource.replace(begin, end - begin, end - begin, L' ');
  }

  const std::wstring& given_;
  SpokenText spoken_;
};

}  // namespace

bool ParsesAsMarkup(const std::wstring& text, long speakFlags) {
  if (speakFlags & SVSFIsNotXML) return false;
  if (speakFlags & SVSFIsXML) return true;
  for (wchar_t c : text) {
    if (!IsXmlSpace(c)) return c == L'<';
  }
  return false;
}

std::optional<SpokenText> SpokenTextOf(const std::wstring& given, bool parseMarkup) {
  if (!parseMarkup) return SpokenText{given, given};
  return MarkupReader(given).Read();
}
