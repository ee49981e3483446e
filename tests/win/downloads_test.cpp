#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <future>
#include <optional>
#include <set>
#include <string>
#include <utility>
#include <vector>

#include "base/program_folder.h"
#include "downloads/http_transfer.h"
#include "downloads/megabytes_text_system.h"
#include "downloads/run_and_wait.h"
#include "settings/file_replace.h"
#include "tests/support/loopback_http_server.h"
#include "tests/support/message_pump.h"
#include "tests/support/speech_test_support.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_installer.h"

void PrintTo(TransferResult result, std::ostream* out) {
  constexpr const char* kNames[] = {"Complete", "Failed", "Cancelled"};
  *out << kNames[static_cast<int>(result)];
}

namespace {

constexpr char kPath[] = "/activex/controls/agent2/tv_enua.exe";
const std::string kEarlierFile = "an earlier download";

std::set<std::wstring> FileNames(const TempFolder& folder) {
  std::set<std::wstring> names;
  for (const auto& entry : std::filesystem::directory_iterator(folder.Path())) {
    names.insert(entry.path().filename().wstring());
  }
  return names;
}

// Bytes in which no stretch repeats soon, so that a lost or doubled block shows.
std::string InstallerBytes(size_t size) {
  std::string bytes(size, '\0');
  for (size_t i = 0; i < size; ++i) bytes[i] = static_cast<char>(i * 7 + i / 251);
  return bytes;
}

// One download of kPath into "tv_enua.exe", in a folder of its own that
// holds an earlier download of that name.
struct Download {
  explicit Download(const LoopbackHttpServer& server,
                    std::chrono::milliseconds stallTimeout = std::chrono::seconds(30))
      : request{.agent = L"Tolvane.exe",
                .address = server.BaseAddress() + std::wstring(kPath, kPath + sizeof kPath - 1),
                .target = folder.File(L"tv_enua.exe"),
                .stallTimeout = stallTimeout} {
    ReplaceWholeFile(request.target, kEarlierFile);
  }

  TransferResult Run(const TransferProgress& progress = {}) {
    return GetInetFile(request, progress, cancelled);
  }

  // Nothing but the target is left in the folder, and it holds `bytes`.
  void ExpectOnlyTheTargetHolding(const std::string& bytes) const {
    EXPECT_EQ(FileNames(folder), std::set<std::wstring>{L"tv_enua.exe"});
    EXPECT_TRUE(ReadWholeFile(request.target) == bytes) << "the target holds other bytes";
  }

