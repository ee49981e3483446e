#pragma once
// Small rules of the reading paths that need no Windows call.

#include <cstddef>
#include <string_view>

// No engine is handed more than this many characters of one selection.
inline constexpr std::size_t kMaxReadingLength = 51200;

// The first maxLength UTF-16 units of the text, one fewer when the cut would
// leave the first half of a surrogate pair without its second half.
std::wstring_view CutForReading(std::wstring_view text, std::size_t maxLength = kMaxReadingLength);

// The tray icon's animation frame after one more tick: 1, 2, 3, 4, 5, then
// 3, 4, 5 again. Frames 3, 4 and 5 show the two wave pictures and the idle
// icon; 1 and 2 occur only on the first two ticks of a run and show nothing new.
int NextTrayAnimationFrame(int frame);
