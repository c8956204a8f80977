// Start-up on a fresh machine, Korean and English: the upgrade switch shows one message and nothing
// else, whatever else stands on the command line, and touches nothing.
#include "tests/support/dialogs.h"
#include "tests/support/expected_state.h"
#include "tests/support/programs.h"
#include "tests/support/screenshots.h"
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>

namespace {

using lqtest::Program;

// Runs the setup program with strArgs, expects exactly one message box with the default caption and
// strText, presses OK and returns the exit code.
int RunExpectingOneMessage(const std::string& strArgs, const std::string& strText, const std::string& strShot) {
    Program program(strArgs);
    EXPECT_TRUE(program.Started());
    HWND hBox = lqtest::WaitForDialog("ZmtUpGrade_Letterquarry", program.ProcessId(), 20000);
    EXPECT_NE(nullptr, hBox) << "no message box for " << strArgs;
    if (!hBox) return -1;
    EXPECT_EQ(strText, lqtest::ReadDialog(hBox).strText);
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
    lqtest::Snapshot after = lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});
    for (const std::string& strLine : lqtest::Difference(before, after))
        if (strLine.find("Wine") == std::string::npos) ADD_FAILURE() << "changed: " << strLine;
}

}  // namespace
