#include "tests/support/speech_test_support.h"

#include <fstream>

#include "tests/support/message_pump.h"

namespace speech_test {

namespace {

constexpr wchar_t kConfigName[] = L"standin.cfg";
constexpr wchar_t kLogName[] = L"standin.log";

}  // namespace

StandinFiles::StandinFiles(const std::string& config) {
  WriteConfig(config);
  Use();
}

StandinFiles::~StandinFiles() {
  SetEnvironmentVariableW(L"TOLVANE_STANDIN_CONFIG", nullptr);
  SetEnvironmentVariableW(L"TOLVANE_STANDIN_LOG", nullptr);
}

void StandinFiles::Use() const {
  SetEnvironmentVariableW(L"TOLVANE_STANDIN_CONFIG", File(kConfigName).c_str());
  SetEnvironmentVariableW(L"TOLVANE_STANDIN_LOG", File(kLogName).c_str());
}

void StandinFiles::WriteConfig(const std::string& utf8) const {
  WriteTextFile(File(kConfigName), utf8);
}

std::vector<std::string> StandinFiles::LogLines() const {
  std::ifstream file(File(kLogName).c_str(), std::ios::binary);
  std::vector<std::string> lines;
  for (std::string line; std::getline(file, line);) lines.push_back(line);
  return lines;
}

std::vector<LogEntry> StandinFiles::StandinLog() const {
  return ParseLogText(ReadTextFile(File(kLogName)));
}

std::vector<LogEntry> StandinFiles::Logged(const std::string& api,
                                           const std::string& method) const {
  std::vector<LogEntry> matching;
  for (const LogEntry& entry : StandinLog()) {
    if (entry.api == api && entry.method == method) matching.push_back(entry);
  }
  return matching;
}

bool StandinFiles::WaitForLogged(const std::function<bool(const LogEntry&)>& matches, double after,
                                 LogEntry& found, std::chrono::milliseconds timeout) const {
  return WaitUntil(
      [&] {
        for (const LogEntry& entry : StandinLog()) {
          if (entry.milliseconds >= after && matches(entry)) {
            found = entry;
            return true;
          }
        }
        return false;
      },
      timeout);
}

bool StandinFiles::WaitForCall(const std::string& api, const std::string& method, double after,
                               LogEntry& found, std::chrono::milliseconds timeout) const {
  return WaitForLogged(
      [&](const LogEntry& entry) { return entry.api == api && entry.method == method; }, after,
      found, timeout);
}

}  // namespace speech_test
