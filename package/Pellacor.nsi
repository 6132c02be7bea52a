; The Pellacor installer. It installs for the current user only, into
; %LOCALAPPDATA%\Programs\Pellacor, without administrator rights: Pellacor
; keeps its settings (and by default its personal history) beside itself, so
; its folder must stay writable by the user.
;
; Made by the target `packages` (cmake/package.cmake), which defines
; GENERATED (the folder of Version.nsh), PROGRAM, HELP, ICON and OUTFILE.
; Silent use: `setup.exe /S` (with /STARTUP=0 or /STARTUP=1 to decide on
; starting with the system), `Uninstall.exe /S`.

Unicode true
Target amd64-unicode
!include "${GENERATED}/Version.nsh"

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include nsDialogs.nsh
!include WinMessages.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Pellacor"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define SYNCHRONIZE 0x00100000

Name "Pellacor ${VERSION}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Pellacor"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
RequestExecutionLevel user
SetCompressor /SOLID lzma
ManifestDPIAware true
BrandingText "Pellacor ${VERSION}"

Var StartWithSystem  ; 1: write the Run value, 0: remove it
Var StartCheckBox
Var RemoveData       ; 1: the uninstaller removes the settings and personal history too
Var RemoveCheckBox

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!insertmacro MUI_PAGE_WELCOME
!insertmacro MUI_PAGE_DIRECTORY
Page custom StartupPage StartupPageLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN "$INSTDIR\Pellacor.exe"
!define MUI_FINISHPAGE_RUN_TEXT "$(RunNow)"
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.DataPage un.DataPageLeave
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; The installer speaks the user's language when it is one of these, else Chinese.
!insertmacro MUI_LANGUAGE "SimpChinese"
!insertmacro MUI_LANGUAGE "English"

LangString StartTitle ${LANG_SIMPCHINESE} "随系统启动"
LangString StartTitle ${LANG_ENGLISH} "Start with Windows"
LangString StartSubtitle ${LANG_SIMPCHINESE} "Pellacor 在通知区域运行，记下您复制的内容。"
LangString StartSubtitle ${LANG_ENGLISH} "Pellacor lives in the notification area and remembers what you copy."
LangString StartText ${LANG_SIMPCHINESE} "勾选后，每次登录 Windows 时 Pellacor 自动启动。以后可以在托盘图标菜单的“参数选择...”中更改。"
LangString StartText ${LANG_ENGLISH} "When ticked, Pellacor starts each time you log on to Windows. You can change this later under $\"参数选择...$\" (preferences) in the tray icon's menu."
LangString StartCheck ${LANG_SIMPCHINESE} "系统启动时自动加载本程序"
LangString StartCheck ${LANG_ENGLISH} "Start Pellacor when Windows starts"
LangString RunNow ${LANG_SIMPCHINESE} "现在运行 Pellacor"
LangString RunNow ${LANG_ENGLISH} "Run Pellacor now"
LangString StillRunning ${LANG_SIMPCHINESE} "Pellacor 仍在运行，没有结束。请在托盘图标的菜单中选择“退出”，然后单击“重试”。"
LangString StillRunning ${LANG_ENGLISH} "Pellacor is still running and did not end. Choose $\"退出$\" (exit) in its tray icon's menu, then click Retry."
LangString DataTitle ${LANG_SIMPCHINESE} "设置和个人历史"
LangString DataTitle ${LANG_ENGLISH} "Settings and personal history"
LangString DataSubtitle ${LANG_SIMPCHINESE} "选择卸载时是否一并删除它们。"
LangString DataSubtitle ${LANG_ENGLISH} "Choose whether they are removed too."
LangString DataText ${LANG_SIMPCHINESE} "您的设置 (Pellacor.ini) 和个人历史 (Personal.dat) 默认保留，再次安装 Pellacor 后仍可使用。"
LangString DataText ${LANG_ENGLISH} "Your settings (Pellacor.ini) and personal history (Personal.dat) are kept, so Pellacor finds them again when you install it anew."
LangString DataCheck ${LANG_SIMPCHINESE} "同时删除我的设置和个人历史"
LangString DataCheck ${LANG_ENGLISH} "Also remove my settings and personal history"

VIProductVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIFileVersion "${VERSION_MAJOR}.${VERSION_MINOR}.0.0"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductName" "Pellacor"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "FileDescription" "${DESCRIPTION} ${VERSION} 安装程序"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=${LANG_SIMPCHINESE} "LegalCopyright" "${COPYRIGHT}"

; Ends a running Pellacor in order: a close request to its window, as a session
; manager sends it, so that it saves its personal history and settings; then
; waits until its process is gone. A session runs one Pellacor at most.
!macro DEFINE_END_RUNNING_PELLACOR un
Function ${un}EndRunningPellacor
    again:
    FindWindow $0 "PellacorWindow" "Pellacor"
    StrCmp $0 0 done
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    System::Call 'kernel32::OpenProcess(i ${SYNCHRONIZE}, i 0, i r1) p .r2'
    SendMessage $0 ${WM_CLOSE} 0 0 /TIMEOUT=5000
    ${If} $2 != 0
        System::Call 'kernel32::WaitForSingleObject(p r2, i 20000) i .r3'
        System::Call 'kernel32::CloseHandle(p r2)'
    ${Else}
        ; The process cannot be watched: watch its window instead.
        ${For} $3 1 40
            Sleep 500
            IsWindow $0 0 again
        ${Next}
    ${EndIf}
    IsWindow $0 0 again
    MessageBox MB_RETRYCANCEL|MB_ICONEXCLAMATION "$(StillRunning)" /SD IDCANCEL IDRETRY again
    Abort
    done:
