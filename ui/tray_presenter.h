#pragma once
// The program in the notification area: the tray icon with its three
// pictures, the popup menu and the animation that runs while a voice reads.
// It shows the reading controller's state and runs the menu's commands, which
// its owner lists; the owner window routes the tray's messages here.

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

#include "base/gdi.h"
#include "reading/reading_controller.h"
#include "ui/tray_icon.h"
#include "ui/tray_menu.h"

// The icon resources: the program icon, which is also the icon at rest, and
// the animation's two wave pictures.
struct TrayIconIds {
  int idle;
  int firstWave;
  int secondWave;
};

// The picture the icon shows at the moment.
enum class TrayPicture { Idle, FirstWave, SecondWave };

class TTrayPresenter final : public ReadingFeedback {
 public:
  // The icon's notifications, the menu's drawing and commands and the
  // animation's timer arrive at `window`. The menu shows `commands` (see
  // TTrayMenu); processMessages is the program's message pump.
  TTrayPresenter(HWND window, HINSTANCE instance, const TrayIconIds& icons,
                 std::vector<TrayCommand> commands, std::function<void()> processMessages);
  ~TTrayPresenter();
  TTrayPresenter(const TTrayPresenter&) = delete;
  TTrayPresenter& operator=(const TTrayPresenter&) = delete;

  // The window's messages that are the tray's; answers whether `message` was
  // one, with its result in `result`.
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result);

  bool Visible() const { return icon_.Visible(); }
  void SetVisible(bool visible) { icon_.SetVisible(visible); }
  // On: minimising the application leaves only the tray icon.
  bool MinimizeToTray() const { return icon_.MinimizeToTray(); }
  void SetMinimizeToTray(bool on) { icon_.SetMinimizeToTray(on); }

  TrayPicture Picture() const { return picture_; }
  bool Animating() const { return animationRunning_; }
  std::wstring PauseCaption() const;

  // Reading: the icon animates and the menu offers "Pause"; paused: the icon
  // at rest and "Resume"; ended: the icon at rest.
  void ReadingStateChanged(ReadingState state) override;
  // A failed reading says so by the system's warning sound, never by a box.
  void ReadingFailed() override;
  void ShowNotice(const std::wstring& text) override { icon_.ShowBalloon(text); }

 private:
  void HandleIconEvent(const TrayIconEvent& event);
  bool HandleOwnerDraw(UINT message, LPARAM lParam);
  void Show(TrayPicture picture);
  void SetAnimation(bool running);
  void AdvanceAnimation();

  HWND window_;
  UINT taskbarCreatedMessage_;
  OwnedIcon idleIcon_;
  OwnedIcon firstWaveIcon_;
  OwnedIcon secondWaveIcon_;
  TTrayIcon icon_;
  TTrayMenu menu_;
  TrayPicture picture_ = TrayPicture::Idle;
  bool animationRunning_ = false;
  int animationFrame_ = 0;
  // The icon's last notification: a click's NIN_SELECT follows its button going up.
  UINT lastIconMessage_ = 0;
};
