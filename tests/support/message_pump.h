#pragma once
// Waiting in tests: for a condition with a deadline, never for a fixed time.

#include <chrono>
#include <functional>

using namespace std::chrono_literals;

// Handles the messages this thread has waiting, then returns.
void PumpMessages();

// Runs this thread's message loop until the condition holds or the deadline
// passes; answers whether it held. For code whose answers arrive as messages.
bool PumpUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 5s);

// Polls a condition about another process until it holds or the deadline
// passes; answers whether it held.
bool WaitUntil(const std::function<bool()>& condition, std::chrono::milliseconds timeout = 30s);
