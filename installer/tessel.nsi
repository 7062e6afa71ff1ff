; The per-user installer of Tessel, built by scripts/release.sh:
;   makensis -INPUTCHARSET UTF8 -DVERSION=X.Y.Z -DPAYLOAD=DIR -DOUTFILE=FILE
;            -DICON=FILE [-DTARGET64] installer/tessel.nsi
; PAYLOAD holds TESSEL32.EXE, tessel-lisp.exe, LIESMICH.txt and LIZENZ.txt as
; shipped, and LIZENZ-page.txt (the licence in UTF-8 with a BOM, for the
; licence page). Paths are absolute: makensis resolves relative ones from this
; script's folder. TARGET64 builds the same installer as a 64-bit program, for
; machines that cannot run 32-bit code (tests only; never shipped).
;
; The editor writes TESSEL32.INI and TESSEL32.ATX beside itself, so it goes
; to a folder the user can write to: per user, no administrator rights.

!ifdef TARGET64
  Target amd64-unicode
!else
  Target x86-unicode
!endif
SetCompressor /SOLID lzma
RequestExecutionLevel user
; A running editor must stop the install, not be skipped over in silence.
AllowSkipFiles off
ManifestSupportedOS all

!include "MUI2.nsh"
!include "LogicLib.nsh"
!include "FileFunc.nsh"

!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessel"
!define PUBLISHER "Tessel-Team"

Name "Tessel ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tessel"
; An upgrade offers the folder of the installed version.
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "Tessel ${VERSION}"
ShowInstDetails show
ShowUninstDetails show

Var OldDir

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_LICENSE "${PAYLOAD}\LIZENZ-page.txt"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\TESSEL32.EXE"
!define MUI_FINISHPAGE_SHOWREADME "$INSTDIR\LIESMICH.txt"
!define MUI_FINISHPAGE_SHOWREADME_NOTCHECKED
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "German"

VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductName" "Tessel"
VIAddVersionKey /LANG=${LANG_GERMAN} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileDescription" "Tessel ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_GERMAN} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_GERMAN} "LegalCopyright" "${PUBLISHER}, MIT-Lizenz"

; Sets $R0 to a message when the editor in folder $R9 is running, else "".
; A running program's file cannot be opened for writing.
!macro CheckNotRunning UN
Function ${UN}CheckNotRunning
  StrCpy $R0 ""
  ${If} ${FileExists} "$R9\TESSEL32.EXE"
    ClearErrors
    FileOpen $R3 "$R9\TESSEL32.EXE" a
    ${If} ${Errors}
      StrCpy $R0 "Tessel läuft noch ($R9\TESSEL32.EXE).$\r$\n$\r$\nBitte beenden Sie Tessel und starten Sie das Setup dann noch einmal. Es wurde nichts geändert."
    ${Else}
      FileClose $R3
    ${EndIf}
  ${EndIf}
FunctionEnd
!macroend
!insertmacro CheckNotRunning ""
!insertmacro CheckNotRunning "un."

; Sets $R0 to "" when $R9 is not $R8 and not inside it, else to $R8.
Function RefuseUnder
  StrCpy $R0 ""
  StrLen $R1 $R8
  ${If} $R1 < 3
    Return
  ${EndIf}
  StrCpy $R2 $R9 $R1
  StrCpy $R3 $R9 1 $R1
  ; LogicLib's == compares without case, as Windows does.
  ${If} $R2 == $R8
  ${AndIf} $R3 == ""
    StrCpy $R0 $R8
  ${ElseIf} $R2 == $R8
  ${AndIf} $R3 == "\"
    StrCpy $R0 $R8
  ${EndIf}
FunctionEnd

