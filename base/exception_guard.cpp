#include "base/exception_guard.h"

void AppEventsException() noexcept {}
