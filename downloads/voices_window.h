#pragma once
// The engine download window "Additional voices...": twelve speech engines
// whose installers the user ticks, downloads into the program's Downloads
// folder and runs, one after another. Created hidden once at start-up and
// living until the end; closing it only hides it (and ends a transfer under
// way). The window never blocks: transfers run on a thread of their own and
// installers are waited for while messages run.

#include <windows.h>

#include <functional>
#include <string>

#include "ui/form.h"

// What the window asks of the window that owns it.
class VoicesWindowOwner {
 public:
  // Where the engines' installers are downloaded from: an address without a
  // trailing slash, to which each engine's path is appended.
  virtual std::wstring DownloadBaseAddress() const = 0;
  // "&Check for new engines": the maker's engine list page.
  virtual void OpenEngineListPage() = 0;
  // "Want to get high quality voices right now?"
  virtual void ShowMoreVoices() = 0;
  // "Exit now?" answered Yes: the program ends, so that the new engines are
  // listed at the next start.
  virtual void ExitProgram() = 0;

 protected:
  ~VoicesWindowOwner() = default;
};

class TfrmVoices : public TForm {
 public:
  // `downloadFolder` ends with a backslash; `agent` is the program file's
  // name; processMessages is the program's message pump. Shown centred on
  // `centreOn` (the main window).
  TfrmVoices(HINSTANCE instance, HWND owner, HWND centreOn, VoicesWindowOwner& requests,
             std::wstring downloadFolder, std::wstring agent,
             std::function<void()> processMessages);
  ~TfrmVoices() override;

  // The options window's "Get additional &voices..." and the tray's
  // "Additional voices...": shown modally, unless it is showing already (the
  // first run shows it modeless), in which case nothing happens.
  void ShowModalUnlessShowing();
};
