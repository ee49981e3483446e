#include "settings/words_file.h"

#include <type_traits>

#include "base/text_lines.h"
#include "settings/ini_text.h"

namespace {

constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";
constexpr std::wstring_view kLineEnd = L"\r\n";
// What a missing separator takes away: the first p + 8 characters go, p being
// the separator's position counted from 1, or 0 when there is none.
constexpr std::size_t kMissingSeparatorCut = 8;
constexpr std::wstring_view kNotCaseSensitive = L"No";

void AppendUtf8(std::string& bytes, char32_t c) {
  if (c < 0x80) {
    bytes += static_cast<char>(c);
  } else if (c < 0x800) {
    bytes += static_cast<char>(0xC0 | (c >> 6));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else if (c < 0x10000) {
    bytes += static_cast<char>(0xE0 | (c >> 12));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  } else {
    bytes += static_cast<char>(0xF0 | (c >> 18));
    bytes += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
    bytes += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
    bytes += static_cast<char>(0x80 | (c & 0x3F));
  }
}

bool IsHighSurrogate(char32_t c) { return c >= 0xD800 && c <= 0xDBFF; }
bool IsLowSurrogate(char32_t c) { return c >= 0xDC00 && c <= 0xDFFF; }

// A lone surrogate is written as it stands (three bytes), so that whatever
// the table held comes back.
char32_t CodeOf(wchar_t c) { return static_cast<std::make_unsigned_t<wchar_t>>(c); }

std::string Utf8FromWide(std::wstring_view text) {
  std::string bytes;
  bytes.reserve(text.size());
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char32_t c = CodeOf(text[at]);
    const char32_t next = at + 1 < text.size() ? CodeOf(text[at + 1]) : 0;
    if (IsHighSurrogate(c) && IsLowSurrogate(next)) {
      AppendUtf8(bytes, 0x10000 + ((c - 0xD800) << 10) + (next - 0xDC00));
      ++at;
    } else {
      AppendUtf8(bytes, c);
    }
  }
  return bytes;
}

// Windows' wide characters are UTF-16; elsewhere (the native tests) a wide
// character holds any code point.
void AppendWide(std::wstring& text, char32_t c) {
  if (sizeof(wchar_t) > 2 || c < 0x10000) {
    text += static_cast<wchar_t>(c);
    return;
  }
  c -= 0x10000;
  text += static_cast<wchar_t>(0xD800 + (c >> 10));
  text += static_cast<wchar_t>(0xDC00 + (c & 0x3FF));
}

// A byte that starts no character, or a sequence cut short, reads as U+FFFD.
std::wstring WideFromUtf8(std::string_view bytes) {
  std::wstring text;
  text.reserve(bytes.size());
  for (std::size_t at = 0; at < bytes.size();) {
    const auto lead = static_cast<unsigned char>(bytes[at]);
    const std::size_t length = lead < 0x80    ? 1
                               : lead >= 0xF0 ? 4
                               : lead >= 0xE0 ? 3
                               : lead >= 0xC0 ? 2
                                              : 0;
    bool whole = length > 0 && at + length <= bytes.size();
    char32_t c = length == 1 ? lead : lead & (0x7F >> length);
    for (std::size_t i = 1; whole && i < length; ++i) {
      const auto next = static_cast<unsigned char>(bytes[at + i]);
      whole = (next & 0xC0) == 0x80;
      c = (c << 6) | (next & 0x3F);
    }
    if (!whole || c > 0x10FFFF) {
      text += L'\xFFFD';
      ++at;
      continue;
    }
    AppendWide(text, c);
    at += length;
  }
  return text;
}

std::wstring WideFromUtf16(std::string_view bytes) {
  const std::u16string units = Utf16FromLittleEndian(bytes);
  return std::wstring(units.begin(), units.end());
}

bool StartsWithByteOrderMark(std::string_view bytes) {
  return bytes.starts_with(kUtf8ByteOrderMark) || IsUtf16IniText(bytes);
}

std::wstring TextOf(std::string_view bytes, const AnsiCodePage& ansi) {
  if (bytes.starts_with(kUtf8ByteOrderMark))
    return WideFromUtf8(bytes.substr(kUtf8ByteOrderMark.size()));
  if (IsUtf16IniText(bytes)) return WideFromUtf16(bytes.substr(2));
  return ansi.decode(bytes);
}

// The field before the first separator; the rest loses everything up to the
// separator's end, or its first eight characters when there is none.
std::wstring TakeField(std::wstring_view& rest) {
  const std::size_t separator = rest.find(kWordSeparator);
  const std::size_t position = separator == std::wstring_view::npos ? 0 : separator + 1;
  const std::wstring field(rest.substr(0, position == 0 ? 0 : position - 1));
  rest.remove_prefix(std::min(rest.size(), position + kMissingSeparatorCut));
  return field;
}

// No file the program wrote lacks the second separator: a line that ends
// after the pronunciation was edited by hand, and its pronunciation is all
// that follows the word, matched without letter case as a new row is.
WordCorrection RowOf(std::wstring_view line) {
  WordCorrection row;
  const bool hasWord = line.find(kWordSeparator) != std::wstring_view::npos;
  row.word = TakeField(line);
  if (hasWord && line.find(kWordSeparator) == std::wstring_view::npos) {
    row.pronunciation = line;
    row.caseFlag = kNotCaseSensitive;
    return row;
  }
  row.pronunciation = TakeField(line);
  row.caseFlag = line;
  return row;
}

}  // namespace

bool CanStoreWordField(std::wstring_view field) {
  std::wstring written(field);
  written.append(kWordSeparator);
  return written.find(kWordSeparator) == field.size() &&
         field.find_first_of(L"\r\n") == std::wstring_view::npos;
}

std::string EncodeWords(const std::vector<WordCorrection>& rows, const AnsiCodePage& ansi) {
  std::wstring text;
  for (const WordCorrection& row : rows) {
    text.append(row.word).append(kWordSeparator).append(row.pronunciation);
    text.append(kWordSeparator).append(row.caseFlag).append(kLineEnd);
  }
  // Code page bytes that begin like a byte-order mark would be read as
  // another encoding: such a file is UTF-8 too.
  const std::optional<std::string> bytes = ansi.encode(text);
  if (bytes && !StartsWithByteOrderMark(*bytes)) return *bytes;
  return std::string(kUtf8ByteOrderMark) + Utf8FromWide(text);
}

std::vector<WordCorrection> DecodeWords(std::string_view bytes, const AnsiCodePage& ansi) {
  const std::wstring text = TextOf(bytes, ansi);
  std::vector<WordCorrection> rows;
  for (std::wstring_view line : SplitLines(std::wstring_view(text))) rows.push_back(RowOf(line));
  return rows;
}
