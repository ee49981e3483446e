#pragma once
// Waiting in tests: for a condition with a deadline, never for a fixed time.

#include <chrono>
#include <functional>

using namespace std::chrono_literals;

// Handles the messages this thread has waiting, then returns.
void PumpMessages();

// Runs this thread's messages through `pump` (by default a plain loop; the
// application's own, with its key preview and dialog keys, where a test has
// one) until the condition holds or the deadline passes; answers whether it
// held. For code whose answers arrive as messages.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s,
               const std::function<void()>& pump = PumpMessages);

// Runs the messages through `pump` until no posted message waits any more:
// all that was posted before the call, and what handling it posted, has been
// handled. Answers whether that happened in time.
bool PumpUntilPostedHandled(const std::function<void()>& pump = PumpMessages);

// Polls a condition about another process until it holds or the deadline
// passes; answers whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 30s);
