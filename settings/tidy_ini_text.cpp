#include "settings/tidy_ini_text.h"

#include <vector>

#include "base/text_lines.h"

namespace {

constexpr std::string_view kUtf16ByteOrderMark = "\xFF\xFE";

// The layout's rules look only at line breaks, blanks and brackets, so they
// are the same for single-byte and UTF-16 text.
template <typename Char>
struct IniChars {
  using View = std::basic_string_view<Char>;
  static constexpr Char kLineBreaks[] = {Char('\r'), Char('\n')};
  static constexpr View kLineEnd{kLineBreaks, 2};
  static constexpr View kSeparator{kLineBreaks, 1};
  static constexpr Char kBlank = Char(' ');
  static constexpr Char kOpenBracket = Char('[');
  static constexpr Char kCloseBracket = Char(']');
};

template <typename Char>
bool IsBlankLine(std::basic_string_view<Char> line) {
  return line.empty() || (line.size() == 1 && line[0] == IniChars<Char>::kBlank);
}

template <typename Char>
bool IsSectionHeader(std::basic_string_view<Char> line) {
  using C = IniChars<Char>;
  return line.find(C::kOpenBracket) != C::View::npos &&
         line.find(C::kCloseBracket) != C::View::npos;
}

template <typename Char>
std::basic_string<Char> TidyLines(std::basic_string_view<Char> text) {
  using C = IniChars<Char>;
  std::basic_string<Char> tidy;
  bool first = true;
  for (std::basic_string_view<Char> line : SplitLines(text)) {
    if (IsBlankLine(line)) continue;
    if (IsSectionHeader(line) && !first) tidy.append(C::kSeparator).append(C::kLineEnd);
    tidy.append(line).append(C::kLineEnd);
    first = false;
  }
  return tidy;
}

// An odd last byte is no character and goes.
std::u16string Utf16FromLittleEndian(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto low = static_cast<unsigned char>(bytes[2 * i]);
    const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(low | high << 8);
  }
  return text;
}

}  // namespace

bool IsUtf16IniText(std::string_view contents) { return contents.starts_with(kUtf16ByteOrderMark); }

std::string Utf16IniContents(std::u16string_view text) {
  std::string contents(kUtf16ByteOrderMark);
  contents.reserve(contents.size() + 2 * text.size());
  for (char16_t c : text) {
    contents += static_cast<char>(c & 0xFF);
    contents += static_cast<char>(c >> 8);
  }
  return contents;
}

std::string TidyIniText(std::string_view contents) {
  if (!IsUtf16IniText(contents)) return TidyLines(contents);
  const std::u16string text = Utf16FromLittleEndian(contents.substr(kUtf16ByteOrderMark.size()));
  return Utf16IniContents(TidyLines(std::u16string_view(text)));
}
