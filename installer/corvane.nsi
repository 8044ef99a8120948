; The per-user installer. The build passes VERSION, PUBLISHER, DIST (the folder to ship),
; GENERATED (shipped_files.nsh) and OUTFILE.

Unicode true
Target amd64-unicode
RequestExecutionLevel user
SetCompressor /SOLID lzma

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh
!include WinMessages.nsh
!include Sections.nsh
!include "${GENERATED}/shipped_files.nsh"

!define PRODUCT "Quillon Corvane"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\QuillonCorvane"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"
!define FOLDERID_UserProgramFiles "{5CD7AEE2-2219-4A67-B85D-6C9CE15660CB}"
!define KF_FLAG_CREATE 0x8000

Name "${PRODUCT}"
BrandingText "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
; Ending in the program's folder name, which Browse adds to the folder picked there. The user's
; own program folder replaces it below, and an upgrade goes where the last install went.
InstallDir "$LOCALAPPDATA\Programs\${PRODUCT}"
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
VIProductVersion "${VERSION}.0"
VIAddVersionKey /LANG=1033 "ProductName" "${PRODUCT}"
VIAddVersionKey /LANG=1033 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "FileVersion" "${VERSION}"
VIAddVersionKey /LANG=1033 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=1033 "FileDescription" "${PRODUCT} Setup"
VIAddVersionKey /LANG=1033 "LegalCopyright" "${PUBLISHER}"

!define MUI_ICON "${GENERATED}/corvane.ico"
!define MUI_UNICON "${GENERATED}/corvane.ico"
!define MUI_COMPONENTSPAGE_NODESC
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION start_program
!define MUI_FINISHPAGE_RUN_TEXT "Start ${PRODUCT} now"
!define MUI_PAGE_CUSTOMFUNCTION_LEAVE leave_folder_page
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_COMPONENTS
!insertmacro MUI_PAGE_INSTFILES
!define MUI_PAGE_CUSTOMFUNCTION_SHOW show_finish_page
!insertmacro MUI_PAGE_FINISH
!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES
!insertmacro MUI_LANGUAGE "English"

; Asks a running copy to close as its own exit command would (its unload saves an open
; editor), then waits until its one-copy mutex is gone and its program file can be written:
; the mutex goes when the program's main function returns, and the process, holding its
; file, may live on a while after (a check of a server that does not answer). A copy started
; a moment ago holds its mutex before it has made its window: it is asked as soon as its
; window is there. The request is posted, so that it waits in the queue of a copy still busy
; with its first refresh. A copy that is still running after 20 s (hung, or run as
; administrator) stops the setup before it changes anything: its files could be neither
; replaced nor removed.
!macro CLOSE_RUNNING_COPY un
Function ${un}close_running_copy
    StrCpy $2 0
    StrCpy $4 0
    ${Do}
        FindWindow $0 "frmMain" "${PRODUCT}"
        ${If} $0 <> 0
        ${AndIf} $0 <> $4
            System::Call 'user32::PostMessageW(p r0, i ${WM_CLOSE}, p 0, p 0)'
            StrCpy $4 $0
        ${EndIf}
        ; A copy run as administrator denies the setup its mutex: that, too, means it runs.
        System::Call 'kernel32::OpenMutexW(i 0x00100000, i 0, w "Local\QuillonCorvane.OneCopy") p .r1 ?e'
        Pop $3
        ${If} $1 P= 0
        ${AndIf} $3 <> 5
            System::Call 'kernel32::CreateFileW(w "$INSTDIR\corvane.exe", i 0x40000000, i 0, p 0, i 3, i 0x80, p 0) p .r5 ?e'
            Pop $6
            ${If} $5 P<> -1
                System::Call 'kernel32::CloseHandle(p r5)'
                ${Break}
            ${EndIf}
            ; Not there (yet, or any more): nothing holds it.
            ${If} $6 = 2
            ${OrIf} $6 = 3
                ${Break}
            ${EndIf}
        ${EndIf}
        ${If} $1 P<> 0
            System::Call 'kernel32::CloseHandle(p r1)'
        ${EndIf}
        Sleep 100
        IntOp $2 $2 + 1
    ${LoopWhile} $2 < 200
    ${If} $2 >= 200
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} is still running and did not close when asked.$\r$\n$\r$\nClose it from its tray menu (exit) and try again." /SD IDOK
        SetErrorLevel 2
        Quit
    ${EndIf}
