// Process detection and termination of the running-program guard, against real processes of a fresh
// Windows machine: the stand-in program runs under host program names.
// Covered: prefix, case-sensitive detection on the executable name; exact, case-sensitive termination on
// module names, one process per call; processes whose modules cannot be listed.
// Not here: the dialog and the guard's passes (program_guard_test.cpp), apart from a guard that cannot
// show its dialog.
#include "setup/dialogs/dialog_front_end.h"
#include "setup/guard/program_guard.h"
#include "tests/support/standin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

using lqtest::StandInProcess;

namespace {

TEST(IsProgramRunning, MatchesAPrefixOfTheExecutableNameCaseSensitively) {
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    struct Case {
        const char* szName;
        bool bExpected;
    } cases[] = {
        {"EXCEL.EXE", true},  {"EXCEL", true},       {"E", true},          {"excel.exe", false},
        {"Excel.exe", false}, {"XCEL.EXE", false},   {"EXCEL.EXE ", false}, {"EXCEL.EXEX", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bExpected, IsProgramRunning(c.szName)) << "name \"" << c.szName << "\" with EXCEL.EXE running";
}

TEST(IsProgramRunning, DoesNotSeeALowerCaseExcel) {
    StandInProcess excel("excel.exe");
    ASSERT_TRUE(excel.Started());
    EXPECT_FALSE(IsProgramRunning("EXCEL.EXE")) << "expected: not running; the only process is excel.exe";
    EXPECT_TRUE(IsProgramRunning("excel.exe")) << "expected: the lower-case name itself is found";
}

TEST(IsProgramRunning, TellsTheTwoCorelDrawSpellingsApart) {
    StandInProcess corel("CorelDRW.exe");
    ASSERT_TRUE(corel.Started());
    EXPECT_FALSE(IsProgramRunning(WatchedPrograms[0].szExeName)) << WatchedPrograms[0].szExeName;
    EXPECT_TRUE(IsProgramRunning(WatchedPrograms[1].szExeName)) << WatchedPrograms[1].szExeName;
}

TEST(ProcessHasModule, MatchesTheModuleNameExactly) {
    StandInProcess word("WINWORD.EXE");
    ASSERT_TRUE(word.Started());
    struct Case {
        const char* szName;
        bool bExpected;
    } cases[] = {
        {"WINWORD.EXE", true}, {"WINWORD", false}, {"winword.exe", false}, {"WINWORD.EXE.", false}, {"", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(c.bExpected, ProcessHasModule(word.ProcessId(), c.szName)) << "module \"" << c.szName << "\"";
}

TEST(ProcessHasModule, IsFalseForAProcessThatDoesNotExist) {
    // Process ids are multiples of 4; this one is never handed out.
    EXPECT_FALSE(ProcessHasModule(0xFFFFFFF1ul, "WINWORD.EXE"));
}

TEST(KillProgram, EndsOneProcessPerCall) {
    StandInProcess first("WINWORD.EXE");
    StandInProcess second("WINWORD.EXE");
    ASSERT_TRUE(first.Started() && second.Started());

    EXPECT_TRUE(KillProgram("WINWORD.EXE"));
    bool bFirstEnded = first.HasEnded(5000);
    bool bSecondEnded = second.HasEnded(500);
    EXPECT_EQ(1, int(bFirstEnded) + int(bSecondEnded))
        << "expected exactly one of two WINWORD.EXE ended; first " << bFirstEnded << ", second " << bSecondEnded;
    EXPECT_TRUE(IsProgramRunning("WINWORD.EXE")) << "the other instance still runs";

    EXPECT_TRUE(KillProgram("WINWORD.EXE"));
    EXPECT_TRUE(first.HasEnded(5000)) << "second call ends the other one";
    EXPECT_TRUE(second.HasEnded(5000)) << "second call ends the other one";
}

TEST(KillProgram, LeavesProcessesAloneThatOnlyMatchByPrefixOrCase) {
    StandInProcess upper("EXCEL.EXE");
    StandInProcess lower("excel.exe");
    ASSERT_TRUE(upper.Started() && lower.Started());

    EXPECT_TRUE(KillProgram("EXCEL")) << "true although nothing matched";
    EXPECT_TRUE(KillProgram("Excel.exe"));
    EXPECT_FALSE(upper.HasEnded(1000)) << "a prefix of the module name is no match";
    EXPECT_FALSE(lower.HasEnded(0)) << "another case is no match";

    EXPECT_TRUE(KillProgram("EXCEL.EXE"));
    EXPECT_TRUE(upper.HasEnded(5000)) << "exact module name ends it";
    EXPECT_FALSE(lower.HasEnded(500)) << "excel.exe has no module named EXCEL.EXE";
}

TEST(PromptCloseProgram, GivesUpWhenItCannotAsk) {
    // This test binary has no dialog resources, so the question cannot be shown.
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    DialogFrontEnd frontEnd;
    DWORD dwStart = GetTickCount();
    EXPECT_FALSE(PromptCloseProgram("EXCEL.EXE", "Excel", frontEnd)) << "expected: treated as a cancel";
    EXPECT_LT(GetTickCount() - dwStart, 2000u) << "no force-close, no pause";
    EXPECT_FALSE(excel.HasEnded(0));
    EXPECT_TRUE(PromptCloseProgram("WINWORD.EXE", "Winword", frontEnd)) << "nothing to ask about: true";
}

TEST(KillProgram, ReportsSuccessWhenNothingRuns) {
    EXPECT_TRUE(KillProgram("POWERPNT.EXE")) << "false is kept for a failed snapshot only";
}

}  // namespace
