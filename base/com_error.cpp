#include "base/com_error.h"

#include <cstdio>

namespace {

std::string DescribeResult(HRESULT result) {
  char text[32];
  std::snprintf(text, sizeof text, "COM error 0x%08lX", static_cast<unsigned long>(result));
  return text;
}

}  // namespace

ComError::ComError(HRESULT result) : std::runtime_error(DescribeResult(result)), result_(result) {}
