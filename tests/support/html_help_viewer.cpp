#include "tests/support/html_help_viewer.h"

#include <cstdint>

#include "tests/support/hotkey_probe_client.h"
#include "tests/support/standin_log_quoting.h"

namespace {

constexpr wchar_t kHtmlHelpServerKey[] =
    L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";

void RegisterHtmlHelpLibrary(const std::wstring& library) {
  RegSetKeyValueW(HKEY_CLASSES_ROOT, kHtmlHelpServerKey, nullptr, REG_SZ, library.c_str(),
                  static_cast<DWORD>((library.size() + 1) * sizeof(wchar_t)));
}

}  // namespace

HtmlHelpViewer::HtmlHelpViewer(const std::wstring& library) {
  wchar_t registered[MAX_PATH]{};
  DWORD size = sizeof registered;
  RegGetValueW(HKEY_CLASSES_ROOT, kHtmlHelpServerKey, nullptr, RRF_RT_REG_SZ, nullptr, registered,
               &size);
  registered_ = registered;
  RegisterHtmlHelpLibrary(library);
}

HtmlHelpViewer::~HtmlHelpViewer() { RegisterHtmlHelpLibrary(registered_); }

std::string HelpRequestArguments(HWND owner, const std::string& title, const std::string& path) {
  return std::to_string(reinterpret_cast<uintptr_t>(owner)) + " " + Quoted(title) + " " +
         Quoted(path) + " 0 0";
}

std::wstring StandinHtmlHelp() { return TestProgramFolder() + L"\\standin_htmlhelp.dll"; }
