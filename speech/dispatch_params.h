#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>
#include <vector>

// Reading the arguments of IDispatch::Invoke. Positional arguments arrive
// last-first behind the named ones; a named one carries its position. The
// variants returned are views into the caller's array, not copies.
inline std::vector<VARIANT> ParametersInOrder(const DISPPARAMS& params, size_t declared) {
  std::vector<VARIANT> ordered(declared);
  for (VARIANT& parameter : ordered) VariantInit(&parameter);
  for (UINT k = 0; k < params.cArgs; ++k) {
    const UINT position =
        k < params.cNamedArgs ? static_cast<UINT>(params.rgdispidNamedArgs[k]) : params.cArgs - 1 - k;
    if (position < declared) ordered[position] = params.rgvarg[k];
  }
  return ordered;
}

// A missing or unconvertible argument reads as 0.
inline long LongOf(VARIANT value) {
  VARIANT converted;
  VariantInit(&converted);
  if (FAILED(VariantChangeType(&converted, &value, 0, VT_I4))) return 0;
  return converted.lVal;
}
