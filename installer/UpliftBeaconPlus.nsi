; The per-user installer of Uplift Beacon Plus and its uninstaller, compiled by makensis (NSIS 3).
; Defined on the command line (installer/CMakeLists.txt): VERSION (a.b.c.d), DIST (the ready-to-run
; folder the program and its help file come from), AFFIRMATIONS (their source folder), OUTFILE, ICON and WIZARD_BITMAP.
;
; An upgrade never leaves a half-replaced program: the new files are unpacked into a folder beside the
; old ones, the old ones are moved aside, the new ones moved in, and any failure on the way moves
; everything back. Data.Lst is never touched, nor are the program's registry settings.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma

!include MUI2.nsh
!include nsDialogs.nsh
!include LogicLib.nsh
!include WinMessages.nsh
!include FileFunc.nsh

!define PRODUCT "Uplift Beacon Plus"
!define PUBLISHER "Fernbrook"
!define EXE "UpliftBeacon.exe"
!define HELP "UpliftBeacon.chm"
!define LIST "Affirmations"
!define UNINSTALLER "Uninstall.exe"
; The program's main window, as the platform finds it to end the session.
!define MAIN_CLASS "UpliftBeacon.frmMenu"
!define UNINST_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\UpliftBeaconPlus"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define APPROVED_KEY "Software\Microsoft\Windows\CurrentVersion\Explorer\StartupApproved\Run"
!define SHORTCUT "$SMPROGRAMS\${PRODUCT}.lnk"
!define NEW_FILES "$INSTDIR\Setup.new"
!define OLD_FILES "$INSTDIR\Setup.old"
!define ENDSESSION_LOGOFF 0x80000000

Name "${PRODUCT}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINST_KEY}" "InstallLocation"
BrandingText "${PRODUCT} ${VERSION}"
ShowInstDetails hide
ShowUninstDetails hide

VIProductVersion "${VERSION}"
VIFileVersion "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "LegalCopyright" "Copyright ${U+00A9} ${PUBLISHER}"
VIAddVersionKey /LANG=1033 "OriginalFilename" "UpliftBeaconPlus-${VERSION}-setup.exe"

Var StartAtLogin ; BST_CHECKED or BST_UNCHECKED
Var Shortcut
Var LoginBox
Var ShortcutBox
Var WasRunning
Var Failed ; the file that could not be moved, empty while all goes well
Var RemoveData
Var RemoveDataBox

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_WELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_UNWELCOMEFINISHPAGE_BITMAP "${WIZARD_BITMAP}"
!define MUI_ABORTWARNING
!define MUI_WELCOMEPAGE_TEXT "Setup will install ${PRODUCT} ${VERSION} for you alone, in a folder of your own: \
    no administrator is needed.$\r$\n$\r$\n${PRODUCT} lives as an icon in the notification area of the task bar \
    and puts a short encouraging sentence on the screen on a schedule.$\r$\n$\r$\nIf ${PRODUCT} is running, \
    Setup closes it and starts it again afterwards. Your list of affirmations and your settings are kept.$\r$\n$\r$\n\
    Click Next to continue."
!insertmacro MUI_PAGE_WELCOME
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE DirectoryLeave
!insertmacro MUI_PAGE_DIRECTORY
Page custom OptionsPage OptionsLeave
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_TEXT "Run ${PRODUCT} now"
!define MUI_FINISHPAGE_RUN_FUNCTION RunProgram
!insertmacro MUI_PAGE_FINISH

UninstPage custom un.RemovePage un.RemoveLeave
!insertmacro MUI_UNPAGE_INSTFILES
!define MUI_FINISHPAGE_TEXT "${PRODUCT} has been removed from your computer.$\r$\n$\r$\nClick Finish to close this \
    wizard."
!insertmacro MUI_UNPAGE_FINISH

!insertmacro MUI_LANGUAGE "English"

