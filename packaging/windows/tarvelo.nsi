; SPDX-FileCopyrightText: 2026 Tarvelo developers
; SPDX-License-Identifier: GPL-3.0-or-later
; The Windows installer, for one user or for every account of the computer:
; puts the staged Tarvelo folder in place, with the Start-menu entries of
; start-menu.list, an entry in the list of installed apps and the file type
; of a shared picture set, NAME.tarvelo, which opens in tarvelo-photos.exe.
;   makensis -DSTAGE=/abs/Tarvelo -DOUTFILE=/abs/setup.exe -DVERSION=1.0.0 tarvelo.nsi
; optionally -DICON=/abs/tarvelo.ico for the installer's own icon.
; /S installs silently, /D=C:\folder picks another folder (last on the line).
; /AllUsers installs into Program Files for every account (administrators
; only), /CurrentUser into %LOCALAPPDATA%\Programs without administrator
; rights; without either, an installer run elevated or as SYSTEM (as Intune
; and Configuration Manager run it) installs for every account, otherwise for
; the current user.

Unicode true
; 64-bit, like the programs it installs; its registry view is the 64-bit one.
Target amd64-unicode
SetCompressor /SOLID lzma
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
; A shared set's file type: .tarvelo names the ProgId, which says how its
; files look and open; HKCU or HKLM with the install (SHCTX).
!define SET_EXTENSION_KEY "Software\Classes\.tarvelo"
!define SET_PROGID "Tarvelo.PictureSet"
!define SET_PROGID_KEY "Software\Classes\${SET_PROGID}"
; SHCNE_ASSOCCHANGED: Explorer rereads file types and their icons.
!define NOTIFY_FILE_TYPES "shell32::SHChangeNotify(i 0x08000000, i 0, p 0, p 0)"

; "Highest": an administrator is asked to raise the rights, an ordinary user
; is not; /CurrentUser and /AllUsers on the command line pick the scope.
!define MULTIUSER_EXECUTIONLEVEL Highest
!define MULTIUSER_MUI
!define MULTIUSER_INSTALLMODE_COMMANDLINE
!define MULTIUSER_USE_PROGRAMFILES64
!define MULTIUSER_INSTALLMODE_INSTDIR "Tarvelo"
!define MULTIUSER_INSTALLMODE_FUNCTION previousInstallFolder
!define MULTIUSER_INIT_FUNCTIONQUIT refuseAllUsers
!define MULTIUSER_INIT_UNFUNCTIONQUIT un.refuseAllUsers
!include "MultiUser.nsh"
!include "MUI2.nsh"
!include "FileFunc.nsh"
!include "LogicLib.nsh"

Name "Tarvelo"
OutFile "${OUTFILE}"

!define MUI_ABORTWARNING
!insertmacro MULTIUSER_PAGE_INSTALLMODE
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\tarvelo-launch.exe"
!define MUI_PAGE_CUSTOMFUNCTION_SHOW finishShow
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
; English first: it is the one a system in neither language gets.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Czech"
LangString SET_TYPE_NAME ${LANG_ENGLISH} "Tarvelo picture set"
LangString SET_TYPE_NAME ${LANG_CZECH} "Sada obrázků Tarvela"

VIProductVersion "${VERSION}.0"
VIFileVersion "${VERSION}.0"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductName" "Tarvelo"
VIAddVersionKey /LANG=${LANG_ENGLISH} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "FileDescription" "Tarvelo installer"
VIAddVersionKey /LANG=${LANG_ENGLISH} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_ENGLISH} "LegalCopyright" "2026 Tarvelo developers"

Function .onInit
    !insertmacro MULTIUSER_INIT
FunctionEnd

; Installing again goes where the install of the same scope went.
Function previousInstallFolder
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 != ""
        StrCpy $INSTDIR $0
    ${EndIf}
FunctionEnd

