// The two progress dialogs as their creators make them: modeless, hidden until shown, the captions,
// texts, control ids, order and dialog-unit geometry of resources 129 and 130, and the bound members; and
// the dialog front end writing an engine's stages, files and bars into the controls of each.
#include "setup/core/country.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/progress_dialogs.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

struct ControlSpec {
    int nId;
    const char* szClass;
    const char* szText;
    RECT rctUnits;  // x, y, width, height in dialog units (each mapped on its own, as the dialog manager does)
};

std::string TextOf(HWND hWnd) {
    char sz[256] = {};
    GetWindowTextA(hWnd, sz, sizeof sz);
    return sz;
}

// Creates the dialog modeless, checks it, then lays its children against the table.
void CheckDialog(CDialog& dlg, UINT nTemplate, const char* szCaption, const ControlSpec (&arrSpec)[4]) {
    ASSERT_TRUE(dlg.Create(nTemplate, nullptr));
    HWND hDlg = dlg.GetSafeHwnd();
    EXPECT_FALSE(IsWindowVisible(hDlg)) << "not visible at creation";
    EXPECT_EQ(szCaption, TextOf(hDlg));
    LONG lStyle = GetWindowLongA(hDlg, GWL_STYLE);
    EXPECT_TRUE((lStyle & WS_POPUP) && (lStyle & WS_CAPTION) == WS_CAPTION && (lStyle & WS_SYSMENU))
        << std::hex << lStyle;
    RECT rctClient;
    GetClientRect(hDlg, &rctClient);
    RECT rctExpected = {0, 0, 268, 55};
    MapDialogRect(hDlg, &rctExpected);
    EXPECT_EQ(rctExpected.right, rctClient.right);
    EXPECT_EQ(rctExpected.bottom, rctClient.bottom);

    HWND hChild = GetWindow(hDlg, GW_CHILD);
    for (const ControlSpec& expected : arrSpec) {
        ASSERT_NE(nullptr, hChild) << "control " << expected.nId << " missing";
        EXPECT_EQ(expected.nId, GetDlgCtrlID(hChild)) << "control order";
        char szClass[64] = {};
        GetClassNameA(hChild, szClass, sizeof szClass);
        EXPECT_STREQ(expected.szClass, szClass) << expected.nId;
        EXPECT_EQ(expected.szText, TextOf(hChild)) << expected.nId;
        RECT rct = expected.rctUnits;
        MapDialogRect(hDlg, &rct);
        RECT rctActual;
        GetWindowRect(hChild, &rctActual);
        MapWindowPoints(nullptr, hDlg, reinterpret_cast<POINT*>(&rctActual), 2);
        EXPECT_EQ(rct.left, rctActual.left) << expected.nId;
        EXPECT_EQ(rct.top, rctActual.top) << expected.nId;
        EXPECT_EQ(rct.right, rctActual.right - rctActual.left) << expected.nId;
        EXPECT_EQ(rct.bottom, rctActual.bottom - rctActual.top) << expected.nId;
        hChild = GetWindow(hChild, GW_HWNDNEXT);
    }
    EXPECT_EQ(nullptr, hChild) << "no button or other control";
    ShowWindow(hDlg, SW_SHOW);
    SetActiveWindow(hDlg);
    EXPECT_TRUE(dlg.UpdateData(true));
}

TEST(ProgressDialogs, SetupDialogFromResource129) {
    const ControlSpec arrSpec[4] = {
        {1004, "Static", "Letterquarry Setup......", {1, 1, 266, 12}},
        {1003, "Static", "", {1, 15, 266, 12}},
        {1002, "msctls_progress32", "", {1, 30, 266, 11}},
        {1001, "msctls_progress32", "", {1, 41, 266, 11}},
    };
    auto pDlg = new LetterquarrySetupDlg;
    EXPECT_EQ("", pDlg->m_strDetail);
    CheckDialog(*pDlg, IDD_LETTERQUARRY_SETUP, "Letterquarry Setup", arrSpec);
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1002), pDlg->m_progressFile.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1001), pDlg->m_progressStage.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1003), pDlg->m_staticDetail.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1004), pDlg->m_staticStage.GetSafeHwnd());
    pDlg->m_staticDetail.SetWindowText("ZMT_P7.8bp");
    pDlg->UpdateData(true);
    EXPECT_EQ("ZMT_P7.8bp", pDlg->m_strDetail) << "the detail line is bound by data exchange";
    HWND hDlg = pDlg->GetSafeHwnd();
    pDlg->DestroyWindow();
    delete pDlg;
    EXPECT_FALSE(IsWindow(hDlg));
}