; Asks a running copy to close the way Windows does at log-off (it saves its settings and ends, also with a
; dialog of its own open) and waits up to 10 s for its process to end. WasRunning tells whether one ran;
; a copy that would not close stops everything with a message, nothing changed.
!macro CLOSE_RUNNING_COPY UN AGAIN
Function ${UN}CloseRunningCopy
    StrCpy $WasRunning 0
    FindWindow $0 "${MAIN_CLASS}"
    ${If} $0 == 0
        Return
    ${EndIf}
    StrCpy $WasRunning 1
    DetailPrint "Closing the running ${PRODUCT}..."
    System::Call 'user32::GetWindowThreadProcessId(p r0, *i .r1)'
    ; SYNCHRONIZE: enough to wait for the end of the process.
    System::Call 'kernel32::OpenProcess(i 0x00100000, i 0, i r1) p .r2'
    SendMessage $0 ${WM_QUERYENDSESSION} 0 ${ENDSESSION_LOGOFF} $3 /TIMEOUT=5000
    SendMessage $0 ${WM_ENDSESSION} 1 ${ENDSESSION_LOGOFF} $3 /TIMEOUT=5000
    StrCpy $4 1
    ${If} $2 != 0
        System::Call 'kernel32::WaitForSingleObject(p r2, i 10000) i .r4'
        System::Call 'kernel32::CloseHandle(p r2)'
        Goto closed
    ${EndIf}
    ; Without a handle to the process its window tells.
    StrCpy $5 0
    window_up:
        IsWindow $0 0 window_gone
        IntOp $5 $5 + 1
        IntCmp $5 100 closed
        Sleep 100
        Goto window_up
    window_gone:
        StrCpy $4 0
    closed:
    ${If} $4 != 0
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is running and did not close.$\r$\n$\r$\nEnd it with Exit in the \
            menu of its icon, then ${AGAIN}. Nothing has been changed." /SD IDOK
        Abort
    ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY "" "run Setup again"
!insertmacro CLOSE_RUNNING_COPY "un." "remove it again"

; ------------------------------------------------------------------------------------------------------
; The installer

Function .onInit
    StrCpy $StartAtLogin ${BST_CHECKED}
    StrCpy $Shortcut ${BST_CHECKED}
    ; An upgrade keeps what the user has chosen since: the login start and the shortcut as they are.
    ReadRegStr $0 HKCU "${UNINST_KEY}" "InstallLocation"
    ${If} $0 != ""
        ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
        ${If} $1 != '"$0\${EXE}"'
            StrCpy $StartAtLogin ${BST_UNCHECKED}
        ${EndIf}
        ${IfNot} ${FileExists} "${SHORTCUT}"
            StrCpy $Shortcut ${BST_UNCHECKED}
        ${EndIf}
    ${EndIf}
FunctionEnd

; Sets the error flag when the user cannot write to the chosen folder; leaves no folder it made.
Function CheckFolder
    StrCpy $1 0
    ${IfNot} ${FileExists} "$INSTDIR\*.*"
        StrCpy $1 1
    ${EndIf}
    ClearErrors
    CreateDirectory "$INSTDIR"
    FileOpen $0 "$INSTDIR\Setup.write-test" w
    ${IfNot} ${Errors}
        FileClose $0
        Delete "$INSTDIR\Setup.write-test"
    ${EndIf}
    ${If} $1 == 1
        Push $0
        RMDir "$INSTDIR"
        Pop $0
    ${EndIf}
FunctionEnd

!macro REFUSE_FOLDER
    MessageBox MB_OK|MB_ICONSTOP "You cannot write to the folder$\r$\n$INSTDIR$\r$\n$\r$\nChoose a folder of your own, \
        such as $LOCALAPPDATA\Programs\${PRODUCT}." /SD IDOK
!macroend

Function DirectoryLeave
    Call CheckFolder
    ${If} ${Errors}
        !insertmacro REFUSE_FOLDER
        Abort ; stays on the page
    ${EndIf}
FunctionEnd

Function OptionsPage
    !insertmacro MUI_HEADER_TEXT "Options" "Choose how ${PRODUCT} starts."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateCheckbox} 0 0 100% 12u "Start ${PRODUCT} when I log in"
    Pop $LoginBox
    ${NSD_SetState} $LoginBox $StartAtLogin
    ${NSD_CreateCheckbox} 0 18u 100% 12u "Start menu shortcut"
    Pop $ShortcutBox
    ${NSD_SetState} $ShortcutBox $Shortcut
    ${NSD_CreateLabel} 0 42u 100% 36u "Either can be changed later: the first with $\"Start when I log in$\" in the \
        menu of the program's icon."
    Pop $0
    nsDialogs::Show
