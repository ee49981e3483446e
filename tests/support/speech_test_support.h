#pragma once

// Shared by the tests of the speech components, the stand-ins and the
// end-to-end driver: a private configuration and log for the stand-ins and
// reading the log back.

#include <windows.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <vector>

#include "tests/support/temp_folder.h"

namespace speech_test {

inline std::string Utf8(const std::wstring& text) {
  const int length = WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string utf8(length, '\0');
  WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), utf8.data(), length,
                      nullptr, nullptr);
  return utf8;
}

// One line of the stand-in log, split into its fields.
struct LogEntry {
  double milliseconds = 0;
  std::string api;
  long objectId = 0;
  std::string method;  // "event StartStream" for events
  std::string arguments;
};

// Split by hand: a regular expression recurses once per character and runs
// out of stack on the long lines of a long reading.
inline bool ParseLogLine(const std::string& line, LogEntry& entry) {
  std::istringstream fields(line);
  std::string milliseconds, api;
  if (!(fields >> milliseconds >> api >> entry.objectId >> entry.method)) return false;
  const size_t point = milliseconds.find('.');
  if (point == std::string::npos || milliseconds.size() - point != 4) return false;
  if (api != "sapi5" && api != "sapi4" && api != "htmlhelp") return false;
  entry.milliseconds = std::stod(milliseconds);
  entry.api = api;
  if (entry.method == "event") {
    std::string name;
    if (!(fields >> name)) return false;
    entry.method += " " + name;
  }
  std::getline(fields >> std::ws, entry.arguments);
  return true;
}

// Every well-formed entry of a log's text, in order.
inline std::vector<LogEntry> ParseLogText(const std::string& text) {
  std::vector<LogEntry> entries;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    LogEntry entry;
    if (ParseLogLine(line, entry)) entries.push_back(entry);
  }
  return entries;
}

// A fresh folder with the stand-ins' configuration and the log they write,
// named to them through the environment for as long as the object lives (and
// again by Use(), for the programs started after it). The stand-ins read the
// configuration whenever they create an object, so a test writes it before
// creating the component under test.
class StandinFiles {
 public:
  explicit StandinFiles(const std::string& config = "");
  ~StandinFiles();
  StandinFiles(const StandinFiles&) = delete;
  StandinFiles& operator=(const StandinFiles&) = delete;

  const std::wstring& Path() const { return folder_.Path(); }
  std::wstring File(const std::wstring& name) const { return folder_.File(name); }

  // Points the stand-ins of this process and of every program it starts from
  // now on (and the programs those start) at this folder.
  void Use() const;
  void WriteConfig(const std::string& utf8) const;

  std::vector<std::string> LogLines() const;
  // Every well-formed entry logged so far; a line still being written is
  // left out.
  std::vector<LogEntry> StandinLog() const;
  // The entries of one API whose method (or "event <name>") matches.
  std::vector<LogEntry> Logged(const std::string& api, const std::string& method) const;
  // Waits for the first logged entry from the given time on that matches.
  bool WaitForLogged(const std::function<bool(const LogEntry&)>& matches, double after,
                     LogEntry& found,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  bool WaitForCall(const std::string& api, const std::string& method, double after, LogEntry& found,
                   std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;

 private:
  TempFolder folder_;
};

}  // namespace speech_test
