#include <gtest/gtest.h>
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <filesystem>
#include <fstream>
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
#include "tests/support/loopback_http_server.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_folder.h"
#include "tests/support/test_installer.h"

void PrintTo(TransferResult result, std::ostream* out) {
  constexpr const char* kNames[] = {"Complete", "Failed", "Cancelled"};
  *out << kNames[static_cast<int>(result)];
}

namespace {

constexpr char kPath[] = "/activex/controls/agent2/tv_enua.exe";
const std::string kEarlierFile = "an earlier download";

std::optional<std::string> FileBytes(const std::wstring& path) {
  std::ifstream file(std::filesystem::path(path), std::ios::binary);
  if (!file) return std::nullopt;
  return std::string(std::istreambuf_iterator<char>(file), {});
}

void WriteFileBytes(const std::wstring& path, const std::string& bytes) {
  std::ofstream(std::filesystem::path(path), std::ios::binary) << bytes;
}

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
    WriteFileBytes(request.target, kEarlierFile);
  }

  TransferResult Run(const TransferProgress& progress = {}) {
    return GetInetFile(request, progress, cancelled);
  }

  // Nothing but the target is left in the folder, and it holds `bytes`.
  void ExpectOnlyTheTargetHolding(const std::string& bytes) const {
    EXPECT_EQ(FileNames(folder), std::set<std::wstring>{L"tv_enua.exe"});
    EXPECT_TRUE(FileBytes(request.target) == bytes) << "the target holds other bytes";
  }

  TempFolder folder;
  TransferRequest request;
  std::atomic<bool> cancelled = false;
};

TEST(Download, CompleteFileTakesTheTargetsPlaceWithProgressOnTheWay) {
  LoopbackHttpServer server;
  const std::string body = InstallerBytes(100000);
  server.Serve(kPath, {.body = body});
  Download download(server);
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
}

TEST(Download, BadAnswersFailAndLeaveTheEarlierFileAsItWas) {
  const std::string body = InstallerBytes(50000);
  const std::vector<std::pair<const char*, HttpAnswer>> answers = {
      {"error page", {.status = 404, .body = "<html>No such file</html>"}},
      {"body cut short", {.body = body, .contentLength = body.size() * 2}},
      {"no length", {.body = body, .withoutContentLength = true}},
      {"length zero", {.body = ""}},
  };
  for (const auto& [name, answer] : answers) {
    SCOPED_TRACE(name);
    LoopbackHttpServer server;
    server.Serve(kPath, answer);
    Download download(server);
    EXPECT_EQ(download.Run(), TransferResult::Failed);
    download.ExpectOnlyTheTargetHolding(kEarlierFile);
  }
}

TEST(Download, StalledServerFailsAfterTheStallTime) {
  for (const auto stall :
       {HttpAnswer::Stall::BeforeHeaders, HttpAnswer::Stall::HalfWayThroughBody}) {
    SCOPED_TRACE(stall == HttpAnswer::Stall::BeforeHeaders ? "before the headers"
                                                           : "half way through the body");
    std::optional<LoopbackHttpServer> server(std::in_place);
    server->Serve(kPath, {.body = InstallerBytes(50000), .stall = stall});
    Download download(*server, std::chrono::seconds(1));

    auto transfer = std::async(std::launch::async, [&] { return download.Run(); });
    const bool endedByItself = transfer.wait_for(20s) == std::future_status::ready;
    server.reset();  // ends the stall, should the transfer still wait for it
    EXPECT_TRUE(endedByItself) << "the transfer waited for the stalled server";
    EXPECT_EQ(transfer.get(), TransferResult::Failed);
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

TEST(Download, NothingIsKeptInTheInternetCache) {
  // A copy kept there could answer a later attempt in the server's stead.
  LoopbackHttpServer server;
  server.Serve(kPath, {.body = InstallerBytes(20000)});
  Download download(server);
  ASSERT_EQ(download.Run(), TransferResult::Complete);

  DWORD size = 0;
  GetUrlCacheEntryInfoW(download.request.address.c_str(), nullptr, &size);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND)) << "the file is in the cache";
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
  EXPECT_EQ(MegabytesText(1258291, UserNumberSeparators()), L"1,20");  // 1.2 MB
  EXPECT_EQ(MegabytesText(1500ull * 1048576, UserNumberSeparators()), L"1.500,00");
}

TEST(RunAndWait, WaitsForTheInstallersEndWhileMessagesRun) {
  // In a folder with a space in its name.
  TempFolder folder;
  CreateDirectoryW(folder.File(L"Program Downloads").c_str(), nullptr);
  const std::wstring installer = folder.File(L"Program Downloads\\lhttseng.exe");
  ASSERT_TRUE(
      CopyFileW((ProgramFolder() + L"test_installer.exe").c_str(), installer.c_str(), TRUE));
  const std::wstring hold = installer + kInstallerHoldSuffix;
  WriteFileBytes(hold, "");
  // The installer holds until the file goes, which only handling a message
  // does here: a wait that lets no message run, or ends early, finds no
  // record of the installer's end.
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, nullptr);
  bool released = false;
  const auto exitCode = RunAndWait(installer, [&] {
    PumpMessages();
    released = DeleteFileW(hold.c_str()) || released;
  });
  KillTimer(nullptr, timer);

  EXPECT_TRUE(released);
  EXPECT_EQ(FileBytes(installer + kInstallerRecordSuffix), "show mode 1\r\n");
  EXPECT_EQ(exitCode, kInstallerExitCode);
}

TEST(RunAndWait, AnswersNothingForWhatIsNoProgram) {
  TempFolder folder;
  const std::wstring text = folder.File(L"readme.exe");
  WriteFileBytes(text, "This is no program.\r\n");
  EXPECT_EQ(RunAndWait(text, PumpMessages), std::nullopt);
  EXPECT_EQ(RunAndWait(folder.File(L"missing.exe"), PumpMessages), std::nullopt);
}

}  // namespace
