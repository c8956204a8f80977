// Every window of the setup program on a screen of the DPI the machine was seeded with (LQ_DPI; one
// binary, registered once per DPI and language, and once more per language on a machine whose colours are
// a high-contrast black scheme). Covered: the setup program's manifest asks for system DPI awareness and
// names Windows Vista to 11; the machine runs at the seeded DPI and the label's fonts follow it; the
// product picture is as high as its place and as wide as the art's proportions allow (the control's
// rectangle, the bitmap it shows and the pixels on the screen), and at 96 DPI it is the art pixel for
// pixel. In the main dialog, the two message dialogs (with their longest texts), the guard's dialog and
// the two progress windows: no text of a button, a static or a label is cut by its control; the names that
// screen readers hear (no mark-up, a label's plain text, no name for the picture, a label before the host
// list); an access key on each button, none twice; where the keyboard starts (the list's first row, else
// the default button); in each label, at least as many pixels that stand out from its background as it has
// characters. A screenshot of each window, for review. Not here: what the texts say and what the buttons do
// (each dialog's own tests); Windows' own high-contrast flag, which Wine always reports off.
#include "framework/winapp.h"
#include "setup/app/interactive_install.h"
#include "setup/core/country.h"
#include "setup/dialogs/delete_message_box_dlg.h"
#include "setup/dialogs/message_box_dlg.h"
#include "setup/dialogs/program_kill_dlg.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/dialogs/resource.h"
#include "setup/dialogs/zmt_upgrade_dlg.h"
#include "htmllabel/gdi_device.h"
#include "htmllabel/html_colors.h"
#include "tools/uidriver/uidriver.h"
#include "util/mbcs.h"
#include "util/scoped_gdi.h"
#include "tests/support/htmllabel/system_texts.h"
#include "tests/support/machine_facts.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

CWinApp theTestApp;  // the framework's modal loops take their messages through the application object

std::string Describe(const RECT& rct) {
    return std::to_string(rct.left) + "," + std::to_string(rct.top) + "-" + std::to_string(rct.right) + "," +
           std::to_string(rct.bottom);
}

std::string ClassOf(HWND hWnd) {
    char szClass[32] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}

// Whether the run, drawn alone as the label draws it, puts ink outside the label's client area: a cell that
// leaves the label only by rows the glyphs leave blank (the leading above the letters, room for descenders
// the text does not have) loses nothing.
bool InkOutside(const CHTMLAtom& atom, const RECT& rctClient) {
    const int cx = atom.m_rect.right - atom.m_rect.left, cy = atom.m_rect.bottom - atom.m_rect.top;
    const ScopedWindowDC screen(nullptr);
    const ScopedMemoryDC memory(screen.Get());
    const ScopedBitmap cell(CreateCompatibleBitmap(screen.Get(), cx, cy));
    const ScopedSelection cellSelected(memory.Get(), cell.Get());
    RECT rctCell = {0, 0, cx, cy};
    FillRect(memory.Get(), &rctCell, static_cast<HBRUSH>(GetStockObject(WHITE_BRUSH)));
    CHTMLGdiDevice dc(memory.Get());
    const ScopedFont font(reinterpret_cast<HFONT>(dc.RealiseFont(atom.m_font, HtmlFontHeight(dc.GetLogPixelsY(), atom.m_font.m_dPointSize))));
    const ScopedSelection fontSelected(memory.Get(), font.Get());
    dc.SetTransparentMode();
    dc.DrawRun(atom.m_strText, HtmlRect{0, 0, cx, cy});
    for (int y = 0; y < cy; ++y) {
        for (int x = 0; x < cx; ++x) {
            const POINT pt = {atom.m_rect.left + x, atom.m_rect.top + y};
            if (!PtInRect(&rctClient, pt) && GetPixel(memory.Get(), x, y) != RGB(255, 255, 255)) return true;
        }
    }
    return false;
}

