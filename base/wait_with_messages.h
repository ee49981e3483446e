#pragma once
// Waiting on the UI thread without freezing it: the program's messages keep
// running while a condition is awaited.

#include <chrono>
#include <functional>

// Lets the program's waiting messages run until the condition holds or the
// time is up, and answers whether it held. In between the thread sleeps in
// MsgWaitForMultipleObjects, so arriving input ends a pause early. An empty
// processMessages only waits.
bool WaitWithMessages(const std::function<bool()>& condition, std::chrono::milliseconds timeout,
                      const std::function<void()>& processMessages);