FunctionEnd
!macroend
!insertmacro DEFINE_END_RUNNING_PELLACOR ""
!insertmacro DEFINE_END_RUNNING_PELLACOR "un."

Function .onInit
    ; A first installation offers to start with the system; an update keeps
    ; the user's choice (the preferences dialog counts the value as on
    ; whatever it holds).
    StrCpy $StartWithSystem 1
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "UninstallString"
    ${If} $0 != ""
        ClearErrors
        ReadRegStr $0 HKCU "${RUN_KEY}" "Pellacor"
        ${If} ${Errors}
            StrCpy $StartWithSystem 0
        ${EndIf}
    ${EndIf}
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/STARTUP=" $1
    ${IfNot} ${Errors}
        ${If} $1 == 0
            StrCpy $StartWithSystem 0
        ${Else}
            StrCpy $StartWithSystem 1
        ${EndIf}
    ${EndIf}
FunctionEnd

Function StartupPage
    !insertmacro MUI_HEADER_TEXT "$(StartTitle)" "$(StartSubtitle)"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 30u "$(StartText)"
    Pop $0
    ${NSD_CreateCheckbox} 0 40u 100% 12u "$(StartCheck)"
    Pop $StartCheckBox
    ${If} $StartWithSystem == 1
        ${NSD_Check} $StartCheckBox
    ${EndIf}
    nsDialogs::Show
FunctionEnd

Function StartupPageLeave
    ${NSD_GetState} $StartCheckBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $StartWithSystem 1
    ${Else}
        StrCpy $StartWithSystem 0
    ${EndIf}
FunctionEnd

; Adds the size of $INSTDIR\file in KiB to $R9.
!macro ADD_FILE_SIZE file
    ${GetSize} "$INSTDIR" "/M=${file} /S=0K /G=0" $0 $1 $2
    IntOp $R9 $R9 + $0
!macroend

Section "Pellacor"
    SetShellVarContext current
    Call EndRunningPellacor
    SetOutPath "$INSTDIR"
    File "/oname=Pellacor.exe" "${PROGRAM}"
    File "/oname=Pellacor.chm" "${HELP}"
    WriteUninstaller "$INSTDIR\Uninstall.exe"
    CreateShortcut "$SMPROGRAMS\Pellacor.lnk" "$INSTDIR\Pellacor.exe" "" "$INSTDIR\Pellacor.exe" 0 \
        SW_SHOWNORMAL "" "${DESCRIPTION}"

    ; The same value the preferences dialog writes.
    ${If} $StartWithSystem == 1
        WriteRegStr HKCU "${RUN_KEY}" "Pellacor" '"$INSTDIR\Pellacor.exe"'
    ${Else}
        DeleteRegValue HKCU "${RUN_KEY}" "Pellacor"
    ${EndIf}

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "Pellacor"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMajor" ${VERSION_MAJOR}
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "VersionMinor" ${VERSION_MINOR}
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Pellacor.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\Uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\Uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ; The program's own files; the user's data beside them is not counted.
    StrCpy $R9 0
    !insertmacro ADD_FILE_SIZE "Pellacor.exe"
    !insertmacro ADD_FILE_SIZE "Pellacor.chm"
    !insertmacro ADD_FILE_SIZE "Uninstall.exe"
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $R9
SectionEnd

Function un.onInit
    StrCpy $RemoveData 0
FunctionEnd

Function un.DataPage
    !insertmacro MUI_HEADER_TEXT "$(DataTitle)" "$(DataSubtitle)"
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 30u "$(DataText)"
    Pop $0
    ${NSD_CreateCheckbox} 0 40u 100% 12u "$(DataCheck)"
    Pop $RemoveCheckBox
    nsDialogs::Show
FunctionEnd

Function un.DataPageLeave
    ${NSD_GetState} $RemoveCheckBox $0
    ${If} $0 == ${BST_CHECKED}
        StrCpy $RemoveData 1
    ${Else}
        StrCpy $RemoveData 0
    ${EndIf}
FunctionEnd

; The settings beside the program, and the personal history in the folder the
; settings name (the program's folder when they name none), with the copies of
; a damaged history Pellacor set aside.
Function un.RemoveUserData
    ReadINIStr $0 "$INSTDIR\Pellacor.ini" "Configuration" "PersonalHistoryPath"
    ${If} $0 == ""
        StrCpy $0 "$INSTDIR"
    ${EndIf}
    StrCpy $1 $0 1 -1
    ${If} $1 != "\"
        StrCpy $0 "$0\"
    ${EndIf}
    Delete "$0Personal.dat"
    Delete "$0Personal.dat.tmp"
    Delete "$0Personal.dat.bad"
    Delete "$0Personal.dat.*.bad"
    Delete "$INSTDIR\Pellacor.ini"
FunctionEnd

Section "Uninstall"
    SetShellVarContext current
    Call un.EndRunningPellacor
    Delete "$INSTDIR\Pellacor.exe"
    Delete "$INSTDIR\Pellacor.chm"
    ${If} $RemoveData == 1
        Call un.RemoveUserData
    ${EndIf}
    Delete "$INSTDIR\Uninstall.exe"
    RMDir "$INSTDIR"  ; only when nothing of the user's is left in it
    Delete "$SMPROGRAMS\Pellacor.lnk"

    ; The Run value goes when it starts this copy; one that starts another
    ; copy of Pellacor (a portable one) is that copy's.
    ReadRegStr $0 HKCU "${RUN_KEY}" "Pellacor"
    ${If} $0 == '"$INSTDIR\Pellacor.exe"'
    ${OrIf} $0 == "$INSTDIR\Pellacor.exe"
        DeleteRegValue HKCU "${RUN_KEY}" "Pellacor"
    ${EndIf}
    DeleteRegKey HKCU "${UNINSTALL_KEY}"
SectionEnd
