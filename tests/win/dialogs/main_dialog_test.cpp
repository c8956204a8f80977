// The main install dialog in the test's own process, on a fresh machine without host programs.
// Covered: the host list's styles, column and colours; the banner of each edition; the icon that
// WM_QUERYDRAGICON hands out and the icon painting while minimised; Cancel leaving the machine alone.
// The Install command runs end to end in tests/e2e/install.
#include "setup/app/interactive_install.h"
#include "setup/dialogs/resource.h"
#include "setup/dialogs/zmt_upgrade_dlg.h"
#include "setup/core/country.h"
#include "framework/winapp.h"

#include "tests/support/dialogs.h"
#include "tests/support/machine_facts.h"

#include <gtest/gtest.h>

#include <string>

using lqtest::Answer;
using lqtest::DialogAnswerer;

namespace {

CWinApp theTestApp;  // the framework's modal loops take their messages through the application object

// Notes the icon-background erase that only the minimised painting sends.
class ObservedMainDialog : public CZmtUpGradeDlg {
public:
    ObservedMainDialog() : CZmtUpGradeDlg(m_actions) {}
    bool m_bIconErased = false;

protected:
    bool OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override {
        if (nMsg == WM_ICONERASEBKGND) m_bIconErased = true;
        return CZmtUpGradeDlg::OnWndMsg(nMsg, wParam, lParam, pResult);
    }

private:
    static InteractiveInstallActions m_actions;  // the engines, as the interactive install wires them
};
InteractiveInstallActions ObservedMainDialog::m_actions;

class MainDialogTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(LanguageOfCountry(lqtest::SystemCountryCode())); }  // as start-up sets it
};

TEST_F(MainDialogTest, HostListIsAHeaderlessCheckListInTheTooltipColour) {
    ObservedMainDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_ZMT_UPGRADE, nullptr));
    HWND hList = GetDlgItem(dlg.GetSafeHwnd(), 1000);
    DWORD dwExStyle = static_cast<DWORD>(SendMessageA(hList, LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    const DWORD dwWanted = LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES;
    EXPECT_EQ(dwWanted, dwExStyle & dwWanted) << "full-row selection, check boxes, grid lines; actual " << std::hex
                                              << dwExStyle;
    LONG lStyle = GetWindowLongA(hList, GWL_STYLE);
    EXPECT_EQ(LVS_REPORT, lStyle & LVS_TYPEMASK);
    EXPECT_TRUE(lStyle & LVS_NOCOLUMNHEADER) << "no column header; style " << std::hex << lStyle;
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), static_cast<COLORREF>(SendMessageA(hList, LVM_GETBKCOLOR, 0, 0)));
    EXPECT_EQ(GetSysColor(COLOR_INFOBK), static_cast<COLORREF>(SendMessageA(hList, LVM_GETTEXTBKCOLOR, 0, 0)));

    char szTitle[64] = {};
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_WIDTH;
    column.pszText = szTitle;
    column.cchTextMax = sizeof szTitle;
    ASSERT_TRUE(SendMessageA(hList, LVM_GETCOLUMNA, 0, reinterpret_cast<LPARAM>(&column)));
    EXPECT_STREQ((CurrentLanguage() == Language::Korean) ? "설치파일" : "Install File", szTitle);
    EXPECT_EQ(300, column.cx);

    // No host on this machine: the three rows that are always there, each holding its record.
    ASSERT_EQ(3, SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    const char* const expected[] = {"Microsoft Office", (CurrentLanguage() == Language::Korean) ? "코렐드로우11" : "CorelDraw11",
                                    (CurrentLanguage() == Language::Korean) ? "코렐드로우12" : "CorelDraw12"};
    for (int i = 0; i < 3; ++i) {
        char szText[64] = {};
        LVITEMA item{};
        item.mask = LVIF_TEXT | LVIF_PARAM;
        item.iItem = i;
        item.pszText = szText;
        item.cchTextMax = sizeof szText;
        SendMessageA(hList, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
        EXPECT_STREQ(expected[i], szText) << "row " << i;
        const HostRecord* pRecord = reinterpret_cast<const HostRecord*>(item.lParam);
        ASSERT_NE(nullptr, pRecord) << "row " << i;
        EXPECT_EQ("C:\\ZmtPlugin\\bin", pRecord->arrFolders.at(0)->strPath) << "row " << i << " holds its record";
    }
    dlg.DestroyWindow();
}

TEST_F(MainDialogTest, BannerNamesTheEdition) {
    struct Case {
        Edition edition;
        const char* szBanner;
    } const cases[] = {
        {Edition::Quobbin, "<center><b><font size=5 color=blue>Letterquarry 5.981</font><font size=4 color=blue>-Quobbin</font></b></center>"},
        {Edition::Tessaly, "<center><b><font size=5 color=blue>Letterquarry 5.981</font><font size=4 color=blue>-Tessaly</font></b></center>"},
        {Edition::Standard, "<center><b><font size=5 color=blue>Letterquarry 5.981</font></b></center>"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.szBanner, CZmtUpGradeDlg::BannerText(c.edition)) << "edition " << static_cast<int>(c.edition);
}

TEST_F(MainDialogTest, MinimisedDialogPaintsTheApplicationIcon) {
    ObservedMainDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_ZMT_UPGRADE, nullptr));
    HWND hDlg = dlg.GetSafeHwnd();
    HICON hIcon = LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(128));
    ASSERT_NE(nullptr, hIcon) << "icon 128 is in the resources";
    EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), SendMessageA(hDlg, WM_QUERYDRAGICON, 0, 0));
    EXPECT_EQ(reinterpret_cast<LRESULT>(hIcon), SendMessageA(hDlg, WM_GETICON, ICON_BIG, 0));

    ShowWindow(hDlg, SW_SHOWNORMAL);
    UpdateWindow(hDlg);
    EXPECT_FALSE(dlg.m_bIconErased) << "a normal window paints as a dialog";
    ShowWindow(hDlg, SW_MINIMIZE);
    ASSERT_TRUE(IsIconic(hDlg));
    // Without a window manager Wine does not repaint a minimised window itself; ask as Windows would.
    SendMessageA(hDlg, WM_PAINT, 0, 0);
    EXPECT_TRUE(dlg.m_bIconErased) << "the minimised painting erases the icon background and draws the icon";
    dlg.DestroyWindow();
}

TEST_F(MainDialogTest, CancelEndsWithoutWritingSettings) {
    InteractiveInstallActions actions;
    CZmtUpGradeDlg dlg(actions);
    DialogAnswerer answerer("Letterquarry Installation", {Answer::ClickButton(IDCANCEL)});
    EXPECT_EQ(IDCANCEL, dlg.DoModal(nullptr));
    EXPECT_EQ(1u, answerer.Seen().size());
    EXPECT_EQ(Outcome::Cancelled, dlg.GetOutcome());
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("c:\\ZmtPlugin\\Zmt.ini")) << "no settings written";
}

}  // namespace
