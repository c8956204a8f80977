// The dialog framework on a real Windows machine: modal runs ended by buttons, Escape and the close box;
// data exchange in both directions; a subclassed control that receives its own reflected click; a
// modeless dialog created, driven and destroyed by its owner, passing changes of the system's colours on.
#include "framework/dialog.h"
#include "framework/winapp.h"
#include "tests/support/dialogs.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

using lqtest::Answer;
using lqtest::DialogAnswerer;
using lqtest::SeenDialog;

namespace {

CWinApp theTestApp;  // the modal loop pumps through the application object

class ClickableLabel : public CStatic {
public:
    int nClicks = 0;
    int nSchemeChanges = 0;  // WM_SYSCOLORCHANGE and WM_SETTINGCHANGE received

protected:
    bool OnWndMsg(UINT nMsg, WPARAM, LPARAM, LRESULT*) override {
        if (nMsg == WM_SYSCOLORCHANGE || nMsg == WM_SETTINGCHANGE) ++nSchemeChanges;
        return false;
    }
    bool OnChildNotify(UINT nMsg, WPARAM wParam, LPARAM, LRESULT* pResult) override {
        if (nMsg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
            ++nClicks;
            *pResult = 0;
            return true;
        }
        return false;
    }
};

class TestDialog : public CDialog {
public:
    TestDialog() : CDialog(200) {}
    ClickableLabel m_label;
    std::string m_strEdit = "typed before";
    bool m_bParentSawClick = false;
    std::function<void(HWND)> onInit;

protected:
    void DoDataExchange(CDataExchange* pDX) override {
        DDX_Control(pDX, 1003, m_label);
        DDX_Text(pDX, 1004, m_strEdit);
    }
    BOOL OnInitDialog() override {
        CDialog::OnInitDialog();
        if (onInit) onInit(m_hWnd);
        return TRUE;
    }
    bool OnCommand(WPARAM wParam, LPARAM lParam) override {
        if (LOWORD(wParam) == 1003) m_bParentSawClick = true;
        return CDialog::OnCommand(wParam, lParam);
    }
};

const char kCaption[] = "framework test dialog";

TEST(Framework, ModalDialogEndsWithTheButtonPressedAndExchangesData) {
    TestDialog dlg;
    dlg.onInit = [](HWND hDlg) {
        char szText[64] = {};
        GetDlgItemTextA(hDlg, 1004, szText, sizeof szText);
        EXPECT_STREQ("typed before", szText) << "initialisation loads the members into the controls";
    };
    DialogAnswerer user(kCaption, {Answer::ClickButton(IDOK)});
    user.OnEach([](const SeenDialog& dialog) { SetDlgItemTextA(dialog.hWnd, 1004, "typed by the user"); });
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ("typed by the user", dlg.m_strEdit) << "OK saves the controls into the members";
    EXPECT_EQ(nullptr, dlg.GetSafeHwnd()) << "the window is gone after the modal run";
}

TEST(Framework, EscapeAndTheCloseBoxCancel) {
    {
        TestDialog dlg;
        DialogAnswerer user(kCaption, {Answer::PressEscape()});  // into the edit control, which has the focus
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
        EXPECT_EQ("typed before", dlg.m_strEdit) << "cancel saves nothing";
    }
    {
        TestDialog dlg;
        DialogAnswerer user(kCaption, {Answer::UseCloseBox()});
        EXPECT_EQ(IDCANCEL, dlg.DoModal());
    }
}

TEST(Framework, ASubclassedControlHandlesItsOwnReflectedClick) {
    TestDialog dlg;
    DialogAnswerer user(kCaption, {Answer::ClickButton(IDCANCEL)});
    user.OnEach([](const SeenDialog& dialog) {
        HWND hLabel = GetDlgItem(dialog.hWnd, 1003);
        SendMessageA(dialog.hWnd, WM_COMMAND, MAKEWPARAM(1003, STN_CLICKED), reinterpret_cast<LPARAM>(hLabel));
        SendMessageA(dialog.hWnd, WM_COMMAND, MAKEWPARAM(1003, STN_CLICKED), reinterpret_cast<LPARAM>(hLabel));
    });
    EXPECT_EQ(IDCANCEL, dlg.DoModal());
    EXPECT_EQ(2, dlg.m_label.nClicks);
    EXPECT_FALSE(dlg.m_bParentSawClick) << "a consumed reflection does not reach the parent";
}

TEST(Framework, ModelessDialogIsCreatedHiddenBoundAndDestroyedByItsOwner) {
    TestDialog dlg;
    ASSERT_TRUE(dlg.Create(200, nullptr));
    EXPECT_FALSE(IsWindowVisible(dlg.GetSafeHwnd())) << "the template is not visible at creation";
    ShowWindow(dlg.GetSafeHwnd(), SW_SHOW);
    dlg.UpdateData(true);
    ASSERT_NE(nullptr, dlg.m_label.GetSafeHwnd()) << "data exchange binds the control member";
    dlg.m_label.SetWindowText("stage text");
    EXPECT_EQ("stage text", dlg.m_label.GetWindowText());
    SendMessageA(dlg.GetSafeHwnd(), WM_SYSCOLORCHANGE, 0, 0);
    SendMessageA(dlg.GetSafeHwnd(), WM_SETTINGCHANGE, SPI_SETHIGHCONTRAST, 0);
    EXPECT_EQ(2, dlg.m_label.nSchemeChanges) << "the dialog passes changes of the system's colours on to its controls";
    HWND hWnd = dlg.GetSafeHwnd();
    dlg.DestroyWindow();
    EXPECT_FALSE(IsWindow(hWnd));
    EXPECT_EQ(nullptr, dlg.m_label.GetSafeHwnd()) << "the control member lets go of its destroyed window";
}

}  // namespace
