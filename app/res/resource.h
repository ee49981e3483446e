#pragma once
// The program's own identifiers, shared by its resource script and app/.
//
// Each folder keeps the identifiers of its windows in a header of its own, in
// a range no other folder uses, so that no two templates, icons or controls of
// one window and no two commands that reach the main window (its buttons and
// the tray menu's items) share a number:
//   app/        1 to 999        app/res/resource.h
//   ui/         1000 to 2999    ui/ui_resources.h
//   downloads/  3000 to 3999    downloads/downloads_resources.h
// tools/check-resource-ids holds every header to its range.
#define APP_RESOURCES_FIRST 1
#define APP_RESOURCES_LAST 999

// Icons. The program icon is also the tray icon at rest; the two frames are
// the tray animation's.
#define IDI_PROGRAM 1
#define IDI_FRAME1 2
#define IDI_FRAME2 3

// The options window.
#define IDD_MAIN 100
#define IDC_PAGES 200
#define IDC_HELP_BUTTON 201
#define IDC_ADDITIONAL_VOICES_BUTTON 202
