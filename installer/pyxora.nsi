; Pyxora-Setup.exe: Pyxora.scr in the system folder, where the Screen Saver Settings list
; finds it; the windowed application and the help pages in the program folder; Start-menu
; entries; an uninstaller in Add or Remove Programs.
;
; Built by the build's "installer" target, which defines VERSION (the project's), PROGRAM
; (the program file, installed as Pyxora.scr and as Pyxora.exe), ICON, FILES (the help
; pages' install and remove lines) and OUTFILE.
;
; Switches besides NSIS's own (/S, /D=):
;   Pyxora-Setup.exe /S /SCREENSAVER   also make Pyxora the current screen saver
;   Uninstall.exe /S /REMOVESETTINGS   also remove the user's settings (HKCU\Software\Pyxora)

!ifndef VERSION | PROGRAM | ICON | FILES | OUTFILE
  !error "VERSION, PROGRAM, ICON, FILES and OUTFILE are defined by the build"
!endif

Unicode true
Target amd64-unicode
ManifestDPIAware true
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!include MUI2.nsh
!include x64.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include nsDialogs.nsh
!include ${FILES}

!define PRODUCT "Pyxora"
!define PUBLISHER "Pyxora authors"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pyxora"
!define SETTINGS_KEY "Software\Pyxora"
!define DESKTOP_KEY "Control Panel\Desktop"
!define SAVER "$SYSDIR\Pyxora.scr"
!define SAVER_SWITCH "/SCREENSAVER"
!define SETTINGS_SWITCH "/REMOVESETTINGS"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${PRODUCT}"
; A new version goes where the last one is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_SHOWREADME
!define MUI_FINISHPAGE_SHOWREADME_TEXT "Make Pyxora my screen saver"
!define MUI_FINISHPAGE_SHOWREADME_FUNCTION MakeCurrentSaver
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.ConfirmPage un.ConfirmPageLeave
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Var RemoveSettings
Var RemoveSettingsBox

; Sets $0 to 1 when the command line carries the switch named on the stack, else 0.
!macro HasSwitch un
  Function ${un}HasSwitch
    Exch $1
    Push $2
    ${GetParameters} $2
    ClearErrors
    ${GetOptions} $2 $1 $2
    ${If} ${Errors}
      StrCpy $0 0
    ${Else}
      StrCpy $0 1
    ${EndIf}
    Pop $2
    Pop $1
  FunctionEnd
!macroend
!insertmacro HasSwitch ""
!insertmacro HasSwitch "un."

; The installer and the uninstaller are 64-bit programs: they see the real system folder and
; the 64-bit registry, as the screen saver does.
!macro NativeViews
  ${DisableX64FSRedirection}
  SetRegView 64
  SetShellVarContext all
!macroend

Function .onInit
  !insertmacro NativeViews
FunctionEnd

Section "Pyxora"
  SetOutPath "$SYSDIR"
  File "/oname=Pyxora.scr" "${PROGRAM}"
  SetOutPath "$INSTDIR"
  File "/oname=Pyxora.exe" "${PROGRAM}"
  !insertmacro InstallHelpPages
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; The entries start in the program folder (the last SetOutPath).
  SetOutPath "$INSTDIR"
  CreateDirectory "$SMPROGRAMS\${PRODUCT}"
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\Pyxora.exe" "" "$INSTDIR\Pyxora.exe" 0
  CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Properties.lnk" "${SAVER}" "/c" "${SAVER}" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pyxora.exe,0"
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ; In KiB: the program folder and the screen saver.
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  ${GetSize} "$SYSDIR" "/M=Pyxora.scr /S=0K /G=0" $1 $2 $3
  IntOp $0 $0 + $1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Silent installs change the user's screen saver only when asked on the command line.
Function .onInstSuccess
  ${If} ${Silent}
    Push "${SAVER_SWITCH}"
    Call HasSwitch
    ${If} $0 = 1
      Call MakeCurrentSaver
    ${EndIf}
  ${EndIf}
FunctionEnd

; The system stores the saver as a short path; the change is announced so that it holds now.
Function MakeCurrentSaver
  GetFullPathName /SHORT $0 "${SAVER}"
  WriteRegStr HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE" "$0"
  WriteRegStr HKCU "${DESKTOP_KEY}" "ScreenSaveActive" "1"
  ; SPI_SETSCREENSAVEACTIVE, SPIF_SENDCHANGE
  System::Call "user32::SystemParametersInfoW(i 17, i 1, p 0, i 2)"
FunctionEnd

Function un.onInit
  !insertmacro NativeViews
  Push "${SETTINGS_SWITCH}"
  Call un.HasSwitch
  StrCpy $RemoveSettings $0
FunctionEnd

; One page: what goes, and whether the user's settings go too.
Function un.ConfirmPage
  !insertmacro MUI_HEADER_TEXT "Uninstall Pyxora" "Remove Pyxora from your computer."
  nsDialogs::Create 1018
  Pop $0
  ${NSD_CreateLabel} 0 0 100% 24u "The screen saver ${SAVER}, the program and its help in $INSTDIR and the Start-menu entries will be removed."
  Pop $0
  ${NSD_CreateLabel} 0 34u 100% 24u "Your settings (effects, themes, sounds and window places) stay in the registry under HKEY_CURRENT_USER\${SETTINGS_KEY} unless you remove them here."
  Pop $0
  ${NSD_CreateCheckbox} 0 64u 100% 10u "&Remove my Pyxora settings too"
  Pop $RemoveSettingsBox
  ${If} $RemoveSettings = 1
    ${NSD_Check} $RemoveSettingsBox
  ${EndIf}
  nsDialogs::Show
FunctionEnd

Function un.ConfirmPageLeave
  ${NSD_GetState} $RemoveSettingsBox $0
  ${If} $0 = ${BST_CHECKED}
    StrCpy $RemoveSettings 1
  ${Else}
    StrCpy $RemoveSettings 0
  ${EndIf}
FunctionEnd

Section "Uninstall"
  ; The current screen saver goes back to none only while it is still this one.
  GetFullPathName /SHORT $1 "${SAVER}"
  ClearErrors
  ReadRegStr $0 HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
  ${IfNot} ${Errors}
  ${AndIf} $0 != ""
    ${If} $0 == $1
    ${OrIf} $0 == "${SAVER}"
      DeleteRegValue HKCU "${DESKTOP_KEY}" "SCRNSAVE.EXE"
    ${EndIf}
  ${EndIf}

  Delete /REBOOTOK "${SAVER}"
  Delete /REBOOTOK "$INSTDIR\Pyxora.exe"
  !insertmacro RemoveHelpPages
  Delete "$INSTDIR\Uninstall.exe"
  RMDir "$INSTDIR"

  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
  Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT} Properties.lnk"
  RMDir "$SMPROGRAMS\${PRODUCT}"

  DeleteRegKey HKLM "${UNINSTALL_KEY}"
  ${If} $RemoveSettings = 1
    DeleteRegKey HKCU "${SETTINGS_KEY}"
  ${EndIf}
SectionEnd
