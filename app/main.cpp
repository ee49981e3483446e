// Tolvane's entry: one copy per user session, its windows created in a fixed
// order, then the message loop.
#include <windows.h>

#include <objbase.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/application.h"
#include "app/main_form.h"
#include "base/com_apartment.h"
#include "base/exception_guard.h"
#include "base/program_folder.h"
#include "settings/program_files.h"

namespace {

constexpr wchar_t kAlreadyRunningText[] = L"Tolvane! is already running now.";

std::vector<std::wstring> CommandLineArguments() {
  int count = 0;
  wchar_t** arguments = CommandLineToArgvW(GetCommandLineW(), &count);
  std::vector<std::wstring> result(arguments, arguments + count);
  LocalFree(arguments);
  return result;
}

int RunTolvane(HINSTANCE instance) {
  ComApartment com;
  TApplication application(instance);
  if (application.AnotherCopyRuns()) {
    // The running copy is neither signalled nor brought forward.
    ShowInformation(nullptr, kAlreadyRunningText);
    return 0;
  }
  application.SetTitle(kProgramTitle);

  TfrmMain frmMain(application, ChooseProgramFiles(ProgramFolder(), UserAppDataFolder()),
                   CommandLineArguments());
  frmMain.ShowFirstRunWindows();
  frmMain.ShowAtStart();
  return application.Run();
}

}  // namespace

// Nothing that fails may end the program with the runtime's abort: whatever
// escaped every other guard ends it here, quietly.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  try {
    return RunTolvane(instance);
  } catch (...) {
    AppEventsException();
    return 1;
  }
}
