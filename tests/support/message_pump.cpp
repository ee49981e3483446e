#include "tests/support/message_pump.h"

#include <windows.h>

#include <algorithm>
#include <thread>

#include "tests/support/window_class.h"

namespace {

constexpr wchar_t kQuietMarkerClass[] = L"TestQuietMarker";
constexpr UINT_PTR kQuietTimer = 1;

// Sets the flag its window carries when its timer's message arrives.
LRESULT CALLBACK QuietMarkerProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  if (message != WM_TIMER) return DefWindowProcW(window, message, wParam, lParam);
  *reinterpret_cast<bool*>(GetWindowLongPtrW(window, GWLP_USERDATA)) = true;
  return 0;
}

}  // namespace

void PumpMessages() {
  MSG message;
  while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&message);
    DispatchMessageW(&message);
  }
}

bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
               const std::function<void()>& pump) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  for (;;) {
    pump();
    if (condition()) return true;
    const auto left = deadline - std::chrono::steady_clock::now();
    if (left <= 0s) return false;
    const auto wait = std::chrono::duration_cast<std::chrono::milliseconds>(left).count();
    MsgWaitForMultipleObjects(0, nullptr, FALSE, static_cast<DWORD>(std::min<long long>(wait, 50)),
                              QS_ALLINPUT);
  }
}

// A timer's message comes only when no posted message waits, so an elapsed
// timer tells that the queue has run dry, also of what the handled messages
// posted in turn.
bool PumpUntilPostedHandled(const std::function<void()>& pump) {
  RegisterWindowClass(kQuietMarkerClass, QuietMarkerProc);
  HWND marker = CreateWindowExW(0, kQuietMarkerClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                GetModuleHandleW(nullptr), nullptr);
  bool quiet = false;
  SetWindowLongPtrW(marker, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&quiet));
  SetTimer(marker, kQuietTimer, 0, nullptr);
  const bool inTime = PumpUntil([&] { return quiet; }, 5s, pump);
  DestroyWindow(marker);
  return inTime;
}

bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout) {
  const auto deadline = std::chrono::steady_clock::now() + timeout;
  while (!condition()) {
    if (std::chrono::steady_clock::now() >= deadline) return false;
    std::this_thread::sleep_for(20ms);
  }
  return true;
}