; Sets $R0 to the message that refuses $INSTDIR, or "".
Function CheckTarget
  StrCpy $R9 $INSTDIR
  ${ForEach} $R7 1 4 + 1
    ${Select} $R7
      ${Case} 1
        StrCpy $R8 $PROGRAMFILES
      ${Case} 2
        StrCpy $R8 $PROGRAMFILES32
      ${Case} 3
        StrCpy $R8 $PROGRAMFILES64
      ${Case} 4
        StrCpy $R8 $WINDIR
    ${EndSelect}
    Call RefuseUnder
    ${If} $R0 != ""
      StrCpy $R0 "Tessel kann nicht in den Ordner$\r$\n$INSTDIR$\r$\ninstalliert werden: $R8 ist Programmen vorbehalten, die ein Administrator für alle Benutzer installiert.$\r$\n$\r$\nTessel wird nur für Sie installiert und speichert seine Einstellungen neben sich. Bitte wählen Sie einen Ordner, in den Sie schreiben dürfen, zum Beispiel$\r$\n$LOCALAPPDATA\Programs\Tessel"
      Return
    ${EndIf}
  ${Next}

  ; The folder, or the nearest folder above it that exists, must take a file.
  StrCpy $R1 $INSTDIR
  ${DoWhile} $R1 != ""
    ${If} ${FileExists} "$R1\*.*"
      ${Break}
    ${EndIf}
    ${GetParent} $R1 $R1
  ${Loop}
  ClearErrors
  ${If} $R1 != ""
    FileOpen $R3 "$R1\~tessel-setup.tmp" w
  ${Else}
    SetErrors
  ${EndIf}
  ${If} ${Errors}
    StrCpy $R0 "In den Ordner$\r$\n$INSTDIR$\r$\nkann Tessel nicht installiert werden, weil Sie dort nicht schreiben dürfen oder weil es ihn nicht geben kann.$\r$\n$\r$\nBitte wählen Sie einen anderen Ordner, zum Beispiel$\r$\n$LOCALAPPDATA\Programs\Tessel"
    Return
  ${EndIf}
  FileClose $R3
  Delete "$R1\~tessel-setup.tmp"

  ; Neither this folder's editor nor the one of the install it replaces may run.
  StrCpy $R9 $INSTDIR
  Call CheckNotRunning
  ${If} $R0 == ""
  ${AndIf} $OldDir != ""
  ${AndIf} $OldDir != $INSTDIR
    StrCpy $R9 $OldDir
    Call CheckNotRunning
  ${EndIf}
FunctionEnd

Function .onInit
  SetShellVarContext current
  ReadRegStr $OldDir HKCU "${UNINST_KEY}" "InstallLocation"
  ; Silent installs have no directory page: check here, before any change.
  ${If} ${Silent}
    ; NSIS drops a /D= folder it finds invalid (a missing drive, a relative
    ; path) and would install into the default folder instead.
    System::Call 'kernel32::GetCommandLine() t .R1'
    ClearErrors
    ${GetOptions} $R1 "/D=" $R2
    ${IfNot} ${Errors}
    ${AndIf} $R2 != $INSTDIR
      MessageBox MB_OK|MB_ICONSTOP "$R2 ist kein gültiger Ordner für Tessel." /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
    Call CheckTarget
    ${If} $R0 != ""
      MessageBox MB_OK|MB_ICONSTOP "$R0" /SD IDOK
      SetErrorLevel 2
      Quit
    ${EndIf}
  ${EndIf}
FunctionEnd

Function DirectoryLeave
  Call CheckTarget
  ${If} $R0 != ""
    MessageBox MB_OK|MB_ICONSTOP "$R0"
    Abort
  ${EndIf}
FunctionEnd

; Moves TESSEL32.INI or .ATX ($R9) from the old install to the new folder,
; unless the new folder has its own; then both stay where they are.
Function CarryOver
  ${If} ${FileExists} "$OldDir\$R9"
  ${AndIfNot} ${FileExists} "$INSTDIR\$R9"
    CopyFiles /SILENT "$OldDir\$R9" "$INSTDIR\$R9"
    ${If} ${FileExists} "$INSTDIR\$R9"
      Delete "$OldDir\$R9"
    ${EndIf}
  ${EndIf}