FunctionEnd
!macroend
!insertmacro CLOSE_RUNNING_COPY ""
!insertmacro CLOSE_RUNNING_COPY "un."

; Sets $3 to "foreign" when $INSTDIR holds anything but what the program and its uninstaller
; leave behind: its stores, its INI file, the uninstaller run in place, a store's temporary file (cvn, up to four hex digits,
; .tmp) from a session that ended during a write, and icons of any kind in its icons folder,
; which must be a real folder: one that leads elsewhere would have the setup write, and the
; uninstaller delete, there.
Function find_foreign_files
    StrCpy $3 ""
    FindFirst $4 $5 "$INSTDIR\*"
    ${DoWhile} $5 != ""
        StrCpy $6 $5 3
        StrCpy $7 $5 "" -4
        StrLen $8 $5
        ${If} $6$7 == "cvn.tmp"
        ${AndIf} $8 <= 11
            StrCpy $6 "temporary"
        ${EndIf}
        ${If} $5 == "icons"
            System::Call 'kernel32::GetFileAttributesW(w "$INSTDIR\icons") i .r9'
            IntOp $9 $9 & 0x410
            ${If} $9 <> 0x10
                StrCpy $3 "foreign"
            ${EndIf}
            FindFirst $8 $9 "$INSTDIR\icons\*"
            ${DoWhile} $9 != ""
                StrCpy $7 $9 "" -4
                ${If} $9 != "."
                ${AndIf} $9 != ".."
                ${AndIf} $7 != ".ico"
                    StrCpy $3 "foreign"
                ${EndIf}
                FindNext $8 $9
            ${Loop}
            FindClose $8
        ${ElseIf} $5 != "."
        ${AndIf} $5 != ".."
        ${AndIf} $6 != "temporary"
        ${AndIf} $5 != "eaoaweoio"
        ${AndIf} $5 != "aweporrwrei"
        ${AndIf} $5 != "pp3imsfd"
        ${AndIf} $5 != "own_links"
        ${AndIf} $5 != "corvane.ini"
        ${AndIf} $5 != "uninstall.exe"
            StrCpy $3 "foreign"
        ${EndIf}
        FindNext $4 $5
    ${Loop}
    FindClose $4
FunctionEnd

; A folder that already holds files, but no install of ours nor what one leaves, is refused:
; the setup would mix its files in, and the uninstaller later delete same-named ones. Sets $0
; to "refused".
Function refuse_foreign_folder
    StrCpy $0 ""
    ${IfNot} ${FileExists} "$INSTDIR\corvane.exe"
        Call find_foreign_files
        ${If} $3 == "foreign"
            MessageBox MB_OK|MB_ICONSTOP "$INSTDIR already holds other files.$\r$\n$\r$\nChoose an empty folder, or a new one, for ${PRODUCT}." /SD IDOK
            StrCpy $0 "refused"
        ${EndIf}
    ${EndIf}
FunctionEnd

; A folder picked with Browse, or typed in, gets the program's folder name added, as the
; default has it; not the folder of an install, whose settings live there.
Function leave_folder_page
    ${GetFileName} "$INSTDIR" $0
    ${If} $0 != "${PRODUCT}"
    ${AndIfNot} ${FileExists} "$INSTDIR\corvane.exe"
        StrCpy $INSTDIR "$INSTDIR\${PRODUCT}"
        ; The page takes the folder from its box once this returns.
        FindWindow $1 "#32770" "" $HWNDPARENT
        GetDlgItem $1 $1 1019
        SendMessage $1 ${WM_SETTEXT} 0 "STR:$INSTDIR"
    ${EndIf}
    Call refuse_foreign_folder
    ${If} $0 == "refused"
        Abort
    ${EndIf}
FunctionEnd

Function .onInit
    ; The program's scaling calls came with Windows 10 version 1607 (build 14393). Asked of
    ; the system itself, which reports its true version to every caller.
    System::Call '*(i 276, i, i, i, i, &w128) p .r0'
    System::Call 'ntdll::RtlGetVersion(p r0)'
    System::Call '*$0(i, i .r1, i, i .r2)'
    System::Free $0
    IntOp $1 $1 * 100000
    IntOp $1 $1 + $2
    ${If} $1 < 1014393
        MessageBox MB_OK|MB_ICONSTOP "${PRODUCT} needs Windows 10 version 1607 or later." /SD IDOK
        SetErrorLevel 1
        Quit
    ${EndIf}
    Call offer_current_choice
    Call read_switches
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ${If} $0 == ""
    ${AndIf} $INSTDIR == "$LOCALAPPDATA\Programs\${PRODUCT}"
        System::Call 'shell32::SHGetKnownFolderPath(g "${FOLDERID_UserProgramFiles}", i ${KF_FLAG_CREATE}, p 0, *p .r1) i .r0'
        ${If} $0 = 0
            System::Call '*$1(&w${NSIS_MAX_STRLEN} .r2)'
            StrCpy $INSTDIR "$2\${PRODUCT}"
        ${EndIf}
        System::Call 'ole32::CoTaskMemFree(p r1)'
    ${EndIf}
