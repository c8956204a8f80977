// Where the suite lives on a test machine, spelled out by the tests themselves (not taken from the
// program's own constants, so that a wrong one there shows), and readers of what it keeps there.
#pragma once

#include "tests/support/uninstall_records.h"

#include <string>
#include <vector>

namespace lqtest {

inline const std::string kInstall = "C:\\ZmtPlugin\\install";  // the shipped folder, placed by ctest
inline const std::string kBin = "C:\\ZmtPlugin\\bin";
inline const std::string kSetupExe = kInstall + "\\ZmtUpGrade_Letterquarry.exe";
constexpr const char* kLog = "C:\\ZmtPlugin\\install\\UnInsatll.info";  // the uninstall log
// The runtime files that every install copies into kBin first, in copy order.
inline constexpr const char* kRuntimeFiles[] = {"ASYCFILT.DLL", "COMCAT.DLL",   "CorelDraw.tlb", "msvbvm60.dll",
                                                "OLEAUT32.DLL", "OLEPRO32.DLL", "STDOLE2.TLB",   "VB6STKIT.DLL"};

// The uninstall entry (HKLM) and the key of the command deferred to the next logon (HKCU).
constexpr const char* kEntryKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LetterquarryUnInstall";
constexpr const char* kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";
// The classes the add-ins register (under HKCR): the Office add-in, the CorelDraw 11 and 12 add-ins.
constexpr const char* kAddinClassKey = "CLSID\\{495EFEBF-FC21-4593-89A9-86D772C3636D}";
constexpr const char* kV11Class = "CLSID\\{ECE2C42B-84A4-4B91-86EF-E18D8B14D2A1}";
constexpr const char* kV12Class = "CLSID\\{93EF3E70-BA06-4874-9375-425BA735FAD8}";

// The outside components that other parts of the build provide (the Office add-in, the XTension, the
// host plug-ins): each one that the shipped folder lacks gets a placeholder file, so that an install has
// something to copy (a placeholder add-in then fails to register).
void CompleteShippedFolder();

// A value of the suite's settings section "BrelFontPlugin" in an INI file; "<missing>" when absent.
std::string IniValue(const std::string& strFile, const std::string& strKey);
// The command deferred to the next logon (the RunOnce value "ZmtSetup") as text; "" when there is none.
std::string RunOnceValue();
std::string MachineRunOnceValue();  // the machine's (HKLM), where a quiet run defers

// The add-in stand-ins' switches and counters (HKCU "Software\LetterquarryStandins\<szDll>"): the switch
// "FailRegister" = 1 makes the add-in's registration fail; "RegisterCalls" counts its registrations.
void SetAddinStandinSwitch(const char* szDll, const char* szName, unsigned long dwValue);
unsigned long AddinStandinCount(const char* szDll, const char* szName);

}  // namespace lqtest
