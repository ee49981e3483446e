#pragma once
// One file fetched over HTTP(S) with WinINet, safely: the body goes into a
// temporary file beside the target (its name, a number of its own and
// ".part"), which takes the target's name only when the server answered 200
// and sent exactly as many bytes as its Content-Length said, at most 64 MB.
// The file is then handed to Windows' attachment services as a browser's
// download is. Redirects are followed, but never from https to http.
// Anything else (another status, a missing, zero or too large
// Content-Length, a short body, a stalled server, a cancel, a file that
// cannot be written, one the attachment services refuse) removes the
// temporary file and leaves any earlier target as it was, save that a file
// the services refuse is gone. Blocking: the download window runs it on a
// thread of its own.

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <string>

struct TransferRequest {
  std::wstring agent;    // the user agent: the program file's name
  std::wstring address;  // http:// or https://
  std::wstring target;   // full path of the file to create
  // A server that sends nothing for this long has failed.
  std::chrono::milliseconds stallTimeout{30000};
};

// Bytes received so far, and the body's announced length.
using TransferProgress = std::function<void(std::uint64_t received, std::uint64_t total)>;

enum class TransferResult { Complete, Failed, Cancelled };

// `GetInetFile`. Progress is reported on the calling thread after every block
// read; `cancelled` is looked at between blocks and ends the transfer soon
// after it is set (while a stalled server sends nothing, at the stall time at
// the latest). Never throws.
TransferResult GetInetFile(const TransferRequest& request, const TransferProgress& progress,
                           const std::atomic<bool>& cancelled);
