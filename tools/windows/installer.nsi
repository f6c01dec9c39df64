; The Windows installer of DSP Control (NSIS 3). It installs per machine into Program Files,
; lets the program add its own firewall rules (-a) and remove them again (-d) on uninstall,
; and puts an entry in the Start menu. deploy.ps1 builds it:
;   makensis /DVERSION=<x.y.z> /DSTAGE=<install tree> /DOUTFILE=<setup.exe> installer.nsi
; STAGE is the deployed install tree: bin\ (the programs with Qt, the C runtime, the launcher
; and image\app.ico) and share\doc\dsp-control\.

!ifndef VERSION | STAGE | OUTFILE
  !error "define VERSION, STAGE and OUTFILE (see deploy.ps1)"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include MUI2.nsh

!define APP "DSP Control"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\DspControl"

Name "${APP} ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\${APP}"
RequestExecutionLevel admin

!define MUI_ICON "${STAGE}\bin\image\app.ico"
!define MUI_UNICON "${STAGE}\bin\image\app.ico"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "SimpChinese"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "${APP}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "${APP} installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "The DSP Control developers, MIT licence"

; For every user: the Start menu entry goes to the common programs folder.
Function .onInit
  SetShellVarContext all
FunctionEnd

Function un.onInit
  SetShellVarContext all
FunctionEnd

Section "Install"
  SetOutPath "$INSTDIR"
  File /r "${STAGE}\*.*"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The rules name the program's path: drop those of an earlier install here, then add.
  SetOutPath "$INSTDIR\bin"
  ExecWait '"$INSTDIR\bin\dsp-control.exe" -d'
  ExecWait '"$INSTDIR\bin\dsp-control.exe" -a'

  ; The launcher starts the program in the user's own data folder (launcher.nsi).
  CreateShortCut "$SMPROGRAMS\${APP}.lnk" "$INSTDIR\bin\dsp-control-launcher.exe" "" "$INSTDIR\bin\image\app.ico" 0

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${APP}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "The DSP Control developers"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\bin\image\app.ico"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
  SetOutPath "$TEMP"
  ExecWait '"$INSTDIR\bin\dsp-control.exe" -d'
  Delete "$SMPROGRAMS\${APP}.lnk"
  ; Only what the installer put there: the folder may have been chosen as a shared one.
  ; The users' data folders (cfg.ini, devices.db) stay.
  RMDir /r "$INSTDIR\bin"
  RMDir /r "$INSTDIR\share"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
