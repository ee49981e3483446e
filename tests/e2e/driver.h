#pragma once
// The end-to-end driver: runs the real Tolvane.exe from a fresh program folder
// and watches it as a user would, through its windows, its files, the keys it
// holds and the stand-in speech runtimes' configuration.

#include <windows.h>

#include <chrono>
#include <functional>
#include <string>
#include <vector>

#include "tests/support/keyboard.h"
#include "tests/support/message_pump.h"
#include "tests/support/temp_folder.h"

void WriteTextFile(const std::wstring& path, const std::string& text);
std::string ReadTextFile(const std::wstring& path);


// A program folder holding a fresh copy of Tolvane.exe and the configuration
// that the stand-in speech runtimes read when Tolvane starts from it.
class ProgramFolder {
 public:
  explicit ProgramFolder(const std::string& standinConfig);
  const std::wstring& Path() const { return folder_.Path(); }
  std::wstring File(const std::wstring& name) const { return folder_.File(name); }

 private:
  TempFolder folder_;
};

// One start of Tolvane.exe from a program folder; the process is ended with
// the object if it still runs.
class TolvaneProcess {
 public:
  explicit TolvaneProcess(const ProgramFolder& folder, const std::wstring& arguments = L"");
  ~TolvaneProcess();
  TolvaneProcess(const TolvaneProcess&) = delete;
  TolvaneProcess& operator=(const TolvaneProcess&) = delete;

  DWORD ProcessId() const { return process_.dwProcessId; }
  // Waits until the program has finished starting and waits for input.
  bool WaitForIdle() const;
  bool WaitForExit(std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  DWORD ExitCode() const;
  bool Running() const;

  // The first top-level window of this process with the given title, if any.
  HWND FindWindowTitled(const std::wstring& title, bool visibleOnly) const;
  HWND WaitForWindow(const std::wstring& title,
                     std::chrono::milliseconds timeout = std::chrono::seconds(30)) const;
  bool AnyWindowVisible() const;
  // The visible popup menu window of this process, if one is open.
  HWND OpenMenuWindow() const;

 private:
  PROCESS_INFORMATION process_{};
};

// Wine's Notepad with a text file open, in the foreground: the program whose
// selection a reading takes. Closed with the object.
class NotepadProcess {
 public:
  // The text is saved as UTF-16 with its byte order mark, so any script survives.
  NotepadProcess(const std::wstring& folder, const std::wstring& text);
  ~NotepadProcess();
  NotepadProcess(const NotepadProcess&) = delete;
  NotepadProcess& operator=(const NotepadProcess&) = delete;

  HWND Window() const { return window_; }
  // Brings it to the front and selects the whole text with Ctrl+A.
  bool SelectAll() const;
  bool BringToFront() const;
  // Leaves Notepad running when the object goes, for a person to see.
  void KeepOpen() { keepOpen_ = true; }

 private:
  PROCESS_INFORMATION process_{};
  HWND window_ = nullptr;
  bool keepOpen_ = false;
};

// Milliseconds on the clock of the stand-ins' log (QueryPerformanceCounter).
double LogClockMilliseconds();

// Saves what the screen shows as <test programs folder>\screenshots\<name>.bmp,
// for a person to look at; answers whether the file was written.
bool SaveScreenshot(const std::wstring& name);

// The first control inside the window, at any depth, with this caption.
HWND FindControl(HWND window, const std::wstring& caption);
// The first control inside the window, at any depth, with this identifier.
HWND FindControlById(HWND window, int id);
// A click of the left mouse button in the middle of the control, as the mouse
// makes it; answers whether the system took the input.
bool ClickControl(HWND control);

// The text of a message box (its static text), for the window given.
std::wstring MessageBoxText(HWND messageBox);
// Presses a message box's OK button.
void PressOk(HWND messageBox);
