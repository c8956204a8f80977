#include "tests/support/suite.h"

#include <windows.h>

namespace lqtest {

std::string IniValue(const std::string& strFile, const std::string& strKey) {
    char sz[1024] = {};
    GetPrivateProfileStringA("BrelFontPlugin", strKey.c_str(), "<missing>", sz, sizeof sz, strFile.c_str());
    return sz;
}

}  // namespace lqtest
