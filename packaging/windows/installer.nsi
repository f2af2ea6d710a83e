; The installer of Garagon for Windows: per user, without administrator rights.
; makensis -DVERSION=... -DVERSION4=... -DPROGRAM=... -DCATALOGUE=... -DREADME=... -DOUTFILE=...
;          [-DSIGN=command], which signs the file it is given in place
Unicode true
Target amd64-unicode
SetCompressor /SOLID lzma
; No file times in the installer: one source gives the same bytes whenever it is built.
SetDateSave off

!ifdef SIGN
    !uninstfinalize '"${SIGN}" "%1"'
    !finalize '"${SIGN}" "%1"'
!endif

!include "MUI2.nsh"
!include "x64.nsh"

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Garagon"

Name "Garagon"
OutFile "${OUTFILE}"
RequestExecutionLevel user
InstallDir "$LOCALAPPDATA\Programs\Garagon"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

VIProductVersion "${VERSION4}"
VIAddVersionKey /LANG=1031 "ProductName" "Garagon"
VIAddVersionKey /LANG=1031 "FileDescription" "Garagon einrichten"
VIAddVersionKey /LANG=1031 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1031 "LegalCopyright" "Garagon"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_FINISHPAGE_RUN "$INSTDIR\garagon.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "German"

Section
    SetOutPath "$INSTDIR"
    File "/oname=garagon.exe" "${PROGRAM}"
    File "/oname=LIESMICH.txt" "${README}"
    ; A player's own catalogue stays over a reinstall or an update.
    SetOverwrite off
    File "/oname=Cardata.txt" "${CATALOGUE}"
    SetOverwrite on
    WriteUninstaller "$INSTDIR\Deinstallieren.exe"
    CreateShortcut "$SMPROGRAMS\Garagon.lnk" "$INSTDIR\garagon.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Garagon"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "Garagon"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\garagon.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Deinstallieren.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Deinstallieren.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    Delete "$INSTDIR\garagon.exe"
    Delete "$INSTDIR\LIESMICH.txt"
    Delete "$INSTDIR\Cardata.txt"
    Delete "$INSTDIR\Deinstallieren.exe"
    RMDir "$INSTDIR"
    Delete "$SMPROGRAMS\Garagon.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
