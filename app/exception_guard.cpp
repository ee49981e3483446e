#include "app/exception_guard.h"

void AppEventsException() noexcept {}
