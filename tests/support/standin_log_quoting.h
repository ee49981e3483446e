#pragma once
// How the stand-in speech runtimes write a string argument in their log: in
// double quotes, with every double quote and backslash in it escaped by a
// backslash, and carriage returns and line feeds written as \r and \n. Tests
// build the lines they expect with it.

#include <string>

inline std::string Quoted(const std::string& text) {
  std::string quoted = "\"";
  for (char c : text) {
    if (c == '\r' || c == '\n') {
      quoted += c == '\r' ? "\\r" : "\\n";
      continue;
    }
    if (c == '"' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}
