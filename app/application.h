#pragma once
// The application object: the hidden top-level window of class "TApplication"
// that identifies a running copy, the main form, minimising and restoring, and
// the message loop.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/message_boxes.h"

inline constexpr wchar_t kApplicationWindowClass[] = L"TApplication";

class TApplication {
 public:
  explicit TApplication(HINSTANCE instance);
  ~TApplication();
  TApplication(const TApplication&) = delete;
  TApplication& operator=(const TApplication&) = delete;

  HINSTANCE Instance() const { return instance_; }
  HWND Handle() const { return handle_; }

  // Whether another process already shows the application window of a running
  // copy, titled kProgramTitle. This process's own window never counts.
  bool AnotherCopyRuns() const;

  void SetTitle(const std::wstring& title);
  void SetIcon(HICON icon);

  void SetMainForm(HWND mainForm) { mainForm_ = mainForm; }
  HWND MainForm() const { return mainForm_; }

  // Minimising goes to the tray while the handler says it took care of it;
  // otherwise the main form is minimised to the taskbar.
  void SetMinimizeHandler(std::function<bool()> handler) { minimizeHandler_ = std::move(handler); }
  void Minimize();
  void Restore();

  // What a WM_CLOSE sent to the application window runs: this is how an
  // installer or uninstaller asks a running copy to end, as "Exit" does.
  void SetCloseHandler(std::function<void()> handler) { closeHandler_ = std::move(handler); }

  // The main form sees every key pressed in it before its controls do; the
  // key then goes on to the control unchanged unless the handler answers
  // that it used the key up.
  void SetKeyPreview(std::function<bool(WPARAM virtualKey)> handler) {
    keyPreview_ = std::move(handler);
  }

  // Asks the message loop to end; a request made before Run ends Run at once.
  void Terminate();
  bool Terminated() const { return terminated_; }
  int Run();
  // Handles the messages already waiting, then returns; a quit request among
  // them is kept for the loop in Run.
  void ProcessMessages();

  LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
  void Attach(HWND handle) { handle_ = handle; }

 private:
  void Dispatch(MSG& message);

  HINSTANCE instance_;
  HWND handle_ = nullptr;
  HWND mainForm_ = nullptr;
  std::function<bool()> minimizeHandler_;
  std::function<bool(WPARAM)> keyPreview_;
  std::function<void()> closeHandler_;
  bool terminated_ = false;
};
