#pragma once
// Identifiers shared by downloads/' windows and their dialog templates.
// downloads/ numbers from 3000 to 3999; app/res/resource.h lists every
// folder's range.
#define DOWNLOADS_RESOURCES_FIRST 3000
#define DOWNLOADS_RESOURCES_LAST 3999

#define IDD_VOICES 3000

// The engine download window. Its "&Close" button is IDCANCEL, so that Esc
// and the close box do what it does.
#define IDC_VOICES_INTRODUCTION 3001
#define IDC_ENGINES_LIST 3002
#define IDC_DOWNLOAD_BUTTON 3003
#define IDC_REINSTALL_BUTTON 3004
#define IDC_CHECK_ENGINES_BUTTON 3005
#define IDC_DOWNLOAD_PROGRESS 3006
#define IDC_DOWNLOAD_STATUS 3007
#define IDC_VOICES_MOREVOICES_LINK 3008
