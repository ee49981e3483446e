#pragma once
// The one wrapper through which Windows and COM call into the program: window
// and dialog procedures, timers, hooks and COM callbacks. Nothing thrown below
// it may cross into the system, so it catches everything and hands the failure
// to the application-wide handler.

#include <utility>

// The application-wide handler for failures that reach a callback. It drops
// them without a message: an unexpected failure ends only the operation it
// happened in, and the user is never shown an error dialog for it.
void AppEventsException() noexcept;

template <class Result, class Body>
Result CallGuarded(Result onFailure, Body&& body) noexcept {
  try {
    return std::forward<Body>(body)();
  } catch (...) {
    AppEventsException();
    return onFailure;
  }
}

template <class Body>
void CallGuarded(Body&& body) noexcept {
  try {
    std::forward<Body>(body)();
  } catch (...) {
    AppEventsException();
  }
}