; /AllUsers without administrator rights: ERROR_ELEVATION_REQUIRED, which
; deployment tools report as such.
Function refuseAllUsers
    SetErrorLevel 740
    Quit
FunctionEnd
Function un.refuseAllUsers
    SetErrorLevel 740
    Quit
FunctionEnd

; With raised rights the quiz is not started from here: it would run as the
; administrator, not as the user who will play.
Function finishShow
    ${If} $MultiUser.Privileges == "Admin"
    ${OrIf} $MultiUser.Privileges == "Power"
        SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
        ShowWindow $mui.FinishPage.Run ${SW_HIDE}
    ${EndIf}
FunctionEnd

; %ProgramData%\tarvelo, where the class set for every account goes: owned by
; Administrators, which with SYSTEM may change it; Users may only read. The
; rights are set whole and not inherited from %ProgramData%, where any user
; may create files. A folder there already gets the same.
!define CLASS_SET_RIGHTS "O:BAG:SYD:PAI(A;OICI;FA;;;BA)(A;OICI;FA;;;SY)(A;OICI;0x1200a9;;;BU)"
Function makeClassSetFolder
    CreateDirectory "$APPDATA\tarvelo"
    System::Call 'advapi32::ConvertStringSecurityDescriptorToSecurityDescriptorW(w "${CLASS_SET_RIGHTS}", i 1, *p .r1, p 0) i .r0'
    ${If} $0 = 0
        DetailPrint "No security descriptor for $APPDATA\tarvelo"
        Return
    ${EndIf}
    System::Call 'advapi32::GetSecurityDescriptorOwner(p r1, *p .r2, *i .r3) i'
    System::Call 'advapi32::GetSecurityDescriptorDacl(p r1, *i .r3, *p .r4, *i .r5) i'
    ; OWNER, DACL and PROTECTED_DACL security information; SE_FILE_OBJECT.
    System::Call 'advapi32::SetNamedSecurityInfoW(w "$APPDATA\tarvelo", i 1, i 0x80000005, p r2, p 0, p r4, p 0) i .r6'
    System::Call 'kernel32::LocalFree(p r1)'
    ${If} $6 <> 0
        DetailPrint "Rights of $APPDATA\tarvelo not set: error $6"
    ${EndIf}
FunctionEnd

; Removes exactly the staged files and folders, listed when the installer was
; built; own sets in %LOCALAPPDATA%\tarvelo and the class set in
; %ProgramData%\tarvelo are not among them.
!tempfile UNINSTALL_LIST
!system 'sh "${__FILEDIR__}/uninstall-list" "${STAGE}" > "${UNINSTALL_LIST}"' = 0
!tempfile SHORTCUTS_CREATE
!system 'sh "${__FILEDIR__}/start-menu-nsis" create "${__FILEDIR__}/start-menu.list" > "${SHORTCUTS_CREATE}"' = 0
!tempfile SHORTCUTS_DELETE
!system 'sh "${__FILEDIR__}/start-menu-nsis" delete "${__FILEDIR__}/start-menu.list" > "${SHORTCUTS_DELETE}"' = 0

