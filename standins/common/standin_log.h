#pragma once

#include <windows.h>

#include <initializer_list>
#include <string>
#include <type_traits>

// The stand-ins' log: every call received and every event fired, one UTF-8
// line each, appended to the file named by TOLVANE_STANDIN_LOG and flushed at
// once, so tests and people can follow a run while it happens:
//   <milliseconds, 3 decimals> <sapi5|sapi4> <object id> <Method> <arguments>
// Strings are quoted with \" \\ \r \n escaped, numbers decimal, GUIDs braced.
class StandinLog {
 public:
  // Each logging object gets the next id of this stand-in, so the objects of
  // one class can be told apart.
  explicit StandinLog(const char* api);

  long ObjectId() const { return objectId_; }

  template <class... Arguments>
  void Call(const char* method, const Arguments&... arguments) const {
    Write("", method, {Argument(arguments)...});
  }

  template <class... Arguments>
  void Event(const char* name, const Arguments&... arguments) const {
    Write("event ", name, {Argument(arguments)...});
  }

  static std::string Argument(const std::string& utf8);
  static std::string Argument(const std::wstring& text);
  static std::string Argument(const GUID& guid);
  template <class Number, class = std::enable_if_t<std::is_arithmetic_v<Number>>>
  static std::string Argument(Number number) {
    return std::to_string(number);
  }

 private:
  void Write(const char* kind, const char* name, std::initializer_list<std::string> arguments) const;

  const char* api_;
  long objectId_;
};
