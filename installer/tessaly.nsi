; The Tessaly installer, built by installer/build.sh once per machine:
;   makensis -DVERSION=1.2.3 -DARCH=x64|x86 -DSRC=<folder with the four files> -DOUTFILE=<setup.exe>
; /S installs silently (Vantosd is then not started), /D=<folder> picks the folder.
Unicode true
!ifndef VERSION | ARCH | SRC | OUTFILE
  !error "VERSION, ARCH, SRC and OUTFILE are required"
!endif
!if "${ARCH}" == "x64"
  Target amd64-unicode
  !define PROGRAM_FILES "$PROGRAMFILES64"
  !define REG_VIEW 64
!else
  Target x86-unicode
  !define PROGRAM_FILES "$PROGRAMFILES"
  !define REG_VIEW 32
!endif

!include "FileFunc.nsh"

!define PRODUCT "Tessaly"
!define PUBLISHER "Tessaly"
!define UNINSTALL_KEY "Software\Microsoft\Windows\CurrentVersion\Uninstall\Tessaly"
!define RUN_KEY "Software\Microsoft\Windows\CurrentVersion\Run"

Name "${PRODUCT} ${VERSION}"
OutFile "${OUTFILE}"
RequestExecutionLevel admin
SetCompressor /SOLID lzma
InstallDir "${PROGRAM_FILES}\Tessaly"
; Installing again goes where the installed copy is.
InstallDirRegKey HKLM "${UNINSTALL_KEY}" "InstallLocation"
ShowInstDetails show
ShowUninstDetails show

VIProductVersion "${VERSION}.0"
VIAddVersionKey "ProductName" "${PRODUCT}"
VIAddVersionKey "CompanyName" "${PUBLISHER}"
VIAddVersionKey "FileDescription" "${PRODUCT} setup"
VIAddVersionKey "FileVersion" "${VERSION}"
VIAddVersionKey "ProductVersion" "${VERSION}"
VIAddVersionKey "LegalCopyright" "${PUBLISHER}"

Page directory
Page instfiles
UninstPage uninstConfirm
UninstPage instfiles

; Ends a running program of ours so its file can be replaced or removed: its windows are asked to
; close, then, if the file is still held a few seconds later, the process is ended.
!macro DEFINE_STOP prefix name
Function ${prefix}Stop${name}
  IfFileExists "$INSTDIR\${name}.exe" 0 done
  nsExec::Exec '"$SYSDIR\taskkill.exe" /IM ${name}.exe'
  Pop $0
  StrCpy $1 0
  wait:
    ClearErrors
    FileOpen $2 "$INSTDIR\${name}.exe" a
    IfErrors held
    FileClose $2
    Goto done
  held:
    IntOp $1 $1 + 1
    IntCmp $1 20 0 later later
      nsExec::Exec '"$SYSDIR\taskkill.exe" /F /IM ${name}.exe'
      Pop $0
  later:
    IntCmp $1 40 done
    Sleep 250
    Goto wait
  done:
FunctionEnd
!macroend
!insertmacro DEFINE_STOP "" Vantosd
!insertmacro DEFINE_STOP "un." Vantosd
!insertmacro DEFINE_STOP "" Tessaly
!insertmacro DEFINE_STOP "un." Tessaly

Function .onInit
  SetRegView ${REG_VIEW}
FunctionEnd

Section "Tessaly"
  SetShellVarContext all
  Call StopTessaly
  Call StopVantosd
  SetOutPath "$INSTDIR"
  SetOverwrite on
  File "${SRC}\Tessaly.exe"
  File "${SRC}\Vantosd.exe"
  File "${SRC}\VantosdHook.dll"
  File "${SRC}\Sonorel.dll"
  File "${SRC}\ding.wav"
  WriteUninstaller "$INSTDIR\uninstall.exe"

  CreateShortcut "$SMPROGRAMS\Tessaly.lnk" "$INSTDIR\Tessaly.exe"
  WriteRegStr HKLM "${RUN_KEY}" "Vantosd" '"$INSTDIR\Vantosd.exe"'

  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayName" "${PRODUCT}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayVersion" "${VERSION}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "Publisher" "${PUBLISHER}"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "InstallLocation" "$INSTDIR"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "DisplayIcon" "$INSTDIR\Tessaly.exe"
  WriteRegStr HKLM "${UNINSTALL_KEY}" "UninstallString" '"$INSTDIR\uninstall.exe"'
  WriteRegStr HKLM "${UNINSTALL_KEY}" "QuietUninstallString" '"$INSTDIR\uninstall.exe" /S'
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoModify" 1
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "NoRepair" 1
  ${GetSize} "$INSTDIR" "/S=0K" $0 $1 $2
  IntFmt $0 "0x%08X" $0
  WriteRegDWORD HKLM "${UNINSTALL_KEY}" "EstimatedSize" "$0"
SectionEnd

Function .onInstSuccess
  IfSilent +2
    Exec '"$INSTDIR\Vantosd.exe"'
FunctionEnd

Function un.onInit
  SetRegView ${REG_VIEW}
FunctionEnd

; The user's program groups (HKCU Software\Tessaly) are theirs: they stay.
Section "Uninstall"
  SetShellVarContext all
  Call un.StopTessaly
  Call un.StopVantosd
  Delete "$INSTDIR\Tessaly.exe"
  Delete "$INSTDIR\Vantosd.exe"
  Delete "$INSTDIR\VantosdHook.dll"
  ; Vantosd's shell hook library can stay loaded in other programs after Vantosd has gone, and a
  ; loaded library cannot be deleted: moved out of the folder, it goes once nothing holds it, at
  ; the latest when Windows starts again.
  IfFileExists "$INSTDIR\VantosdHook.dll" 0 hookGone
    GetTempFileName $0
    Delete $0
    Rename "$INSTDIR\VantosdHook.dll" $0
    Delete /REBOOTOK $0
  hookGone:
  Delete "$INSTDIR\Sonorel.dll"
  Delete "$INSTDIR\ding.wav"
  Delete "$INSTDIR\uninstall.exe"
  ; Only an emptied folder goes: the chosen folder may hold other things.
  RMDir "$INSTDIR"
  Delete "$SMPROGRAMS\Tessaly.lnk"
  ; Vantosd writes the machine's Run value, or the user's where it may not.
  DeleteRegValue HKLM "${RUN_KEY}" "Vantosd"
  DeleteRegValue HKCU "${RUN_KEY}" "Vantosd"
  DeleteRegKey HKLM "${UNINSTALL_KEY}"
SectionEnd
