// The HTML Help viewer's entry points, logged and answered as the viewer
// answers when it shows no window: every call is one line of the stand-ins'
// log,
//   <ms> htmlhelp <id> HtmlHelpA <window> "<window's title>" "<path>" <command> <data>
// so a test sees which topic was asked for over which window.
#include <windows.h>

#include <cstdint>
#include <string>

#include "standins/common/standin_log.h"

namespace {

const StandinLog& Log() {
  static const StandinLog log("htmlhelp");
  return log;
}

std::wstring WindowTitle(HWND window) {
  if (window == nullptr) return L"";
  wchar_t title[256]{};
  GetWindowTextW(window, title, 256);
  return title;
}

std::wstring WideFromAnsi(const char* text) {
  if (text == nullptr) return L"";
  const int length = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  std::wstring wide(static_cast<size_t>(length > 0 ? length - 1 : 0), L'\0');
  if (length > 1) MultiByteToWideChar(CP_ACP, 0, text, -1, wide.data(), length);
  return wide;
}

void LogCall(const char* method, HWND window, const std::wstring& path, UINT command,
             DWORD_PTR data) {
  Log().Call(method, reinterpret_cast<std::uintptr_t>(window), WindowTitle(window), path, command,
             data);
}

}  // namespace

// No help window is shown: the viewer answers no window.
extern "C" HWND WINAPI HtmlHelpA(HWND window, LPCSTR path, UINT command, DWORD_PTR data) {
  LogCall("HtmlHelpA", window, WideFromAnsi(path), command, data);
  return nullptr;
}

extern "C" HWND WINAPI HtmlHelpW(HWND window, LPCWSTR path, UINT command, DWORD_PTR data) {
  LogCall("HtmlHelpW", window, path == nullptr ? L"" : path, command, data);
  return nullptr;
}
