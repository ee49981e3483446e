#include "settings/tidy_ini_text.h"

#include <vector>

namespace {

constexpr std::string_view kLineEnd = "\r\n";
constexpr std::string_view kSeparator = "\r";

// A line ends at CR, at LF or at CR LF.
std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find_first_of("\r\n", start);
    if (end == std::string_view::npos) {
      lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + (text.compare(end, 2, kLineEnd) == 0 ? 2 : 1);
  }
  return lines;
}

bool IsBlankLine(std::string_view line) { return line.empty() || line == " "; }

bool IsSectionHeader(std::string_view line) {
  return line.find('[') != std::string_view::npos && line.find(']') != std::string_view::npos;
}

}  // namespace

std::string TidyIniText(std::string_view text) {
  std::string tidy;
  bool first = true;
  for (std::string_view line : SplitLines(text)) {
    if (IsBlankLine(line)) continue;
    if (IsSectionHeader(line) && !first) tidy.append(kSeparator).append(kLineEnd);
    tidy.append(line).append(kLineEnd);
    first = false;
  }
  return tidy;
}
