; Tolvane!'s setup: a per-user install that needs no administrator rights.
; The program keeps its settings files beside itself whenever its folder can
; be written, so it goes into the user's own programs folder rather than
; Program Files. Built by cmake/dist.cmake:
;   makensis -DVERSION=<x.y.z> -DPROGRAM_FOLDER=<folder of Tolvane.exe and the
;            help files> -DICON=<program.ico> -DOUTFILE=<setup.exe>
;            -DENGINE_INSTALLERS=<engine_installers.nsh> tolvane.nsi
; ENGINE_INSTALLERS names the download window's installer files, one
; `!insertmacro EngineInstaller "<file name>"` a line, made from the program's
; own engine table so that the two lists cannot drift apart.

!ifndef VERSION | PROGRAM_FOLDER | ICON | OUTFILE | ENGINE_INSTALLERS
  !error "VERSION, PROGRAM_FOLDER, ICON, OUTFILE and ENGINE_INSTALLERS must be defined with -D"
!endif

Unicode true
ManifestDPIAware true
SetCompressor /SOLID lzma
RequestExecutionLevel user

!define PRODUCT "Tolvane!"
!define PUBLISHER "Vantorel"
!define PROGRAM "Tolvane.exe"
!define UNINSTALLER "Uninstall.exe"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tolvane"
!define RUN_KEY "SOFTWARE\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Tolvane"
; The running copy is known by its hidden application window.
!define RUNNING_COPY_CLASS "TApplication"
!define RUNNING_COPY_TITLE "Tolvane!"
!define PROCESS_QUERY_LIMITED_INFORMATION 0x1000
; Setup and uninstaller never run side by side.
!define SETUP_MUTEX "Tolvane! Setup"

!include MUI2.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include Win\WinNT.nsh
!include Win\WinError.nsh
!include FileFunc.nsh

!define SMTO_ABORTIFHUNG 0x0002

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tolvane"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Var RunningCopyClosed

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION}, which reads aloud the text you \
  select in any program.$\r$\n$\r$\nIt is installed for you alone and needs no administrator \
  rights. If ${PRODUCT} is running, Setup closes it first; your settings are kept.$\r$\n$\r$\n\
  Click Next to continue."
!insertmacro MUI_PAGE_WELCOME
; The stock subtitle ends the name with a full stop, after its "!".
!define MUI_PAGE_HEADER_SUBTEXT "Choose the folder in which to install ${PRODUCT}"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE IntoAFolderOfItsOwn
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been installed on your computer. It waits in the \
  notification area: select text in any program and press Ctrl+Backspace to hear it.$\r$\n$\r$\n\
  Click Finish to close Setup."
!define MUI_FINISHPAGE_RUN "$INSTDIR\${PROGRAM}"
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT}"
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

