#include "downloads/voices_window.h"

#include <commctrl.h>

#include <algorithm>
#include <atomic>
#include <iterator>
#include <memory>
#include <mutex>
#include <thread>
#include <utility>
#include <vector>

#include "downloads/downloads_resources.h"
#include "downloads/engine_table.h"
#include "downloads/megabytes_text.h"
#include "downloads/megabytes_text_system.h"
#include "downloads/run_and_wait.h"
#include "ui/list_view.h"
#include "ui/message_boxes.h"

namespace {

constexpr wchar_t kInstalledText[] = L"Installed";
constexpr wchar_t kDownloadErrorText[] =
    L"Download error. Please, check internet connection and try again.";
// Says which engine, since the installers of a run follow one another.
std::wstring NotCompletedText(int row) {
  return std::wstring(L"The installation of ") + kEngineTable[row].voices +
         L" did not complete. The engine stays ticked, so that you can try again.";
}
constexpr wchar_t kRestartQuestion[] =
    L"Selected voices were successfully downloaded and installed. Please, restart program to use "
    L"new voices. Exit now?";

enum EngineColumn { kVoicesColumn, kSizeColumn };
constexpr ListColumn kColumns[] = {{L"Voices", 130, false}, {L"Size", 70, true}};
constexpr int kEngineCount = static_cast<int>(kEngineTable.size());

// A shorter file is no installer: an error page or the rest of a broken
// download.
constexpr std::uint64_t kSmallestInstaller = 128;

// What the transfer's thread posts to the window: that there is new progress
// to show, and the transfer's end with its TransferResult in wParam.
constexpr UINT kTransferProgressMessage = WM_APP + 1;
constexpr UINT kTransferEndedMessage = WM_APP + 2;

bool InstallerPresent(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA file{};
  if (!GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &file)) return false;
  if ((file.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) return false;
  const std::uint64_t size = (std::uint64_t{file.nFileSizeHigh} << 32) | file.nFileSizeLow;
  return size >= kSmallestInstaller;
}

bool FolderReady(const std::wstring& folder) {
  if (CreateDirectoryW(folder.c_str(), nullptr)) return true;
  const DWORD attributes = GetFileAttributesW(folder.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

// The separators are read at every update, so that the status follows a
// change of the user's settings as everything else on the screen does.
std::wstring StatusText(std::uint64_t received, std::uint64_t total) {
  const NumberSeparators separators = UserNumberSeparators();
  return MegabytesText(received, separators) + L" MB of " + MegabytesText(total, separators) +
         L" MB completed";
}

int ProgressPercent(std::uint64_t received, std::uint64_t total) {
  if (total == 0) return 0;
  return static_cast<int>(std::min<std::uint64_t>(received * 100 / total, 100));
}

OwnedFont BoldFontLike(HFONT font) {
  LOGFONTW bold{};
  GetObjectW(font, sizeof bold, &bold);
  bold.lfWeight = FW_BOLD;
  return MakeFont(bold);
}

}  // namespace

// A transfer on a thread of its own, reporting to the window until it is
// cancelled. A cancelled transfer is let go of: it ends by itself (while a
// server sends nothing, at the stall time), removing what it wrote, and
// neither the window nor the program's exit waits for it.
class BackgroundTransfer {
 public:
  struct Progress {
    std::uint64_t received = 0;
    std::uint64_t total = 0;
  };

  BackgroundTransfer(HWND window, TransferRequest request)
      : shared_(std::make_shared<Shared>(window)) {
    std::thread([shared = shared_, request = std::move(request)] {
      Run(*shared, request);
    }).detach();
  }
  ~BackgroundTransfer() { Cancel(); }
  BackgroundTransfer(const BackgroundTransfer&) = delete;
  BackgroundTransfer& operator=(const BackgroundTransfer&) = delete;

  // Nothing more reaches the window.
  void Cancel() {
    std::lock_guard lock(shared_->mutex);
    shared_->window = nullptr;
    shared_->cancelled = true;
  }

  // The latest progress. Until it is taken, further progress only updates it:
  // a fast line reports a block every few microseconds, and the window
  // needs no more than the newest of them.
  Progress TakeProgress() {
    std::lock_guard lock(shared_->mutex);
    shared_->progressPosted = false;
    return shared_->latest;
  }

 private:
  // What the thread and the window share, kept alive by whichever ends last.
  struct Shared {
    explicit Shared(HWND reportTo) : window(reportTo) {}
    std::mutex mutex;
    HWND window;  // none once cancelled
    std::atomic<bool> cancelled{false};
    Progress latest;
    bool progressPosted = false;
  };

  static void Run(Shared& shared, const TransferRequest& request) {
    TransferResult result = TransferResult::Failed;
    try {
      result = GetInetFile(
          request,
          [&shared](std::uint64_t received, std::uint64_t total) {
            Report(shared, received, total);
          },
          shared.cancelled);
    } catch (...) {
      // Nothing may leave the thread; the window hears of a failed transfer.
    }
    std::lock_guard lock(shared.mutex);
    if (shared.window != nullptr) {
      PostMessageW(shared.window, kTransferEndedMessage, static_cast<WPARAM>(result), 0);
    }
  }

  static void Report(Shared& shared, std::uint64_t received, std::uint64_t total) {
    std::lock_guard lock(shared.mutex);
    shared.latest = {received, total};
    if (shared.progressPosted || shared.window == nullptr) return;
    shared.progressPosted = PostMessageW(shared.window, kTransferProgressMessage, 0, 0) != FALSE;
  }

  std::shared_ptr<Shared> shared_;
};

TfrmVoices::TfrmVoices(HINSTANCE instance, HWND owner, HWND centreOn, VoicesWindowOwner& requests,
                       std::wstring downloadFolder, std::wstring agent,
                       std::function<void()> processMessages)
    : TForm(instance, owner, IDD_VOICES),
      centreOn_(centreOn),
      requests_(requests),
      downloadFolder_(std::move(downloadFolder)),
      agent_(std::move(agent)),
      processMessages_(std::move(processMessages)) {
  Create();
}

TfrmVoices::~TfrmVoices() = default;

// A window showing already, perhaps behind others, comes to the front.
void TfrmVoices::ShowModalUnlessShowing() {
  if (Visible()) return Show();
  ShowModal();
}

HWND TfrmVoices::Item(int id) const { return GetDlgItem(Handle(), id); }

HWND TfrmVoices::List() const { return Item(IDC_ENGINES_LIST); }

void TfrmVoices::OnInit() {
  SetUpReportList(List(), kColumns);
  ListView_SetExtendedListViewStyleEx(List(), LVS_EX_CHECKBOXES, LVS_EX_CHECKBOXES);
  for (int row = 0; row < kEngineCount; ++row) {
    const EngineRow& engine = kEngineTable[row];
    LVITEMW item{};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.pszText = const_cast<wchar_t*>(engine.voices);
    ListView_InsertItem(List(), &item);
    ShowSize(row);
  }
  SendDlgItemMessageW(Handle(), IDC_DOWNLOAD_PROGRESS, PBM_SETRANGE32, 0, 100);
  SetStatusFont();
}

// The status is the text above it made bold. It takes the new font before
// the old one is deleted.
void TfrmVoices::SetStatusFont() {
  OwnedFont font = BoldFontLike(reinterpret_cast<HFONT>(
      SendDlgItemMessageW(Handle(), IDC_VOICES_INTRODUCTION, WM_GETFONT, 0, 0)));
  SendDlgItemMessageW(Handle(), IDC_DOWNLOAD_STATUS, WM_SETFONT,
                      reinterpret_cast<WPARAM>(font.get()), TRUE);
  statusFont_ = std::move(font);
}

void TfrmVoices::LayOutForDpi() {
  SetReportListDpi(List(), kColumns, Dpi());
  SetStatusFont();
}

// Installers may have arrived since the last show, by this window or another
// way; a marker once shown stays.
void TfrmVoices::Showing() {
  CheckFiles();
  UpdateButtons();
  CentreWindowOn(Handle(), centreOn_);
}

void TfrmVoices::CheckFiles() {
  for (int row = 0; row < kEngineCount; ++row) {
    if (!installed_[row] && InstallerPresent(LocalFile(row))) {
      installed_[row] = true;
      ShowSize(row);
    }
  }
}

void TfrmVoices::ShowSize(int row) {
  const wchar_t* text = installed_[row] ? kInstalledText : kEngineTable[row].size;
  ListView_SetItemText(List(), row, kSizeColumn, const_cast<wchar_t*>(text));
}

std::wstring TfrmVoices::LocalFile(int row) const {
  return downloadFolder_ + kEngineTable[row].fileName;
}

std::optional<int> TfrmVoices::SelectedRow() const {
  const std::vector<int> rows = SelectedRows(List());
  if (rows.empty()) return std::nullopt;
  return rows.front();
}

bool TfrmVoices::AwaitsDownload(int row) const {
  return ListView_GetCheckState(List(), row) && !installed_[row];
}

bool TfrmVoices::Busy() const { return run_ || reinstalling_; }

// One download run or installer at a time: while one is under way neither
// button can start another.
void TfrmVoices::UpdateButtons() {
  EnableButton(IDC_DOWNLOAD_BUTTON, !Busy());
  const std::optional<int> row = SelectedRow();
  EnableButton(IDC_REINSTALL_BUTTON, !Busy() && row && installed_[*row]);
}

// A button that loses its use while it has the focus hands the focus to the
// list, so that the keyboard still reaches the window.
void TfrmVoices::EnableButton(int id, bool enabled) {
  HWND button = Item(id);
  if (!enabled && GetFocus() == button) {
    SendMessageW(Handle(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(List()), TRUE);
  }
  EnableWindow(button, enabled);
}

void TfrmVoices::OnReinstall() {
  const std::optional<int> row = SelectedRow();
  if (Busy() || !row || !installed_[*row]) return;
  reinstalling_ = true;
  UpdateButtons();
  IdleOnFailure([&] { Install(*row); });
  Idle();
}

void TfrmVoices::OnDownloadAndInstall() {
  if (Busy()) return;
  run_ = DownloadRun{};
  UpdateButtons();
  IdleOnFailure([this] { DownloadFrom(0); });
}

void TfrmVoices::IdleOnFailure(const std::function<void()>& step) {
  try {
    step();
  } catch (...) {
    Idle();
    throw;
  }
}

// Rows go strictly one after another: the next transfer starts once the
// previous installer has ended. A ticked row that shows "Installed" is
// skipped and stays ticked.
void TfrmVoices::DownloadFrom(int firstRow) {
  int row = firstRow;
  while (row < kEngineCount && !AwaitsDownload(row)) ++row;
  if (row == kEngineCount) return FinishRun();
  run_->row = row;
  ShowProgress(0, 0);
  if (!FolderReady(downloadFolder_)) return Idle();
  const EngineRow& engine = kEngineTable[row];
  transfer_ = std::make_unique<BackgroundTransfer>(
      Handle(),
      TransferRequest{.agent = agent_,
                      .address = requests_.DownloadBaseAddress() + EngineDownloadPath(engine),
                      .target = LocalFile(row)});
}

void TfrmVoices::ShowProgress(std::uint64_t received, std::uint64_t total) {
  HWND progress = Item(IDC_DOWNLOAD_PROGRESS);
  HWND status = Item(IDC_DOWNLOAD_STATUS);
  SendMessageW(progress, PBM_SETPOS, ProgressPercent(received, total), 0);
  SetWindowTextW(status, StatusText(received, total).c_str());
  ShowWindow(progress, SW_SHOW);
  ShowWindow(status, SW_SHOW);
}

void TfrmVoices::ShowTransferProgress() {
  if (!transfer_) return;
  const BackgroundTransfer::Progress progress = transfer_->TakeProgress();
  ShowProgress(progress.received, progress.total);
}

void TfrmVoices::TransferEnded(TransferResult result) {
  transfer_.reset();
  if (!run_) return;
  IdleOnFailure([&] {
    if (!run_->cancelled) {
      if (result == TransferResult::Complete) {
        InstallDownloaded(run_->row);
      } else {
        ShowWarning(Handle(), kDownloadErrorText);
      }
    }
    // Closing the window while an installer or the warning was up ends the
    // run too.
    if (run_->cancelled) return Idle();
    DownloadFrom(run_->row + 1);
  });
}

// The row counts, and its tick goes, once its installer says it has
// installed. The "Installed" marker appears at the next show.
void TfrmVoices::InstallDownloaded(int row) {
  switch (Install(row)) {
    case Installation::ProgramEnding:
      run_->cancelled = true;
      break;
    case Installation::Completed:
      ListView_SetCheckState(List(), row, FALSE);
      ++run_->installed;
      break;
    case Installation::NotCompleted:
      break;
  }
}

// An installation that did not complete (a refused consent prompt, a cancel,
// a failure) is told to the user; the program's end is no time for a box.
TfrmVoices::Installation TfrmVoices::Install(int row) {
  const RunOutcome outcome = RunInstaller(LocalFile(row), processMessages_, Handle());
  if (outcome.end == RunEnd::ProgramEnding) return Installation::ProgramEnding;
  if (InstallationCompleted(outcome)) return Installation::Completed;
  ShowWarning(Handle(), NotCompletedText(row));
  return Installation::NotCompleted;
}

void TfrmVoices::FinishRun() {
  const bool anyInstalled = run_->installed > 0;
  Idle();
  if (anyInstalled && AskYesNo(Handle(), kRestartQuestion, MB_ICONINFORMATION)) {
    requests_.ExitProgram();
  }
}

void TfrmVoices::Idle() {
  run_.reset();
  reinstalling_ = false;
  UpdateButtons();
}

// Closing during a run ends it: a transfer under way is let go of at once,
// and an installer or a warning showing ends the run when it is done.
void TfrmVoices::OnCloseRequest() {
  if (run_) run_->cancelled = true;
  if (transfer_) {
    transfer_.reset();
    Idle();
  }
  Hide();
}

bool TfrmVoices::OnCommand(int id) {
  switch (id) {
    case IDC_DOWNLOAD_BUTTON:
      OnDownloadAndInstall();
      return true;
    case IDC_REINSTALL_BUTTON:
      OnReinstall();
      return true;
    case IDC_CHECK_ENGINES_BUTTON:
      requests_.OpenEngineListPage();
      return true;
    case IDC_VOICES_MOREVOICES_LINK:
      requests_.ShowMoreVoices();
      return true;
    default:
      return false;
  }
}

bool TfrmVoices::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam, LRESULT&) {
  switch (message) {
    case WM_SHOWWINDOW:
      // Shown by the program, not brought back with its owner.
      if (wParam != FALSE && lParam == 0) Showing();
      return false;
    case WM_NOTIFY: {
      const auto& header = *reinterpret_cast<const NMHDR*>(lParam);
      if (header.idFrom == IDC_ENGINES_LIST && header.code == LVN_ITEMCHANGED) UpdateButtons();
      return false;
    }
    case WM_COMMAND:
      return OnCommand(LOWORD(wParam));
    case kTransferProgressMessage:
      ShowTransferProgress();
      return true;
    case kTransferEndedMessage:
      TransferEnded(static_cast<TransferResult>(wParam));
      return true;
    default:
      return false;
  }
}
