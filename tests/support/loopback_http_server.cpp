#include <winsock2.h>

#include "tests/support/loopback_http_server.h"

#include <stdexcept>
#include <string_view>

namespace {

sockaddr_in LoopbackAddress(unsigned short port) {
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = htons(port);
  return address;
}

bool SendAll(SOCKET connection, std::string_view bytes) {
  while (!bytes.empty()) {
    const int sent = send(connection, bytes.data(), static_cast<int>(bytes.size()), 0);
    if (sent <= 0) return false;
    bytes.remove_prefix(static_cast<size_t>(sent));
  }
  return true;
}

// The path of the request line ("GET /path HTTP/1.1"); empty when the
// request did not arrive whole.
std::string RequestedPath(SOCKET connection) {
  std::string request;
  char buffer[4096];
  while (request.find("\r\n\r\n") == std::string::npos) {
    const int received = recv(connection, buffer, sizeof buffer, 0);
    if (received <= 0) return {};
    request.append(buffer, static_cast<size_t>(received));
  }
  const auto start = request.find(' ') + 1;
  return request.substr(start, request.find(' ', start) - start);
}

std::string Headers(const HttpAnswer& answer) {
  std::string headers = "HTTP/1.1 " + std::to_string(answer.status) +
                        (answer.status == 200 ? " OK\r\n" : " Not OK\r\n");
  if (!answer.withoutContentLength) {
    headers +=
        "Content-Length: " + std::to_string(answer.contentLength.value_or(answer.body.size())) +
        "\r\n";
  }
  if (!answer.location.empty()) headers += "Location: " + answer.location + "\r\n";
  return headers + "Content-Type: application/octet-stream\r\nConnection: close\r\n\r\n";
}

}  // namespace

LoopbackHttpServer::LoopbackHttpServer() {
  WSADATA winsock;
  if (WSAStartup(MAKEWORD(2, 2), &winsock) != 0) throw std::runtime_error("no Winsock");
  listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address = LoopbackAddress(0);  // port 0: the system picks a free one
  int length = sizeof address;
  if (listener_ == INVALID_SOCKET ||
      bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      listen(listener_, SOMAXCONN) != 0 ||
      getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    if (listener_ != INVALID_SOCKET) closesocket(listener_);
    WSACleanup();
    throw std::runtime_error("the loopback server cannot listen");
  }
  port_ = ntohs(address.sin_port);
  acceptor_ = std::thread(&LoopbackHttpServer::Accept, this);
}

LoopbackHttpServer::~LoopbackHttpServer() {
  {
    std::lock_guard lock(mutex_);
    stopping_ = true;
    // Wakes an answer still waiting for its request.
    for (Socket connection : connections_) shutdown(connection, SD_BOTH);
  }
  stopped_.notify_all();
  // One last connection of our own gets the acceptor out of accept().
  SOCKET waker = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  const sockaddr_in address = LoopbackAddress(port_);
  connect(waker, reinterpret_cast<const sockaddr*>(&address), sizeof address);
  acceptor_.join();
  closesocket(waker);
  for (std::thread& answer : answering_) answer.join();
  for (Socket connection : connections_) closesocket(connection);
  closesocket(listener_);
  WSACleanup();
}

void LoopbackHttpServer::Serve(const std::string& path, HttpAnswer answer) {
  std::lock_guard lock(mutex_);
  answers_[path] = std::move(answer);
}

std::wstring LoopbackHttpServer::BaseAddress() const {
  return L"http://127.0.0.1:" + std::to_wstring(port_);
}

void LoopbackHttpServer::Accept() {
  for (;;) {
    const SOCKET connection = accept(listener_, nullptr, nullptr);
    std::lock_guard lock(mutex_);
    if (stopping_ || connection == INVALID_SOCKET) {
      if (connection != INVALID_SOCKET) closesocket(connection);
      return;
    }
    connections_.push_back(connection);
    answering_.emplace_back(&LoopbackHttpServer::Answer, this, connection);
  }
}

// Only the destructor closes connections, so that none is closed twice; the
// end of sending is what tells the client where a body without a length, or
// one cut short, ends.
void LoopbackHttpServer::Answer(Socket connection) {
  const std::string path = RequestedPath(connection);
  if (path.empty()) return;
  const HttpAnswer answer = AnswerFor(path);
  if (answer.stall == HttpAnswer::Stall::BeforeHeaders) return StallUntilStopped();
  std::string_view body = answer.body;
  if (answer.stall == HttpAnswer::Stall::HalfWayThroughBody) body = body.substr(0, body.size() / 2);
  if (!SendAll(connection, Headers(answer)) || !SendAll(connection, body)) return;
  if (answer.stall != HttpAnswer::Stall::Never) return StallUntilStopped();
  shutdown(connection, SD_SEND);
}

HttpAnswer LoopbackHttpServer::AnswerFor(const std::string& path) {
  std::lock_guard lock(mutex_);
  const auto found = answers_.find(path);
  return found != answers_.end() ? found->second : HttpAnswer{.status = 404, .body = "Not found"};
}

void LoopbackHttpServer::StallUntilStopped() {
  std::unique_lock lock(mutex_);
  stopped_.wait(lock, [this] { return stopping_; });
}
