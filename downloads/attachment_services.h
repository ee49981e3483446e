#pragma once
// Windows' attachment services, which browsers hand their downloads to: the
// file gets the mark of where it came from, so that SmartScreen and the
// consent prompt know it for a download, and the virus scanner looks at it.

#include <string>

// Hands the downloaded file at `path`, fetched from `source`, to the
// services. False when they refuse it (the scanner found something, or the
// user's policy forbids such files); it may then be gone already. Where the
// services are missing, as under Wine, the file is kept as it is. Initialises
// COM on the calling thread for the call.
bool SaveAsDownload(const std::wstring& path, const std::wstring& source);
