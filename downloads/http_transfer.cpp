#include "downloads/http_transfer.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <limits>
#include <optional>
#include <vector>

#include "base/internet_handle.h"
#include "base/kernel_handle.h"
#include "downloads/attachment_services.h"

namespace {

constexpr DWORD kBlockSize = 16384;
// The largest engine installer is 7.3 MB: an answer many times that size is
// no installer, and is refused before it can fill the disk.
constexpr std::uint64_t kLargestAnswer = 64ull * 1048576;
// Servers move files; a chain longer than this goes round in circles.
constexpr int kMostRedirects = 5;

// A name of its own for each transfer's part file, so that a transfer never
// waits for an abandoned one of the same file, which may still hold its part
// file open: "<target>.<process>-<count>.part".
std::wstring PartFileName(const std::wstring& target) {
  static std::atomic<unsigned> transfers{0};
  return target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-" +
         std::to_wstring(++transfers) + L".part";
}

// Part files that outlived their transfer (the program was ended during one)
// go at the next transfer of the same file. One still open, by a transfer
// that has not noticed its cancel yet, stays for that transfer to remove.
void RemoveLeftoverPartFiles(const std::wstring& target) {
  const std::wstring folder = target.substr(0, target.find_last_of(L'\\') + 1);
  WIN32_FIND_DATAW found;
  const HANDLE search = FindFirstFileW((target + L"*.part").c_str(), &found);
  if (search == INVALID_HANDLE_VALUE) return;
  do {
    DeleteFileW((folder + found.cFileName).c_str());
  } while (FindNextFileW(search, &found));
  FindClose(search);
}

// The body on its way: a new file beside the target (PartFileName). It is
// deleted unless it has taken the target's place.
class PartFile {
 public:
  explicit PartFile(const std::wstring& target)
      : target_(target),
        path_(PartFileName(target)),
        file_(OwnedFile(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr))) {}
  ~PartFile() {
    file_.reset();
    if (!placed_) DeleteFileW(path_.c_str());
  }
  PartFile(const PartFile&) = delete;
  PartFile& operator=(const PartFile&) = delete;

  bool IsOpen() const { return file_ != nullptr; }

  bool Append(const char* bytes, DWORD count) {
    DWORD written = 0;
    return WriteFile(file_.get(), bytes, count, &written, nullptr) && written == count;
  }

  // Puts the whole body on the disk, then gives it the target's name in one
  // step, replacing an earlier file of that name.
  bool Place() {
    if (!FlushFileBuffers(file_.get())) return false;
    file_.reset();
    placed_ = MoveFileExW(path_.c_str(), target_.c_str(),
                          MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH);
    return placed_;
  }

 private:
  std::wstring target_;
  std::wstring path_;
  OwnedHandle file_;
  bool placed_ = false;
};

// A server that stops answering ends the transfer instead of holding it for
// ever: connecting, sending the request and every wait for more of the answer
// are limited to the stall time. Set on the request itself, since Wine's
// WinINet passes only the connect time limit on from the session.
bool LimitWaits(HINTERNET request, std::chrono::milliseconds stallTimeout) {
  DWORD milliseconds = static_cast<DWORD>(std::clamp<std::chrono::milliseconds::rep>(
      stallTimeout.count(), 1, std::numeric_limits<DWORD>::max()));
  for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                       INTERNET_OPTION_RECEIVE_TIMEOUT}) {
    if (!InternetSetOptionW(request, option, &milliseconds, sizeof milliseconds)) return false;
  }
  return true;
}

// What a request is made of: the server and the object asked of it.
struct HttpAddress {
  std::wstring host;
  INTERNET_PORT port;
  bool secure;
  std::wstring object;  // the path with its query
};

std::optional<HttpAddress> HttpAddressOf(const std::wstring& address) {
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  // Non-zero lengths ask for the parts as pointers into the address.
  parts.dwHostNameLength = parts.dwUrlPathLength = parts.dwExtraInfoLength = 1;
  if (!InternetCrackUrlW(address.c_str(), 0, 0, &parts) ||
      (parts.nScheme != INTERNET_SCHEME_HTTP && parts.nScheme != INTERNET_SCHEME_HTTPS)) {
    return std::nullopt;
  }
  return HttpAddress{.host = std::wstring(parts.lpszHostName, parts.dwHostNameLength),
                     .port = parts.nPort,
                     .secure = parts.nScheme == INTERNET_SCHEME_HTTPS,
                     .object = std::wstring(parts.lpszUrlPath, parts.dwUrlPathLength) +
                               std::wstring(parts.lpszExtraInfo, parts.dwExtraInfoLength)};
}

// A header of the answer as a number; 0 when it is missing.
DWORD NumberHeader(HINTERNET answer, DWORD header) {
  DWORD value = 0;
  DWORD size = sizeof value;
  if (!HttpQueryInfoW(answer, header | HTTP_QUERY_FLAG_NUMBER, &value, &size, nullptr)) return 0;
  return value;
}

// A request sent, with the handles it hangs from: closed request first.
struct SentRequest {
  OwnedInternetHandle session;
  OwnedInternetHandle connection;
  OwnedInternetHandle request;  // null when the request could not be sent
};

