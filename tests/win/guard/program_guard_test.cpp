// The running-program guard with its dialog, against stand-in processes named like host programs; the
// dialogs are answered from a helper thread.
// Covered: no dialog when nothing runs; force-close with the 2000 ms pause; Cancel, Escape and the close
// box ending the guard at once; a program that the force-close cannot end being asked about again; the
// table's display names; button texts by language. Two instances of one program: tests/e2e/install.
#include "setup/dialogs/dialog_front_end.h"
#include "setup/guard/program_guard.h"
#include "setup/core/country.h"
#include "framework/winapp.h"
#include "tests/support/standin.h"

#include "tests/support/dialogs.h"
#include "tests/support/machine_facts.h"
#include "tests/support/screenshots.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using lqtest::Answer;
using lqtest::DialogAnswerer;
using lqtest::StandInProcess;

namespace {

CWinApp theTestApp;  // the framework's modal loops take their messages through the application object

class ProgramGuardTest : public ::testing::Test {
protected:
    void SetUp() override { countryCode = lqtest::SystemCountryCode(); }  // as start-up sets it

    DialogFrontEnd m_frontEnd;  // the guard's question is the suite's own dialog

    // The name as the dialog's message shows it.
    static std::string Named(const std::string& strDisplayName) {
        return "<font size=3 color=blue><b>" + strDisplayName + "</b></font>";
    }
};

TEST_F(ProgramGuardTest, NothingRunningMeansNoQuestion) {
    DialogAnswerer answerer("Message", {Answer::ClickButton(IDCANCEL)});
    EXPECT_TRUE(CheckRunningPrograms(m_frontEnd));
    EXPECT_EQ(0u, answerer.Seen().size()) << "expected no dialog on a machine without host programs";
}

TEST_F(ProgramGuardTest, ForceCloseEndsExcelAndGoesOnAfterThePause) {
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    int nQuestions = 0;
    DialogAnswerer answerer("Message", {Answer::ClickButton(IDOK), Answer::ClickButton(IDCANCEL)});
    answerer.OnEach([&nQuestions](const lqtest::SeenDialog& dialog) {
        if (nQuestions++ == 0) lqtest::Screenshot(lqtest::InMachineLanguage("dialog-program-kill"), dialog.hWnd);
    });
    EXPECT_TRUE(CheckRunningPrograms(m_frontEnd));
    DWORD dwDone = GetTickCount();
    const auto& seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size()) << "expected one question, for Excel only";
    EXPECT_NE(std::string::npos, seen[0].texts.at(1005).find(Named("Excel"))) << seen[0].texts.at(1005);
    EXPECT_EQ(IsKorean() ? "실행중인 프로그램 종료하기" : "Exit program without notice", seen[0].texts.at(IDOK));
    EXPECT_EQ(IsKorean() ? "취소" : "Cancel", seen[0].texts.at(IDCANCEL));
    EXPECT_TRUE(excel.HasEnded(0)) << "EXCEL.EXE was terminated";
    EXPECT_GE(dwDone - seen[0].dwTick, 2000u) << "the guard pauses 2000 ms after a force-close";
}

TEST_F(ProgramGuardTest, CancelEndsTheGuardAtOnceWithoutTestingLaterRows) {
    struct Case {
        const char* szWhat;
        Answer answer;
    } const cases[] = {
        {"Cancel button", Answer::ClickButton(IDCANCEL)},
        {"Escape", Answer::PressEscape()},
        {"close box", Answer::UseCloseBox()},
    };
    StandInProcess powerpoint("POWERPNT.EXE");
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(powerpoint.Started() && excel.Started());
    for (const Case& c : cases) {
        DialogAnswerer answerer("Message", {c.answer, Answer::ClickButton(IDCANCEL)});
        EXPECT_FALSE(CheckRunningPrograms(m_frontEnd)) << c.szWhat;
        const auto& seen = answerer.Seen();
        ASSERT_EQ(1u, seen.size()) << c.szWhat << ": expected the PowerPoint question only, Excel is never asked";
        EXPECT_NE(std::string::npos, seen[0].texts.at(1005).find(Named("PowerPoint"))) << c.szWhat;
        EXPECT_FALSE(powerpoint.HasEnded(0) || excel.HasEnded(0)) << c.szWhat << ": nothing was terminated";
    }
}

TEST_F(ProgramGuardTest, AProgramTheForceCloseCannotEndIsAskedAboutAgain) {
    // An Excel that may not be terminated: the force-close ends nothing, and the guard asks again after
    // each pause until the user cancels.
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    ASSERT_TRUE(excel.DenyAccess(PROCESS_TERMINATE));
    DialogAnswerer answerer("Message",
                            {Answer::ClickButton(IDOK), Answer::ClickButton(IDOK), Answer::ClickButton(IDCANCEL)});
    EXPECT_FALSE(PromptCloseProgram("EXCEL.EXE", "Excel", m_frontEnd));
    const auto& seen = answerer.Seen();
    ASSERT_EQ(3u, seen.size()) << "asked again after each of two force-closes, then cancelled";
    EXPECT_GE(seen[1].dwTick - seen[0].dwTick, 2000u);
    EXPECT_GE(seen[2].dwTick - seen[1].dwTick, 2000u);
    EXPECT_FALSE(excel.HasEnded(0));
}

TEST_F(ProgramGuardTest, EachCorelDrawSpellingIsAskedAboutUnderItsDisplayName) {
    StandInProcess corel("CorelDrw.exe");
    ASSERT_TRUE(corel.Started());
    DialogAnswerer answerer("Message", {Answer::ClickButton(IDCANCEL)});
    EXPECT_FALSE(CheckRunningPrograms(m_frontEnd));
    const auto& seen = answerer.Seen();
    ASSERT_EQ(1u, seen.size());
    EXPECT_NE(std::string::npos, seen[0].texts.at(1005).find(Named("CorelDraw"))) << seen[0].texts.at(1005);
}

}  // namespace
