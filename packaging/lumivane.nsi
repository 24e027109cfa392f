; The Lumivane installer. tools/package builds it once an architecture:
;
;   makensis -DVERSION=2.05 -DARCH=win64 -DSTAGE=DIR -DICON=FILE -DOUTFILE=FILE lumivane.nsi
;
; STAGE holds lumivane.exe, lvhelp.chm, lvmon.exe and README.txt; ICON is
; the program's icon, for the installer and uninstaller. The win64
; installer is a 64-bit program (the amd64-unicode stub), the win32 one a
; 32-bit program.
;
; Per-user by default, into %LOCALAPPDATA%\Programs\Lumivane, with no
; administrator rights; "for everyone" installs into Program Files and asks
; for them. On the command line:
;   /S               silent          /D=FOLDER        where (last, unquoted)
;   /CurrentUser     just for me     /AllUsers        for everyone
;   /StartAtSignIn   start Lumivane when the user signs in
;
; What it makes, and the uninstaller removes again (nothing else):
;   the four files and uninstall.exe in the folder, the folder itself and
;   those of its parents it had to make; the Start menu folder Lumivane with
;   three shortcuts; the uninstall entry (HKCU, or HKLM for everyone), and
;   the Uninstall key above it when it had to make that; optionally the Run
;   value "Lumivane" under HKCU.
;
; A running copy is ended through its own Exit command before files are
; replaced or removed, never killed.

!ifndef VERSION | ARCH | STAGE | ICON | OUTFILE
  !error "VERSION, ARCH, STAGE, ICON and OUTFILE must be defined (see tools/package)"
!endif

!if "${ARCH}" == "win64"
  Target amd64-unicode
!else if "${ARCH}" == "win32"
  Target x86-unicode
!else
  !error "ARCH must be win64 or win32"
!endif

!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include MUI2.nsh
!include nsDialogs.nsh
!include Sections.nsh

!define PRODUCT "Lumivane"
!define PUBLISHER "The Lumivane developers"
!define UNINST_PARENT "Software\Microsoft\Windows\CurrentVersion\Uninstall"
!define UNINST_KEY "${UNINST_PARENT}\Lumivane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define RUN_VALUE "Lumivane"
!define SM_FOLDER "$SMPROGRAMS\Lumivane"
; What the running program is known by (app/lv_app.h, the tray's hidden
; window, the bar's dialog class and its Exit command in bar/lv_dlg.h).
!define APP_MUTEX "LumivaneAppMutex"
!define TRAY_WND_CLASS "LumivaneHiddenWindow"
!define TRAY_WND_TITLE "CTrayNotifyIcon Resurrection Notification Window"
!define ID_APP_EXIT 40002
!define IDCANCEL 2

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
Unicode true
SetCompressor /SOLID lzma
RequestExecutionLevel user
ShowInstDetails show
ShowUninstDetails show
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} ${VERSION} setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

Var AllUsers      ; 1: for everyone, 0: just for me
Var ModeGiven     ; 1 when the command line chose the mode
Var GivenDir      ; the folder /D= named, if any
Var TopMadeDir    ; the highest folder the install had to make, or ""
Var MadeUninstKey ; 1 when the install had to make the Uninstall key
Var RadioMe
Var RadioAll

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_COMPONENTSPAGE_NODESC
; Started by the shell, not by this installer: an install for everyone runs
; elevated, and the program must run as the signed-in user (elevated, the
; shell's messages would not reach it, and it would not be the user's).
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartAsSignedInUser
!define MUI_FINISHPAGE_RUN_TEXT "Start Lumivane now"
!define MUI_FINISHPAGE_RUN_NOTCHECKED

Page custom ModePage ModePageLeave
!define MUI_PAGE_HEADER_TEXT "Starting Lumivane"
!define MUI_PAGE_HEADER_SUBTEXT "Choose whether Lumivane starts when you sign in."
!define MUI_COMPONENTSPAGE_TEXT_TOP "Lumivane can start by itself each time you sign in to Windows. It does not unless you tick it."
!define MUI_COMPONENTSPAGE_TEXT_COMPLIST "Options:"
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; ---------------------------------------------------------------------------
; Ending a running copy through its Exit sequence

; The program holds its mutex from start-up until its process ends. Its bar
; is the #32770 dialog without a title on the thread that owns the tray
; icon's hidden window; WM_COMMAND ID_APP_EXIT runs the same Exit as the
; menu's (pointers and row 0 put back, the icon removed). A bare WM_CLOSE
; would only end the dialog. Its other dialogs on that thread (the About
; box, Display adjust, a message box) are cancelled first, as Escape would.
Function StartAsSignedInUser
  Exec '"$WINDIR\explorer.exe" "$INSTDIR\lumivane.exe"'
FunctionEnd