  TempFolder folder;
  TransferRequest request;
  std::atomic<bool> cancelled = false;
};

TEST(Download, CompleteFileTakesTheTargetsPlaceWithProgressOnTheWayAndLeftoversGo) {
  LoopbackHttpServer server;
  const std::string body = InstallerBytes(100000);
  server.Serve(kPath, {.body = body});
  Download download(server);
  // Left by transfers that the program's end cut short, this version's and
  // an earlier one's.
  ReplaceWholeFile(download.request.target + L".4242-1.part", "a part");
  ReplaceWholeFile(download.request.target + L".part", "a part");
  std::vector<std::uint64_t> reports;

  const TransferResult result = download.Run([&](auto received, auto total) {
    EXPECT_EQ(total, body.size());
    reports.push_back(received);
  });
  EXPECT_EQ(result, TransferResult::Complete);
  download.ExpectOnlyTheTargetHolding(body);
  // Reported as it goes, not only at the end.
  EXPECT_GT(reports.size(), 1u);
  EXPECT_TRUE(std::is_sorted(reports.begin(), reports.end()));
  EXPECT_EQ(reports.back(), body.size());
  // Nothing is kept in the Internet cache: a copy kept there could answer a
  // later attempt in the server's stead.
  DWORD size = 0;
  GetUrlCacheEntryInfoW(download.request.address.c_str(), nullptr, &size);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << "the file is in the cache";

  // Redirects are followed to the file.
  server.Serve(kPath, {.status = 302, .location = "/moved/tv_enua.exe"});
  server.Serve("/moved/tv_enua.exe", {.status = 301, .location = "elsewhere/tv_enua.exe"});
  server.Serve("/moved/elsewhere/tv_enua.exe", {.body = InstallerBytes(30000)});
  Download redirected(server);
  EXPECT_EQ(redirected.Run(), TransferResult::Complete);
  redirected.ExpectOnlyTheTargetHolding(InstallerBytes(30000));
}

// A stalled server fails the transfer after the stall time: the transfer runs
// beside the test, which ends the stall should the transfer still wait for it.
TEST(Download, BadAnswersAndStalledServersFailAndLeaveTheEarlierFileAsItWas) {
  const std::string body = InstallerBytes(50000);
  const std::vector<std::pair<const char*, HttpAnswer>> answers = {
      {"error page", {.status = 404, .body = "<html>No such file</html>"}},
      {"body cut short", {.body = body, .contentLength = body.size() * 2}},
      {"no length", {.body = body, .withoutContentLength = true}},
      {"length zero", {.body = ""}},
      // Refused before a byte of it is read: no installer is that large.
      {"65 MB", {.body = body, .contentLength = 65 * 1048576}},
      {"redirect in a circle", {.status = 302, .location = kPath}},
      {"redirect to no web address", {.status = 301, .location = "file:///C:/windows/notepad.exe"}},
      {"stall before the headers", {.body = body, .stall = HttpAnswer::Stall::BeforeHeaders}},
      {"stall half way", {.body = body, .stall = HttpAnswer::Stall::HalfWayThroughBody}},
  };
  for (const auto& [name, answer] : answers) {
    SCOPED_TRACE(name);
    std::optional<LoopbackHttpServer> server(std::in_place);
    server->Serve(kPath, answer);
    Download download(*server, std::chrono::seconds(1));
    bool bodyRead = false;
    auto transfer = std::async(std::launch::async, [&] {
      return download.Run([&](auto, auto total) { bodyRead = total > 64 * 1048576; });
    });
    const bool endedByItself = transfer.wait_for(20s) == std::future_status::ready;
    server.reset();
    EXPECT_TRUE(endedByItself) << "the transfer waited for the stalled server";
    EXPECT_EQ(transfer.get(), TransferResult::Failed);
    EXPECT_FALSE(bodyRead) << "the body of a 65 MB answer was read";
    download.ExpectOnlyTheTargetHolding(kEarlierFile);
  }
}

TEST(Download, CancelEndsTheTransferAndLeavesAnEarlierFileAsItWas) {
  LoopbackHttpServer server;
  server.Serve(kPath, {.body = InstallerBytes(1048576)});
  Download download(server);
  EXPECT_EQ(download.Run([&](auto, auto) { download.cancelled = true; }),
            TransferResult::Cancelled);
  download.ExpectOnlyTheTargetHolding(kEarlierFile);
}

TEST(Download, ATransferRightAfterACancelledOneOfTheSameFileSucceeds) {
  // The cancelled transfer still waits for a stalled server, holding its
  // part file open, when the same file is asked for again: it notices its
  // cancel only when its read comes back.
  const std::string sent = InstallerBytes(200000);
  std::optional<LoopbackHttpServer> stalled(std::in_place);
  stalled->Serve(kPath, {.body = sent, .stall = HttpAnswer::Stall::HalfWayThroughBody});
  Download first(*stalled);
  std::promise<void> receiving;
  auto abandoned = std::async(std::launch::async, [&] {
    return first.Run([&, once = true](auto, auto) mutable {
      if (once) receiving.set_value();
      once = false;
    });
  });
  // From its first block on, it holds its part file until it sees its cancel.
  ASSERT_EQ(receiving.get_future().wait_for(20s), std::future_status::ready);

  LoopbackHttpServer server;
  const std::string body = InstallerBytes(40000);
  server.Serve(kPath, {.body = body});
  TransferRequest again = first.request;
  again.address = server.BaseAddress() + std::wstring(kPath, kPath + sizeof kPath - 1);
  const std::atomic<bool> notCancelled = false;
  EXPECT_EQ(GetInetFile(again, {}, notCancelled), TransferResult::Complete);
  EXPECT_TRUE(ReadWholeFile(again.target) == body) << "the target holds other bytes";

  // The cancel is seen once the abandoned transfer's read comes back.
  first.cancelled = true;
  stalled.reset();
  EXPECT_NE(abandoned.get(), TransferResult::Complete);
  first.ExpectOnlyTheTargetHolding(body);
}

// The user's separators, as set in the regional settings; the earlier ones
// come back at the end.
class UserSeparators {
 public:
  UserSeparators(const wchar_t* decimal, const wchar_t* thousands)
      : earlier_(UserNumberSeparators()) {
    Set(decimal, thousands);
  }
  ~UserSeparators() { Set(earlier_.decimal.c_str(), earlier_.thousands.c_str()); }

 private:
  static void Set(const wchar_t* decimal, const wchar_t* thousands) {
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, decimal);
    SetLocaleInfoW(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, thousands);
  }
  NumberSeparators earlier_;
};

TEST(MegabytesTextForTheUser, WritesTheSeparatorsOfTheRegionalSettings) {
  const UserSeparators commaDecimals(L",", L".");
  EXPECT_EQ(MegabytesText(1500ull * 1048576, UserNumberSeparators()), L"1.500,00");
}

// test_installer.exe copied into a folder of the test's own as `name`, and
// what it reads and writes kept in that folder, wherever it runs from.
class Installer {
 public:
  explicit Installer(const std::wstring& name) : path(folder.File(name)) {
    CopyFileW((ProgramFolder() + L"test_installer.exe").c_str(), path.c_str(), TRUE);
    SetEnvironmentVariableW(kInstallerFolderVariable, folder.Path().c_str());
  }
  ~Installer() { SetEnvironmentVariableW(kInstallerFolderVariable, nullptr); }

