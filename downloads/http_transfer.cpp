#include "downloads/http_transfer.h"

#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <limits>
#include <optional>
#include <vector>

#include "base/internet_handle.h"
#include "base/kernel_handle.h"

namespace {

constexpr DWORD kBlockSize = 16384;

// The body on its way: a file beside the target, under the target's name plus
// ".part", created afresh. It is deleted unless it has taken the target's
// place.
class PartFile {
 public:
  explicit PartFile(const std::wstring& target)
      : target_(target),
        path_(target + L".part"),
        file_(OwnedFile(CreateFileW(path_.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
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

SentRequest SendRequest(const TransferRequest& transfer) {
  SentRequest sent;
  const auto address = HttpAddressOf(transfer.address);
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
                      (address->secure ? INTERNET_FLAG_SECURE : 0);
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

TransferResult Transfer(const TransferRequest& transfer, const TransferProgress& progress,
                        const std::atomic<bool>& cancelled) {
  const SentRequest sent = SendRequest(transfer);
  if (!sent.request || NumberHeader(sent.request.get(), HTTP_QUERY_STATUS_CODE) != HTTP_STATUS_OK) {
    return TransferResult::Failed;
  }
  // Without a length there is no telling a whole file from a cut one.
  const std::uint64_t total = NumberHeader(sent.request.get(), HTTP_QUERY_CONTENT_LENGTH);
  if (total == 0) return TransferResult::Failed;
  return ReceiveBody(sent.request.get(), total, transfer.target, progress, cancelled);
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