TEST(ProgressDialogs, UninstallDialogFromResource130HasItsFileBarOnTop) {
    const ControlSpec arrSpec[4] = {
        {1004, "Static", "Letterquarry UnInstall......", {1, 1, 266, 12}},
        {1003, "Static", "", {1, 15, 266, 12}},
        {1002, "msctls_progress32", "", {1, 42, 266, 11}},
        {1001, "msctls_progress32", "", {1, 30, 266, 11}},
    };
    auto pDlg = new LetterquarryDeleteDlg;
    CheckDialog(*pDlg, IDD_LETTERQUARRY_DELETE, "Letterquarry UnInstall", arrSpec);
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1001), pDlg->m_progressFile.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1002), pDlg->m_progressSecond.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1003), pDlg->m_staticDetail.GetSafeHwnd());
    EXPECT_EQ(GetDlgItem(pDlg->GetSafeHwnd(), 1004), pDlg->m_staticStage.GetSafeHwnd());
    pDlg->DestroyWindow();
    delete pDlg;
}

int Bar(HWND hDlg, int nBar, UINT nMsg = PBM_GETPOS) { return static_cast<int>(SendDlgItemMessageA(hDlg, nBar, nMsg, 0, 0)); }

// The install's window shows the stage bar in 1001 and the file bar in 1002; the uninstall's shows its file
// bar in 1001 and never moves 1002. Texts come from the table in the machine's language (Korean here).
TEST(ProgressDialogs, TheFrontEndWritesIntoTheWindowAsEachEngineNeedsIt) {
    SetLanguage(Language::Korean);
    const auto pSetup = CreateProgressWindow<LetterquarrySetupDlg>(nullptr);
    const auto pDelete = CreateProgressWindow<LetterquarryDeleteDlg>(nullptr);
    ASSERT_TRUE(pSetup && pDelete && IsWindowVisible(pSetup->GetSafeHwnd())) << "created, shown";
    DialogFrontEnd install(pSetup.get()), uninstall(pDelete.get());
    for (FrontEnd* pFrontEnd : {static_cast<FrontEnd*>(&install), static_cast<FrontEnd*>(&uninstall)}) {
        pFrontEnd->ShowStage(pFrontEnd == &install ? TextId::StageQuark : TextId::StageDelete);
        pFrontEnd->ShowDetail("ZmtLetterquarry.axt");
        pFrontEnd->SetBarRange(ProgressBar::Stage, 0, 8);
        pFrontEnd->SetBarPos(ProgressBar::Stage, 7);
        pFrontEnd->SetBarRange(ProgressBar::File, 0, 15);
        pFrontEnd->SetBarPos(ProgressBar::File, 4);
    }
    const HWND hSetup = pSetup->GetSafeHwnd(), hDelete = pDelete->GetSafeHwnd();
    EXPECT_EQ("쿽익스프레스....", TextOf(GetDlgItem(hSetup, 1004)));
    EXPECT_EQ("Letterquarry 삭제 중....", TextOf(GetDlgItem(hDelete, 1004)));
    EXPECT_EQ("ZmtLetterquarry.axt", TextOf(GetDlgItem(hDelete, 1003)));
    EXPECT_EQ(7, Bar(hSetup, 1001));
    EXPECT_EQ(8, Bar(hSetup, 1001, PBM_GETRANGE));
    EXPECT_EQ(4, Bar(hSetup, 1002));
    EXPECT_EQ(4, Bar(hDelete, 1001));
    EXPECT_EQ(15, Bar(hDelete, 1001, PBM_GETRANGE));
    EXPECT_EQ(0, Bar(hDelete, 1002)) << "the uninstall has no stage bar";
    SetLanguage(Language::English);
}

}  // namespace
