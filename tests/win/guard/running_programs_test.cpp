// Process detection and termination of the running-program guard, against real processes of a fresh
// Windows machine: the stand-in program runs under host program names. The 64-bit machine's run starts
// the 64-bit stand-in (LQ_STANDIN), so every process here is a 64-bit one there, as 64-bit Office is.
// Covered: prefix, case-sensitive detection on the executable name; termination of what detection
// finds, by the same rule, one process per call, whatever the process's bitness; a process that allows
// termination but not all access; the own-session filter, with processes of other sessions shown to the
// guard through its snapshot (Wine has one session).
// Not here: the dialog and the guard's passes (program_guard_test.cpp), apart from a guard that cannot
// show its dialog.
#include "setup/dialogs/dialog_front_end.h"
#include "setup/guard/program_guard.h"
#include "setup/guard/running_programs.h"
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

TEST(KillProgram, EndsWhatDetectionFindsByTheSameRule) {
    struct Case {
        const char* szProcess;
        const char* szName;
        bool bFound;
    } cases[] = {
        {"EXCEL.EXE", "EXCEL.EXE", true},       {"EXCEL.EXE", "EXCEL", true},
        {"EXCEL.EXE.stub", "EXCEL.EXE", true},  // no module of that exact name: found, so ended too
        {"excel.exe", "EXCEL.EXE", false},      {"EXCEL.EXE", "Excel.exe", false},
        {"EXCEL.EXE", "EXCEL.EXEX", false},
    };
    for (const Case& c : cases) {
        StandInProcess process(c.szProcess);
        ASSERT_TRUE(process.Started()) << c.szProcess;
        // On the 64-bit machine a 64-bit process, whose modules this 32-bit program cannot list.
        ASSERT_FALSE(process.IsWow64()) << "the 64-bit machine's run must start the 64-bit stand-in (LQ_STANDIN)";
        // Wine has one session: every process is in this one, so only the filter's letting through of the
        // own session shows here; another user's session cannot be made on this machine.
        DWORD dwOwn = 1, dwTheirs = 2;
        ASSERT_TRUE(ProcessIdToSessionId(GetCurrentProcessId(), &dwOwn) &&
                    ProcessIdToSessionId(process.ProcessId(), &dwTheirs));
        ASSERT_EQ(dwOwn, dwTheirs) << "the stand-in runs in this session";
        EXPECT_EQ(c.bFound, IsProgramRunning(c.szName)) << c.szName << " with " << c.szProcess << " running";
        EXPECT_TRUE(KillProgram(c.szName));
        EXPECT_EQ(c.bFound, process.HasEnded(c.bFound ? 5000 : 300))
            << c.szName << " with " << c.szProcess << " running: expected " << (c.bFound ? "ended" : "left alone");
    }
}

// Another signed-in user's programs, and one whose session cannot be read: neither found nor ended.
TEST(KillProgram, LeavesProgramsOfOtherSessionsAlone) {
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    static DWORD s_dwTheirs;
    s_dwTheirs = excel.ProcessId();
    for (const ProcessSnapshot pfnSnapshot :
         {ProcessSnapshot([](std::vector<RunningProcess>& arr) {
              for (RunningProcess& p : arr) p.dwSessionId += p.dwProcessId == s_dwTheirs ? 1 : 0;
              return true;
          }),
          ProcessSnapshot([](std::vector<RunningProcess>& arr) {
              for (RunningProcess& p : arr) p.bSessionKnown = p.bSessionKnown && p.dwProcessId != s_dwTheirs;
              return true;
          })}) {
        static ProcessSnapshot s_pfnChange;
        s_pfnChange = pfnSnapshot;
        SetProcessSnapshot([](std::vector<RunningProcess>& arr) { return TakeProcessSnapshot(arr) && s_pfnChange(arr); });
        EXPECT_FALSE(IsProgramRunning("EXCEL.EXE")) << "another session's Excel is not seen";
        EXPECT_TRUE(KillProgram("EXCEL.EXE"));
        EXPECT_FALSE(excel.HasEnded(300)) << "another session's Excel is not ended";
    }
    SetProcessSnapshot(nullptr);
    EXPECT_TRUE(IsProgramRunning("EXCEL.EXE")) << "in this session it is";
}

TEST(KillProgram, NeedsOnlyTheRightToTerminate) {
    // A program that guards itself against code injection: no one may write its memory or start threads
    // in it. All access is refused as a whole, termination is still allowed.
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    ASSERT_TRUE(excel.DenyAccess(PROCESS_VM_WRITE | PROCESS_CREATE_THREAD));
    HANDLE hAll = OpenProcess(0x1F0FFF, FALSE, excel.ProcessId());
    EXPECT_EQ(nullptr, hAll) << "all access is refused";
    if (hAll) CloseHandle(hAll);
    EXPECT_TRUE(KillProgram("EXCEL.EXE"));
    EXPECT_TRUE(excel.HasEnded(5000)) << "ended with the right to terminate alone";
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
