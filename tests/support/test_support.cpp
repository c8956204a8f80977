#include "tests/support/test_support.h"

#include "setup/core/country.h"
#include "tools/uidriver/uidriver.h"

#include <cstdlib>

namespace lqtest {

void Screenshot(HWND hWnd, const std::string& strName) {
    const char* szFolder = getenv("LQ_ARTIFACTS");
    if (!szFolder || !*szFolder) return;
    uidriver::SaveWindowShot(hWnd, std::string(szFolder) + "\\" + strName + (IsKorean() ? "-korean.png" : "-english.png"));
}

}  // namespace lqtest