!macro END_RUNNING_COPY un
Function ${un}EndRunningCopy
  Push $0
  Push $1
  Push $2
  Push $3
  Push $4
  Push $5
  Push $6
  StrCpy $5 0            ; tenths of a second waited
  ${Do}
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "${APP_MUTEX}") p .r0'
    ${If} $0 == 0
      ${Break}           ; no copy runs (any more)
    ${EndIf}
    System::Call 'kernel32::CloseHandle(p r0)'
    ${If} $5 = 0
      DetailPrint "Ending the running copy of Lumivane"
    ${EndIf}
    ; Its bar, once the splash has gone; Exit is sent once a second.
    IntOp $1 $5 % 10
    ${If} $1 = 0
      FindWindow $0 "${TRAY_WND_CLASS}" "${TRAY_WND_TITLE}"
      ${If} $0 != 0
        System::Call 'user32::GetWindowThreadProcessId(p r0, p 0) i .r1'
        StrCpy $2 0
        StrCpy $6 0
        ${Do}
          FindWindow $2 "#32770" "" 0 $2
          ${If} $2 == 0
            ${Break}
          ${EndIf}
          System::Call 'user32::GetWindowThreadProcessId(p r2, p 0) i .r3'
          System::Call 'user32::GetWindowTextLengthW(p r2) i .r4'
          ${If} $3 = $1
            ${If} $4 = 0
              StrCpy $6 $2  ; the bar
            ${Else}
              ; A dialog of its own (About, Display adjust) runs its own
              ; loop: Cancel it, as Escape would, so that Exit can end
              ; the program.
              SendMessage $2 ${WM_COMMAND} ${IDCANCEL} 0 /TIMEOUT=2000
            ${EndIf}
          ${EndIf}
        ${Loop}
        ${If} $6 != 0
          SendMessage $6 ${WM_COMMAND} ${ID_APP_EXIT} 0 /TIMEOUT=5000
        ${EndIf}
      ${EndIf}
    ${EndIf}
    ${If} $5 >= 150
      MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "Lumivane is running and did not end. End it with Exit in its tray menu, then choose Retry." /SD IDCANCEL IDRETRY retry
      SetErrorLevel 2
      Quit
      retry:
      StrCpy $5 0
    ${Else}
      Sleep 100
      IntOp $5 $5 + 1
    ${EndIf}
  ${Loop}
  Pop $6
  Pop $5
  Pop $4
  Pop $3
  Pop $2
  Pop $1
  Pop $0
FunctionEnd
!macroend
!insertmacro END_RUNNING_COPY ""
!insertmacro END_RUNNING_COPY "un."

; ---------------------------------------------------------------------------
; Just for me or for everyone

!macro IS_ADMIN var
  UserInfo::GetAccountType
  Pop ${var}
!macroend

; Starts this installer again with administrator rights for an install for
; everyone; the copy without them ends.
Function Elevate
  ${GetParameters} $R0
  ${GetOptions} $R0 "/Elevated" $R1
  ${IfNot} ${Errors}
    MessageBox MB_ICONSTOP "Installing for everyone needs administrator rights." /SD IDOK
    SetErrorLevel 5
    Quit
  ${EndIf}
  ; The same choices again; /D= must come last.
  StrCpy $R2 "/AllUsers /Elevated"
  ${If} ${Silent}
    StrCpy $R2 "/S $R2"
  ${EndIf}
  ${GetOptions} $R0 "/StartAtSignIn" $R1
  ${IfNot} ${Errors}
    StrCpy $R2 "$R2 /StartAtSignIn"
  ${EndIf}
  ${If} $GivenDir != ""
    StrCpy $R2 "$R2 /D=$GivenDir"
  ${EndIf}
  ExecShell "runas" "$EXEPATH" "$R2"
  Quit
FunctionEnd

Function UseMode
  ${If} $AllUsers = 1
    SetShellVarContext all
  ${Else}
    SetShellVarContext current
  ${EndIf}
  ReadRegStr $R0 SHCTX "${UNINST_KEY}" "InstallLocation"
  ${If} $GivenDir != ""
    StrCpy $INSTDIR $GivenDir
  ${ElseIf} $R0 != ""
    StrCpy $INSTDIR $R0
  ${ElseIf} $AllUsers = 1
    !if "${ARCH}" == "win64"
      StrCpy $INSTDIR "$PROGRAMFILES64\${PRODUCT}"
    !else
      StrCpy $INSTDIR "$PROGRAMFILES\${PRODUCT}"
    !endif
  ${Else}
    StrCpy $INSTDIR "$LOCALAPPDATA\Programs\${PRODUCT}"
  ${EndIf}
FunctionEnd

