// Where the suite lives on a test machine, spelled out by the tests themselves (not taken from the
// program's own constants, so that a wrong one there shows), and readers of what it keeps there.
#pragma once

#include <string>

namespace lqtest {

constexpr const char* kSetupExe = "C:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe";
constexpr const char* kRunOnceKey = "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce";  // under HKCU

// A value of the suite's settings section "BrelFontPlugin" in an INI file; "<missing>" when absent.
std::string IniValue(const std::string& strFile, const std::string& strKey);
// The command deferred to the next logon (the RunOnce value "ZmtSetup") as text; "" when there is none.
std::string RunOnceValue();

}  // namespace lqtest
