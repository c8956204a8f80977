#include "tests/support/test_support.h"

#include "setup/core/country.h"
#include "tools/uidriver/uidriver.h"

#include <cstdlib>

namespace lqtest {

RECT ChildRectInDialogUnits(HWND hDlg, int nId) {
    RECT rct{};
    HWND hChild = GetDlgItem(hDlg, nId);
    if (!hChild) return rct;
    GetWindowRect(hChild, &rct);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rct), 2);
    RECT rctUnit = {0, 0, 400, 800};  // pixels of 400 x 800 dialog units
    MapDialogRect(hDlg, &rctUnit);
    RECT rctDu;
    rctDu.left = MulDiv(rct.left, 400, rctUnit.right);
    rctDu.top = MulDiv(rct.top, 800, rctUnit.bottom);
    rctDu.right = MulDiv(rct.right, 400, rctUnit.right);
    rctDu.bottom = MulDiv(rct.bottom, 800, rctUnit.bottom);
    return rctDu;
}

void Screenshot(HWND hWnd, const std::string& strName) {
    const char* szFolder = getenv("LQ_ARTIFACTS");
    if (!szFolder || !*szFolder) return;
    uidriver::SaveWindowShot(hWnd, std::string(szFolder) + "\\" + strName + (IsKorean() ? "-korean.png" : "-english.png"));
}

std::string Describe(const RECT& rct) {
    return std::to_string(rct.left) + "," + std::to_string(rct.top) + " " + std::to_string(rct.right - rct.left) +
           "x" + std::to_string(rct.bottom - rct.top);
}

}  // namespace lqtest