Section "Tarvelo"
    ; Over an older version, its own uninstaller first takes away what it put
    ; there, files this version no longer has included. It runs from a copy,
    ; so that it can remove its own file, and is waited for.
    ReadRegStr $0 SHCTX "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $INSTDIR
    ${AndIf} ${FileExists} "$INSTDIR\uninstall.exe"
        InitPluginsDir
        CopyFiles /SILENT "$INSTDIR\uninstall.exe" "$PLUGINSDIR\older-uninstall.exe"
        ExecWait '"$PLUGINSDIR\older-uninstall.exe" /S _?=$INSTDIR'
        Delete "$PLUGINSDIR\older-uninstall.exe"
    ${EndIf}

    SetOutPath "$INSTDIR"
    File /r "${STAGE}/*"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    !include "${SHORTCUTS_CREATE}"
    ${If} $MultiUser.InstallMode == "AllUsers"
        Call makeClassSetFolder
    ${EndIf}

    ; SHCTX: HKLM for every account, HKCU for one.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayName" "Tarvelo"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tarvelo.exe,0"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    ; _?= runs the uninstaller in place, so whoever starts it can wait for it.
    WriteRegStr SHCTX "${UNINSTALL_KEY}" "QuietUninstallString" \
        '"$INSTDIR\uninstall.exe" /S _?=$INSTDIR'
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD SHCTX "${UNINSTALL_KEY}" "EstimatedSize" $0

    ; A double click on a shared set opens it in the photographs' window.
    WriteRegStr SHCTX "${SET_EXTENSION_KEY}" "" "${SET_PROGID}"
    WriteRegStr SHCTX "${SET_EXTENSION_KEY}" "Content Type" "application/x-tarvelo-set"
    WriteRegStr SHCTX "${SET_PROGID_KEY}" "" "$(SET_TYPE_NAME)"
    WriteRegStr SHCTX "${SET_PROGID_KEY}\DefaultIcon" "" "$INSTDIR\tarvelo-photos.exe,0"
    WriteRegStr SHCTX "${SET_PROGID_KEY}\shell\open\command" "" \
        '"$INSTDIR\tarvelo-photos.exe" "%1"'
    System::Call '${NOTIFY_FILE_TYPES}'
SectionEnd

; The uninstaller removes the install it sits in: for every account when that
; is the one the HKLM entry names.
Function un.onInit
    StrCpy $R9 $INSTDIR
    !insertmacro MULTIUSER_UNINIT
    ReadRegStr $0 HKLM "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == $R9
        ${If} $MultiUser.Privileges != "Admin"
        ${AndIf} $MultiUser.Privileges != "Power"
            MessageBox MB_OK|MB_ICONSTOP "${MULTIUSER_INIT_TEXT_ADMINREQUIRED}" /SD IDOK
            Call un.refuseAllUsers
        ${EndIf}
        Call un.MultiUser.InstallMode.AllUsers
    ${Else}
        Call un.MultiUser.InstallMode.CurrentUser
    ${EndIf}
    StrCpy $INSTDIR $R9
FunctionEnd

Section "Uninstall"
    !include "${SHORTCUTS_DELETE}"
    !include "${UNINSTALL_LIST}"
    DeleteRegKey SHCTX "${UNINSTALL_KEY}"
    DeleteRegKey SHCTX "${SET_PROGID_KEY}"
    ; .tarvelo goes only while it still names this type, not another
    ; program's that took it over since.
    ReadRegStr $0 SHCTX "${SET_EXTENSION_KEY}" ""
    ${If} $0 == "${SET_PROGID}"
        DeleteRegKey SHCTX "${SET_EXTENSION_KEY}"
    ${EndIf}
    System::Call '${NOTIFY_FILE_TYPES}'
    ; Run in place (_?=), the uninstaller cannot delete its own file while it
    ; runs, but may move it out of the way; it goes at the next restart.
    Delete "$INSTDIR\uninstall.exe"
    ${If} ${FileExists} "$INSTDIR\uninstall.exe"
        GetTempFileName $0
        Delete $0
        Rename "$INSTDIR\uninstall.exe" $0
        ${If} ${FileExists} $0
            Delete /REBOOTOK $0
        ${Else}
            Delete /REBOOTOK "$INSTDIR\uninstall.exe"
        ${EndIf}
    ${EndIf}
    ; Nor can it take away the folder it works in.
    SetOutPath "$TEMP"
    RMDir "$INSTDIR"
    ${If} ${FileExists} "$INSTDIR"
        RMDir /REBOOTOK "$INSTDIR"
    ${EndIf}
SectionEnd
!delfile "${UNINSTALL_LIST}"
!delfile "${SHORTCUTS_CREATE}"
!delfile "${SHORTCUTS_DELETE}"
