; SPDX-FileCopyrightText: 2026 Tarvelo developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer: puts the staged Tarvelo folder into the current
; user's programs folder, without administrator rights, with a Start-menu
; shortcut to the launcher and an entry in the list of installed apps.
;   makensis -DSTAGE=/abs/Tarvelo -DOUTFILE=/abs/setup.exe -DVERSION=1.0.0 tarvelo.nsi
; optionally -DICON=/abs/tarvelo.ico for the installer's own icon.
; /S installs silently, /D=C:\folder picks another folder (last on the line).

Unicode true
; 64-bit, like the programs it installs.
Target amd64-unicode
SetCompressor /SOLID lzma
RequestExecutionLevel user
ManifestDPIAware true

!ifndef STAGE
    !error "Give the staged folder: -DSTAGE=/abs/path/Tarvelo"
!endif
!ifndef VERSION
    !define VERSION 1.0.0
!endif
!ifndef OUTFILE
    !define OUTFILE "tarvelo-${VERSION}-windows-x64-setup.exe"
!endif
!ifdef ICON
    !define MUI_ICON "${ICON}"
    !define MUI_UNICON "${ICON}"
!endif

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tarvelo"
!define PUBLISHER "Tarvelo developers"

!include "MUI2.nsh"
!include "FileFunc.nsh"

Name "Tarvelo"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tarvelo"
; Installing again goes where the first install went.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"

!define MUI_ABORTWARNING
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvelo-launch.exe"
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; English first: it is the one a system in neither language gets.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Czech"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tarvelo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tarvelo installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "2026 Tarvelo developers"

Section "Tarvelo"
    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"

    ; The launcher picks the picture set, so the shortcut runs it, not the quiz.
    CreateShortCut "$SMPROGRAMS\Tarvelo.lnk" "$INSTDIR\tarvelo-launch.exe" "" \
        "$INSTDIR\tarvelo-launch.exe" 0
    ; The window in which the teacher chooses photographs for the shortcut's quiz.
    CreateShortCut "$SMPROGRAMS\Tarvelo – vlastní fotografie.lnk" "$INSTDIR\tarvelo-photos.exe" "" \
        "$INSTDIR\tarvelo-photos.exe" 0

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Tarvelo"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvelo.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
SectionEnd

; Removes exactly the staged files and folders, listed when the installer was
; built; a teacher's own set in %LOCALAPPDATA%\tarvelo is not among them.
!tempfile UNINSTALL_LIST
!system 'sh "${__FILEDIR__}/uninstall-list" "${STAGE}" > "${UNINSTALL_LIST}"' = 0

Section "Uninstall"
    Delete "$SMPROGRAMS\Tarvelo.lnk"
    Delete "$SMPROGRAMS\Tarvelo – vlastní fotografie.lnk"
    !include "${UNINSTALL_LIST}"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
!delfile "${UNINSTALL_LIST}"
