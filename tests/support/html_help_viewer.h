#pragma once
// The HTML Help viewer the program finds, for the tests that follow its help
// requests through the stand-in viewer's log.

#include <windows.h>

#include <string>

// Where the program looks for the HTML Help viewer: the library registered
// for the HTML Help control. The object registers another file for its
// lifetime, then puts back what was registered before.
class HtmlHelpViewer {
 public:
  explicit HtmlHelpViewer(const std::wstring& library);
  ~HtmlHelpViewer();
  HtmlHelpViewer(const HtmlHelpViewer&) = delete;
  HtmlHelpViewer& operator=(const HtmlHelpViewer&) = delete;

 private:
  std::wstring registered_;
};

// The stand-in viewer beside the test programs, which logs every request.
std::wstring StandinHtmlHelp();
// The arguments it logs for a request to show `path` (file and topic) over
// the window `owner` titled `title`.
std::string HelpRequestArguments(HWND owner, const std::string& title, const std::string& path);
