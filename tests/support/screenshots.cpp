#include "tests/support/screenshots.h"

#include "tests/support/machine_facts.h"
#include "tools/uidriver/uidriver.h"

#include <cstdlib>

namespace lqtest {

bool Screenshot(const std::string& strName, HWND hWnd) {
    const char* szFolder = getenv("LQ_ARTIFACTS");
    const std::string strPath = std::string(szFolder && *szFolder ? szFolder : ".") + "\\" + strName + ".png";
    if (!hWnd || GetWindowThreadProcessId(hWnd, nullptr) != GetCurrentThreadId()) Sleep(300);
    return hWnd ? uidriver::SaveWindowShot(hWnd, strPath) : uidriver::SaveScreenshot(strPath);
}

std::string InMachineLanguage(const std::string& strName) {
    return strName + (IsKoreanMachine() ? "-korean" : "-english");
}

}  // namespace lqtest
