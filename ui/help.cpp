#include "ui/help.h"

#include "base/ansi_code_page.h"
#include "ui/message_boxes.h"

namespace {

// The class of the HTML Help control; its in-process server is the viewer's
// library.
constexpr wchar_t kHtmlHelpServerKey[] =
    L"CLSID\\{adb880a6-d8ff-11cf-9377-00aa003b7a11}\\InprocServer32";
constexpr UINT kDisplayTopic = 0;  // HH_DISPLAY_TOPIC
constexpr UINT kCloseAll = 18;     // HH_CLOSE_ALL

const wchar_t* TopicInFile(HelpTopic topic) {
  switch (topic) {
    case HelpTopic::Introduction:
      return L"::/Source\\Introducing Tolvane!\\Introduction.htm";
    case HelpTopic::ConfiguringKeys:
      return L"::/Source\\Quick start\\Configuring keys.htm";
    case HelpTopic::ReadingText:
      return L"::/Source\\Quick start\\Reading text from any application.htm";
    case HelpTopic::WorkingWithVoiceSlots:
      return L"::/Source\\Quick start\\Working with voice slots.htm";
    case HelpTopic::CorrectingPronunciation:
      return L"::/Source\\Quick start\\Correcting pronunciation.htm";
    case HelpTopic::Tutorial:
      return L"::/tutorial.htm";
  }
  return L"";
}

bool FileExists(const std::wstring& path) {
  return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The registered path, as the system would expand it; empty when there is
// none or it names no file.
std::wstring RegisteredHtmlHelpLibrary() {
  wchar_t value[MAX_PATH]{};
  DWORD size = sizeof value;
  if (RegGetValueW(HKEY_CLASSES_ROOT, kHtmlHelpServerKey, nullptr,
                   RRF_RT_REG_SZ | RRF_RT_REG_EXPAND_SZ | RRF_NOEXPAND, nullptr, value,
                   &size) != ERROR_SUCCESS) {
    return {};
  }
  // Windows registers the library as %SystemRoot%\System32\hhctrl.ocx.
  wchar_t expanded[MAX_PATH]{};
  if (ExpandEnvironmentStringsW(value, expanded, MAX_PATH) == 0) return {};
  if (expanded[0] == L'\0' || !FileExists(expanded)) return {};
  return expanded;
}

// The ANSI entry takes its path in the ANSI code page. A folder name the code
// page cannot hold is given by its short name, which it can where Windows
// keeps short names.
std::string AnsiPath(const std::wstring& path) {
  if (FitsAnsiCodePage(path)) return AnsiFromWide(path);
  wchar_t shortPath[MAX_PATH]{};
  const DWORD length = GetShortPathNameW(path.c_str(), shortPath, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return AnsiFromWide(path);
  return AnsiFromWide(shortPath);
}

}  // namespace

std::optional<HelpTopic> OptionsPageHelpTopic(int page) {
  switch (page) {
    case kGeneralPage:
      return HelpTopic::ConfiguringKeys;
    case kSpeechPage:
      return HelpTopic::ReadingText;
    case kSlotsPage:
      return HelpTopic::WorkingWithVoiceSlots;
    case kPronunciationPage:
      return HelpTopic::CorrectingPronunciation;
    case kAboutPage:
      return HelpTopic::Introduction;
    default:
      return std::nullopt;
  }
}

THtmlHelp::THtmlHelp(HelpFiles files, std::wstring supportMail)
    : files_(std::move(files)), supportMail_(std::move(supportMail)) {}

THtmlHelp::~THtmlHelp() {
  if (library_ != nullptr) FreeLibrary(library_);
}

// Nothing but the registered library is tried: no search path, no other name.
void THtmlHelp::Load() {
  if (library_ != nullptr) return;
  const std::wstring path = RegisteredHtmlHelpLibrary();
  if (path.empty()) return;
  library_ = LoadLibraryW(path.c_str());
  if (library_ == nullptr) return;
  // The wide entry takes any folder name; the ANSI one only where the wide
  // one is missing.
  htmlHelpW_ = reinterpret_cast<HtmlHelpWFunction>(
      reinterpret_cast<void*>(GetProcAddress(library_, "HtmlHelpW")));
  if (htmlHelpW_ != nullptr) return;
  htmlHelpA_ = reinterpret_cast<HtmlHelpAFunction>(
      reinterpret_cast<void*>(GetProcAddress(library_, "HtmlHelpA")));
}

void THtmlHelp::ShowTopic(HWND owner, HelpTopic topic) const {
  if (!Loaded()) {
    // The two lines are separated by a carriage return alone.
    ShowMessage(owner, L"Sorry, but your system doesn't support HTMLHelp.\rPlease, consult " +
                           supportMail_ + L" and we'll send you another help file.");
    return;
  }
  const std::wstring& file = topic == HelpTopic::Tutorial ? files_.tutorial : files_.manual;
  if (htmlHelpW_ != nullptr) {
    htmlHelpW_(owner, (file + TopicInFile(topic)).c_str(), kDisplayTopic, 0);
    return;
  }
  htmlHelpA_(owner, (AnsiPath(file) + AnsiFromWide(TopicInFile(topic))).c_str(), kDisplayTopic, 0);
}

void THtmlHelp::CloseAll() const {
  if (htmlHelpW_ != nullptr) {
    htmlHelpW_(nullptr, nullptr, kCloseAll, 0);
  } else if (htmlHelpA_ != nullptr) {
    htmlHelpA_(nullptr, nullptr, kCloseAll, 0);
  }
}
