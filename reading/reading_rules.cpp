#include "reading/reading_rules.h"

namespace {

bool IsHighSurrogate(wchar_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }

constexpr int kFirstCycleFrame = 3;
constexpr int kLastCycleFrame = 5;

}  // namespace

std::wstring_view CutForReading(std::wstring_view text, std::size_t maxLength) {
  if (text.size() <= maxLength) return text;
  std::size_t length = maxLength;
  if (length > 0 && IsHighSurrogate(text[length - 1])) --length;
  return text.substr(0, length);
}

int NextTrayAnimationFrame(int frame) {
  return frame >= kLastCycleFrame ? kFirstCycleFrame : frame + 1;
}
