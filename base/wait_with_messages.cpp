#include "base/wait_with_messages.h"

#include <windows.h>

#include <algorithm>

namespace {

using namespace std::chrono_literals;

// How long one pause of a wait lasts at most; input ends it early.
constexpr auto kPause = 5ms;

}  // namespace

bool WaitWithMessages(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                      const std::function<void()>& processMessages) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    if (condition()) return true;
    const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
        deadline - std::chrono::steady_clock::now());
    if (left <= 0ms) return false;
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min(left, kPause).count()),
                              QS_ALLINPUT);
    if (processMessages) processMessages();
  }
}
