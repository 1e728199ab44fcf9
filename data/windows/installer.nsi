; The per-user installer of the Windows build. It puts the two programs, the
; start-up colours and the read-me into one folder ($LOCALAPPDATA\Programs\Tintbar
; unless /D= names another), adds a Start menu shortcut that starts the
; program in that folder, so that it finds the shipped default.css, and
; registers the uninstaller under the current user's installed programs.
; Nothing needs administrator rights.
;
; makensis is given, with -D (cmake/WindowsInstaller.cmake does it):
;   PRODUCT_NAME  the name the product goes by
;   PUBLISHER     who publishes it
;   VERSION       the version, as the build defines it
;   STAGE         the folder of the portable zip: tintbar.exe, tintbar-css.exe,
;                 default.css and ReadMe.txt
;   ICON          the program's icon
;   OUTFILE       the installer to write
;
; Exit codes, with and without /S: 0 when it worked, 2 when it stopped
; before changing anything (the folder cannot be written, the program is
; running), 1 when the user cancelled.

Unicode true
; The 64-bit stub: there is no 32-bit Windows build of the programs, and a
; 64-bit system without its 32-bit part cannot start the default stub.
Target amd64-unicode
RequestExecutionLevel user
ManifestDPIAware true
SetCompressor /SOLID lzma
; The download is named Tintbar-<version>-setup.exe, as installers are; its
; manifest asks for no elevation, so Windows does not treat it as a legacy
; installer.
!pragma warning disable 9000

!include MUI2.nsh
!include LogicLib.nsh
!include FileFunc.nsh

!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tintbar"
!define SHORTCUT "$SMPROGRAMS\Tintbar.lnk"
!define UNINSTALLER "uninstall.exe"
; Start-up colours larger than this are never the shipped ones; they are not
; read byte by byte to find that out.
!define FINGERPRINT_LIMIT 1048576

Name "${PRODUCT_NAME}"
OutFile "${OUTFILE}"
InstallDir "$LOCALAPPDATA\Programs\Tintbar"
; An installation again goes where the last one went, unless /D= says otherwise.
InstallDirRegKey HKCU "${UNINSTALL_KEY}" "InstallLocation"
BrandingText "${PRODUCT_NAME} ${VERSION}"

; The installer's version block carries the program's version numbers.
!getdllversion "${STAGE}/tintbar.exe" PROGRAM_VERSION_
VIProductVersion "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"
VIFileVersion "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"
VIAddVersionKey /LANG=0 "ProductName" "${PRODUCT_NAME}"
VIAddVersionKey /LANG=0 "ProductVersion" "${VERSION}"
VIAddVersionKey /LANG=0 "CompanyName" "${PUBLISHER}"
VIAddVersionKey /LANG=0 "LegalCopyright" "Copyright (C) 2026 ${PUBLISHER}"
VIAddVersionKey /LANG=0 "FileDescription" "${PRODUCT_NAME} ${VERSION} Setup"
VIAddVersionKey /LANG=0 "FileVersion" "${PROGRAM_VERSION_1}.${PROGRAM_VERSION_2}.${PROGRAM_VERSION_3}.${PROGRAM_VERSION_4}"

!define MUI_ICON "${ICON}"
!define MUI_UNICON "${ICON}"
!define MUI_ABORTWARNING

!define MUI_PAGE_CUSTOMFUNCTION_LEAVE LeaveDirectoryPage
!insertmacro MUI_PAGE_DIRECTORY
!insertmacro MUI_PAGE_INSTFILES
!define MUI_FINISHPAGE_RUN
!define MUI_FINISHPAGE_RUN_FUNCTION StartFromShortcut
!insertmacro MUI_PAGE_FINISH

!insertmacro MUI_UNPAGE_CONFIRM
!insertmacro MUI_UNPAGE_INSTFILES

; Without a language dialog, the pages take the system's language when it
; is one of these, and the first one otherwise.
!insertmacro MUI_LANGUAGE "English"
!insertmacro MUI_LANGUAGE "Japanese"

