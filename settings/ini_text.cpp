#include "settings/ini_text.h"

#include <algorithm>
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

// The blanks that the system's profile functions skip at both ends of a line.
template <typename Char>
bool IsProfileBlank(Char c) {
  return c == Char(' ') || c == Char('\t') || c == Char('\v') || c == Char('\f');
}

template <typename Char>
std::basic_string_view<Char> WithoutProfileBlanks(std::basic_string_view<Char> line) {
  while (!line.empty() && IsProfileBlank(line.front())) line.remove_prefix(1);
  while (!line.empty() && IsProfileBlank(line.back())) line.remove_suffix(1);
  return line;
}

// The header of the section: the name in square brackets, letter case
// ignored, with nothing else on its line but blanks.
template <typename Char>
bool IsHeaderOf(std::basic_string_view<Char> line, std::string_view section) {
  const auto lower = [](unsigned c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
  line = WithoutProfileBlanks(line);
  return line.size() == section.size() + 2 && line.front() == Char('[') &&
         line.back() == Char(']') &&
         std::equal(section.begin(), section.end(), line.begin() + 1, [&](char name, Char c) {
           return lower(static_cast<unsigned>(c)) == lower(static_cast<unsigned char>(name));
         });
}

// Where the system's profile functions see a section begin: a line whose
// first character after any blanks opens a bracket that a later one closes.
// A section ends there and nowhere else, or removing one would take the next
// with it.
template <typename Char>
bool StartsSection(std::basic_string_view<Char> line) {
  line = WithoutProfileBlanks(line);
  return !line.empty() && line.front() == IniChars<Char>::kOpenBracket &&
         line.find(IniChars<Char>::kCloseBracket) != std::basic_string_view<Char>::npos;
}

template <typename Char>
using Lines = std::vector<std::basic_string<Char>>;

template <typename Char>
Lines<Char> LinesOf(std::basic_string_view<Char> text) {
  Lines<Char> lines;
  for (std::basic_string_view<Char> line : SplitLines(text)) lines.emplace_back(line);
  return lines;
}

template <typename Char>
std::basic_string<Char> JoinLines(const Lines<Char>& lines) {
  std::basic_string<Char> text;
  for (const auto& line : lines) text.append(line).append(IniChars<Char>::kLineEnd);
  return text;
}

template <typename Char>
typename Lines<Char>::iterator FindHeader(Lines<Char>& lines, std::string_view section) {
  return std::find_if(lines.begin(), lines.end(), [&](const std::basic_string<Char>& line) {
    return IsHeaderOf(std::basic_string_view<Char>(line), section);
  });
}

template <typename Char>
std::optional<std::basic_string<Char>> WithoutSection(std::basic_string_view<Char> text,
                                                      std::string_view section) {
  Lines<Char> lines = LinesOf(text);
  const auto header = FindHeader(lines, section);
  if (header == lines.end()) return std::nullopt;
  const auto next = std::find_if(header + 1, lines.end(), [](const std::basic_string<Char>& line) {
    return StartsSection(std::basic_string_view<Char>(line));
  });
  lines.erase(header, next);
  return JoinLines(lines);
}

template <typename Char>
std::optional<std::basic_string<Char>> WithSectionRenamed(std::basic_string_view<Char> text,
                                                          std::string_view from,
                                                          std::string_view to) {
  Lines<Char> lines = LinesOf(text);
  const auto header = FindHeader(lines, from);
  if (header == lines.end()) return std::nullopt;
  *header = std::basic_string<Char>(1, Char('['));
  header->append(to.begin(), to.end()).push_back(Char(']'));
  return JoinLines(lines);
}

}  // namespace

std::u16string Utf16FromLittleEndian(std::string_view bytes) {
  std::u16string text(bytes.size() / 2, u'\0');
  for (size_t i = 0; i < text.size(); ++i) {
    const auto low = static_cast<unsigned char>(bytes[2 * i]);
    const auto high = static_cast<unsigned char>(bytes[2 * i + 1]);
    text[i] = static_cast<char16_t>(low | high << 8);
  }
  return text;
}

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

namespace {

// Runs an edit of the text, given as a view of either character type, on the
// file's contents in the file's own encoding.
template <typename Edit>
std::optional<std::string> EditIniText(std::string_view contents, const Edit& edit) {
  if (!IsUtf16IniText(contents)) return edit(contents);
  const std::u16string text = Utf16FromLittleEndian(contents.substr(kUtf16ByteOrderMark.size()));
  const std::optional<std::u16string> edited = edit(std::u16string_view(text));
  if (!edited) return std::nullopt;
  return Utf16IniContents(*edited);
}

}  // namespace

std::string TidyIniText(std::string_view contents) {
  return *EditIniText(contents, [](auto text) { return std::optional(TidyLines(text)); });
}

std::optional<std::string> RemoveIniSection(std::string_view contents, std::string_view section) {
  return EditIniText(contents, [&](auto text) { return WithoutSection(text, section); });
}

std::optional<std::string> RenameIniSection(std::string_view contents, std::string_view from,
                                            std::string_view to) {
  return EditIniText(contents, [&](auto text) { return WithSectionRenamed(text, from, to); });
}

bool HoldsIniSection(std::string_view contents) {
  const auto holds = [](auto text) {
    for (auto line : SplitLines(text)) {
      if (StartsSection(line)) return true;
    }
    return false;
  };
  if (!IsUtf16IniText(contents)) return holds(contents);
  const std::u16string text = Utf16FromLittleEndian(contents.substr(kUtf16ByteOrderMark.size()));
  return holds(std::u16string_view(text));
}
