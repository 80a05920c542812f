; Per-user installer of KVX_GMouse: the program and its data root in the
; user's own programs folder, a Start-menu entry and an uninstaller. Needs no
; administrator rights and adds nothing that starts with Windows.
; Built by tools/dist.sh, which stages the files and lists them in files.nsh:
;   makensis -DVERSION=1.0.0.0 -DOUTFILE=<setup.exe> KVX_GMouse.nsi
; 64-bit like the program (and so it runs where Wine has no 32-bit side).
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!define PRODUCT "KVX_GMouse"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\${PRODUCT}"

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "Software\${PRODUCT}" "InstallDir"
Icon "${ICON}"
UninstallIcon "${ICON}"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "CompanyName" "KVX_GMouse project"
VIAddVersionKey "LegalCopyright" "KVX_GMouse project"

!include "FileFunc.nsh"
!include "LogicLib.nsh"
!include "files.nsh"

; A running program holds its exe and rewrites its settings: files could be
; neither replaced nor removed. Its single-instance mutex tells that it runs.
!macro RefuseWhileRunning
    System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "CKVX_GMouseM9X4App") p .r0'
    ${If} $0 P<> 0
        System::Call 'kernel32::CloseHandle(p r0)'
        MessageBox MB_OK|MB_ICONEXCLAMATION \
            "${PRODUCT} is running. Exit it from its notification-area icon, then start this again." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
!macroend

Function .onInit
    !insertmacro RefuseWhileRunning
FunctionEnd

Function un.onInit
    !insertmacro RefuseWhileRunning
FunctionEnd

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Install"
    SetShellVarContext current
    ; Factory files are replaced; the user's settings and macros
    ; (config.ini, the macro folders, the game presets) are kept when they exist.
    !insertmacro InstallFiles
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateDirectory "$SMPROGRAMS\${PRODUCT}"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk" "$INSTDIR\KVX_GMouse.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk" "$INSTDIR\Uninstall.exe"
    WriteRegStr HKCU "Software\${PRODUCT}" "InstallDir" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "KVX_GMouse project"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\KVX_GMouse.exe"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

; The user chooses whether the settings and macros stay (for a later install)
; or go. A silent uninstall keeps them unless /REMOVESETTINGS is given.
Section "Uninstall"
    SetShellVarContext current
    ${GetParameters} $R0
    ClearErrors
    ${GetOptions} $R0 "/REMOVESETTINGS" $R1
    ${If} ${Errors}
        MessageBox MB_YESNO|MB_ICONQUESTION \
            "Keep your settings and macros?$\r$\n$\r$\nYes keeps them in $INSTDIR\skins for a later installation. No removes them too." \
            /SD IDYES IDYES keep
    ${EndIf}
    RMDir /r "$INSTDIR"
    Goto shortcuts
keep:
    !insertmacro RemoveFactoryFiles
shortcuts:
    Delete "$SMPROGRAMS\${PRODUCT}\${PRODUCT}.lnk"
    Delete "$SMPROGRAMS\${PRODUCT}\Uninstall ${PRODUCT}.lnk"
    RMDir "$SMPROGRAMS\${PRODUCT}"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
    DeleteRegKey HKCU "Software\${PRODUCT}"
SectionEnd
