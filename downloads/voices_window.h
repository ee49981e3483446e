#pragma once
// The engine download window "Additional voices...": twelve speech engines
// whose installers the user ticks, downloads into the program's Downloads
// folder and runs, one after another. Created hidden once at start-up and
// living until the end; closing it only hides it (and ends a transfer under
// way). The window never blocks: transfers run on a thread of their own and
// installers are waited for while messages run.

#include <windows.h>

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "base/gdi.h"
#include "downloads/engine_table.h"
#include "downloads/http_transfer.h"
#include "ui/form.h"

// A download on a thread of its own, reporting to the window by posted messages.
class BackgroundTransfer;

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
  // first run shows it modeless), in which case it comes to the front.
  void ShowModalUnlessShowing();

 private:
  // One press of "&Download and install", from its first row to its question.
  struct DownloadRun {
    int row = -1;  // the row being downloaded or installed
    int installed = 0;
    bool cancelled = false;  // the window was closed: no further row, no question
  };

  void OnInit() override;
  void LayOutForDpi() override;
  bool HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT& result) override;
  void OnCloseRequest() override;
  bool OnCommand(int id);

  void SetStatusFont();
  void Showing();
  void CheckFiles();
  // A download run or a reinstalling installer is under way.
  bool Busy() const;
  void UpdateButtons();
  void EnableButton(int id, bool enabled);

  HWND Item(int id) const;
  HWND List() const;
  std::optional<int> SelectedRow() const;
  // Ticked and not installed.
  bool AwaitsDownload(int row) const;
  // The row's size, or "Installed" once its installer has been found.
  void ShowSize(int row);
  std::wstring LocalFile(int row) const;

  void OnDownloadAndInstall();
  void OnReinstall();
  void DownloadFrom(int firstRow);
  void ShowProgress(std::uint64_t received, std::uint64_t total);
  void ShowTransferProgress();
  void TransferEnded(TransferResult result);
  void InstallDownloaded(int row);
  enum class Installation { Completed, NotCompleted, ProgramEnding };
  // Runs the row's installer.
  Installation Install(int row);
  void FinishRun();
  // Ends a download run or installer under way: the buttons come back.
  void Idle();
  // Runs a step of a download run or installer; a failure in it ends that,
  // so that the buttons come back.
  void IdleOnFailure(const std::function<void()>& step);

  HWND centreOn_;
  VoicesWindowOwner& requests_;
  std::wstring downloadFolder_;
  std::wstring agent_;
  std::function<void()> processMessages_;
  OwnedFont statusFont_;
  // Row by row as the engine table lists them: whether the engine's
  // installer has been found in the download folder. The list shows it; of
  // its own the list keeps only the ticks, which the user sets.
  std::array<bool, kEngineTable.size()> installed_{};
  std::optional<DownloadRun> run_;
  bool reinstalling_ = false;
  // Present while a download runs. Members go before the window does, so the
  // transfer stops reporting while the window it reports to still exists.
  std::unique_ptr<BackgroundTransfer> transfer_;
};