// The texts of hDlg's shown children that their control cuts, one line each: a push button's text in its
// own font against its client area less the button's edges, a plain static's text wrapped as the control
// wraps it, and the ink of a label's laid-out runs against its client area.
std::vector<std::string> ClippedTexts(HWND hDlg) {
    std::vector<std::string> arrClipped;
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        if (!IsWindowVisible(hChild)) continue;
        RECT rctClient;
        GetClientRect(hChild, &rctClient);
        const std::string strWhat = "control " + std::to_string(GetDlgCtrlID(hChild)) + " (client " +
                                    Describe(rctClient) + ")";
        if (auto* pLabel = dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(hChild))) {
            for (const auto& pAtom : pLabel->GetDrawer().GetAtoms()) {
                const HtmlRect& r = pAtom->m_rect;
                const bool bOutside =
                    r.left < 0 || r.top < 0 || r.right > rctClient.right || r.bottom > rctClient.bottom;
                if (bOutside && InkOutside(*pAtom, rctClient))
                    arrClipped.push_back(strWhat + ": run \"" + pAtom->m_strText + "\" at " +
                                         Describe(RECT{r.left, r.top, r.right, r.bottom}));
            }
            continue;
        }
        const LONG lStyle = GetWindowLongA(hChild, GWL_STYLE);
        const bool bButton = ClassOf(hChild) == "Button" && (lStyle & BS_TYPEMASK) <= BS_DEFPUSHBUTTON;
        const bool bText = ClassOf(hChild) == "Static" && (lStyle & SS_TYPEMASK) <= SS_RIGHT;
        char szText[512] = {};
        GetWindowTextA(hChild, szText, sizeof szText);
        if ((!bButton && !bText) || !*szText) continue;

        const ScopedWindowDC dc(hChild);
        const ScopedSelection font(dc.Get(), reinterpret_cast<HGDIOBJ>(SendMessageA(hChild, WM_GETFONT, 0, 0)));
        RECT rctRoom = rctClient;
        if (bButton) InflateRect(&rctRoom, -GetSystemMetrics(SM_CXEDGE), -GetSystemMetrics(SM_CYEDGE));
        RECT rctText = {0, 0, rctRoom.right - rctRoom.left, 0};
        DrawTextA(dc.Get(), szText, -1, &rctText, DT_CALCRECT | (bButton ? DT_SINGLELINE : DT_WORDBREAK | DT_EXPANDTABS));
        if (rctText.right > rctRoom.right - rctRoom.left || rctText.bottom > rctRoom.bottom - rctRoom.top)
            arrClipped.push_back(strWhat + ": \"" + szText + "\" needs " + std::to_string(rctText.right) + "x" +
                                 std::to_string(rctText.bottom) + " within " +
                                 std::to_string(rctRoom.right - rctRoom.left) + "x" +
                                 std::to_string(rctRoom.bottom - rctRoom.top));
    }
    return arrClipped;
}

