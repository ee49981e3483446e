#include "standins/sapi4/control_tags.h"

#include <algorithm>
#include <cctype>

std::vector<ControlTag> ParseControlTags(const std::string& text) {
  std::vector<ControlTag> tags;
  size_t open = text.find('\\');
  while (open != std::string::npos) {
    const size_t close = text.find('\\', open + 1);
    if (close == std::string::npos) break;
    const std::string tag = text.substr(open + 1, close - open - 1);
    const size_t equals = tag.find('=');
    if (equals != std::string::npos && equals + 1 < tag.size() &&
        std::all_of(tag.begin() + equals + 1, tag.end(), [](unsigned char c) { return std::isdigit(c); })) {
      std::string name = tag.substr(0, equals);
      std::transform(name.begin(), name.end(), name.begin(), [](unsigned char c) { return std::toupper(c); });
      tags.push_back({name, static_cast<DWORD>(std::stoull(tag.substr(equals + 1)))});
    }
    open = text.find('\\', close + 1);
  }
  return tags;
}