  std::wstring File(const wchar_t* suffix) const { return path + suffix; }
  // Lines 2 and 3 of its record: the folder it ran from, what else was there.
  std::string RanFrom() const {
    const std::string record = ReadWholeFile(File(kInstallerRecordSuffix));
    return record.substr(std::min(record.find('\n') + 1, record.size()));
  }

  TempFolder folder;
  std::wstring path;
};

TEST(RunAndWait, WaitsForTheInstallersEndWhileMessagesRun) {
  // In a folder with a space in its name.
  TempFolder folder;
  CreateDirectoryW(folder.File(L"Program Downloads").c_str(), nullptr);
  const std::wstring installer = folder.File(L"Program Downloads\\lhttseng.exe");
  ASSERT_TRUE(
      CopyFileW((ProgramFolder() + L"test_installer.exe").c_str(), installer.c_str(), TRUE));
  const std::wstring hold = installer + kInstallerHoldSuffix;
  ReplaceWholeFile(hold, "");
  ReplaceWholeFile(installer + kInstallerExitCodeSuffix, "42");
  // The installer holds until the file goes, which only handling a message
  // does here: a wait that lets no message run, or ends early, finds no
  // record of the installer's end.
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
  bool released = false;
  const RunOutcome outcome = RunAndWait(installer, [&] {
    PumpMessages();
    released = DeleteFileW(hold.c_str()) || released;
  });
  KillTimer(nullptr, timer);

  EXPECT_TRUE(released);
  EXPECT_EQ(ReadWholeFile(installer + kInstallerRecordSuffix).substr(0, 13), "show mode 1\r\n");
  EXPECT_EQ(outcome.end, RunEnd::Exited);
  EXPECT_EQ(outcome.exitCode, 42u);
}

TEST(RunAndWait, AQuitRequestEndsTheWaitAndTheInstallerGoesOn) {
  Installer installer(L"msttsl.exe");
  ReplaceWholeFile(installer.File(kInstallerHoldSuffix), "");
  // The program's own pump leaves a quit request waiting for its main loop.
  PostThreadMessageW(GetCurrentThreadId(), WM_NULL, 0, 0);
  const RunOutcome outcome = RunAndWait(installer.path, [] {
    PumpMessages();
    PostQuitMessage(0);
  });
  MSG quit;
  PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE);

  EXPECT_EQ(outcome.end, RunEnd::ProgramEnding);
  const std::filesystem::path record = installer.File(kInstallerRecordSuffix);
  EXPECT_FALSE(std::filesystem::exists(record)) << "the installer had ended";
  DeleteFileW(installer.File(kInstallerHoldSuffix).c_str());
  EXPECT_TRUE(WaitUntil([&] { return std::filesystem::exists(record); }));
}

TEST(RunAndWait, AnswersNotStartedForWhatIsNoProgram) {
  TempFolder folder;
  const std::wstring text = folder.File(L"readme.exe");
  ReplaceWholeFile(text, "This is no program.\r\n");
  EXPECT_EQ(RunAndWait(text, PumpMessages).end, RunEnd::NotStarted);
  EXPECT_EQ(RunAndWait(folder.File(L"missing.exe"), PumpMessages).end, RunEnd::NotStarted);
  EXPECT_EQ(RunInstaller(folder.File(L"missing.exe"), PumpMessages).end, RunEnd::NotStarted);
}

// Only 0 and 3010 (installed, Windows to restart) say the engine is there; a
// cancel (1602) or a failure (1) does not.
TEST(RunInstaller, RunsACopyAloneInAFolderOfItsOwnAndTellsWhetherItInstalled) {
  wchar_t temporary[MAX_PATH];
  GetTempPathW(MAX_PATH, temporary);
  for (const auto& [exitCode, completed] :
       std::vector<std::pair<DWORD, bool>>{{0, true}, {3010, true}, {1, false}, {1602, false}}) {
    SCOPED_TRACE(exitCode);
    Installer installer(L"tv_enua.exe");
    ReplaceWholeFile(installer.File(kInstallerExitCodeSuffix), std::to_string(exitCode));
    const RunOutcome outcome = RunInstaller(installer.path, PumpMessages);
    EXPECT_EQ(outcome.exitCode, exitCode);
    EXPECT_EQ(InstallationCompleted(outcome), completed);

    const std::string ranFrom = installer.RanFrom();
    const std::string folder = ranFrom.substr(9, ranFrom.find('\r') - 9);
    EXPECT_EQ(ranFrom.substr(0, 9), "run from ");
    EXPECT_EQ(folder.find(speech_test::Utf8(temporary)), 0u) << ranFrom;
    EXPECT_NE(folder, speech_test::Utf8(installer.folder.Path()));
    EXPECT_NE(ranFrom.find("\r\nbeside 0 files\r\n"), std::string::npos) << ranFrom;
    EXPECT_EQ(GetFileAttributesW(std::filesystem::u8path(folder).c_str()), INVALID_FILE_ATTRIBUTES)
        << "the folder is still there";
  }
}

}  // namespace