// The pixels of a bitmap, top-down, 0x00RRGGBB.
std::vector<DWORD> BitmapPixels(HBITMAP hBitmap, SIZE& size) {
    BITMAP bm{};
    GetObjectA(hBitmap, sizeof bm, &bm);
    size = {bm.bmWidth, bm.bmHeight};
    BITMAPINFO bi{};
    bi.bmiHeader = {sizeof bi.bmiHeader, bm.bmWidth, -bm.bmHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<DWORD> arrPixels(static_cast<size_t>(bm.bmWidth) * bm.bmHeight);
    HDC hScreen = GetDC(nullptr);
    GetDIBits(hScreen, hBitmap, 0, bm.bmHeight, arrPixels.data(), &bi, DIB_RGB_COLORS);
    ReleaseDC(nullptr, hScreen);
    for (DWORD& px : arrPixels) px &= 0xFFFFFF;
    return arrPixels;
}

// The pixels of a screen rectangle, top-down, 0x00RRGGBB.
std::vector<DWORD> ScreenPixels(const RECT& rct) {
    const ScopedWindowDC screen(nullptr);
    const ScopedBitmap shot(CreateCompatibleBitmap(screen.Get(), rct.right - rct.left, rct.bottom - rct.top));
    {
        const ScopedMemoryDC memory(screen.Get());
        const ScopedSelection selected(memory.Get(), shot.Get());
        BitBlt(memory.Get(), 0, 0, rct.right - rct.left, rct.bottom - rct.top, screen.Get(), rct.left, rct.top, SRCCOPY);
    }
    SIZE size{};
    return BitmapPixels(shot.Get(), size);
}

// What a keyboard or screen-reader user meets in hDlg, one line for each fault: a control named with
// mark-up; a label not named by its plain text; a named picture; a push button without an access key, or
// with one that another button has; a list with no label just before it (where Windows' proxy looks for
// its name: Wine's names it by its own empty text), or whose first row is not focused and selected; the
// focus at start anywhere but in the list of a dialog that has one, else on the default button; a label
// with fewer pixels that stand out from its background (4.5:1) than its text has characters.
std::vector<std::string> AccessibilityFaults(HWND hDlg) {
    std::vector<std::string> arrFaults;
    std::string strKeys;
    const LRESULT lDefault = SendMessageA(hDlg, DM_GETDEFID, 0, 0);
    HWND hStart = HIWORD(lDefault) == DC_HASDEFID ? GetDlgItem(hDlg, LOWORD(lDefault)) : nullptr;
    for (HWND hChild = GetWindow(hDlg, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT)) {
        const std::string strWhat = "control " + std::to_string(GetDlgCtrlID(hChild));
        const std::string strName = uidriver::AccessibleName(hChild);
        const std::string strClass = ClassOf(hChild);
        const LONG lStyle = GetWindowLongA(hChild, GWL_STYLE);
        if (strName.find('<') != std::string::npos) arrFaults.push_back(strWhat + " is named with mark-up: " + strName);
        if (auto* pLabel = dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(hChild))) {
            const std::string strPlain = HtmlPlainText(pLabel->GetHtmlText());
            if (strName != strPlain)
                arrFaults.push_back(strWhat + " is named \"" + strName + "\", expected its text \"" + strPlain + "\"");
            RECT rctLabel;
            GetWindowRect(hChild, &rctLabel);
            const COLORREF crFace = GetSysColor(COLOR_BTNFACE);
            size_t nLit = 0, nCharacters = 0;
            for (DWORD px : ScreenPixels(rctLabel))
                nLit += HtmlContrastRatio(RGB(px >> 16, (px >> 8) & 0xFF, px & 0xFF), crFace) >= kHtmlMinimumContrast;
            for (size_t i = 0; i < strPlain.size(); i += mbcs::CharLength(strPlain, i)) nCharacters += !mbcs::IsSpace(strPlain[i]);
            std::printf("%s: %zu lit pixels for %zu characters\n", strWhat.c_str(), nLit, nCharacters);
            if (nLit < nCharacters)
                arrFaults.push_back(strWhat + ": " + std::to_string(nLit) + " pixels stand out, fewer than its " +
                                    std::to_string(nCharacters) + " characters");
        } else if (strClass == "Static" && (lStyle & SS_TYPEMASK) == SS_BITMAP && !strName.empty()) {
            arrFaults.push_back(strWhat + ", a picture, is named \"" + strName + "\"");
        } else if (strClass == "Button" && (lStyle & BS_TYPEMASK) <= BS_DEFPUSHBUTTON) {
            const std::string strText = uidriver::WindowText(hChild);
            const size_t nMark = strText.find('&');
            const char cKey = nMark + 1 < strText.size() ? static_cast<char>(toupper(strText[nMark + 1])) : '&';
            if (cKey == '&') arrFaults.push_back(strWhat + " has no access key: " + strText);
            else if (strKeys.find(cKey) != std::string::npos) arrFaults.push_back(strWhat + " shares its access key: " + strText);
            strKeys += cKey;
        } else if (strClass == "SysListView32") {
            hStart = hChild;
            HWND hLabel = GetWindow(hChild, GW_HWNDPREV);
            const LONG lGroupStop = WS_GROUP | WS_TABSTOP;  // where Windows' proxy stops looking for a label
            while (hLabel && ClassOf(hLabel) != "Static" && (GetWindowLongA(hLabel, GWL_STYLE) & lGroupStop) != lGroupStop)
                hLabel = GetWindow(hLabel, GW_HWNDPREV);
            const std::string strLabel = hLabel && ClassOf(hLabel) == "Static" ? uidriver::AccessibleName(hLabel) : "";
            if (strLabel.find_first_not_of(" \r\n") == std::string::npos)
                arrFaults.push_back(strWhat + ", a list, has no label just before it: \"" + strLabel + "\"");
            const LRESULT nFocused = SendMessageA(hChild, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), LVNI_FOCUSED);
            if (nFocused != 0 || !SendMessageA(hChild, LVM_GETITEMSTATE, 0, LVIS_SELECTED))
                arrFaults.push_back(strWhat + ", a list, starts with row " + std::to_string(nFocused) +
                                    " focused, expected its first row, focused and selected");
        }
    }
    if (hStart && GetFocus() != hStart)
        arrFaults.push_back("the focus starts on control " + std::to_string(GetDlgCtrlID(GetFocus())) +
                            ", expected control " + std::to_string(GetDlgCtrlID(hStart)));
    return arrFaults;
}

class HighDpiTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        // What the program's manifest asks for (<dpiAware>true</dpiAware>); this test binary has none.
        // Wine makes every program aware of the DPI whatever its manifest says; Windows does not.
        // The call is Vista's: looked up, so that the binary still starts on Windows XP.
        using SetAware = BOOL(WINAPI*)();
        if (auto pfnSetAware = reinterpret_cast<SetAware>(
                reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("user32.dll"), "SetProcessDPIAware"))))
            pfnSetAware();
    }
    void SetUp() override { SetLanguage(LanguageOfCountry(lqtest::SystemCountryCode())); }  // as start-up sets it

    // Shows a created dialog, lets it paint, checks that no text is cut and that it serves the keyboard and
    // screen readers, and saves its screenshot.
    void ShowAndCheck(CDialog& dlg, const std::string& strShot) {
        HWND hDlg = dlg.GetSafeHwnd();
        ASSERT_NE(nullptr, hDlg) << strShot;
        ShowWindow(hDlg, SW_SHOWNORMAL);
        UpdateWindow(hDlg);
        RedrawWindow(hDlg, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN | RDW_UPDATENOW);
        std::printf("%s at %d DPI%s\n", strShot.c_str(), m_nDpi, m_strScheme.c_str());
        for (const std::string& strFault : ClippedTexts(hDlg)) ADD_FAILURE() << strShot << " at " << m_nDpi << " DPI: " << strFault;
        for (const std::string& strFault : AccessibilityFaults(hDlg))
            ADD_FAILURE() << strShot << " at " << m_nDpi << " DPI" << m_strScheme << ": " << strFault;
        EXPECT_TRUE(lqtest::Screenshot(lqtest::InMachineLanguage(strShot) + m_strScheme, hDlg)) << strShot;
    }

    const int m_nDpi = lqtest::SeededDpi();
    // A machine seeded with a black scheme (black_scheme.reg) says so in its screenshots' names.
    const std::string m_strScheme = GetSysColor(COLOR_BTNFACE) == RGB(0, 0, 0) ? "-black-scheme" : "";
};

// The setup program's manifest as the system's loader reads it: system DPI awareness, and every Windows
// from Vista to 10 and 11 named as supported. (Wine reads both, but makes every program DPI-aware and
// reports its configured version whatever a manifest says; Windows acts on them.)
TEST_F(HighDpiTest, SetupProgramDeclaresDpiAwarenessAndTheWindowsItSupports) {
    ACTCTXA actctx{};
    actctx.cbSize = sizeof actctx;
    actctx.dwFlags = ACTCTX_FLAG_RESOURCE_NAME_VALID;
    actctx.lpSource = "C:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe";
    actctx.lpResourceName = MAKEINTRESOURCEA(1);
    HANDLE hActCtx = CreateActCtxA(&actctx);
    ASSERT_NE(INVALID_HANDLE_VALUE, hActCtx) << "manifest 1 of " << actctx.lpSource << ": error " << GetLastError();

    // Both queries are Windows 7's: looked up, as this binary is built for Windows XP.
    using QuerySettings = BOOL(WINAPI*)(DWORD, HANDLE, const WCHAR*, const WCHAR*, WCHAR*, SIZE_T, SIZE_T*);
    auto pfnQuerySettings = reinterpret_cast<QuerySettings>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "QueryActCtxSettingsW")));
    ASSERT_NE(nullptr, pfnQuerySettings);
    WCHAR szDpiAware[32] = {};
    SIZE_T nWritten = 0;
    EXPECT_TRUE(pfnQuerySettings(0, hActCtx, L"http://schemas.microsoft.com/SMI/2005/WindowsSettings", L"dpiAware",
                                 szDpiAware, 32, &nWritten));
    EXPECT_STREQ(L"true", szDpiAware) << "dpiAware";

    // Each supported Windows is an element of the compatibility information: its GUID, then its kind, 1
    // (an operating system). Where the elements start and how long they are has changed with Windows 10.
    BYTE info[1024] = {};
    SIZE_T nSize = 0;
    ASSERT_TRUE(QueryActCtxW(0, hActCtx, nullptr, 6 /* CompatibilityInformationInActivationContext */, info,
                             sizeof info, &nSize));
    const struct {
        const char* szWindows;
        GUID id;
    } supported[] = {
        {"Vista", {0xe2011457, 0x1546, 0x43c5, {0xa5, 0xfe, 0x00, 0x8d, 0xee, 0xe3, 0xd3, 0xf0}}},
        {"7", {0x35138b9a, 0x5d96, 0x4fbd, {0x8e, 0x2d, 0xa2, 0x44, 0x02, 0x25, 0xf9, 0x3a}}},
        {"8", {0x4a2f28e3, 0x53b9, 0x4441, {0xba, 0x9c, 0xd6, 0x9d, 0x4a, 0x4a, 0x6e, 0x38}}},
        {"8.1", {0x1f676c76, 0x80e1, 0x4239, {0x95, 0xbb, 0x83, 0xd0, 0xf6, 0xd0, 0xda, 0x78}}},
        {"10 and 11", {0x8e0f7a12, 0xbfb3, 0x4fe8, {0xb9, 0xa5, 0x48, 0xfd, 0x50, 0xa1, 0x5a, 0x9a}}},
    };
    EXPECT_EQ(5u, *reinterpret_cast<const DWORD*>(info)) << "elements of the compatibility information";
    for (const auto& os : supported) {
        bool bFound = false;
        for (SIZE_T i = 4; i + sizeof(GUID) + 4 <= nSize && !bFound; i += 4)
            bFound = memcmp(info + i, &os.id, sizeof(GUID)) == 0 &&
                     *reinterpret_cast<const DWORD*>(info + i + sizeof(GUID)) == 1;
        EXPECT_TRUE(bFound) << "Windows " << os.szWindows << " named as a supported operating system";
    }
    ReleaseActCtx(hActCtx);
}

