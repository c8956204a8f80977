#include "setup/dialogs/dialog_layout.h"

#include "htmllabel/html_static.h"
#include "util/scoped_gdi.h"

#include <algorithm>
#include <vector>

namespace {

RECT RectInDialog(HWND hDlg, HWND hChild) {
    RECT rct{};
    GetWindowRect(hChild, &rct);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rct), 2);
    return rct;
}

void Place(HWND hChild, const RECT& rct) {
    SetWindowPos(hChild, nullptr, rct.left, rct.top, rct.right - rct.left, rct.bottom - rct.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void GrowDialog(HWND hDlg, int cx, int cy) {
    RECT rct{};
    GetWindowRect(hDlg, &rct);
    SetWindowPos(hDlg, nullptr, 0, 0, rct.right - rct.left + cx, rct.bottom - rct.top + cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

std::vector<HWND> ChildrenOf(HWND hDlg) {
    std::vector<HWND> arrChildren;
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        arrChildren.push_back(hChild);
    return arrChildren;
}

bool IsPushButton(HWND hWnd) {
    char szClass[16] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return lstrcmpiA(szClass, "Button") == 0 && (GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
}

// How much wider than it is hButton must be for its text, 0 when the text fits; beyond the fit, a grown
// button has an average character's room on either side of its text.
int ButtonShortfall(HWND hButton) {
    char szText[512] = {};
    GetWindowTextA(hButton, szText, sizeof szText);
    const ScopedWindowDC dc(hButton);
    const ScopedSelection font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(hButton, WM_GETFONT, 0, 0)));
    RECT rctText{};
    DrawTextA(dc.Get(), szText, -1, &rctText, DT_CALCRECT | DT_SINGLELINE);  // an access key's '&' takes no room
    TEXTMETRICA tm{};
    GetTextMetricsA(dc.Get(), &tm);
    RECT rctClient{};
    GetClientRect(hButton, &rctClient);
    const int nNeeded = rctText.right + 2 * GetSystemMetrics(SM_CXEDGE);
    return nNeeded > rctClient.right ? nNeeded + 2 * tm.tmAveCharWidth - rctClient.right : 0;
}

void FitLabel(HWND hDlg, HWND hLabel, const CHTMLStatic& label) {
    RECT rctClient{};
    GetClientRect(hLabel, &rctClient);
    const int cyGrow = label.GetHeightForText() - rctClient.bottom;
    if (cyGrow <= 0) return;
    RECT rctLabel = RectInDialog(hDlg, hLabel);
    for (HWND hChild : ChildrenOf(hDlg)) {
        RECT rct = RectInDialog(hDlg, hChild);
        if (hChild == hLabel || rct.top < rctLabel.bottom) continue;
        OffsetRect(&rct, 0, cyGrow);
        Place(hChild, rct);
    }
    rctLabel.bottom += cyGrow;
    Place(hLabel, rctLabel);
    GrowDialog(hDlg, 0, cyGrow);
}

void FitButton(HWND hDlg, HWND hButton, int cxGrow) {
    RECT rctButton = RectInDialog(hDlg, hButton);
    RECT rctClient{};
    GetClientRect(hDlg, &rctClient);
    RECT rctGap = {0, 0, 4, 0};  // a button's gap: 4 dialog units
    MapDialogRect(hDlg, &rctGap);

    // The controls to its right on its row, left to right.
    std::vector<HWND> arrRow;
    int nRowRight = rctButton.right;
    for (HWND hChild : ChildrenOf(hDlg)) {
        const RECT rct = RectInDialog(hDlg, hChild);
        if (hChild == hButton || rct.bottom <= rctButton.top || rct.top >= rctButton.bottom) continue;
        if (rct.left < rctButton.right) continue;
        arrRow.push_back(hChild);
        nRowRight = std::max<int>(nRowRight, rct.right);
    }
    std::sort(arrRow.begin(), arrRow.end(),
              [&](HWND a, HWND b) { return RectInDialog(hDlg, a).left < RectInDialog(hDlg, b).left; });
    const int nRightMargin = std::max<int>(0, rctClient.right - nRowRight);

    rctButton.right += cxGrow;
    Place(hButton, rctButton);
    int nShift = arrRow.empty() ? 0 : std::max<int>(0, rctButton.right + rctGap.right - RectInDialog(hDlg, arrRow[0]).left);
    nRowRight = rctButton.right;
    for (HWND hChild : arrRow) {
        RECT rct = RectInDialog(hDlg, hChild);
        OffsetRect(&rct, nShift, 0);
        Place(hChild, rct);
        nRowRight = std::max<int>(nRowRight, rct.right);
    }
    if (nRowRight + nRightMargin > rctClient.right) GrowDialog(hDlg, nRowRight + nRightMargin - rctClient.right, 0);
}

}  // namespace

void FitControlsToTexts(HWND hDlg) {
    // Labels first: a dialog that grows taller leaves the buttons' rows as they are.
    for (HWND hChild : ChildrenOf(hDlg))
        if (const auto* pLabel = dynamic_cast<const CHTMLStatic*>(CWnd::FromHandlePermanent(hChild)))
            FitLabel(hDlg, hChild, *pLabel);
    for (HWND hChild : ChildrenOf(hDlg))
        if (IsPushButton(hChild))
            if (const int cxGrow = ButtonShortfall(hChild)) FitButton(hDlg, hChild, cxGrow);
}
