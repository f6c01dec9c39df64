; dsp-control-launcher.exe, which the Start menu entry runs (NSIS 3, a silent "installer"
; that installs nothing). dsp-control keeps cfg.ini and devices.db in its working directory
; and Program Files is not the user's to write, so the launcher starts dsp-control.exe from
; its own folder in %LOCALAPPDATA%\dsp-control, made when missing, with the arguments it was
; given. deploy.ps1 builds it:
;   makensis /DOUTFILE=<dsp-control-launcher.exe> /DICON=<app.ico> launcher.nsi

!ifndef OUTFILE | ICON
  !error "define OUTFILE and ICON (see deploy.ps1)"
!endif

Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma

!include FileFunc.nsh

Name "DSP Control"
OutFile "${OUTFILE}"
Icon "${ICON}"
RequestExecutionLevel user
SilentInstall silent

Section
  ${GetParameters} $0
  ClearErrors
  ; Exec starts the program in $OUTDIR.
  SetOutPath "$LOCALAPPDATA\dsp-control"
  Exec '"$EXEDIR\dsp-control.exe" $0'
  IfErrors 0 +2
    MessageBox MB_ICONSTOP "Cannot start $EXEDIR\dsp-control.exe in $LOCALAPPDATA\dsp-control."
SectionEnd