TEST_F(HighDpiTest, MainDialogFollowsTheDpiAndItsPictureFillsItsPlace) {
    HDC hScreen = GetDC(nullptr);
    EXPECT_EQ(m_nDpi, GetDeviceCaps(hScreen, LOGPIXELSY)) << "the screen's DPI as the program sees it";
    ReleaseDC(nullptr, hScreen);

    InteractiveInstallActions actions;
    CZmtUpGradeDlg dlg(actions);
    ASSERT_TRUE(dlg.Create(IDD_ZMT_UPGRADE, nullptr));
    HWND hDlg = dlg.GetSafeHwnd();
    ShowAndCheck(dlg, "main-dialog");

    // The banner's run is as high as its font's line: at least the character height of its point size.
    auto* pBanner = dynamic_cast<CHTMLStatic*>(CWnd::FromHandlePermanent(GetDlgItem(hDlg, 1003)));
    ASSERT_TRUE(pBanner && !pBanner->GetDrawer().GetAtoms().empty()) << "the banner was laid out";
    const CHTMLAtom& banner = *pBanner->GetDrawer().GetAtoms().front();
    const int nCharHeight = static_cast<int>(m_nDpi * banner.m_font.m_dPointSize / 72);
    const int nLineHeight = banner.m_rect.bottom - banner.m_rect.top;
    const std::string strBanner = std::to_string(banner.m_font.m_dPointSize) + "-point banner at " +
                                  std::to_string(m_nDpi) + " DPI";
    EXPECT_GE(nLineHeight, nCharHeight) << strBanner;
    EXPECT_LT(nLineHeight, nCharHeight * 3 / 2) << strBanner;

    RECT rctPlace = {3, 1, 3 + 77, 1 + 152};  // the template's picture, in dialog units
    MapDialogRect(hDlg, &rctPlace);
    const int cxPlace = rctPlace.right - rctPlace.left, cy = rctPlace.bottom - rctPlace.top;
    // As high as the place; as wide as the 116 x 247 art's proportions make it, at most as wide as the place.
    const int cx = std::min(cxPlace, MulDiv(116, cy, 247));
    const std::string strWhere = " in a " + std::to_string(cxPlace) + "x" + std::to_string(cy) + " place at " +
                                 std::to_string(m_nDpi) + " DPI";
    HWND hPicture = GetDlgItem(hDlg, 1006);
    ASSERT_NE(nullptr, hPicture);
    RECT rctControl;
    GetWindowRect(hPicture, &rctControl);
    MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rctControl), 2);
    EXPECT_EQ(rctPlace.left, rctControl.left) << "left edge of the picture control" << strWhere;
    EXPECT_EQ(rctPlace.top, rctControl.top) << "top edge of the picture control" << strWhere;
    EXPECT_EQ(cx, rctControl.right - rctControl.left) << "width of the picture control" << strWhere;
    EXPECT_EQ(cy, rctControl.bottom - rctControl.top) << "height of the picture control" << strWhere;

    SIZE sizeShown{};
    const HBITMAP hShown = reinterpret_cast<HBITMAP>(SendMessageA(hPicture, STM_GETIMAGE, IMAGE_BITMAP, 0));
    ASSERT_NE(nullptr, hShown);
    BitmapPixels(hShown, sizeShown);
    EXPECT_EQ(cx, sizeShown.cx) << "width of the bitmap the control shows" << strWhere;
    EXPECT_EQ(cy, sizeShown.cy) << "height of the bitmap the control shows" << strWhere;

    // On the screen, over the whole place: the rows and columns that are mostly not the dialog's background.
    RECT rctScreen = rctPlace;
    MapWindowPoints(hDlg, nullptr, reinterpret_cast<POINT*>(&rctScreen), 2);
    const std::vector<DWORD> arrScreen = ScreenPixels(rctScreen);
    const DWORD crFace = GetSysColor(COLOR_BTNFACE);
    const DWORD crBackground = GetRValue(crFace) << 16 | GetGValue(crFace) << 8 | GetBValue(crFace);
    std::vector<int> arrRowArt(cy), arrColumnArt(cxPlace);
    for (int y = 0; y < cy; ++y)
        for (int x = 0; x < cxPlace; ++x)
            if (arrScreen[y * cxPlace + x] != crBackground) ++arrRowArt[y], ++arrColumnArt[x];
    int nDrawnRows = 0, nDrawnColumns = 0;
    for (int y = 0; y < cy; ++y) if (arrRowArt[y] * 2 > cx) nDrawnRows = y + 1;
    for (int x = 0; x < cxPlace; ++x) if (arrColumnArt[x] * 2 > cy) nDrawnColumns = x + 1;
    EXPECT_EQ(cy, nDrawnRows) << "bottom of the picture on the screen" << strWhere;
    EXPECT_EQ(cx, nDrawnColumns) << "right edge of the picture on the screen" << strWhere;
    std::printf("%d DPI: place %dx%d, picture control and bitmap %ldx%ld, drawn on the screen %dx%d\n", m_nDpi,
                cxPlace, cy, sizeShown.cx, sizeShown.cy, nDrawnColumns, nDrawnRows);

    if (cy == 247) {
        // A place as high as the art, as at 96 DPI with a 13-pixel dialog font, shows bitmap 132 itself,
        // unscaled. (Wine's own Tahoma on an English machine is 12 pixels high: a 228-pixel place there.)
        SIZE sizeArt{};
        HBITMAP hArt = static_cast<HBITMAP>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(132), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION));
        const std::vector<DWORD> arrArt = BitmapPixels(hArt, sizeArt);
        DeleteObject(hArt);
        ASSERT_EQ(cx, sizeArt.cx);
        ASSERT_EQ(cy, sizeArt.cy);
        int nDiffering = 0;
        for (int y = 0; y < cy; ++y)
            for (int x = 0; x < cx; ++x) nDiffering += arrArt[y * cx + x] != arrScreen[y * cxPlace + x];
        EXPECT_EQ(0, nDiffering) << "pixels on the screen that differ from bitmap 132";
    }
    dlg.DestroyWindow();
}

