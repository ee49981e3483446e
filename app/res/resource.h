#pragma once
// Identifiers shared by the resource script and the code.

// Icons. The program icon is also the tray icon at rest; the two frames are
// the tray animation's.
#define IDI_PROGRAM 1
#define IDI_FRAME1 2
#define IDI_FRAME2 3

// Windows.
#define IDD_MAIN 100
#define IDD_PAGE_GENERAL 101
#define IDD_PAGE_SPEECH 102
#define IDD_PAGE_SLOTS 103
#define IDD_PAGE_PRONUNCIATION 104
#define IDD_PAGE_ABOUT 105
#define IDD_SLOT 110
#define IDD_WORD 111
#define IDD_WELCOME 112
#define IDD_VOICES 113
#define IDD_PARTNER_OFFER 114

// The options window.
#define IDC_PAGES 1000
#define IDC_HELP_BUTTON 1001
#define IDC_ADDITIONAL_VOICES_BUTTON 1002

// The "General" page.
#define IDC_STARTUP_GROUP 1100
#define IDC_AUTOSTART_CHECKBOX 1101
#define IDC_TRAYICON_CHECKBOX 1102
#define IDC_HELPER_HOTKEYEX 1103
#define IDC_HOTKEYS_GROUP 1104
#define IDC_READING_LABEL 1105
#define IDC_READING_HOTKEY 1106
#define IDC_OPTIONS_LABEL 1107
#define IDC_OPTIONS_HOTKEY 1108
#define IDC_STOP_LABEL 1109
#define IDC_STOP_HOTKEY 1110

// The "Default voice" page.
#define IDC_SPEECH_LABEL 1200
#define IDC_VOICESLIST 1201
#define IDC_MOREVOICES_LINK 1202
#define IDC_TEST_TEXT 1203
#define IDC_TEST_BUTTON 1204
#define IDC_PROPERTIES_GROUP 1205
#define IDC_SPEED_LABEL 1206
#define IDC_SPEED_BAR 1207
#define IDC_SPEED_VALUE 1208
#define IDC_PITCH_LABEL 1209
#define IDC_PITCH_BAR 1210
#define IDC_PITCH_VALUE 1211
#define IDC_VOLUME_LABEL 1212
#define IDC_VOLUME_BAR 1213
#define IDC_VOLUME_VALUE 1214

// The "Voice slots" page.
#define IDC_SLOTS_LABEL 1300
#define IDC_SLOTSLIST 1301
#define IDC_SLOT_ADD_BUTTON 1302
#define IDC_SLOT_EDIT_BUTTON 1303
#define IDC_SLOT_DELETE_BUTTON 1304
#define IDC_SLOT_CLEAR_BUTTON 1305

// The "Pronunciation" page.
#define IDC_IGNORECHARACTERS_CHECKBOX 1400
#define IDC_IGNORED_CHARACTERS 1401
#define IDC_WORDSCORR_CHECKBOX 1402
#define IDC_WORDS_TABLE 1403
#define IDC_WORD_ADD_BUTTON 1404
#define IDC_WORD_EDIT_BUTTON 1405
#define IDC_WORD_DELETE_BUTTON 1406
#define IDC_WORD_TEST_BUTTON 1407

// The "About" page.
#define IDC_ABOUT_ICON 1500
#define IDC_ABOUT_NAME 1501
#define IDC_ABOUT_LINE 1502
#define IDC_HOMEPAGE_LINK 1503
#define IDC_INFORMATION_LINK 1504
#define IDC_SUPPORT_LINK 1505

// Commands of the tray menu, sent to the main window.
#define IDM_OPTIONS1 2001
#define IDM_CONFIGUREVOICESLOTS1 2002
#define IDM_ADDITIONALVOICES1 2003
#define IDM_GETMOREQUALITYVOICESNOW1 2004
#define IDM_STOPREADING1 2005
#define IDM_HELP1 2006
#define IDM_TUTORIAL1 2007
#define IDM_WEBSITE1 2008
#define IDM_ABOUT1 2009
#define IDM_EXIT1 2010

// The message through which the tray icon reports mouse events to the main
// window (its lParam is the mouse message).
#define TRAY_ICON_MESSAGE (WM_APP + 1)
