; The Windows setup program: installs Glimmerdeck for the current user alone, without
; administrator rights, with a Start-menu shortcut and an entry among the installed programs;
; its uninstaller takes away all of it again. packaging/windows/CMakeLists.txt builds it with
; Debian's makensis and passes in:
;
;   VERSION      the program's version, three numbers (1.0.0)
;   PUBLISHER    who makes it
;   DESCRIPTION  one line on what it is
;   COPYRIGHT    the copyright line of its licence
;   PROGRAM      the built glimmerdeck.exe
;   LICENSE      the licence, with Windows' line ends
;   ICON         the program's icon, which the setup and the uninstaller carry too
;   OUTFILE      the setup program to write
;
; Silently, as Windows' own tools install: setup.exe /S (and /D=FOLDER, last, for another
; folder); uninstall.exe /S.

!macro GD_NEED NAME
  !ifndef ${NAME}
    !error "glimmerdeck.nsi needs makensis -D${NAME}=..."
  !endif
!macroend
!insertmacro GD_NEED VERSION
!insertmacro GD_NEED PUBLISHER
!insertmacro GD_NEED DESCRIPTION
!insertmacro GD_NEED COPYRIGHT
!insertmacro GD_NEED PROGRAM
!insertmacro GD_NEED LICENSE
!insertmacro GD_NEED ICON
!insertmacro GD_NEED OUTFILE

; A 64-bit setup for a 64-bit program; makensis makes 32-bit ones unless told.
Target amd64-unicode
SetCompressor /SOLID lzma
; Per user: nothing outside the user's own folders and registry, so no administrator's consent.
RequestExecutionLevel user
ManifestDPIAware true
ManifestSupportedOS all

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Glimmerdeck"

Name "Glimmerdeck"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Glimmerdeck"
; Installed again, it goes where it was.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PUBLISHER}"
; A file that cannot be written (the program still running) stops the setup: never an old
; program left behind a setup that reports success.
AllowSkipFiles off

!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEPAGE_TEXT "Glimmerdeck ${VERSION}: ${DESCRIPTION}.$\r$\n$\r$\nSetup installs it for you alone, with a shortcut in the Start menu; it needs no administrator rights. You can remove it again under Installed apps (or Programs and Features).$\r$\n$\r$\nClick Next to continue."
!define MUI_FINISHPAGE_RUN "$INSTDIR\glimmerdeck.exe"
!define MUI_FINISHPAGE_RUN_TEXT "Start Glimmerdeck"

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; The setup's own identity, as Explorer shows it.
VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Glimmerdeck"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Glimmerdeck ${VERSION} Setup"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "${COPYRIGHT}. MIT License."

; The Start menu and the folders of the user who runs it.
Function .onInit
  SetShellVarContext current
FunctionEnd

Function un.onInit
  SetShellVarContext current
FunctionEnd

Section
  SetOutPath "$INSTDIR"
  File "/oname=glimmerdeck.exe" "${PROGRAM}"
  File "/oname=LICENSE.txt" "${LICENSE}"
  WriteUninstaller "$INSTDIR\uninstall.exe"
  ; Started from the shortcut, the program's working folder is its own.
  CreateShortCut "$SMPROGRAMS\Glimmerdeck.lnk" "$INSTDIR\glimmerdeck.exe" "" \
    "$INSTDIR\glimmerdeck.exe" 0 SW_SHOWNORMAL "" "${DESCRIPTION}"

  ; The entry under Installed apps: what it is, whose, how large, and how to remove it (there is
  ; nothing to change or repair).
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Glimmerdeck"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\glimmerdeck.exe,0"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Takes away what the setup made, and nothing else: the named files, then the folder only if
; it is empty (the user may have chosen one that holds more), the shortcut and the entry.
Section "Uninstall"
  ; A running program's file cannot be removed: then everything stays as it was.
  Delete "$INSTDIR\glimmerdeck.exe"
  ${If} ${FileExists} "$INSTDIR\glimmerdeck.exe"
    MessageBox MB_OK|MB_ICONSTOP "Glimmerdeck is running. Close it, then uninstall it again." /SD IDOK
    Abort
  ${EndIf}
  Delete "$INSTDIR\LICENSE.txt"
  Delete "$INSTDIR\uninstall.exe"
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Glimmerdeck.lnk"
  DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
