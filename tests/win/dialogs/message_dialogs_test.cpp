// The question dialogs, run modally on the test's thread and answered from a helper thread: the
// uninstall confirmation as the run mode shows it, and the two questions the engines ask through the dialog
// front end ("files in use?" in MessageBoxDlg, "a program runs" in ProgramKillDlg).
// Covered: the answer of every button, Escape and the close box; button texts by language; the question's
// text from the table reaching the label; the templates' captions, sizes, control rectangles and default
// buttons. Not here: how the label draws its mark-up (the HTML label's own tests).
#include "setup/core/country.h"
#include "setup/dialogs/delete_message_box_dlg.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/message_box_dlg.h"
#include "setup/dialogs/program_kill_dlg.h"
#include "framework/winapp.h"

#include "tests/support/dialogs.h"
#include "tests/support/machine_facts.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <string>

using lqtest::Answer;
using lqtest::DialogAnswerer;
using lqtest::SeenDialog;

namespace {

CWinApp theTestApp;  // the framework's modal loops take their messages through the application object

const char kText[] =
    "<center><b><font color=blue size=4>first line, centred and blue\r\n</font></b>second line\r\nthird line</center>";

class MessageDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { countryCode = lqtest::SystemCountryCode(); }  // as start-up sets it
    std::string Lang(const char* szKorean, const char* szEnglish) const { return IsKorean() ? szKorean : szEnglish; }
};

TEST_F(MessageDialogsTest, FilesInUseIsAskedInMessageBoxDlgWithEachWayOut) {
    struct Case {
        const char* szWhat;
        Answer answer;
        InUseAnswer expected;
    } const cases[] = {
        {"ReStart Windows (button 3)", Answer::ClickButton(3), InUseAnswer::RestartWindows},
        {"go on (button 1)", Answer::ClickButton(IDOK), InUseAnswer::CloseAndRetry},
        {"Cancel (button 2)", Answer::ClickButton(IDCANCEL), InUseAnswer::Cancel},
        {"Escape", Answer::PressEscape(), InUseAnswer::Cancel},
        {"close box", Answer::UseCloseBox(), InUseAnswer::Cancel},
    };
    DialogFrontEnd frontEnd;
    for (const Case& c : cases) {
        DialogAnswerer answerer("Message", {c.answer});
        if (&c == &cases[0])
            answerer.OnEach([](const SeenDialog& dialog) {
                lqtest::Screenshot(lqtest::InMachineLanguage("dialog-message-box"), dialog.hWnd);
            });
        EXPECT_EQ(c.expected, frontEnd.AskFilesInUse(TextId::InUseLetterquarry, true)) << c.szWhat;
        const auto& seen = answerer.Seen();
        ASSERT_EQ(1u, seen.size()) << c.szWhat << ": the dialog was not seen";
        EXPECT_EQ(Text(TextId::InUseLetterquarry), seen[0].texts.at(1005)) << c.szWhat << ": the label carries the question";
        EXPECT_EQ(Lang("윈도우 다시시작", "ReStart Windows"), seen[0].texts.at(3));
        EXPECT_EQ(Lang("사용 프로그램을 종료하고 삭제하기", "Closing current program and Restarting window"),
                  seen[0].texts.at(IDOK));
        EXPECT_EQ(Lang("취소", "Cancel"), seen[0].texts.at(IDCANCEL));
    }
}

TEST_F(MessageDialogsTest, ARunningProgramIsAskedAboutInProgramKillDlgWithEachWayOut) {
    struct Case {
        const char* szWhat;
        Answer answer;
        RunningProgramAnswer expected;
    } const cases[] = {
        {"force close (button 1)", Answer::ClickButton(IDOK), RunningProgramAnswer::ForceClose},
        {"Cancel (button 2)", Answer::ClickButton(IDCANCEL), RunningProgramAnswer::Cancel},
        {"Escape", Answer::PressEscape(), RunningProgramAnswer::Cancel},
        {"close box", Answer::UseCloseBox(), RunningProgramAnswer::Cancel},
    };
    DialogFrontEnd frontEnd;
    for (const Case& c : cases) {
        DialogAnswerer answerer("Message", {c.answer});
        if (&c == &cases[0])
            answerer.OnEach([](const SeenDialog& dialog) {
                lqtest::Screenshot(lqtest::InMachineLanguage("dialog-program-kill"), dialog.hWnd);
            });
        EXPECT_EQ(c.expected, frontEnd.AskCloseProgram("Excel")) << c.szWhat;
        const auto& seen = answerer.Seen();
        ASSERT_EQ(1u, seen.size()) << c.szWhat << ": the dialog was not seen";
        EXPECT_EQ(Text(TextId::ProgramRunning, "Excel"), seen[0].texts.at(1005)) << c.szWhat;
        EXPECT_EQ(Lang("실행중인 프로그램 종료하기", "Exit program without notice"), seen[0].texts.at(IDOK));
        EXPECT_EQ(Lang("취소", "Cancel"), seen[0].texts.at(IDCANCEL));
    }
}