FunctionEnd

Section "Tessel" SecMain
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${PAYLOAD}\TESSEL32.EXE"
  File "${PAYLOAD}\tessel-lisp.exe"
  File "${PAYLOAD}\LIESMICH.txt"
  File "${PAYLOAD}\LIZENZ.txt"
  WriteUninstaller "$INSTDIR\Uninstall.exe"

  ; Installed before into another folder: take the settings and text blocks
  ; along and remove the old install, so that one install and one entry remain.
  ${If} $OldDir != ""
  ${AndIf} $OldDir != $INSTDIR
  ${AndIf} ${FileExists} "$OldDir\*.*"
    StrCpy $R9 "TESSEL32.INI"
    Call CarryOver
    StrCpy $R9 "TESSEL32.ATX"
    Call CarryOver
    ${If} ${FileExists} "$OldDir\Uninstall.exe"
      ExecWait '"$OldDir\Uninstall.exe" /S _?=$OldDir'
      Delete "$OldDir\Uninstall.exe"
    ${EndIf}
    RMDir "$OldDir"
  ${EndIf}

  CreateShortcut "$SMPROGRAMS\Tessel.lnk" "$INSTDIR\TESSEL32.EXE" "" "$INSTDIR\TESSEL32.EXE" 0
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "Tessel"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\TESSEL32.EXE,0"
  WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
  WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0
SectionEnd

Section "un.Tessel" UnSecMain
  SectionIn RO
  Delete "$INSTDIR\TESSEL32.EXE"
  Delete "$INSTDIR\tessel-lisp.exe"
  Delete "$INSTDIR\LIESMICH.txt"
  Delete "$INSTDIR\LIZENZ.txt"
  Delete "$INSTDIR\Uninstall.exe"
  ; The entry and the shortcut belong to the install they name: an old
  ; uninstaller left elsewhere must not take them from the current one.
  ReadRegStr $R1 HKCU "${UNINST_KEY}" "InstallLocation"
  ${If} $R1 == ""
  ${OrIf} $R1 == $INSTDIR
    Delete "$SMPROGRAMS\Tessel.lnk"
    DeleteRegKey HKCU "${UNINST_KEY}"
  ${EndIf}
  RMDir "$INSTDIR"
SectionEnd

Section /o "un.Einstellungen und Textbausteine" UnSecData
  Delete "$INSTDIR\TESSEL32.INI"
  Delete "$INSTDIR\TESSEL32.ATX"
  Delete "$INSTDIR\TESSEL32.RCV"
  RMDir "$INSTDIR"
SectionEnd

Function un.onInit
  SetShellVarContext current
  StrCpy $R9 $INSTDIR
  Call un.CheckNotRunning
  ${If} $R0 != ""
    MessageBox MB_OK|MB_ICONSTOP "$R0" /SD IDOK
    SetErrorLevel 2
    Quit
  ${EndIf}
  ; /PURGE removes the settings and text blocks too.
  ${GetParameters} $R1
  ClearErrors
  ${GetOptions} $R1 "/PURGE" $R2
  ${IfNot} ${Errors}
    SectionSetFlags ${UnSecData} ${SF_SELECTED}
  ${EndIf}
FunctionEnd

!insertmacro MUI_UNFUNCTION_DESCRIPTION_BEGIN
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecMain} "Das Programm, die Verknüpfung im Startmenü und der Eintrag in der Programmliste."
  !insertmacro MUI_DESCRIPTION_TEXT ${UnSecData} "Ihre Einstellungen (TESSEL32.INI) und Textbausteine (TESSEL32.ATX). Ohne diese Auswahl bleiben sie für eine spätere Installation erhalten."
!insertmacro MUI_UNFUNCTION_DESCRIPTION_END