Function ModePage
  ${If} $ModeGiven = 1
    Abort
  ${EndIf}
  !insertmacro MUI_HEADER_TEXT "Who is Lumivane for?" "Install it for your account only, or for everyone on this computer."
  nsDialogs::Create 1018
  Pop $R0
  ${NSD_CreateRadioButton} 0 10u 100% 12u "&Just for me (no administrator rights needed)"
  Pop $RadioMe
  ${NSD_CreateRadioButton} 0 30u 100% 12u "&Everyone on this computer (needs administrator rights)"
  Pop $RadioAll
  ${If} $AllUsers = 1
    ${NSD_Check} $RadioAll
  ${Else}
    ${NSD_Check} $RadioMe
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function ModePageLeave
  ${NSD_GetState} $RadioAll $R0
  ${If} $R0 = ${BST_CHECKED}
    StrCpy $AllUsers 1
    !insertmacro IS_ADMIN $R1
    ${If} $R1 != "Admin"
      Call Elevate
    ${EndIf}
  ${Else}
    StrCpy $AllUsers 0
  ${EndIf}
  Call UseMode
FunctionEnd

; ---------------------------------------------------------------------------
; The install

Section "-Lumivane" SecMain
  Call EndRunningCopy

  ; An upgrade keeps what the first install recorded it had made.
  ReadRegStr $R0 SHCTX "${UNINST_KEY}" "InstallLocation"
  ${If} $R0 == $INSTDIR
    ReadRegStr $TopMadeDir SHCTX "${UNINST_KEY}" "MadeFolder"
    ReadRegDWORD $MadeUninstKey SHCTX "${UNINST_KEY}" "MadeUninstallKey"
  ${Else}
    StrCpy $TopMadeDir ""
    StrCpy $R1 $INSTDIR
    ${DoWhile} $R1 != ""
      ${If} ${FileExists} "$R1\*.*"
        ${Break}
      ${EndIf}
      StrCpy $TopMadeDir $R1
      ${GetParent} $R1 $R1
    ${Loop}
    StrCpy $MadeUninstKey 0
    ClearErrors
    EnumRegKey $R1 SHCTX "${UNINST_PARENT}" 0
    ${If} ${Errors}
      StrCpy $MadeUninstKey 1
    ${EndIf}
  ${EndIf}

  SetOutPath "$INSTDIR"
  File "${STAGE}/lumivane.exe"
  File "${STAGE}/lvhelp.chm"
  File "${STAGE}/lvmon.exe"
  File "${STAGE}/README.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateDirectory "${SM_FOLDER}"
  CreateShortCut "${SM_FOLDER}\Lumivane.lnk" "$INSTDIR\lumivane.exe" "" "$INSTDIR\lumivane.exe" 0 \
    SW_SHOWNORMAL "" "Tells the monitor which part of the screen to enhance"
  CreateShortCut "${SM_FOLDER}\Lumivane Help.lnk" "$INSTDIR\lvhelp.chm" "" "" 0 \
    SW_SHOWNORMAL "" "How to use Lumivane"
  CreateShortCut "${SM_FOLDER}\Lumivane Monitor Emulator.lnk" "$INSTDIR\lvmon.exe" "" "$INSTDIR\lvmon.exe" 0 \
    SW_SHOWNORMAL "" "Shows what the monitor would enhance"

  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr SHCTX "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr SHCTX "${UNINST_KEY}" "DisplayIcon" '"$INSTDIR\lumivane.exe"'
  WriteRegStr SHCTX "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr SHCTX "${UNINST_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr SHCTX "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD SHCTX "${UNINST_KEY}" "NoRepair" 1
  WriteRegStr SHCTX "${UNINST_KEY}" "MadeFolder" "$TopMadeDir"
  WriteRegDWORD SHCTX "${UNINST_KEY}" "MadeUninstallKey" $MadeUninstKey
  ${GetSize} "$INSTDIR" "/S=0K" $R0 $R1 $R2
  WriteRegDWORD SHCTX "${UNINST_KEY}" "EstimatedSize" "$R0"
SectionEnd

Section /o "Start Lumivane when I sign in" SecRun
SectionEnd

; After both sections: the Run value follows the choice. Only our own value
; naming this folder's program is ever removed.
Section "-Run value"
  ${If} ${SectionIsSelected} ${SecRun}
    WriteRegStr HKCU "${RUN_KEY}" "${RUN_VALUE}" '"$INSTDIR\lumivane.exe"'
  ${Else}
    ReadRegStr $R0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${If} $R0 == '"$INSTDIR\lumivane.exe"'
      DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
    ${EndIf}
  ${EndIf}
SectionEnd

; ---------------------------------------------------------------------------
; The uninstall

Function un.onInit
  ; The copy that runs from the temporary folder is handed the folder with a
  ; backslash at its end: without it, it reads as the installer wrote it.
  ${Do}
    StrCpy $R0 $INSTDIR "" -1
    ${If} $R0 != "\"
      ${Break}
    ${EndIf}
    StrCpy $INSTDIR $INSTDIR -1
  ${Loop}
  ; For everyone when HKLM's entry names this folder.
  SetShellVarContext current
  ReadRegStr $R0 HKLM "${UNINST_KEY}" "InstallLocation"
  ${If} $R0 != ""
  ${AndIf} $R0 == $INSTDIR
    !insertmacro IS_ADMIN $R1
    ${If} $R1 != "Admin"
      ${GetParameters} $R2
      ${GetOptions} $R2 "/Elevated" $R3
      ${IfNot} ${Errors}
        MessageBox MB_ICONSTOP "Lumivane was installed for everyone: removing it needs administrator rights." /SD IDOK
        SetErrorLevel 5
        Quit
      ${EndIf}
      ${If} ${Silent}
        ExecShell "runas" "$INSTDIR\uninstall.exe" "/S /Elevated"
      ${Else}
        ExecShell "runas" "$INSTDIR\uninstall.exe" "/Elevated"
      ${EndIf}
      Quit
    ${EndIf}
    SetShellVarContext all
  ${EndIf}
FunctionEnd

Section "Uninstall"
  Call un.EndRunningCopy

  ReadRegStr $TopMadeDir SHCTX "${UNINST_KEY}" "MadeFolder"
  ReadRegDWORD $MadeUninstKey SHCTX "${UNINST_KEY}" "MadeUninstallKey"

  Delete "${SM_FOLDER}\Lumivane.lnk"
  Delete "${SM_FOLDER}\Lumivane Help.lnk"
  Delete "${SM_FOLDER}\Lumivane Monitor Emulator.lnk"
  RMDir "${SM_FOLDER}"

  ReadRegStr $R0 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${If} $R0 == '"$INSTDIR\lumivane.exe"'
    DeleteRegValue HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${EndIf}

  Delete "$INSTDIR\lumivane.exe"
  Delete "$INSTDIR\lvhelp.chm"
  Delete "$INSTDIR\lvmon.exe"
  Delete "$INSTDIR\README.txt"
  Delete "$INSTDIR\uninstall.exe"
  ; Folders only when empty: whatever the user put there stays.
  RMDir "$INSTDIR"
  ${If} $TopMadeDir != ""
    StrCpy $R1 $INSTDIR
    ${DoWhile} $R1 != $TopMadeDir
      ${GetParent} $R1 $R1
      ${If} $R1 == ""
        ${Break}
      ${EndIf}
      RMDir $R1
    ${Loop}
  ${EndIf}

  DeleteRegKey SHCTX "${UNINST_KEY}"
  ${If} $MadeUninstKey = 1
    DeleteRegKey /ifempty SHCTX "${UNINST_PARENT}"
  ${EndIf}
SectionEnd

; ---------------------------------------------------------------------------
; Start-up of the installer (after the sections, whose numbers it uses)

Function .onInit
  StrCpy $GivenDir $INSTDIR
  StrCpy $AllUsers 0
  StrCpy $ModeGiven 0
  ${GetParameters} $R0
  ${GetOptions} $R0 "/AllUsers" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 1
    StrCpy $ModeGiven 1
  ${EndIf}
  ${GetOptions} $R0 "/CurrentUser" $R1
  ${IfNot} ${Errors}
    StrCpy $AllUsers 0
    StrCpy $ModeGiven 1
  ${EndIf}
  ; Without a choice, an install for everyone that is there already is the
  ; one to upgrade (the page still offers both).
  ${If} $ModeGiven = 0
    ReadRegStr $R1 HKCU "${UNINST_KEY}" "InstallLocation"
    ReadRegStr $R2 HKLM "${UNINST_KEY}" "InstallLocation"
    ${If} $R1 == ""
    ${AndIf} $R2 != ""
      StrCpy $AllUsers 1
    ${EndIf}
  ${EndIf}
  ; The page asks for the rights itself when it is shown.
  ${If} $AllUsers = 1
    ${If} $ModeGiven = 1
    ${OrIf} ${Silent}
      !insertmacro IS_ADMIN $R1
      ${If} $R1 != "Admin"
        Call Elevate
      ${EndIf}
    ${EndIf}
  ${EndIf}
  Call UseMode
  ; Starting at sign-in: off unless asked for, or kept on by an upgrade.
  ReadRegStr $R1 HKCU "${RUN_KEY}" "${RUN_VALUE}"
  ${GetParameters} $R0
  ${GetOptions} $R0 "/StartAtSignIn" $R2
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${SecRun}
  ${ElseIf} $R1 == '"$INSTDIR\lumivane.exe"'
    !insertmacro SelectSection ${SecRun}
  ${EndIf}
FunctionEnd
