#pragma once

#include <objbase.h>

// A single-threaded COM apartment for the lifetime of the object, on the
// thread that makes it. A thread already in an apartment keeps it, and is
// then not uninitialised here either.
class ComApartment {
 public:
  ComApartment() : initialized_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComApartment() {
    if (initialized_) CoUninitialize();
  }
  ComApartment(const ComApartment&) = delete;
  ComApartment& operator=(const ComApartment&) = delete;

 private:
  bool initialized_;
};
