#pragma once
// Identifiers shared by ui/'s windows and their dialog templates, and the
// commands of the tray menu, which reach its owner window. ui/ numbers from
// 1000 to 2999; app/res/resource.h lists every folder's range.
#define UI_RESOURCES_FIRST 1000
#define UI_RESOURCES_LAST 2999

// Windows.
#define IDD_PAGE_GENERAL 1001
#define IDD_PAGE_SPEECH 1002
#define IDD_PAGE_SLOTS 1003
#define IDD_PAGE_PRONUNCIATION 1004
#define IDD_PAGE_ABOUT 1005
#define IDD_SLOT 1010
#define IDD_WORD 1011
#define IDD_WELCOME 1012
#define IDD_PARTNER_OFFER 1013

// The "General" page.
#define IDC_STARTUP_GROUP 1100
#define IDC_AUTOSTART_CHECKBOX 1101
#define IDC_TRAYICON_CHECKBOX 1102
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
#define IDC_ABOUT_VERSION 1506

// The slot editor. Its voice picker, the group around it and the link have
// the identifiers of the "Default voice" page's.
#define IDC_SLOT_GROUP 1600
#define IDC_SLOT_VOICE_LABEL 1601
#define IDC_SLOT_HOTKEY_LABEL 1602
#define IDC_SLOT_HOTKEY 1603
#define IDC_SLOT_TEST_BUTTON 1604

// The correction editor.
#define IDC_WORD_LABEL 1700
#define IDC_WORD_FIELD 1701
#define IDC_PRONOUNCE_LABEL 1702
#define IDC_PRONOUNCE_FIELD 1703
#define IDC_CASE_SENSITIVE_CHECKBOX 1704
#define IDC_WORD_HELP_LINK 1705
#define IDC_WORD_EDITOR_TEST_BUTTON 1706

// The editors' window icons, in add mode and in edit mode (drawn into
// app/res/ beside the program's icon).
#define IDI_EDITOR_ADD 1800
#define IDI_EDITOR_EDIT 1801

// The welcome window.
#define IDC_WELCOME_TITLE 1900
#define IDC_WELCOME_GREETING 1901
#define IDC_WELCOME_CONTINUE 1902

// The partner's voice offer.
#define IDC_OFFER_ICON 1910
#define IDC_OFFER_INTRODUCTION 1911
#define IDC_OFFER_WINDOWS_VOICES 1912
#define IDC_OFFER_OTHER_MAKERS 1913
#define IDC_OFFER_ADDITIONAL_VOICES 1914
#define IDC_OFFER_ENGINES_LINK 1915

// Commands of the tray menu, sent to its owner window.
#define IDM_TRAY_OPTIONS 2001
#define IDM_TRAY_VOICE_SLOTS 2002
#define IDM_TRAY_ADDITIONAL_VOICES 2003
#define IDM_TRAY_MORE_VOICES 2004
#define IDM_TRAY_PAUSE_RESUME 2005
#define IDM_TRAY_HELP 2006
#define IDM_TRAY_TUTORIAL 2007
#define IDM_TRAY_WEBSITE 2008
#define IDM_TRAY_ABOUT 2009
#define IDM_TRAY_EXIT 2010

// The message through which the tray icon reports mouse events to the window
// that holds it (its lParam is the mouse message). Not a resource: it stands
// here because the tray is ui's and tests post it.
#define TRAY_ICON_MESSAGE (WM_APP + 1)