; The functions that setup and uninstaller both need: NSIS wants the
; uninstaller's own copies named with "un.".
!macro SharedFunctions un
  ; Only one setup or uninstaller at a time: two would replace and remove
  ; the same files under each other.
  Function ${un}RefuseASecondSetup
    System::Call 'kernel32::CreateMutexW(p 0, i 0, w "${SETUP_MUTEX}") p .r0 ?e'
    Pop $1
    ${If} $1 = ${ERROR_ALREADY_EXISTS}
      MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} Setup is already running." /SD IDOK
      Abort
    ${EndIf}
  FunctionEnd

  ; The path on the stack as Windows spells the file or folder it names, in
  ; full and without short names, so that two spellings of one place compare
  ; equal (StrCmp ignores case). A path that names nothing stays as it is.
  Function ${un}LongPath
    Exch $0
    Push $1
    Push $2
    System::Call 'kernel32::GetLongPathNameW(w r0, w .r1, i ${NSIS_MAX_STRLEN}) i .r2'
    ${If} $2 > 0
    ${AndIf} $2 < ${NSIS_MAX_STRLEN}
      StrCpy $0 $1
    ${EndIf}
    Pop $2
    Pop $1
    Exch $0
  FunctionEnd

  ; The hidden application window of a copy running from the install folder,
  ; in $R0; 0 when there is none. A copy running from elsewhere (a portable
  ; one) is none of the setup's business.
  Function ${un}FindCopyInInstallFolder
    Push "$INSTDIR\${PROGRAM}"
    Call ${un}LongPath
    Pop $R5
    StrCpy $R0 0
    ${Do}
      FindWindow $R0 "${RUNNING_COPY_CLASS}" "${RUNNING_COPY_TITLE}" 0 $R0
      ${If} $R0 = 0
        Return
      ${EndIf}
      System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1) i'
      System::Call 'kernel32::OpenProcess(i ${PROCESS_QUERY_LIMITED_INFORMATION}, i 0, i R1) p .R2'
      System::Call 'kernel32::QueryFullProcessImageNameW(p R2, i 0, w .R3, \
        *i ${NSIS_MAX_STRLEN}) i .R4'
      System::Call 'kernel32::CloseHandle(p R2)'
      ${If} $R4 <> 0
        Push $R3
        Call ${un}LongPath
        Pop $R3
        ${If} $R3 == $R5
          Return
        ${EndIf}
      ${EndIf}
    ${Loop}
  FunctionEnd

  ; Asks the copy running from the install folder to exit as its tray menu's
  ; "Exit" does, saving its settings, and waits (bounded) until its process
  ; has ended, so that its files can be replaced or removed. A copy that does
  ; not end (hung, or running as administrator, which ignores our message) is
  ; left to the user to exit; cancelling that stops the setup. Sets
  ; $RunningCopyClosed to 1 when a copy was closed.
  Function ${un}CloseRunningCopy
    StrCpy $RunningCopyClosed 0
    ${Do}
      Call ${un}FindCopyInInstallFolder
      ${If} $R0 = 0
        Return
      ${EndIf}
      DetailPrint "Closing the running ${PRODUCT} ..."
      System::Call 'user32::GetWindowThreadProcessId(p R0, *i .R1) i'
      System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i R1) p .R2'
      System::Call 'user32::SendMessageTimeoutW(p R0, i ${WM_CLOSE}, p 0, p 0, \
        i ${SMTO_ABORTIFHUNG}, i 5000, *p .R3) p'
      System::Call 'kernel32::WaitForSingleObject(p R2, i 10000) i .R3'
      System::Call 'kernel32::CloseHandle(p R2)'
      ${If} $R3 = 0
        StrCpy $RunningCopyClosed 1
        Return
      ${EndIf}
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "${PRODUCT} is still running. Exit it from its \
        tray menu, then click Retry." /SD IDCANCEL IDRETRY retry
      Abort "${PRODUCT} is still running."
      retry:
    ${Loop}
  FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

Function .onInit
  SetShellVarContext current
  Call RefuseASecondSetup
FunctionEnd

; A folder chosen on the folder page that already holds files, but not this
; program's, gets a Tolvane folder inside it, as common setups do: the
; program's files never mix with the user's own. (Kept settings, cfg.ini,
; mark a folder of an earlier install.)
Function IntoAFolderOfItsOwn
  ${DirState} "$INSTDIR" $0
  ${If} $0 = 1
  ${AndIfNot} ${FileExists} "$INSTDIR\${PROGRAM}"
  ${AndIfNot} ${FileExists} "$INSTDIR\cfg.ini"
    StrCpy $INSTDIR "$INSTDIR\Tolvane"
    ; The page takes the folder from its field once more as it is left.
    SendMessage $mui.DirectoryPage.Directory ${WM_SETTEXT} 0 "STR:$INSTDIR"
  ${EndIf}
FunctionEnd

Section
  SetShellVarContext current
  Call CloseRunningCopy
  ; Only the program and its help: the settings files (cfg.ini, slots.ini,
  ; words.ini) and the Downloads folder beside them stay as they are.
  SetOutPath "$INSTDIR"
  File "${PROGRAM_FOLDER}/${PROGRAM}"
  File "${PROGRAM_FOLDER}/Help.chm"
  File "${PROGRAM_FOLDER}/tutorial.chm"
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"
  CreateShortcut "${SHORTCUT}" "$INSTDIR\${PROGRAM}" "" "$INSTDIR\${PROGRAM}" 0 SW_SHOWNORMAL "" \
    "Reads aloud the text selected in any program"

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\${PROGRAM},0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
  SectionGetSize 0 $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1

  ; An update in the background must not leave the user without the program
  ; it closed: back into the tray, as at a Windows start.
  ${If} ${Silent}
  ${AndIf} $RunningCopyClosed = 1
    Exec '"$INSTDIR\${PROGRAM}" -autostart'
  ${EndIf}