TEST_F(MessageDialogsTest, DeleteMessageBoxDlgReportsEachWayOut) {
    struct Case {
        const char* szWhat;
        Answer answer;
        int nResult;
        INT_PTR nModal;
    } const cases[] = {
        {"delete (button 1)", Answer::ClickButton(IDOK), 1, IDOK},
        {"Cancel (button 2)", Answer::ClickButton(IDCANCEL), 2, IDCANCEL},
        {"Escape", Answer::PressEscape(), 2, IDCANCEL},
        {"close box", Answer::UseCloseBox(), 2, IDCANCEL},
    };
    for (const Case& c : cases) {
        DeleteMessageBoxDlg dlg;
        EXPECT_EQ(0, dlg.m_nResult) << "before the modal run";
        dlg.m_strText = kText;
        DialogAnswerer answerer("Letterquarry UnInstall", {c.answer});
        if (&c == &cases[0])
            answerer.OnEach([](const SeenDialog& dialog) {
                lqtest::Screenshot(lqtest::InMachineLanguage("dialog-delete-message-box"), dialog.hWnd);
            });
        INT_PTR nModal = dlg.DoModal(nullptr);
        const auto& seen = answerer.Seen();
        ASSERT_EQ(1u, seen.size()) << c.szWhat << ": the dialog was not seen";
        EXPECT_EQ(c.nResult, dlg.m_nResult) << c.szWhat;
        EXPECT_EQ(c.nModal, nModal) << c.szWhat;
        EXPECT_EQ(kText, seen[0].texts.at(1005)) << c.szWhat;
        EXPECT_EQ(Lang("삭제하기", "Ok"), seen[0].texts.at(IDOK));
        EXPECT_EQ(Lang("취소", "Cancel"), seen[0].texts.at(IDCANCEL));
    }
}

// The child nId's rectangle in dialog units of hDlg (converted back from pixels, so each side may be
// off by the rounding of one unit).
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

// "x,y wxh" of a rectangle in dialog units, for messages.
std::string Describe(const RECT& rct) {
    return std::to_string(rct.left) + "," + std::to_string(rct.top) + " " + std::to_string(rct.right - rct.left) +
           "x" + std::to_string(rct.bottom - rct.top);
}

struct ControlBox {
    int nId;
    RECT rct;  // left, top, right, bottom in dialog units
    bool bDefault;
};

void ExpectTemplate(CDialog& dlg, UINT nTemplate, const char* szCaption, int cx, int cy,
                    const std::vector<ControlBox>& controls) {
    ASSERT_TRUE(dlg.Create(nTemplate, nullptr)) << "template " << nTemplate;
    HWND hDlg = dlg.GetSafeHwnd();
    char szText[256] = {};
    GetWindowTextA(hDlg, szText, sizeof szText);
    EXPECT_STREQ(szCaption, szText) << "caption of " << nTemplate;
    RECT rctClient;
    GetClientRect(hDlg, &rctClient);
    RECT rctSize = {0, 0, cx, cy};
    MapDialogRect(hDlg, &rctSize);
    EXPECT_EQ(rctSize.right, rctClient.right) << "client width in pixels of " << cx << " dialog units";
    EXPECT_EQ(rctSize.bottom, rctClient.bottom) << "client height in pixels of " << cy << " dialog units";
    LONG lStyle = GetWindowLongA(hDlg, GWL_STYLE);
    EXPECT_EQ(WS_CAPTION | WS_SYSMENU | WS_POPUP, lStyle & (WS_CAPTION | WS_SYSMENU | WS_POPUP)) << std::hex << lStyle;
    for (const ControlBox& control : controls) {
        RECT rct = ChildRectInDialogUnits(hDlg, control.nId);
        std::string strWhat = "control " + std::to_string(control.nId) + " of " + std::to_string(nTemplate) +
                              ": expected " + Describe(control.rct) + ", actual " + Describe(rct);
        EXPECT_NEAR(control.rct.left, rct.left, 1) << strWhat;
        EXPECT_NEAR(control.rct.top, rct.top, 1) << strWhat;
        EXPECT_NEAR(control.rct.right, rct.right, 1) << strWhat;
        EXPECT_NEAR(control.rct.bottom, rct.bottom, 1) << strWhat;
        if (control.nId == 1005) continue;
        LONG lButton = GetWindowLongA(GetDlgItem(hDlg, control.nId), GWL_STYLE) & 0x0F;
        EXPECT_EQ(control.bDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, lButton) << strWhat;
    }
    dlg.DestroyWindow();
}

TEST_F(MessageDialogsTest, TemplatesHaveTheTablesGeometry) {
    {
        MessageBoxDlg dlg;
        ExpectTemplate(dlg, 131, "Message", 387, 101,
                       {{1005, {1, 1, 385, 77}, false},
                        {3, {1, 84, 81, 98}, false},
                        {IDOK, {85, 84, 226, 98}, true},
                        {IDCANCEL, {335, 84, 385, 98}, false}});
    }
    {
        DeleteMessageBoxDlg dlg;
        ExpectTemplate(dlg, 132, "Letterquarry UnInstall", 282, 82,
                       {{1005, {6, 1, 280, 61}, false},
                        {IDOK, {140, 65, 213, 79}, true},
                        {IDCANCEL, {218, 65, 280, 79}, false}});
    }
}

}  // namespace
