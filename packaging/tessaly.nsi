; Tessaly's installer. tools/package.sh builds it and passes VERSION, VERSION_QUAD,
; STAGE (the folder holding the release's files), ICON and OUTFILE.
;
; A per-user install: no administrator rights, the program under the user's local
; programs folder, the data in the user's own folder. Tessaly's data directory is the
; folder it is started in, so the Start-menu link starts it in the data folder.

Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!include MUI2.nsh
!include FileFunc.nsh
!include LogicLib.nsh
!include Sections.nsh

!define PUBLISHER "Tessaly Developers"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define DATA_DIR "$APPDATA\Tessaly"
!define LINK "$SMPROGRAMS\Tessaly.lnk"

Name "Tessaly ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tessaly"
; An upgrade goes where the last install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "Tessaly ${VERSION}"

VIProductVersion "${VERSION_QUAD}"
VIFileVersion "${VERSION_QUAD}"
VIAddVersionKey /LANG=1033 "ProductName" "Tessaly"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileDescription" "Tessaly setup"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright (c) 2026 ${PUBLISHER}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Start Tessaly"
!define MUI_FINISHPAGE_RUN_FUNCTION StartTessaly

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!define MUI_COMPONENTSPAGE_TEXT_TOP "The program and its Start-menu entry are removed. Your shortcuts and settings stay in $APPDATA\Tessaly unless you tick them."
!insertmacro MUI_UNPAGE_COMPONENTS
!insertmacro MUI_UNPAGE_INSTFILES

!insertmacro MUI_LANGUAGE "English"

Section "Tessaly" SecProgram
  SectionIn RO
  SetOutPath "$INSTDIR"
  File "${STAGE}/tessaly.exe"
  File "${STAGE}/LICENSE.txt"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  ; The data folder belongs to the user: seeded on the first install, never
  ; overwritten by an upgrade.
  CreateDirectory "${DATA_DIR}"
  SetOutPath "${DATA_DIR}"
  SetOverwrite off
  File "${STAGE}/Categories.sts"
  SetOverwrite on

  ; CreateShortcut takes the output folder as the link's working folder.
  CreateShortcut "${LINK}" "$INSTDIR\tessaly.exe" "" "$INSTDIR\tessaly.exe" 0 SW_SHOWNORMAL "" \
    "Your shortcuts in categories, one click away."

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tessaly"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tessaly.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

Function StartTessaly
  ; Exec starts the program in the output folder: the data folder, as the link does.
  SetOutPath "${DATA_DIR}"
  Exec '"$INSTDIR\tessaly.exe"'
FunctionEnd

Section "un.Tessaly" UnSecProgram
  SectionIn RO
  Delete "${LINK}"
  ; Only what the installer put there: the folder may have been chosen by the user.
  Delete "$INSTDIR\tessaly.exe"
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
  ; "Start with Windows" of this copy; a portable copy's value is left alone.
  ReadRegStr $0 HKCU "${RUN_KEY}" "Tessaly"
  StrCpy $1 '"$INSTDIR\tessaly.exe"'
  StrLen $2 $1
  StrCpy $0 $0 $2
  StrCmp $0 $1 0 +2
    DeleteRegValue HKCU "${RUN_KEY}" "Tessaly"
SectionEnd

Section /o "un.Your shortcuts and settings" UnSecData
  RMDir /r "${DATA_DIR}"
SectionEnd

Function un.onInit
  ; /REMOVEDATA on the command line ticks the data for a silent uninstall too.
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/REMOVEDATA" $1
  ${IfNot} ${Errors}
    !insertmacro SelectSection ${UnSecData}
  ${EndIf}
FunctionEnd