SectionEnd

Function un.onInit
  SetShellVarContext current
  Call un.RefuseASecondSetup
  ; Started through another spelling of its path (a short name, other case),
  ; it still knows its own registration and autostart value.
  Push $INSTDIR
  Call un.LongPath
  Pop $INSTDIR
  ; Run from any other folder, it would remove files that are not ours.
  ${IfNot} ${FileExists} "$INSTDIR\${PROGRAM}"
    Call un.RegisteredInstallFolder
    Pop $0
    ${If} $0 != $INSTDIR
      MessageBox MB_OK|MB_ICONEXCLAMATION "${PRODUCT} is not installed in $INSTDIR." /SD IDOK
      Abort
    ${EndIf}
  ${EndIf}
FunctionEnd

; The install folder the registration names, spelt as $INSTDIR is.
Function un.RegisteredInstallFolder
  ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
  Push $0
  Call un.LongPath
FunctionEnd

; Removes the autostart value when it starts this install's program; a
; portable copy elsewhere may own it. The value is the quoted program path
; and the start's argument. Called while the program file is still there, so
; that its path can be spelt out in full.
Function un.RemoveAutostart
  ReadRegStr $0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  StrCpy $1 $0 1
  ${If} $1 != '"'
    Return
  ${EndIf}
  StrCpy $2 1
  ${Do}
    StrCpy $1 $0 1 $2
    ${If} $1 == ""
      Return
    ${EndIf}
    ${IfThen} $1 == '"' ${|} ${ExitDo} ${|}
    IntOp $2 $2 + 1
  ${Loop}
  IntOp $2 $2 - 1
  StrCpy $1 $0 $2 1
  Push $1
  Call un.LongPath
  Pop $1
  ${If} $1 == "$INSTDIR\${PROGRAM}"
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}
FunctionEnd

; An engine installer the download window may have put into the Downloads
; folder $0, with the part files of its transfers.
!macro EngineInstaller FILE
  Delete "$0\${FILE}"
  Delete "$0\${FILE}*.part"
!macroend

; Removes the settings files and downloaded engine installers in the folder
; on the stack, and nothing else: the user may keep files of their own there,
; and a folder goes only when it is left empty.
Function un.RemoveSettingsFrom
  Exch $0
  Delete "$0\cfg.ini"
  Delete "$0\slots.ini"
  Delete "$0\words.ini"
  StrCpy $0 "$0\Downloads"
  !include "${ENGINE_INSTALLERS}"
  RMDir "$0"
  Pop $0
FunctionEnd

Section "Uninstall"
  SetShellVarContext current
  Call un.CloseRunningCopy
  MessageBox MB_YESNO|MB_ICONQUESTION "Keep your ${PRODUCT} settings (hot keys, voices, voice slots \
    and pronunciation corrections) and downloaded voice installers for a later install?" \
    /SD IDYES IDYES keepSettings
    Push "$INSTDIR"
    Call un.RemoveSettingsFrom
    ; Where the program keeps its settings when its own folder cannot be
    ; written.
    Push "$APPDATA\Tolvane"
    Call un.RemoveSettingsFrom
    RMDir "$APPDATA\Tolvane"
  keepSettings:

  Call un.RemoveAutostart
  ; Another install may have taken the registration over since.
  Call un.RegisteredInstallFolder
  Pop $0
  ${If} $0 == $INSTDIR
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ${EndIf}
  Delete "$INSTDIR\${PROGRAM}"
  Delete "$INSTDIR\Help.chm"
  Delete "$INSTDIR\tutorial.chm"
  Delete "$INSTDIR\${UNINSTALLER}"
  Delete "${SHORTCUT}"
  ; Only when empty: kept settings and the user's own files stay with their
  ; folder.
  RMDir "$INSTDIR"
SectionEnd
