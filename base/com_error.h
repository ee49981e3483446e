#pragma once

#include <windows.h>

#include <stdexcept>

// The one way a failing COM call becomes an exception in this program: the
// error keeps the HRESULT so a caller can tell failures apart when it cares.
class ComError : public std::runtime_error {
 public:
  explicit ComError(HRESULT result);
  HRESULT Result() const { return result_; }

 private:
  HRESULT result_;
};

// Throws ComError for a failure code; success codes such as S_FALSE pass.
inline void ThrowIfFailed(HRESULT hr) {
  if (FAILED(hr)) throw ComError(hr);
}