FunctionEnd

Function OptionsLeave
    ${NSD_GetState} $LoginBox $StartAtLogin
    ${NSD_GetState} $ShortcutBox $Shortcut
FunctionEnd

; Moves one file or folder of the program out of the way; on failure Failed names it.
!macro MOVE_ASIDE NAME
    ${If} $Failed == ""
    ${AndIf} ${FileExists} "$INSTDIR\${NAME}"
        ClearErrors
        Rename "$INSTDIR\${NAME}" "${OLD_FILES}\${NAME}"
        ${If} ${Errors}
            StrCpy $Failed "$INSTDIR\${NAME}"
        ${EndIf}
    ${EndIf}
!macroend

!macro MOVE_IN NAME
    ${If} $Failed == ""
        ClearErrors
        Rename "${NEW_FILES}\${NAME}" "$INSTDIR\${NAME}"
        ${If} ${Errors}
            StrCpy $Failed "$INSTDIR\${NAME}"
        ${EndIf}
    ${EndIf}
!macroend

; Undoes MOVE_IN and MOVE_ASIDE for one name, whichever of them happened.
!macro MOVE_BACK NAME
    ${IfNot} ${FileExists} "${NEW_FILES}\${NAME}"
    ${AndIf} ${FileExists} "$INSTDIR\${NAME}"
    ${AndIf} ${FileExists} "${OLD_FILES}\${NAME}"
        Rename "$INSTDIR\${NAME}" "${NEW_FILES}\${NAME}"
    ${EndIf}
    ${If} ${FileExists} "${OLD_FILES}\${NAME}"
        Rename "${OLD_FILES}\${NAME}" "$INSTDIR\${NAME}"
    ${EndIf}
!macroend

; Moves the files unpacked into NEW_FILES into place; on failure Failed names the file and all is as before.
Function SwapFiles
    StrCpy $Failed ""
    CreateDirectory "${OLD_FILES}"
    !insertmacro MOVE_ASIDE "${EXE}"
    !insertmacro MOVE_ASIDE "${HELP}"
    !insertmacro MOVE_ASIDE "${LIST}"
    !insertmacro MOVE_ASIDE "${UNINSTALLER}"
    !insertmacro MOVE_IN "${EXE}"
    !insertmacro MOVE_IN "${HELP}"
    !insertmacro MOVE_IN "${LIST}"
    !insertmacro MOVE_IN "${UNINSTALLER}"
    ${If} $Failed != ""
        DetailPrint "Cannot replace $Failed: putting the installed files back."
        !insertmacro MOVE_BACK "${EXE}"
        !insertmacro MOVE_BACK "${HELP}"
        !insertmacro MOVE_BACK "${LIST}"
        !insertmacro MOVE_BACK "${UNINSTALLER}"
    ${EndIf}
    RMDir /r "${NEW_FILES}"
    RMDir /r "${OLD_FILES}"
FunctionEnd

Function StartProgram
    SetOutPath "$INSTDIR"
    Exec '"$INSTDIR\${EXE}"'
FunctionEnd

Function RunProgram
    ; Not a second time when Setup has already started it again.
    FindWindow $0 "${MAIN_CLASS}"
    ${If} $0 == 0
        Call StartProgram
    ${EndIf}
FunctionEnd

