#include "ui/tray_presenter.h"

#include <utility>

#include "base/dpi.h"
#include "reading/reading_rules.h"
#include "ui/ui_resources.h"

namespace {

constexpr wchar_t kTrayHint[] = L"Tolvane!";
// The tray's two timers on the owner window: the animation, and the icon's
// retries of an add the notification area refused.
constexpr UINT_PTR kAnimationTimer = 2;
constexpr UINT_PTR kIconAddRetryTimer = 3;
constexpr UINT kAnimationMilliseconds = 500;
// The animation frames that show a picture of their own.
constexpr int kFirstWaveFrame = 3;
constexpr int kSecondWaveFrame = 4;
constexpr int kIdleFrame = 5;

}  // namespace

TTrayPresenter::TTrayPresenter(HWND window, HINSTANCE instance, const TrayIconIds& icons,
                               std::vector<TrayCommand> commands,
                               std::function<void()> processMessages)
    : window_(window),
      taskbarCreatedMessage_(RegisterWindowMessageW(L"TaskbarCreated")),
      idleIcon_(LoadIconOfSize(instance, icons.idle, ScaleForWindow(window, kSmallIconSize))),
      firstWaveIcon_(
          LoadIconOfSize(instance, icons.firstWave, ScaleForWindow(window, kSmallIconSize))),
      secondWaveIcon_(
          LoadIconOfSize(instance, icons.secondWave, ScaleForWindow(window, kSmallIconSize))),
      icon_(window, TRAY_ICON_MESSAGE, kIconAddRetryTimer),
      menu_(window, idleIcon_.get(), std::move(commands), std::move(processMessages)) {
  icon_.SetHint(kTrayHint);
  icon_.SetIcon(idleIcon_.get());
}

TTrayPresenter::~TTrayPresenter() { SetAnimation(false); }

bool TTrayPresenter::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) {
  if (message == taskbarCreatedMessage_) {
    icon_.TaskbarCreated();
    // Other windows may want to hear of it too.
    return false;
  }
  switch (message) {
    case TRAY_ICON_MESSAGE:
      HandleIconEvent(icon_.Event(wParam, lParam));
      return true;
    case WM_COMMAND:
      return menu_.Run(LOWORD(wParam));
    case WM_MEASUREITEM:
    case WM_DRAWITEM:
      result = HandleOwnerDraw(message, lParam);
      return result != FALSE;
    case WM_TIMER:
      if (wParam != kAnimationTimer) return icon_.HandleTimer(wParam);
      AdvanceAnimation();
      return true;
    default:
      return false;
  }
}

// The icon answers the keyboard as the system's own do: Enter or Space on it
// opens the options window, and Shift+F10 or the menu key its menu. With the
// mouse a double click opens the window; the single click's NIN_SELECT does
// nothing, as a single click always has.
void TTrayPresenter::HandleIconEvent(const TrayIconEvent& event) {
  const bool clickSelect = event.message == NIN_SELECT && lastIconMessage_ == WM_LBUTTONUP;
  lastIconMessage_ = event.message;
  switch (event.message) {
    case WM_CONTEXTMENU:
      menu_.Popup(event.anchor);
      break;
    case NIN_SELECT:
    case NIN_KEYSELECT:
    case WM_LBUTTONDBLCLK:
      // The menu's default item, "Options...".
      if (!clickSelect) menu_.Run(menu_.DefaultCommand());
      break;
    default:
      break;
  }
}

bool TTrayPresenter::HandleOwnerDraw(UINT message, LPARAM lParam) {
  if (message == WM_MEASUREITEM) {
    return menu_.MeasureItem(*reinterpret_cast<MEASUREITEMSTRUCT*>(lParam));
  }
  return menu_.DrawItem(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
}

std::wstring TTrayPresenter::PauseCaption() const { return menu_.Caption(IDM_TRAY_PAUSE_RESUME); }

// The menu offers what the pause hot key would do next: "Resume" only while
// a reading is paused.
void TTrayPresenter::ReadingStateChanged(ReadingState state) {
  SetAnimation(state == ReadingState::Reading);
  if (state != ReadingState::Reading) Show(TrayPicture::Idle);
  menu_.SetCaption(IDM_TRAY_PAUSE_RESUME,
                   state == ReadingState::Paused ? kResumeCaption : kPauseCaption);
}

void TTrayPresenter::ReadingFailed() { MessageBeep(MB_ICONEXCLAMATION); }

void TTrayPresenter::Show(TrayPicture picture) {
  picture_ = picture;
  switch (picture) {
    case TrayPicture::Idle:
      icon_.SetIcon(idleIcon_.get());
      break;
    case TrayPicture::FirstWave:
      icon_.SetIcon(firstWaveIcon_.get());
      break;
    case TrayPicture::SecondWave:
      icon_.SetIcon(secondWaveIcon_.get());
      break;
  }
}

// Setting the timer again would restart its countdown: a reading reported
// again while the animation runs (the next stream, a resume) leaves it alone.
void TTrayPresenter::SetAnimation(bool running) {
  if (running == animationRunning_) return;
  animationRunning_ = running;
  if (running) {
    SetTimer(window_, kAnimationTimer, kAnimationMilliseconds, nullptr);
  } else {
    KillTimer(window_, kAnimationTimer);
  }
}

void TTrayPresenter::AdvanceAnimation() {
  animationFrame_ = NextTrayAnimationFrame(animationFrame_);
  if (animationFrame_ == kFirstWaveFrame) Show(TrayPicture::FirstWave);
  if (animationFrame_ == kSecondWaveFrame) Show(TrayPicture::SecondWave);
  if (animationFrame_ == kIdleFrame) Show(TrayPicture::Idle);
}