// A dialog of type Dlg, constructed with the arguments, created modeless from nTemplate.
template <typename Dlg, typename... Args>
std::unique_ptr<CDialog> Created(UINT nTemplate, Args... args) {
    auto pDlg = std::make_unique<Dlg>(args...);
    pDlg->Create(nTemplate, nullptr);
    return pDlg;
}

TEST_F(HighDpiTest, NoTextIsCutAndEveryDialogServesTheKeyboardAndScreenReaders) {
    const bool bKorean = (CurrentLanguage() == Language::Korean);
    // The longest text of each question; each window created just before it shows, as the program does.
    const struct {
        const char* szShot;
        std::function<std::unique_ptr<CDialog>()> fnCreate;
    } windows[] = {
        {"message-box", [&] { return Created<MessageBoxDlg>(131, lqtexts::InstallRefused(bKorean)); }},
        {"delete-message-box", [&] { return Created<DeleteMessageBoxDlg>(132, lqtexts::UninstallConfirmation(bKorean)); }},
        {"program-kill", [&] { return Created<ProgramKillDlg>(133, lqtexts::GuardText(bKorean, "QuarkXpress")); }},
        {"setup-progress", [] { return Created<LetterquarrySetupDlg>(129); }},
        {"uninstall-progress", [] { return Created<LetterquarryDeleteDlg>(130); }},
    };
    for (const auto& window : windows) {
        const std::unique_ptr<CDialog> pDlg = window.fnCreate();
        ShowAndCheck(*pDlg, window.szShot);
        pDlg->DestroyWindow();
    }
}

}  // namespace