; $R9 names the file in use, $R8 the folder of an earlier installation.
LangString MessageInUse ${LANG_ENGLISH} "$R9 is in use. Close Tintbar and try again."
LangString MessageInUse ${LANG_JAPANESE} "$R9 は使用中です。Tintbar を終了してから、もう一度お試しください。"
LangString MessageNotWritable ${LANG_ENGLISH} "The folder $INSTDIR cannot be written to. Choose another folder, or allow writing to this one."
LangString MessageNotWritable ${LANG_JAPANESE} "フォルダー $INSTDIR に書き込めません。別のフォルダーを選ぶか、このフォルダーへの書き込みを許可してください。"
LangString MessageEarlierKept ${LANG_ENGLISH} "The earlier installation in $R8 could not be removed. Close Tintbar, or remove it from the installed apps, and try again."
LangString MessageEarlierKept ${LANG_JAPANESE} "$R8 にある以前のインストールを削除できませんでした。Tintbar を終了するか、インストールされているアプリから削除してから、もう一度お試しください。"
LangString MessageSchemeKeptOnInstall ${LANG_ENGLISH} "$INSTDIR\default.css was changed after it was installed. It has been kept; the shipped colours were not written over it."
LangString MessageSchemeKeptOnInstall ${LANG_JAPANESE} "$INSTDIR\default.css はインストール後に変更されているため、そのまま残しました。同梱の配色では上書きしていません。"
LangString MessageSchemeKept ${LANG_ENGLISH} "$INSTDIR\default.css was changed after it was installed, so it has been kept. Delete it yourself when you no longer need it."
LangString MessageSchemeKept ${LANG_JAPANESE} "$INSTDIR\default.css はインストール後に変更されているため、削除せずに残しました。不要になったらご自分で削除してください。"
LangString MessageFileKept ${LANG_ENGLISH} "$R4 could not be removed. Close what uses it and uninstall again."
LangString MessageFileKept ${LANG_JAPANESE} "$R4 を削除できませんでした。使用しているプログラムを終了してから、もう一度アンインストールしてください。"

Var SchemeKept

; Sets $R9 to file when $R9 is still "" and file exists but cannot be opened
; for writing. Windows does not let a running program's file be written, so
; this finds Tintbar running from the folder (or the companion, in a script).
!macro FindFileInUse file
  ${If} $R9 == ""
  ${AndIf} ${FileExists} "${file}"
    ClearErrors
    FileOpen $0 "${file}" a
    ${If} ${Errors}
      StrCpy $R9 "${file}"
    ${Else}
      FileClose $0
    ${EndIf}
  ${EndIf}
!macroend