// Redirects are followed here rather than by WinINet, which would follow one
// from https to http and hand an installer over an open line.
SentRequest SendRequest(const TransferRequest& transfer, const std::wstring& url) {
  SentRequest sent;
  const auto address = HttpAddressOf(url);
  if (!address) return sent;
  sent.session.reset(
      InternetOpenW(transfer.agent.c_str(), INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
  if (!sent.session) return sent;
  sent.connection.reset(InternetConnectW(sent.session.get(), address->host.c_str(), address->port,
                                         nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
  if (!sent.connection) return sent;
  // Always from the server, and never into the cache: an error page kept
  // there from an earlier attempt must not come back as the file.
  const DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE |
                      INTERNET_FLAG_NO_AUTO_REDIRECT | (address->secure ? INTERNET_FLAG_SECURE : 0);
  OwnedInternetHandle request(HttpOpenRequestW(
      sent.connection.get(), L"GET", address->object.c_str(), nullptr, nullptr, nullptr, flags, 0));
  if (request && LimitWaits(request.get(), transfer.stallTimeout) &&
      HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) {
    sent.request = std::move(request);
  }
  return sent;
}

TransferResult ReceiveBody(HINTERNET request, std::uint64_t total, const std::wstring& target,
                           const TransferProgress& progress, const std::atomic<bool>& cancelled) {
  RemoveLeftoverPartFiles(target);
  PartFile part(target);
  if (!part.IsOpen()) return TransferResult::Failed;
  std::vector<char> block(kBlockSize);
  std::uint64_t received = 0;
  for (;;) {
    if (cancelled) return TransferResult::Cancelled;
    DWORD read = 0;
    if (!InternetReadFile(request, block.data(), kBlockSize, &read)) return TransferResult::Failed;
    if (read == 0) break;
    if (!part.Append(block.data(), read)) return TransferResult::Failed;
    received += read;
    if (progress) progress(received, total);
  }
  return received == total && part.Place() ? TransferResult::Complete : TransferResult::Failed;
}

// The body of a 200 answer from `address` into `target`.
TransferResult ReceiveFile(HINTERNET answer, const std::wstring& target,
                           const std::wstring& address, const TransferProgress& progress,
                           const std::atomic<bool>& cancelled) {
  // Without a length there is no telling a whole file from a cut one.
  const std::uint64_t total = NumberHeader(answer, HTTP_QUERY_CONTENT_LENGTH);
  if (total == 0 || total > kLargestAnswer) return TransferResult::Failed;
  const TransferResult result = ReceiveBody(answer, total, target, progress, cancelled);
  if (result != TransferResult::Complete || SaveAsDownload(target, address)) return result;
  DeleteFileW(target.c_str());
  return TransferResult::Failed;
}

bool IsRedirect(DWORD status) {
  return status == HTTP_STATUS_MOVED || status == HTTP_STATUS_REDIRECT ||
         status == HTTP_STATUS_REDIRECT_METHOD || status == HTTP_STATUS_REDIRECT_KEEP_VERB ||
         status == HTTP_STATUS_PERMANENT_REDIRECT;
}

// Where a redirect leads, resolved against the address that answered it;
// nothing when it leads nowhere we go: to no http(s) address, or from https
// down to http.
std::optional<std::wstring> RedirectTarget(HINTERNET answer, const std::wstring& from) {
  std::vector<wchar_t> location(INTERNET_MAX_URL_LENGTH);
  DWORD size = static_cast<DWORD>(location.size() * sizeof(wchar_t));
  if (!HttpQueryInfoW(answer, HTTP_QUERY_LOCATION, location.data(), &size, nullptr)) {
    return std::nullopt;
  }
  std::vector<wchar_t> combined(INTERNET_MAX_URL_LENGTH);
  DWORD length = static_cast<DWORD>(combined.size());
  if (!InternetCombineUrlW(from.c_str(), location.data(), combined.data(), &length,
                           ICU_NO_ENCODE)) {
    return std::nullopt;
  }
  const std::wstring to(combined.data(), length);
  const auto target = HttpAddressOf(to);
  if (!target || (HttpAddressOf(from)->secure && !target->secure)) return std::nullopt;
  return to;
}

TransferResult Transfer(const TransferRequest& transfer, const TransferProgress& progress,
                        const std::atomic<bool>& cancelled) {
  std::wstring address = transfer.address;
  for (int redirects = 0; redirects <= kMostRedirects; ++redirects) {
    const SentRequest sent = SendRequest(transfer, address);
    if (!sent.request) return TransferResult::Failed;
    const DWORD status = NumberHeader(sent.request.get(), HTTP_QUERY_STATUS_CODE);
    if (IsRedirect(status)) {
      const auto next = RedirectTarget(sent.request.get(), address);
      if (!next) return TransferResult::Failed;
      address = *next;
      continue;
    }
    if (status != HTTP_STATUS_OK) return TransferResult::Failed;
    return ReceiveFile(sent.request.get(), transfer.target, address, progress, cancelled);
  }
  return TransferResult::Failed;
}

}  // namespace

TransferResult GetInetFile(const TransferRequest& request, const TransferProgress& progress,
                           const std::atomic<bool>& cancelled) {
  try {
    return Transfer(request, progress, cancelled);
  } catch (...) {
    return TransferResult::Failed;
  }
}
