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
#include "htmllabel/html_parser.h"

#include "tests/support/dialogs.h"
#include "tests/support/machine_facts.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

using lqtest::Answer;
using lqtest::DialogAnswerer;
using lqtest::SeenDialog;

namespace {

CWinApp theTestApp;  // the framework's modal loops take their messages through the application object

const char kText[] =
    "<center><b><font color=blue size=4>first line, centred and blue\r\n</font></b>second line\r\nthird line</center>";

class MessageDialogsTest : public ::testing::Test {
protected:
    void SetUp() override { SetLanguage(LanguageOfCountry(lqtest::SystemCountryCode())); }  // as start-up sets it
    std::string Lang(const char* szKorean, const char* szEnglish) const { return (CurrentLanguage() == Language::Korean) ? szKorean : szEnglish; }
};

// Each question the way its caller asks it, with every way out: its answer, its texts by language, the
// caller's text in the label; and a screenshot of each.
TEST_F(MessageDialogsTest, EachQuestionReportsEachWayOut) {
    DialogFrontEnd frontEnd;
    const std::string strText = kText;
    struct Question {
        const char* szCaption;
        const char* szShot;
        std::function<int()> fnAsk;  // the answer, as a number
        std::string strLabel;
        std::map<int, std::string> buttons;
        std::vector<std::pair<Answer, int>> ways;  // the way out and the answer it gives
    } const questions[] = {
        {"Message", "dialog-message-box", [&] { return static_cast<int>(frontEnd.AskFilesInUse(TextId::InUseLetterquarry, true)); },
         Text(TextId::InUseLetterquarry),
         {{3, Lang("윈도우 다시시작(&R)", "&ReStart Windows")},
          {IDOK, Lang("사용 프로그램을 종료하고 삭제하기(&P)", "Closing current &program and Restarting window")},
          {IDCANCEL, Lang("취소(&C)", "&Cancel")}},
         {{Answer::ClickButton(3), static_cast<int>(InUseAnswer::RestartWindows)},
          {Answer::ClickButton(IDOK), static_cast<int>(InUseAnswer::CloseAndRetry)},
          {Answer::ClickButton(IDCANCEL), static_cast<int>(InUseAnswer::Cancel)},
          {Answer::PressEscape(), static_cast<int>(InUseAnswer::Cancel)},
          {Answer::UseCloseBox(), static_cast<int>(InUseAnswer::Cancel)},
          // The focus starts on the default button: Space presses the button Enter stands for.
          {Answer::PressKey(VK_SPACE), static_cast<int>(InUseAnswer::CloseAndRetry)},
          {Answer::PressKey(VK_RETURN), static_cast<int>(InUseAnswer::CloseAndRetry)},
          {Answer::PressAccessKey('R'), static_cast<int>(InUseAnswer::RestartWindows)}}},
        {"Message", "dialog-program-kill", [&] { return static_cast<int>(frontEnd.AskCloseProgram("Excel")); },
         Text(TextId::ProgramRunning, "Excel"),
         {{IDOK, Lang("실행중인 프로그램 종료하기(&E)", "&Exit program without notice")}, {IDCANCEL, Lang("취소(&C)", "&Cancel")}},
         {{Answer::ClickButton(IDOK), static_cast<int>(RunningProgramAnswer::ForceClose)},
          {Answer::ClickButton(IDCANCEL), static_cast<int>(RunningProgramAnswer::Cancel)},
          {Answer::PressEscape(), static_cast<int>(RunningProgramAnswer::Cancel)},
          {Answer::UseCloseBox(), static_cast<int>(RunningProgramAnswer::Cancel)},
          {Answer::PressKey(VK_SPACE), static_cast<int>(RunningProgramAnswer::ForceClose)},
          {Answer::PressAccessKey('C'), static_cast<int>(RunningProgramAnswer::Cancel)}}},
        // The uninstall confirmation, as the run mode shows it.
        {"Letterquarry UnInstall", "dialog-delete-message-box",
         [&] { return static_cast<int>(DeleteMessageBoxDlg(strText).Ask(nullptr)); },
         strText, {{IDOK, Lang("삭제하기(&D)", "&Ok")}, {IDCANCEL, Lang("취소(&C)", "&Cancel")}},
         {{Answer::ClickButton(IDOK), static_cast<int>(DeleteMessageBoxDlg::Answer::Delete)},
          {Answer::ClickButton(IDCANCEL), static_cast<int>(DeleteMessageBoxDlg::Answer::Cancel)},
          {Answer::PressEscape(), static_cast<int>(DeleteMessageBoxDlg::Answer::Cancel)},
          {Answer::UseCloseBox(), static_cast<int>(DeleteMessageBoxDlg::Answer::Cancel)},
          {Answer::PressKey(VK_SPACE), static_cast<int>(DeleteMessageBoxDlg::Answer::Delete)},
          {Answer::PressAccessKey((CurrentLanguage() == Language::Korean) ? 'D' : 'O'), static_cast<int>(DeleteMessageBoxDlg::Answer::Delete)}}},
    };
    for (const Question& question : questions) {
        for (const auto& way : question.ways) {
            DialogAnswerer answerer(question.szCaption, {way.first});
            if (&way == &question.ways.front())
                answerer.OnEach([&question](const SeenDialog& dialog) {
                    lqtest::Screenshot(lqtest::InMachineLanguage(question.szShot), dialog.hWnd);
                });
            const std::string strWhat = std::string(question.szShot) + ", way out " + std::to_string(&way - &question.ways[0]);
            EXPECT_EQ(way.second, question.fnAsk()) << strWhat;
            const auto& seen = answerer.Seen();
            ASSERT_EQ(1u, seen.size()) << strWhat << ": the dialog was not seen";
            EXPECT_EQ(HtmlPlainText(question.strLabel), seen[0].texts.at(1005)) << strWhat << ": the label's plain text";
            for (const auto& button : question.buttons) EXPECT_EQ(button.second, seen[0].texts.at(button.first)) << strWhat;
        }
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
    bool bWiderForItsText = false;  // its text does not fit the table's width: the right edge moves out
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
        if (control.bWiderForItsText) EXPECT_GT(rct.right, control.rct.right + 1) << strWhat;
        else EXPECT_NEAR(control.rct.right, rct.right, 1) << strWhat;
        EXPECT_NEAR(control.rct.bottom, rct.bottom, 1) << strWhat;
        if (control.nId == 1005) continue;
        LONG lButton = GetWindowLongA(GetDlgItem(hDlg, control.nId), GWL_STYLE) & 0x0F;
        EXPECT_EQ(control.bDefault ? BS_DEFPUSHBUTTON : BS_PUSHBUTTON, lButton) << strWhat;
    }
    dlg.DestroyWindow();
}

TEST_F(MessageDialogsTest, TemplatesHaveTheTablesGeometry) {
    {
        MessageBoxDlg dlg("");
        // In English the go-on button's text is wider than its 141 dialog units.
        ExpectTemplate(dlg, 131, "Message", 387, 101,
                       {{1005, {1, 1, 385, 77}, false},
                        {3, {1, 84, 81, 98}, false},
                        {IDOK, {85, 84, 226, 98}, true, !(CurrentLanguage() == Language::Korean)},
                        {IDCANCEL, {335, 84, 385, 98}, false}});
    }
    {
        DeleteMessageBoxDlg dlg("");
        ExpectTemplate(dlg, 132, "Letterquarry UnInstall", 282, 82,
                       {{1005, {6, 1, 280, 61}, false},
                        {IDOK, {140, 65, 213, 79}, true},
                        {IDCANCEL, {218, 65, 280, 79}, false}});
    }
}

}  // namespace
