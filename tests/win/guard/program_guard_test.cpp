// The running-program guard against stand-in processes named like host programs, driven through the
// recording front end.
// Covered: no question when nothing runs; force-close with the 2000 ms pause; a cancel ending the guard at
// once; a program that the force-close cannot end being asked about again; the table's display names.
// The question's dialog (its texts, its ways out): tests/win/dialogs. Two instances of one program:
// tests/e2e/install.
#include "setup/guard/program_guard.h"
#include "tests/support/recording_front_end.h"
#include "tests/support/standin.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

using lqtest::RecordingFrontEnd;
using lqtest::StandInProcess;

namespace {

using Names = std::vector<std::string>;

TEST(ProgramGuard, NothingRunningMeansNoQuestion) {
    RecordingFrontEnd frontEnd;
    EXPECT_TRUE(CheckRunningPrograms(frontEnd));
    EXPECT_EQ(Names{}, frontEnd.arrProgramsAskedAbout);
}

TEST(ProgramGuard, ForceCloseEndsExcelAndGoesOnAfterThePause) {
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    RecordingFrontEnd frontEnd;
    frontEnd.arrCloseAnswers = {RunningProgramAnswer::ForceClose};
    DWORD dwAsked = 0;
    frontEnd.fnWhileShown = [&dwAsked] { dwAsked = GetTickCount(); };
    EXPECT_TRUE(CheckRunningPrograms(frontEnd));
    const DWORD dwDone = GetTickCount();
    EXPECT_EQ(Names{"Excel"}, frontEnd.arrProgramsAskedAbout) << "one question, for Excel only";
    EXPECT_TRUE(excel.HasEnded(0)) << "EXCEL.EXE was terminated";
    EXPECT_GE(dwDone - dwAsked, 2000u) << "the guard pauses 2000 ms after a force-close";
}

TEST(ProgramGuard, CancelEndsTheGuardAtOnceWithoutTestingLaterRows) {
    StandInProcess powerpoint("POWERPNT.EXE");
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(powerpoint.Started() && excel.Started());
    RecordingFrontEnd frontEnd;  // an empty script: cancel
    EXPECT_FALSE(CheckRunningPrograms(frontEnd));
    EXPECT_EQ(Names{"PowerPoint"}, frontEnd.arrProgramsAskedAbout) << "Excel is never asked about";
    EXPECT_FALSE(powerpoint.HasEnded(0) || excel.HasEnded(0)) << "nothing was terminated";
}

TEST(ProgramGuard, AProgramTheForceCloseCannotEndIsAskedAboutAgain) {
    // An Excel that may not be terminated: the force-close ends nothing, and the guard asks again after
    // each pause until the user cancels.
    StandInProcess excel("EXCEL.EXE");
    ASSERT_TRUE(excel.Started());
    ASSERT_TRUE(excel.DenyAccess(PROCESS_TERMINATE));
    RecordingFrontEnd frontEnd;
    frontEnd.arrCloseAnswers = {RunningProgramAnswer::ForceClose, RunningProgramAnswer::ForceClose};
    std::vector<DWORD> arrAsked;
    frontEnd.fnWhileShown = [&arrAsked] { arrAsked.push_back(GetTickCount()); };
    EXPECT_FALSE(PromptCloseProgram("EXCEL.EXE", "Excel", frontEnd));
    ASSERT_EQ(3u, arrAsked.size()) << "asked again after each of two force-closes, then cancelled";
    EXPECT_GE(arrAsked[1] - arrAsked[0], 2000u);
    EXPECT_GE(arrAsked[2] - arrAsked[1], 2000u);
    EXPECT_FALSE(excel.HasEnded(0));
}

TEST(ProgramGuard, EachCorelDrawSpellingIsAskedAboutUnderItsDisplayName) {
    StandInProcess corel("CorelDrw.exe");
    ASSERT_TRUE(corel.Started());
    RecordingFrontEnd frontEnd;
    EXPECT_FALSE(CheckRunningPrograms(frontEnd));
    EXPECT_EQ(Names{"CorelDraw"}, frontEnd.arrProgramsAskedAbout);
}

}  // namespace
