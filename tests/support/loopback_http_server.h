#pragma once
// A small HTTP/1.1 server of the tests' own on 127.0.0.1, at a port the
// system picks, answering each path with a canned answer: a whole file, an
// error status, a redirect, a body cut short or announced larger than it is,
// a body without a length, or a server that stops answering. Each connection carries one answer,
// whose end the server marks by ending its sending ("Connection: close"). The destructor ends
// everything at once, stalled connections too.

#include <condition_variable>
#include <cstdint>
#include <list>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <thread>

struct HttpAnswer {
  int status = 200;
  std::string body = {};
  // What Content-Length says; the body's length unless given.
  std::optional<std::uint64_t> contentLength = std::nullopt;
  // No Content-Length at all: the body ends where the connection closes.
  bool withoutContentLength = false;
  // A Location header, for a redirect (status 301, 302, 307, ...).
  std::string location = {};
  enum class Stall {
    Never,
    // Reads the request and sends nothing.
    BeforeHeaders,
    // Sends the headers and the first half of the body.
    HalfWayThroughBody,
  };
  // After that, nothing more comes while the server lives.
  Stall stall = Stall::Never;
};

class LoopbackHttpServer {
 public:
  // Listening on return. A path without an answer of its own gets 404.
  LoopbackHttpServer();
  ~LoopbackHttpServer();
  LoopbackHttpServer(const LoopbackHttpServer&) = delete;
  LoopbackHttpServer& operator=(const LoopbackHttpServer&) = delete;

  // Answers GET requests for `path` ("/folder/file.exe") from now on.
  void Serve(const std::string& path, HttpAnswer answer);
  // "http://127.0.0.1:<port>", to be followed by a path.
  std::wstring BaseAddress() const;

 private:
  // A SOCKET, kept out of this header so that its users need not include
  // winsock2.h before windows.h.
  using Socket = std::uintptr_t;

  void Accept();
  void Answer(Socket connection);
  HttpAnswer AnswerFor(const std::string& path);
  // Waits until the server ends.
  void StallUntilStopped();

  Socket listener_;
  unsigned short port_ = 0;
  std::mutex mutex_;
  std::condition_variable stopped_;
  bool stopping_ = false;
  std::map<std::string, HttpAnswer> answers_;
  std::list<Socket> connections_;
  std::list<std::thread> answering_;
  std::thread acceptor_;
};
