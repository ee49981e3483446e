#pragma once
// The program's help: the manual (Help.chm) and the tutorial (tutorial.chm)
// beside the program, shown by the Windows HTML Help viewer. The viewer's
// library is the one the system registers for the HTML Help control, loaded
// once and kept for the run. Windows ask for a topic; none of them loads the
// library itself.

#include <windows.h>

#include <optional>
#include <string>

#include "ui/options_pages.h"

enum class HelpTopic {
  Introduction,
  ConfiguringKeys,
  ReadingText,
  WorkingWithVoiceSlots,
  CorrectingPronunciation,
  Tutorial,
};

// The topic of the options window's "&Help" button and help event for the
// active page; none for an index that is no page.
std::optional<HelpTopic> OptionsPageHelpTopic(int page);

struct HelpFiles {
  std::wstring manual;    // full path of Help.chm
  std::wstring tutorial;  // path of tutorial.chm
};

class THtmlHelp {
 public:
  // `supportMail` is named in the message that stands in for the help when
  // the viewer is missing.
  THtmlHelp(HelpFiles files, std::wstring supportMail);
  ~THtmlHelp();
  THtmlHelp(const THtmlHelp&) = delete;
  THtmlHelp& operator=(const THtmlHelp&) = delete;

  // The HTML Help loader: does nothing once the library is loaded.
  void Load();
  bool Loaded() const { return htmlHelpW_ != nullptr || htmlHelpA_ != nullptr; }

  // The topic over `owner`, or the message that help is not available.
  void ShowTopic(HWND owner, HelpTopic topic) const;
  // Closes every help window the viewer opened for the program.
  void CloseAll() const;

 private:
  using HtmlHelpWFunction = HWND(WINAPI*)(HWND, LPCWSTR, UINT, DWORD_PTR);
  using HtmlHelpAFunction = HWND(WINAPI*)(HWND, LPCSTR, UINT, DWORD_PTR);

  HelpFiles files_;
  std::wstring supportMail_;
  HMODULE library_ = nullptr;
  // One of the two entries of the library: the wide one where it has it.
  HtmlHelpWFunction htmlHelpW_ = nullptr;
  HtmlHelpAFunction htmlHelpA_ = nullptr;
};

// Shown at start-up when the library cannot be loaded.
inline constexpr wchar_t kHtmlHelpMissingText[] = L"HTML Help is not installed on this PC.";