; Functions that the installer and the uninstaller both need, defined once
; for each (the uninstaller's names start with "un.").
!macro SharedFunctions un
  ; Sets $R9 to the first of the programs in $INSTDIR that is in use, or to "".
  Function ${un}FindProgramInUse
    Push $0
    StrCpy $R9 ""
    !insertmacro FindFileInUse "$INSTDIR\tintbar.exe"
    !insertmacro FindFileInUse "$INSTDIR\tintbar-css.exe"
    Pop $0
  FunctionEnd

  ; Sets $R7 to 1 when a new file can be created in $INSTDIR, which must
  ; exist, and to 0 otherwise. The file is looked for, not taken on trust:
  ; Wine's GetTempFileName can report a file that it did not create.
  Function ${un}ProbeWritable
    Push $0
    StrCpy $R7 0
    GetTempFileName $0 $INSTDIR
    ${If} $0 != ""
    ${AndIf} ${FileExists} $0
      Delete $0
      StrCpy $R7 1
    ${EndIf}
    Pop $0
  FunctionEnd

  ; Sets $R1 to the fingerprint of the file $R0: its size and its 32-bit
  ; FNV-1a hash, "size:hash", or "" when it cannot be read. The installer
  ; records the fingerprint of the default.css it installs; a file whose
  ; fingerprint differs later was changed by the user and is kept.
  Function ${un}Fingerprint
    Push $0
    Push $1
    Push $2
    Push $3
    StrCpy $R1 ""
    ClearErrors
    FileOpen $0 $R0 r
    ${IfNot} ${Errors}
      FileSeek $0 0 END $1
      ${If} $1 > ${FINGERPRINT_LIMIT}
        StrCpy $R1 "$1:-"
      ${Else}
        FileSeek $0 0 SET
        StrCpy $2 0x811C9DC5
        ${Do}
          ClearErrors
          FileReadByte $0 $3
          ${IfThen} ${Errors} ${|} ${ExitDo} ${|}
          IntOp $2 $2 ^ $3
          IntOp $2 $2 * 16777619
        ${Loop}
        StrCpy $R1 "$1:$2"
      ${EndIf}
      FileClose $0
    ${EndIf}
    Pop $3
    Pop $2
    Pop $1
    Pop $0
  FunctionEnd

  ; Takes a final backslash off $INSTDIR, which the directory page and the
  ; uninstaller's own copy may add, so that it compares equal to the folder
  ; that the Uninstall entry names.
  Function ${un}TrimInstallFolder
    Push $0
    StrCpy $0 $INSTDIR 1 -1
    ${IfThen} $0 == "\" ${|} StrCpy $INSTDIR $INSTDIR -1 ${|}
    Pop $0
  FunctionEnd

  ; Sets $R8 to the folder of the installation that the Uninstall entry
  ; names, without a final backslash, or to "" when there is none.
  Function ${un}FindRegisteredFolder
    Push $0
    ReadRegStr $R8 HKCU "${UNINSTALL_KEY}" "InstallLocation"
    StrCpy $0 $R8 1 -1
    ${IfThen} $0 == "\" ${|} StrCpy $R8 $R8 -1 ${|}
    Pop $0
  FunctionEnd
!macroend
!insertmacro SharedFunctions ""
!insertmacro SharedFunctions "un."

; Sets $R6 to the message that stops an installation into $INSTDIR, or to
; "" when it can go ahead; $R5 to "created" when this created the folder,
; which it then removes again if the installation cannot go ahead.
Function CheckInstallFolder
  Call TrimInstallFolder
  StrCpy $R6 ""
  StrCpy $R5 ""
  ${IfNot} ${FileExists} "$INSTDIR\*.*"
    ClearErrors
    CreateDirectory $INSTDIR
    ${If} ${Errors}
      StrCpy $R6 "$(MessageNotWritable)"
      Return
    ${EndIf}
    StrCpy $R5 created
  ${EndIf}
  Call ProbeWritable
  ${If} $R7 == 0
    StrCpy $R6 "$(MessageNotWritable)"
  ${Else}
    Call FindProgramInUse
    ${IfThen} $R9 != "" ${|} StrCpy $R6 "$(MessageInUse)" ${|}
  ${EndIf}
  ${If} $R6 != ""
  ${AndIf} $R5 == created
    RMDir $INSTDIR
  ${EndIf}
FunctionEnd

; On the directory page, a folder that will not do keeps the user there.
Function LeaveDirectoryPage
  Call CheckInstallFolder
  ${If} $R6 != ""
    MessageBox MB_OK|MB_ICONEXCLAMATION $R6
    Abort
  ${EndIf}
  ${IfThen} $R5 == created ${|} RMDir $INSTDIR ${|}
FunctionEnd

; Stops with a message, or only the exit code with /S.
!macro Stop message
  MessageBox MB_OK|MB_ICONSTOP "${message}" /SD IDOK
  SetErrorLevel 2
  Abort
!macroend

; Removes an installation in another folder than $INSTDIR with its own
; uninstaller, waiting for it, so that one Uninstall entry stays and no
; files are left behind unlisted. Sets $R6 to the message when it fails.
Function RemoveEarlierInstallation
  StrCpy $R6 ""
  Call FindRegisteredFolder
  ${If} $R8 == ""
  ${OrIf} $R8 == $INSTDIR
  ${OrIfNot} ${FileExists} "$R8\${UNINSTALLER}"
    Return
  ${EndIf}
  ClearErrors
  ExecWait '"$R8\${UNINSTALLER}" /S _?=$R8' $0
  ${If} ${Errors}
  ${OrIf} $0 != 0
    StrCpy $R6 "$(MessageEarlierKept)"
  ${EndIf}
FunctionEnd

; Installs the shipped default.css unless the one in the folder was changed
; by the user: that one is replaced only when it is the same as the new one
; or the one that the earlier installation into this folder shipped.
Function InstallScheme
  InitPluginsDir
  SetOutPath $PLUGINSDIR
  File "${STAGE}/default.css"
  StrCpy $R0 "$PLUGINSDIR\default.css"
  Call Fingerprint
  StrCpy $R2 $R1
  SetOutPath $INSTDIR
  WriteRegStr HKCU "${UNINSTALL_KEY}" "SchemeFingerprint" $R2
  ${IfNot} ${FileExists} "$INSTDIR\default.css"
    File "${STAGE}/default.css"
    Return
  ${EndIf}
  StrCpy $R0 "$INSTDIR\default.css"
  Call Fingerprint
  ${If} $R1 == $R2
    Return
  ${EndIf}
  ${If} $R8 == $INSTDIR
  ${AndIf} $R3 != ""
  ${AndIf} $R1 == $R3
    File "${STAGE}/default.css"
  ${Else}
    StrCpy $SchemeKept 1
    DetailPrint "$(MessageSchemeKeptOnInstall)"
  ${EndIf}
FunctionEnd

Function StartFromShortcut
  ExecShell "open" "${SHORTCUT}"
FunctionEnd

Section
  Call CheckInstallFolder
  ${If} $R6 != ""
    !insertmacro Stop $R6
  ${EndIf}
  ; What the earlier installation into this folder shipped, read before
  ; anything is written.
  Call FindRegisteredFolder
  ReadRegStr $R3 HKCU "${UNINSTALL_KEY}" "SchemeFingerprint"
  Call RemoveEarlierInstallation
  ${If} $R6 != ""
    ${IfThen} $R5 == created ${|} RMDir $INSTDIR ${|}
    !insertmacro Stop $R6
  ${EndIf}

  SetOutPath $INSTDIR
  ClearErrors
  File /nonfatal "${STAGE}/tintbar.exe"
  File /nonfatal "${STAGE}/tintbar-css.exe"
  File /nonfatal "${STAGE}/ReadMe.txt"
  ${If} ${Errors}
    !insertmacro Stop "$(MessageNotWritable)"
  ${EndIf}
  Call InstallScheme
  WriteUninstaller "$INSTDIR\${UNINSTALLER}"

  ; The shortcut starts the program in the install folder (the output
  ; folder when it is made), where it finds the shipped default.css.
  CreateShortcut "${SHORTCUT}" "$INSTDIR\tintbar.exe" "" "$INSTDIR\tintbar.exe" 0

  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT_NAME}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\tintbar.exe"
  WriteRegStr HKCU "${UNINSTALL_KEY}" "InstallLocation" $INSTDIR
  WriteRegStr HKCU "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\${UNINSTALLER}"'
  ; Run in place (_?=), the uninstaller works while its caller waits, and
  ; its exit code says whether it worked.
  WriteRegStr HKCU "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\${UNINSTALLER}" /S _?=$INSTDIR'
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} $INSTDIR "/S=0K /G=0" $0 $1 $2
  WriteRegDWORD HKCU "${UNINSTALL_KEY}" "EstimatedSize" $0

  ${If} $SchemeKept == 1
    MessageBox MB_OK|MB_ICONINFORMATION "$(MessageSchemeKeptOnInstall)" /SD IDOK
  ${EndIf}
