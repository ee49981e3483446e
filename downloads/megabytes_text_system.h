#pragma once
// The separators the user has chosen for numbers, for writing megabytes.

#include "downloads/megabytes_text.h"

// From the user's regional settings; a separator the system cannot tell keeps
// its default.
NumberSeparators UserNumberSeparators();
