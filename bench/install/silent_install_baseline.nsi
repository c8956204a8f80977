; The NSIS baseline of the silent-install bench: an installer, run with /S, that does the work "/B" does on
; the bench's Korean DTP machine, and nothing more:
;   - the fifteen files, in the setup program's copy order, each overwritten where it is; the three COM
;     add-ins self-registered (RegDLL) right after their copy;
;   - the uninstall entry, HKLM ...\Uninstall\LetterquarryUnInstall, with DisplayName (Korean: the bench's
;     machine has country code 82), UninstallString and what deployment tools read (DisplayVersion,
;     Publisher, DisplayIcon, InstallLocation, InstallDate, EstimatedSize of the placed files, NoModify,
;     NoRepair, QuietUninstallString);
;   - the uninstall log c:\ZmtPlugin\install\UnInsatll.info in the setup program's format, one record per
;     copied file, every line ending in CR CR LF.
; No uninstaller, no shortcut, no entry of NSIS's own, no plug-in (so nothing is unpacked to %TEMP%), and
; the compiler's default, non-solid compression (so the data is read from the installer itself).
; The host folders come from the same registry values the bench seeds, joined as the setup program joins
; them: "<ApplicationPath>\Plug-Ins\" + "\" + name, the doubled backslash included.
; Any failed step ends the run at once with exit code 2, so a round cannot pass with less work done.
;
; makensis -INPUTCHARSET UTF8 -DPAYLOAD=<the shipped folder> -DOUTFILE=<installer> silent_install_baseline.nsi

Unicode true
!include "FileFunc.nsh"
RequestExecutionLevel admin
Name "Letterquarry (NSIS baseline)"
OutFile "${OUTFILE}"
SetOverwrite on
ShowInstDetails nevershow
Page instfiles

!define BIN "C:\ZmtPlugin\bin"
!define LOG "c:\ZmtPlugin\install\UnInsatll.info"
!define ENTRY "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LetterquarryUnInstall"

Var Ps7
Var Cs2
Var Ai
Var Qxp
Var Log
Var Bytes
Var Handle
Var Size

!macro StopOnError
  IfErrors 0 +2
    Abort
!macroend

; Every file of the install, in copy order: OP FOLDER NAME R U (R: registered after the copy; U: the
; uninstall unregisters it).
!macro SuiteFiles OP
  !insertmacro ${OP} "${BIN}" ASYCFILT.DLL 0 0
  !insertmacro ${OP} "${BIN}" COMCAT.DLL 0 0
  !insertmacro ${OP} "${BIN}" CorelDraw.tlb 0 0
  !insertmacro ${OP} "${BIN}" msvbvm60.dll 0 0
  !insertmacro ${OP} "${BIN}" OLEAUT32.DLL 0 0
  !insertmacro ${OP} "${BIN}" OLEPRO32.DLL 0 0
  !insertmacro ${OP} "${BIN}" STDOLE2.TLB 0 0
  !insertmacro ${OP} "${BIN}" VB6STKIT.DLL 0 0
  !insertmacro ${OP} "${BIN}" ZmtAddin.dll 1 0
  !insertmacro ${OP} "$Ps7" ZMT_P7.8bp 0 0
  !insertmacro ${OP} "$Cs2" ZMT_CS2.8bp 0 0
  !insertmacro ${OP} "$Ai" zmt_i.aip 0 0
  !insertmacro ${OP} "${BIN}" MyAddIn_V11.dll 1 1
  !insertmacro ${OP} "${BIN}" MyAddIn_V12.dll 1 1
  !insertmacro ${OP} "$Qxp" ZmtLetterquarry.axt 0 0
!macroend

!macro PlaceFile FOLDER NAME R U
  SetOutPath "${FOLDER}"
  File "${PAYLOAD}/${NAME}"
  !if ${R} == 1
    RegDLL "${FOLDER}\${NAME}"
  !endif
  !insertmacro StopOnError
!macroend

; Adds the placed file's size to $Bytes.
!macro CountSize FOLDER NAME R U
  FileOpen $Handle "${FOLDER}\${NAME}" r
  !insertmacro StopOnError
  FileSeek $Handle 0 END $Size
  FileClose $Handle
  IntOp $Bytes $Bytes + $Size
!macroend

!macro LogRecord FOLDER NAME R U
  FileWrite $Log "[R:${R}][E],[U:${U}][E],[F:${FOLDER}\${NAME}][E]$\r$\r$\n"
!macroend

; A host's plug-in folder into VAR: the folder that VALUE of KEY names, then SUB and a backslash.
!macro HostFolder VAR KEY VALUE SUB
  ReadRegStr ${VAR} HKLM "${KEY}" "${VALUE}"
  StrCmp ${VAR} "" 0 +2
    Abort
  StrCpy ${VAR} "${VAR}\${SUB}\"
!macroend

Section
  ClearErrors
  !insertmacro HostFolder $Ps7 "SOFTWARE\Adobe\Photoshop\7.0" ApplicationPath Plug-Ins
  !insertmacro HostFolder $Cs2 "SOFTWARE\Adobe\Photoshop\9.0" ApplicationPath Plug-Ins
  !insertmacro HostFolder $Ai "SOFTWARE\Adobe\Illustrator\11.0" ApplicationPath Plug-Ins
  !insertmacro HostFolder $Qxp "SOFTWARE\Quark" QXP65KPath XTension

  !insertmacro SuiteFiles PlaceFile

  WriteRegStr HKLM "${ENTRY}" "DisplayName" "Letterquarry 제거"
  WriteRegStr HKLM "${ENTRY}" "UninstallString" "c:\ZmtPlugin\install\ZmtUpGrade_Letterquarry.exe /D"
  WriteRegStr HKLM "${ENTRY}" "DisplayVersion" "5.9.8.1"
  WriteRegStr HKLM "${ENTRY}" "Publisher" "Zmt"
  WriteRegStr HKLM "${ENTRY}" "DisplayIcon" "c:\ZmtPlugin\install\ZmtUpGrade_Letterquarry.exe"
  WriteRegStr HKLM "${ENTRY}" "InstallLocation" "c:\ZmtPlugin\"
  ${GetTime} "" "L" $0 $1 $2 $3 $4 $5 $6
  WriteRegStr HKLM "${ENTRY}" "InstallDate" "$2$1$0"
  StrCpy $Bytes 0
  !insertmacro SuiteFiles CountSize
  IntOp $Bytes $Bytes + 1023
  IntOp $Bytes $Bytes / 1024
  WriteRegDWORD HKLM "${ENTRY}" "EstimatedSize" $Bytes
  WriteRegDWORD HKLM "${ENTRY}" "NoModify" 1
  WriteRegDWORD HKLM "${ENTRY}" "NoRepair" 1
  WriteRegStr HKLM "${ENTRY}" "QuietUninstallString" "c:\ZmtPlugin\install\ZmtUpGrade_Letterquarry.exe /D /B /QUIET"
  !insertmacro StopOnError

  ; A Unicode installer's FileWrite writes the system's ANSI code page, as the setup program does.
  FileOpen $Log "${LOG}" w
  !insertmacro StopOnError
  FileWrite $Log "[UnInstall][E]$\r$\r$\n"
  !insertmacro SuiteFiles LogRecord
  FileWrite $Log "[UnInstall End][E]$\r$\r$\n"
  FileClose $Log
  !insertmacro StopOnError
SectionEnd