SectionEnd

; The copy of the uninstaller that removes uninstall.exe and the folder
; after the uninstaller that ran in place has ended (see below).
Function un.onInit
  Call un.TrimInstallFolder
  ${GetParameters} $0
  ClearErrors
  ${GetOptions} $0 "/CLEANUP" $1
  ${If} ${Errors}
    Return
  ${EndIf}
  ${For} $0 1 300
    Delete "$INSTDIR\${UNINSTALLER}"
    ${IfNotThen} ${FileExists} "$INSTDIR\${UNINSTALLER}" ${|} ${Break} ${|}
    Sleep 100
  ${Next}
  RMDir $INSTDIR
  Quit
FunctionEnd

; Deletes a file of the installation; sets $R4 to it when it stays.
!macro RemoveFile file
  Delete "${file}"
  ${IfThen} ${FileExists} "${file}" ${|} StrCpy $R4 "${file}" ${|}
!macroend

Section "Uninstall"
  ; Nothing is removed unless everything can be: a folder that cannot be
  ; written, or a running program, leaves the installation as it was.
  ${If} ${FileExists} "$INSTDIR\*.*"
    Call un.ProbeWritable
    ${If} $R7 == 0
      !insertmacro Stop "$(MessageNotWritable)"
    ${EndIf}
    Call un.FindProgramInUse
    ${If} $R9 != ""
      !insertmacro Stop "$(MessageInUse)"
    ${EndIf}
  ${EndIf}

  ; No process may stand in the folder while it is removed.
  SetOutPath $TEMP
  StrCpy $R4 ""
  StrCpy $R0 "$INSTDIR\default.css"
  ${If} ${FileExists} $R0
    Call un.Fingerprint
    ReadRegStr $R2 HKCU "${UNINSTALL_KEY}" "SchemeFingerprint"
    ${If} $R1 == $R2
    ${AndIf} $R2 != ""
      !insertmacro RemoveFile $R0
    ${Else}
      StrCpy $SchemeKept 1
      DetailPrint "$(MessageSchemeKept)"
    ${EndIf}
  ${EndIf}
  !insertmacro RemoveFile "$INSTDIR\tintbar.exe"
  !insertmacro RemoveFile "$INSTDIR\tintbar-css.exe"
  !insertmacro RemoveFile "$INSTDIR\ReadMe.txt"
  ; The program's own settings: its recent-file list.
  !insertmacro RemoveFile "$APPDATA\Tintbar.ini"

  ; The shortcut and the entry are this installation's only while the entry
  ; names this folder; a later installation elsewhere keeps its own.
  Call un.FindRegisteredFolder
  ${IfThen} $R8 == $INSTDIR ${|} !insertmacro RemoveFile "${SHORTCUT}" ${|}

  ; Started as uninstall.exe starts itself, this is a copy in the temporary
  ; folder, which removes uninstall.exe once the starting one has ended. Run
  ; in place (_?=), as the QuietUninstallString runs it, it keeps its own
  ; file open and cannot remove it: a copy started through uninstall.exe
  ; removes it, and the folder, once this one has ended.
  ${If} $EXEDIR != $INSTDIR
    ${For} $0 1 50
      Delete "$INSTDIR\${UNINSTALLER}"
      ${IfNotThen} ${FileExists} "$INSTDIR\${UNINSTALLER}" ${|} ${Break} ${|}
      Sleep 100
    ${Next}
  ${EndIf}
  ${If} ${FileExists} "$INSTDIR\${UNINSTALLER}"
    Exec '"$INSTDIR\${UNINSTALLER}" /S /CLEANUP'
  ${Else}
    RMDir $INSTDIR
  ${EndIf}

  ; The entry stays while anything is left, so that the uninstallation can
  ; be run again.
  ${If} $R4 != ""
    !insertmacro Stop "$(MessageFileKept)"
  ${EndIf}
  ${IfThen} $R8 == $INSTDIR ${|} DeleteRegKey HKCU "${UNINSTALL_KEY}" ${|}
  ${If} $SchemeKept == 1
    MessageBox MB_OK|MB_ICONINFORMATION "$(MessageSchemeKept)" /SD IDOK
  ${EndIf}
SectionEnd
