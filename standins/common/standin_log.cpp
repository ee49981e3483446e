#include "standins/common/standin_log.h"

#include <atomic>
#include <cstdio>

#include "standins/common/standin_config.h"

namespace {

std::atomic<long> lastObjectId{0};

double MillisecondsNow() {
  LARGE_INTEGER frequency, counter;
  QueryPerformanceFrequency(&frequency);
  QueryPerformanceCounter(&counter);
  return static_cast<double>(counter.QuadPart) * 1000.0 / static_cast<double>(frequency.QuadPart);
}

std::wstring LogPath() {
  wchar_t path[MAX_PATH * 2];
  const DWORD length = GetEnvironmentVariableW(L"TOLVANE_STANDIN_LOG", path, static_cast<DWORD>(std::size(path)));
  if (length == 0 || length >= std::size(path)) return {};
  return std::wstring(path, length);
}

// Opened for appending per line: every line lands whole at the end even when
// both stand-ins and several processes write to the same file.
void AppendLine(const std::wstring& path, const std::string& line) {
  HANDLE file = CreateFileW(path.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                            nullptr, OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (file == INVALID_HANDLE_VALUE) return;
  DWORD written = 0;
  WriteFile(file, line.data(), static_cast<DWORD>(line.size()), &written, nullptr);
  FlushFileBuffers(file);
  CloseHandle(file);
}

}  // namespace

StandinLog::StandinLog(const char* api) : api_(api), objectId_(++lastObjectId) {}

std::string StandinLog::Argument(const std::string& utf8) {
  std::string quoted = "\"";
  for (char c : utf8) {
    switch (c) {
      case '"': quoted += "\\\""; break;
      case '\\': quoted += "\\\\"; break;
      case '\r': quoted += "\\r"; break;
      case '\n': quoted += "\\n"; break;
      default: quoted += c;
    }
  }
  return quoted + "\"";
}

std::string StandinLog::Argument(const std::wstring& text) { return Argument(Utf8FromWide(text)); }

std::string StandinLog::Argument(const GUID& guid) {
  wchar_t text[39];
  StringFromGUID2(guid, text, 39);
  return Utf8FromWide(std::wstring(text, 38));
}

void StandinLog::Write(const char* kind, const char* name, std::initializer_list<std::string> arguments) const {
  const std::wstring path = LogPath();
  if (path.empty()) return;
  char prefix[64];
  std::snprintf(prefix, sizeof prefix, "%.3f %s %ld ", MillisecondsNow(), api_, objectId_);
  std::string line = prefix;
  line += kind;
  line += name;
  for (const std::string& argument : arguments) {
    line += ' ';
    line += argument;
  }
  line += '\n';
  AppendLine(path, line);
}
