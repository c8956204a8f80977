#include "tests/support/suite.h"

#include "tests/support/registry.h"

#include <windows.h>

namespace lqtest {

std::string IniValue(const std::string& strFile, const std::string& strKey) {
    char sz[1024] = {};
    GetPrivateProfileStringA("BrelFontPlugin", strKey.c_str(), "<missing>", sz, sizeof sz, strFile.c_str());
    return sz;
}

std::string RunOnceValue() { return RegString(HKEY_CURRENT_USER, kRunOnceKey, "ZmtSetup"); }

}  // namespace lqtest