Section "Install"
    Call CheckFolder
    ${If} ${Errors}
        !insertmacro REFUSE_FOLDER
        Abort
    ${EndIf}
    Call CloseRunningCopy
    DetailPrint "Copying the files of ${PRODUCT}..."
    ; Unpacked here, in the section, so that the folder page can tell the space they need.
    RMDir /r "${NEW_FILES}"
    RMDir /r "${OLD_FILES}"
    ClearErrors
    SetOutPath "${NEW_FILES}"
    File "${DIST}/${EXE}"
    File "${DIST}/${HELP}"
    SetOutPath "${NEW_FILES}\${LIST}"
    File "${AFFIRMATIONS}/*"
    WriteUninstaller "${NEW_FILES}\${UNINSTALLER}"
    SetOutPath "$INSTDIR"
    ${If} ${Errors}
        RMDir /r "${NEW_FILES}"
        StrCpy $Failed "${NEW_FILES}"
    ${Else}
        Call SwapFiles
    ${EndIf}
    ${If} $Failed != ""
        ${If} $WasRunning == 1
            Call StartProgram
        ${EndIf}
        MessageBox MB_OK|MB_ICONSTOP "Setup cannot write$\r$\n$Failed$\r$\n$\r$\nIt may be open in another \
            program. ${PRODUCT} has been left as it was. Close that program and run Setup again." /SD IDOK
        Abort
    ${EndIf}

    ${If} $Shortcut == ${BST_CHECKED}
        CreateDirectory "$SMPROGRAMS"
        CreateShortcut "${SHORTCUT}" "$INSTDIR\${EXE}" "" "$INSTDIR\${EXE}" 0
    ${Else}
        Delete "${SHORTCUT}"
    ${EndIf}
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $StartAtLogin == ${BST_CHECKED}
        WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\${EXE}"'
        DeleteRegValue HKCU "${APPROVED_KEY}" "${PRODUCT}"
    ${ElseIf} $0 == '"$INSTDIR\${EXE}"'
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    ${EndIf}

    WriteRegStr HKCU "${UNINST_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINST_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINST_KEY}" "DisplayIcon" "$INSTDIR\${EXE},0"
    WriteRegStr HKCU "${UNINST_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINST_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
    WriteRegStr HKCU "${UNINST_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S'
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINST_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINST_KEY}" "EstimatedSize" $0

    ${If} $WasRunning == 1
        Call StartProgram
    ${EndIf}
SectionEnd

; ------------------------------------------------------------------------------------------------------
; The uninstaller

Function un.onInit
    StrCpy $RemoveData ${BST_UNCHECKED}
FunctionEnd

Function un.RemovePage
    !insertmacro MUI_HEADER_TEXT "Uninstall ${PRODUCT}" "Remove ${PRODUCT} from your computer."
    nsDialogs::Create 1018
    Pop $0
    ${NSD_CreateLabel} 0 0 100% 36u "${PRODUCT} will be removed from the folder$\r$\n$INSTDIR$\r$\n\
        Click Uninstall to go on."
    Pop $0
    ${NSD_CreateCheckbox} 0 44u 100% 12u "Also remove my affirmation list and settings"
    Pop $RemoveDataBox
    ${NSD_SetState} $RemoveDataBox $RemoveData
    ${NSD_CreateLabel} 12u 58u -12u 30u "Without it your list (Data.Lst) and your settings stay, for a later \
        installation."
    Pop $0
    GetDlgItem $0 $HWNDPARENT 1
    SendMessage $0 ${WM_SETTEXT} 0 "STR:&Uninstall"
    nsDialogs::Show
FunctionEnd

Function un.RemoveLeave
    ${NSD_GetState} $RemoveDataBox $RemoveData
FunctionEnd

Section "Uninstall"
    Call un.CloseRunningCopy
    Delete "$INSTDIR\${EXE}"
    Delete "$INSTDIR\${HELP}"
    RMDir /r "$INSTDIR\${LIST}"
    Delete "$INSTDIR\${UNINSTALLER}"
    Delete "${SHORTCUT}"
    ; The login start only when it names this installation, not a portable copy elsewhere.
    ReadRegStr $0 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 == '"$INSTDIR\${EXE}"'
        DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
        DeleteRegValue HKCU "${APPROVED_KEY}" "${PRODUCT}"
    ${EndIf}
    DeleteRegKey HKCU "${UNINST_KEY}"
    ${If} $RemoveData == ${BST_CHECKED}
        Delete "$INSTDIR\Data.Lst"
        DeleteRegKey HKCU "Software\Shared Program Settings\${PRODUCT}"
        DeleteRegKey /ifempty HKCU "Software\Shared Program Settings"
        DeleteRegKey HKCU "Software\Fernbrook\UpliftBeacon"
        DeleteRegKey /ifempty HKCU "Software\Fernbrook"
    ${EndIf}
    RMDir "$INSTDIR"
SectionEnd
