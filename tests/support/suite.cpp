#include "tests/support/suite.h"

#include "tests/support/files.h"
#include "tests/support/registry.h"

#include <windows.h>

namespace lqtest {

std::string IniValue(const std::string& strFile, const std::string& strKey) {
    char sz[1024] = {};
    GetPrivateProfileStringA("BrelFontPlugin", strKey.c_str(), "<missing>", sz, sizeof sz, strFile.c_str());
    return sz;
}

void CompleteShippedFolder() {
    for (const char* szName : {"ZmtAddin.dll", "ZmtLetterquarry.axt", "ZMT_P7.8bp", "ZMT_CS2.8bp", "zmt_i.aip"})
        if (!PathExists(kInstall + "\\" + szName))
            WriteFileBytes(kInstall + "\\" + szName, std::string("placeholder ") + szName + "\r\n");
}

std::string RunOnceValue() { return RegString(HKEY_CURRENT_USER, kRunOnceKey, "ZmtSetup"); }
std::string MachineRunOnceValue() { return RegString(HKEY_LOCAL_MACHINE, kRunOnceKey, "ZmtSetup"); }

namespace {
std::string AddinStandinKey(const char* szDll) { return std::string("Software\\LetterquarryStandins\\") + szDll; }
}  // namespace

void SetAddinStandinSwitch(const char* szDll, const char* szName, unsigned long dwValue) {
    SetRegDword(HKEY_CURRENT_USER, AddinStandinKey(szDll), szName, dwValue);
}

unsigned long AddinStandinCount(const char* szDll, const char* szName) {
    return RegDword(HKEY_CURRENT_USER, AddinStandinKey(szDll), szName, 0);
}

}  // namespace lqtest
