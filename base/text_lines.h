#pragma once
// Splitting a text into its lines, for any character type: the settings
// files are split as ANSI or UTF-16 text, a SAPI 4 engine's text as ANSI.
// Portable.

#include <string_view>
#include <vector>

// The lines of the text, split at CR LF, CR or LF, with no empty line after a
// final line break: an empty text has no lines at all. The views point into
// the text.
template <typename Char>
std::vector<std::basic_string_view<Char>> SplitLines(std::basic_string_view<Char> text) {
  static constexpr Char kLineEnds[] = {Char('\r'), Char('\n'), Char()};
  static constexpr Char kCrLf[] = {Char('\r'), Char('\n')};
  const std::basic_string_view<Char> crLf(kCrLf, 2);
  std::vector<std::basic_string_view<Char>> lines;
  size_t start = 0;
  while (start < text.size()) {
    const size_t end = text.find_first_of(kLineEnds, start);
    if (end == std::basic_string_view<Char>::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.substr(end, 2) == crLf ? 2 : 1);
  }
  return lines;
}
