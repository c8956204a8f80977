#include "tests/support/screenshots.h"

#include "tools/uidriver/uidriver.h"

#include <cstdlib>

namespace lqtest {

void Screenshot(const std::string& strName, HWND hWnd) {
    const char* szFolder = getenv("LQ_ARTIFACTS");
    if (!szFolder || !*szFolder) return;
    std::string strPath = std::string(szFolder) + "\\" + strName + ".png";
    Sleep(300);  // let the windows finish painting
    if (hWnd) uidriver::SaveWindowShot(hWnd, strPath);
    else uidriver::SaveScreenshot(strPath);
}

}  // namespace lqtest