FunctionEnd

Section "-${PRODUCT}"
    ${If} ${Silent}
        Call refuse_foreign_folder
        ${If} $0 == "refused"
            SetErrorLevel 2
            Quit
        ${EndIf}
    ${EndIf}
    Call close_running_copy
    SetOutPath "$INSTDIR"
    File "${DIST}/corvane.exe"
    File /r "${DIST}/icons"
    WriteUninstaller "$INSTDIR\uninstall.exe"
    CreateShortcut "$SMPROGRAMS\${PRODUCT}.lnk" "$INSTDIR\corvane.exe"

    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\corvane.exe,0"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
    WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
    WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
    ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
    WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0
    ; Written again below when the box stays ticked.
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
SectionEnd

Section "Start with Windows" start_with_windows
    WriteRegStr HKCU "${RUN_KEY}" "${PRODUCT}" '"$INSTDIR\corvane.exe"'
SectionEnd

; An upgrade offers, and a silent one keeps, the user's current choice: "Start with Windows"
; starts ticked only when the Run entry is there. A first install starts ticked.
Function offer_current_choice
    ReadRegStr $0 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    ReadRegStr $1 HKCU "${RUN_KEY}" "${PRODUCT}"
    ${If} $0 != ""
    ${AndIf} $1 == ""
        !insertmacro UnselectSection ${start_with_windows}
    ${EndIf}
FunctionEnd

; Deployment switches: /NOSTART, the program is not started at the end; /NOAUTOSTART, no
; sign-in entry (an upgrade removes the one there).
Var no_start

Function read_switches
    ${GetParameters} $0
    ClearErrors
    ${GetOptions} $0 "/NOSTART" $1
    ${IfNot} ${Errors}
        StrCpy $no_start 1
    ${EndIf}
    ClearErrors
    ${GetOptions} $0 "/NOAUTOSTART" $1
    ${IfNot} ${Errors}
        !insertmacro UnselectSection ${start_with_windows}
    ${EndIf}
FunctionEnd

Function show_finish_page
    ${If} $no_start == 1
        SendMessage $mui.FinishPage.Run ${BM_SETCHECK} ${BST_UNCHECKED} 0
    ${EndIf}
FunctionEnd

; Started by a setup run as administrator, the program has the desktop's shell start it
; again at the signed-in user's level, and that copy ends.
Function start_program
    ${If} $no_start != 1
        Exec '"$INSTDIR\corvane.exe"'
    ${EndIf}
FunctionEnd

; The finish page offers the start; a silent install takes its default.
Section "-start"
    ${If} ${Silent}
        Call start_program
    ${EndIf}
SectionEnd

Section "Uninstall"
    Call un.close_running_copy
    ; The program's links, by its own test, and its staging folder.
    ${If} ${FileExists} "$INSTDIR\corvane.exe"
        ExecWait '"$INSTDIR\corvane.exe" /remove-links'
    ${EndIf}
    DeleteRegValue HKCU "${RUN_KEY}" "${PRODUCT}"
    Delete "$SMPROGRAMS\${PRODUCT}.lnk"
    DeleteRegKey HKCU "${UNINSTALL_KEY}"

    ; Only what the program put there: anything of the user's keeps the folder.
    Delete "$INSTDIR\corvane.exe"
    !insertmacro DELETE_SHIPPED_ICONS
    RMDir "$INSTDIR\icons"
    Delete "$INSTDIR\eaoaweoio"
    Delete "$INSTDIR\aweporrwrei"
    Delete "$INSTDIR\pp3imsfd"
    Delete "$INSTDIR\own_links"
    Delete "$INSTDIR\corvane.ini"
    ; A store's temporary file, left when the session ended during a write.
    Delete "$INSTDIR\cvn????.tmp"
    Delete "$INSTDIR\uninstall.exe"
    RMDir "$INSTDIR"
SectionEnd
