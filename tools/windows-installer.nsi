; The Windows installer of Tabulist, made by tools/windows.sh with makensis:
;   makensis -DVERSION=2.1.5 -DDIST=<program folder> -DOUTFILE=<setup.exe> windows-installer.nsi
; Installs the program folder into Program Files, with a Start-menu entry, an uninstaller
; (also listed among the installed programs) and "Open with Tabulist" on folders.
; A 64-bit installer for a 64-bit program (and one that Wine without its 32-bit part runs).
Target amd64-unicode

Name "Tabulist ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$PROGRAMFILES64\Tabulist"
RequestExecutionLevel admin
SetCompressor /SOLID lzma

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tabulist"
!define FOLDER_VERB "Software\Classes\Directory\shell\Tabulist"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

Section "Tabulist"
    SetShellVarContext all
    SetOutPath "$INSTDIR"
    File /r "${DIST}\*.*"
    WriteUninstaller "$INSTDIR\Uninstall.exe"

    CreateDirectory "$SMPROGRAMS\Tabulist"
    CreateShortcut "$SMPROGRAMS\Tabulist\Tabulist.lnk" "$INSTDIR\Tabulist.exe"
    CreateShortcut "$SMPROGRAMS\Tabulist\Uninstall Tabulist.lnk" "$INSTDIR\Uninstall.exe"

    ; A folder's context menu opens it in the window.
    WriteRegStr HKLM "${FOLDER_VERB}" "" "Open with Tabulist"
    WriteRegStr HKLM "${FOLDER_VERB}" "Icon" "$INSTDIR\Tabulist.exe"
    WriteRegStr HKLM "${FOLDER_VERB}\command" "" '"$INSTDIR\Tabulist.exe" "%1"'

    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "Tabulist"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tabulist.exe"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
SectionEnd

Section "Uninstall"
    SetShellVarContext all
    Delete "$SMPROGRAMS\Tabulist\Tabulist.lnk"
    Delete "$SMPROGRAMS\Tabulist\Uninstall Tabulist.lnk"
    RMDir "$SMPROGRAMS\Tabulist"
    DeleteRegKey HKLM "${FOLDER_VERB}"
    DeleteRegKey HKLM "${UNINSTALL_KEY}"
    ; What the installer put there, with the settings saved beside the program.
    Delete "$INSTDIR\Tabulist.exe"
    Delete "$INSTDIR\tabulist-list.exe"
    Delete "$INSTDIR\*.dll"
    Delete "$INSTDIR\platforms\qwindows.dll"
    Delete "$INSTDIR\styles\qwindowsvistastyle.dll"
    Delete "$INSTDIR\Tabulist.hlp"
    Delete "$INSTDIR\Tabulist.sav"
    Delete "$INSTDIR\Tabulist.ini"
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR\platforms"
    RMDir "$INSTDIR\styles"
    RMDir "$INSTDIR"
SectionEnd
