// Start-up on a fresh machine, Korean and English: the upgrade switch and "/?" show one message and nothing
// else, whatever else stands on the command line, and touch nothing; while one run is in progress, a
// second start of any mode that changes the machine changes nothing and exits 1618.
#include "tests/support/dialogs.h"
#include "tests/support/expected_state.h"
#include "tests/support/machine_facts.h"
#include "tests/support/programs.h"
#include "tests/support/screenshots.h"
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>

namespace {

using lqtest::Program;

// Runs the setup program with strArgs, expects exactly one message box with the default caption and
// strText (or, with bStart, a text that begins with it), presses OK and returns the exit code.
int RunExpectingOneMessage(const std::string& strArgs, const std::string& strText, const std::string& strShot,
                           bool bStart = false) {
    Program program(strArgs);
    EXPECT_TRUE(program.Started());
    HWND hBox = lqtest::WaitForDialog("ZmtUpGrade_Letterquarry", program.ProcessId(), 20000);
    EXPECT_NE(nullptr, hBox) << "no message box for " << strArgs;
    if (!hBox) return -1;
    const std::string strShown = lqtest::ReadDialog(hBox).strText;
    EXPECT_EQ(strText, bStart ? strShown.substr(0, strText.size()) : strShown);
    auto windows = uidriver::TopLevelWindows(program.ProcessId());
    EXPECT_EQ(1u, windows.size()) << "exactly one window for " << strArgs;
    lqtest::Screenshot(strShot);
    lqtest::AnswerDialog(hBox, lqtest::Answer::ClickButton(IDOK));
    return program.Wait(20000);
}

TEST(Startup, UpgradeSwitchShowsOnlyItsMessage) {
    lqtest::Snapshot before = lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});
    EXPECT_EQ(0, RunExpectingOneMessage("/U", "_DEF_PROCESS_UPGRADE", lqtest::InMachineLanguage("startup-upgrade")));
    EXPECT_EQ(0, RunExpectingOneMessage("/B /U", "_DEF_PROCESS_UPGRADE", lqtest::InMachineLanguage("startup-silent-upgrade")));
    EXPECT_EQ(0, RunExpectingOneMessage("/d /u", "_DEF_PROCESS_UPGRADE", lqtest::InMachineLanguage("startup-upgrade-last-wins")));
    // "/?" lists the switches and the exit codes, in the system's language, whatever else is asked for.
    const bool bKorean = lqtest::IsKoreanMachine();
    const std::string strUsage = bKorean ? "ZmtUpGrade_Letterquarry.exe [스위치]\r\n\r\n(없음): 설치 대화 상자에서 설치합니다."
                                         : "ZmtUpGrade_Letterquarry.exe [switches]\r\n\r\n(none): install in the install dialog.";
    EXPECT_EQ(0, RunExpectingOneMessage("/D /B /?", strUsage, lqtest::InMachineLanguage("startup-usage"), true));
    lqtest::Snapshot after = lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});
    for (const std::string& strLine : lqtest::Difference(before, after))
        if (strLine.find("Wine") == std::string::npos) ADD_FAILURE() << "changed: " << strLine;
}

TEST(Startup, ASecondRunWhileOneIsInProgressChangesNothing) {
    const bool bKorean = lqtest::IsKoreanMachine();
    // The first run: the install dialog waits for the user.
    Program first("");
    ASSERT_NE(nullptr, lqtest::WaitForDialog("Letterquarry Installation", first.ProcessId(), 30000));
    const lqtest::Snapshot before = lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});

    const std::string strRefused = bKorean ? "Letterquarry 설치 프로그램이 이미 실행 중입니다." : "Letterquarry setup is already running.";
    EXPECT_EQ(1618, RunExpectingOneMessage("", strRefused, lqtest::InMachineLanguage("startup-second-run")));
    EXPECT_EQ(1618, RunExpectingOneMessage("/D", strRefused, lqtest::InMachineLanguage("startup-second-uninstall")));
    for (const char* szSilent : {"/B", "/D /B"}) {
        Program second(szSilent);
        EXPECT_EQ(1618, second.Wait(20000)) << szSilent;
        EXPECT_TRUE(uidriver::TopLevelWindows(second.ProcessId()).empty()) << szSilent << ": no window";
    }
    EXPECT_EQ(0, RunExpectingOneMessage("/U", "_DEF_PROCESS_UPGRADE", lqtest::InMachineLanguage("startup-upgrade-during-a-run")))
        << "the upgrade message changes nothing and needs no lock";
    const lqtest::Snapshot after = lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});
    for (const std::string& strLine : lqtest::Difference(before, after))
        if (strLine.find("Wine") == std::string::npos) ADD_FAILURE() << "changed: " << strLine;

    // Once the first run has ended, the next start runs normally.
    HWND hMain = lqtest::WaitForDialog("Letterquarry Installation", first.ProcessId(), 5000);
    ASSERT_NE(nullptr, hMain);
    lqtest::AnswerDialog(hMain, lqtest::Answer::ClickButton(IDCANCEL));
    EXPECT_EQ(1602, first.Wait(20000));
    Program next("");
    HWND hNext = lqtest::WaitForDialog("Letterquarry Installation", next.ProcessId(), 30000);
    ASSERT_NE(nullptr, hNext) << "the lock went with the first run";
    lqtest::AnswerDialog(hNext, lqtest::Answer::ClickButton(IDCANCEL));
    EXPECT_EQ(1602, next.Wait(20000));
}

}  // namespace
