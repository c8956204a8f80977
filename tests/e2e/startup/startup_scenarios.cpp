// Start-up on a fresh machine, Korean and English: the upgrade switch shows one message and nothing
// else, whatever else stands on the command line, and touches nothing; while one run is in progress, a
// second start of any mode that changes the machine changes nothing and exits 1618.
#include "tests/support/machine.h"
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>

namespace {

using e2e::Program;

// Runs the setup program with strArgs, expects exactly one message box with the default caption and
// strText, presses OK and returns the exit code.
int RunExpectingOneMessage(const std::string& strArgs, const std::string& strText, const std::string& strShot) {
    Program program(strArgs);
    EXPECT_TRUE(program.Started());
    HWND hBox = uidriver::WaitForWindow("ZmtUpGrade_Letterquarry", "#32770", 20000, program.ProcessId());
    EXPECT_NE(nullptr, hBox) << "no message box for " << strArgs;
    if (!hBox) return -1;
    EXPECT_EQ(strText, uidriver::MessageBoxText(hBox));
    auto windows = uidriver::TopLevelWindows(program.ProcessId());
    EXPECT_EQ(1u, windows.size()) << "exactly one window for " << strArgs;
    e2e::Screenshot(strShot);
    uidriver::ClickButton(hBox, IDOK);
    return program.Wait(20000);
}

TEST(Startup, UpgradeSwitchShowsOnlyItsMessage) {
    e2e::Snapshot before = e2e::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});
    const char* locale = getenv("LQ_LOCALE");
    std::string strSuffix = locale && std::string(locale) == "ko" ? "korean" : "english";
    EXPECT_EQ(0, RunExpectingOneMessage("/U", "_DEF_PROCESS_UPGRADE", "startup-upgrade-" + strSuffix));
    EXPECT_EQ(0, RunExpectingOneMessage("/B /U", "_DEF_PROCESS_UPGRADE", "startup-silent-upgrade-" + strSuffix));
    EXPECT_EQ(0, RunExpectingOneMessage("/d /u", "_DEF_PROCESS_UPGRADE", "startup-upgrade-last-wins-" + strSuffix));
    e2e::Snapshot after = e2e::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});
    for (const std::string& strLine : e2e::Difference(before, after))
        if (strLine.find("Wine") == std::string::npos) ADD_FAILURE() << "changed: " << strLine;
}

TEST(Startup, ASecondRunWhileOneIsInProgressChangesNothing) {
    const char* locale = getenv("LQ_LOCALE");
    const bool bKorean = locale && std::string(locale) == "ko";
    const std::string strSuffix = bKorean ? "korean" : "english";
    // The first run: the install dialog waits for the user.
    Program first("");
    ASSERT_NE(nullptr, uidriver::WaitForWindow("Letterquarry Installation", "#32770", 30000, first.ProcessId()));
    const e2e::Snapshot before = e2e::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});

    const std::string strRefused = bKorean ? "Letterquarry 설치 프로그램이 이미 실행 중입니다." : "Letterquarry setup is already running.";
    EXPECT_EQ(1618, RunExpectingOneMessage("", strRefused, "startup-second-run-" + strSuffix));
    EXPECT_EQ(1618, RunExpectingOneMessage("/D", strRefused, "startup-second-uninstall-" + strSuffix));
    for (const char* szSilent : {"/B", "/D /B"}) {
        Program second(szSilent);
        EXPECT_EQ(1618, second.Wait(20000)) << szSilent;
        EXPECT_TRUE(uidriver::TopLevelWindows(second.ProcessId()).empty()) << szSilent << ": no window";
    }
    EXPECT_EQ(0, RunExpectingOneMessage("/U", "_DEF_PROCESS_UPGRADE", "startup-upgrade-during-a-run-" + strSuffix))
        << "the upgrade message changes nothing and needs no lock";
    const e2e::Snapshot after = e2e::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin"});
    for (const std::string& strLine : e2e::Difference(before, after))
        if (strLine.find("Wine") == std::string::npos) ADD_FAILURE() << "changed: " << strLine;

    // Once the first run has ended, the next start runs normally.
    HWND hMain = uidriver::WaitForWindow("Letterquarry Installation", "#32770", 5000, first.ProcessId());
    ASSERT_NE(nullptr, hMain);
    uidriver::ClickButton(hMain, IDCANCEL);
    EXPECT_EQ(1602, first.Wait(20000));
    Program next("");
    HWND hNext = uidriver::WaitForWindow("Letterquarry Installation", "#32770", 30000, next.ProcessId());
    ASSERT_NE(nullptr, hNext) << "the lock went with the first run";
    uidriver::ClickButton(hNext, IDCANCEL);
    EXPECT_EQ(1602, next.Wait(20000));
}

}  // namespace
