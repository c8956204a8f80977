// The interactive install (no switch) of the real setup program on seeded machines, driven like a user
// with uidriver. Each scenario runs on a machine of its own (see CMakeLists.txt):
//  - KoreanAllHosts: every host, Korean texts, all rows checked; Install writes the settings, installs,
//    says so, exits 0;
//  - UncheckedHostsAreSkipped: Illustrator and QuarkXPress unchecked: their files are not placed or logged;
//  - NoHostsAndCancel: exactly three rows; Cancel changes nothing and exits 1602;
//  - RunningExcelIsForceClosed: the guard names Excel, ends EXCEL.EXE (not excel.exe) and the install goes on;
//    once more on a 64-bit Windows 10 with a 64-bit EXCEL.EXE, as 64-bit Office is today;
//  - GuardCancelKeepsTheDialog: Cancel in the guard leaves the main dialog open with "Run" = 1 written and
//    nothing installed;
//  - TwoWordInstances: two force-closes;
//  - LockedDestinationRetry / LockedDestinationCancel / LockedDestinationRestart: a destination held open:
//    the three-way question, then a retry after the file was released, a retry that fails again (asked
//    again) and a cancel (1603), or the deferral;
//  - EarlierInstallation: an earlier installer's entries, files and Start-menu group are removed, exactly.
// Screenshots of every dialog land in build/win/screenshots.
#include "tests/support/dialogs.h"
#include "tests/support/expected_state.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"
#include "tests/support/programs.h"
#include "tests/support/registry.h"
#include "tests/support/screenshots.h"
#include "tests/support/setup_runs.h"
#include "tests/support/suite.h"
#include "tests/support/standin.h"
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

using lqtest::Answer;
using lqtest::AnswerDialog;
using lqtest::AnswerNextDialog;
using lqtest::CompleteShippedFolder;
using lqtest::ExpectedState;
using lqtest::IsKoreanMachine;
using lqtest::kBin;
using lqtest::kEntryKey;
using lqtest::kInstall;
using lqtest::kLog;
using lqtest::kRuntimeFiles;
using lqtest::Program;
using lqtest::ReadDialog;
using lqtest::SeenDialog;
using lqtest::WaitForDialog;

const char kIni[] = "c:\\ZmtPlugin\\Zmt.ini";
const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
const char kMainCaption[] = "Letterquarry Installation";

const std::string kPs7 = "C:\\Program Files\\Adobe\\Photoshop 7.0";
const std::string kPsCs2 = "C:\\Program Files\\Adobe\\Adobe Photoshop CS2";
const std::string kAi = "C:\\Program Files\\Adobe\\Illustrator CS";
const std::string kQxp = "C:\\QuarkXPress 6.5";

std::string Lang(const char* szKorean, const char* szEnglish) { return IsKoreanMachine() ? szKorean : szEnglish; }

// The stand-in host process, placed beside this scenario by CMakeLists.txt; the 64-bit one where the run
// names it (LQ_STANDIN).
std::string StandIn() { return lqtest::StandInSource("C:\\lqhost\\guard_standin.exe"); }

void SeedHosts() {
    lqtest::MakeFolders(kPs7 + "\\플러그-인");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0", "ApplicationPath", kPs7 + "\\");
    lqtest::MakeFolders(kPsCs2 + "\\Plug-Ins");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\9.0", "ApplicationPath", kPsCs2);
    lqtest::MakeFolders(kAi + "\\Plug-Ins");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Illustrator\\11.0", "ApplicationPath", kAi + "\\");
    lqtest::MakeFolders(kQxp + "\\XTension");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", kQxp);
}

struct Placed {
    std::string strPath, strSource;
};
// Every file of a full install on the seeded machine, in copy order, as the install joins the paths.
std::vector<Placed> AllPlaced(bool bIllustrator = true, bool bQuark = true) {
    std::vector<Placed> arr;
    for (const char* sz : kRuntimeFiles) arr.push_back({kBin + "\\" + sz, sz});
    arr.push_back({kBin + "\\ZmtAddin.dll", "ZmtAddin.dll"});
    arr.push_back({kPs7 + "\\플러그-인\\\\ZMT_P7.8bp", "ZMT_P7.8bp"});
    arr.push_back({kPsCs2 + "\\Plug-Ins\\\\ZMT_CS2.8bp", "ZMT_CS2.8bp"});
    if (bIllustrator) arr.push_back({kAi + "\\Plug-Ins\\\\zmt_i.aip", "zmt_i.aip"});
    arr.push_back({kBin + "\\MyAddIn_V11.dll", "MyAddIn_V11.dll"});
    arr.push_back({kBin + "\\MyAddIn_V12.dll", "MyAddIn_V12.dll"});
    if (bQuark) arr.push_back({kQxp + "\\XTension\\\\ZmtLetterquarry.axt", "ZmtLetterquarry.axt"});
    return arr;
}

// The main dialog of a started setup program, or null.
HWND WaitForMainDialog(const Program& program) {
    return WaitForDialog(kMainCaption, program.ProcessId(), 30000);
}

std::vector<std::string> RowTexts(HWND hMain) {
    std::vector<std::string> arr;
    for (const uidriver::ListRow& row : uidriver::ReadListView(GetDlgItem(hMain, 1000))) arr.push_back(row.strText);
    return arr;
}

// Presses Install and answers the closing message box; returns its text ("" when none came).
std::string InstallAndConfirm(HWND hMain, DWORD dwProcessId, const std::string& strShot = "") {
    AnswerDialog(hMain, Answer::ClickButton(IDOK));
    auto fnShot = [&](const SeenDialog& box) {
        if (!strShot.empty()) lqtest::Screenshot(lqtest::InMachineLanguage(strShot), box.hWnd);
    };
    return AnswerNextDialog("Letterquarry", dwProcessId, Answer::ClickButton(IDOK), 60000, fnShot).strText;
}

TEST(Interactive, KoreanAllHosts) {
    CompleteShippedFolder();
    SeedHosts();
    Program program("");
    ASSERT_TRUE(program.Started());
    HWND hMain = WaitForMainDialog(program);
    ASSERT_NE(nullptr, hMain) << "no main dialog";

    std::vector<std::string> expectedRows = {
        "Microsoft Office", Lang("포토샵 (CS2 이전버전)", "PhotoShop (CS2 Before)"), Lang("포토샵 ( CS2 )", "PhotoShop ( CS2 )"),
        Lang("일러스트레이터", "Illustrator"), Lang("코렐드로우11", "CorelDraw11"), Lang("코렐드로우12", "CorelDraw12"),
        Lang("쿽익스프레스", "Quark Express")};
    EXPECT_EQ(expectedRows, RowTexts(hMain));
    for (const uidriver::ListRow& row : uidriver::ReadListView(GetDlgItem(hMain, 1000)))
        EXPECT_TRUE(row.bChecked) << row.strText << " starts checked";
    SeenDialog main = ReadDialog(hMain);
    EXPECT_EQ(Lang("설치하기(&I)", "&Install"), main.texts[IDOK]);
    EXPECT_EQ(Lang("취소(&C)", "&Cancel"), main.texts[IDCANCEL]);
    EXPECT_EQ(Lang("레터쿼리를 설치하고자 하는 프로그램을 선택해 주세요.", ""), main.texts[1005]);  // the labels' plain texts
    EXPECT_EQ(Lang("설치를 시작하시려면 \"설치하기\"버튼을 눌러 주세요.", "Please Click install button to start installation."),
              main.texts[1004]);
    EXPECT_EQ("Letterquarry 5.981", main.texts[1003]);
    lqtest::Screenshot(lqtest::InMachineLanguage("main-dialog"), hMain);

    EXPECT_EQ(Lang("Letterquarry 프로그램을 설치 하였습니다.", "It's Installed Letterquarry program."),
              InstallAndConfirm(hMain, program.ProcessId(), "install-done"));
    EXPECT_EQ(0, program.Wait(30000));

    EXPECT_EQ("1", lqtest::IniValue(kIni, "Run"));
    EXPECT_EQ("SvrLstQuobbTessly.cfg", lqtest::IniValue(kIni, "ServerListFileName"));
    ExpectedState expected;
    std::vector<lqtest::LogRecord> arrLogged;
    for (const Placed& placed : AllPlaced()) {
        expected.FileLike(placed.strPath, kInstall + "\\" + placed.strSource);
        int r = placed.strSource == "ZmtAddin.dll" || placed.strSource.find("MyAddIn") == 0;
        int u = placed.strSource.find("MyAddIn") == 0;
        arrLogged.push_back({r, u, placed.strPath});
    }
    expected.File(kLog, lqtest::UninstallLogOf(arrLogged));
    expected.StringValue(HKEY_LOCAL_MACHINE, kEntryKey, "UninstallString",
                         "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D");
    EXPECT_MACHINE(expected);
}

TEST(Interactive, UncheckedHostsAreSkipped) {
    CompleteShippedFolder();
    SeedHosts();
    Program program("");
    HWND hMain = WaitForMainDialog(program);
    ASSERT_NE(nullptr, hMain);
    HWND hList = GetDlgItem(hMain, 1000);
    ASSERT_EQ(7u, uidriver::ReadListView(hList).size());
    EXPECT_TRUE(uidriver::SetListViewCheck(hList, 3, false)) << "Illustrator";
    EXPECT_TRUE(uidriver::SetListViewCheck(hList, 6, false)) << "QuarkXPress";
    lqtest::Screenshot(lqtest::InMachineLanguage("main-dialog-two-unchecked"), hMain);
    EXPECT_EQ(Lang("Letterquarry 프로그램을 설치 하였습니다.", "It's Installed Letterquarry program."),
              InstallAndConfirm(hMain, program.ProcessId()));
    EXPECT_EQ(0, program.Wait(30000));

    ExpectedState expected;
    for (const Placed& placed : AllPlaced(false, false)) expected.FileLike(placed.strPath, kInstall + "\\" + placed.strSource);
    expected.NoFile(kAi + "\\Plug-Ins\\zmt_i.aip").NoFile(kQxp + "\\XTension\\ZmtLetterquarry.axt");
    EXPECT_MACHINE(expected);
    std::string strLog = lqtest::ReadFileBytes(kLog);
    EXPECT_NE(std::string::npos, strLog.find("ZMT_CS2.8bp")) << strLog;
    EXPECT_EQ(std::string::npos, strLog.find("zmt_i.aip")) << strLog;
    EXPECT_EQ(std::string::npos, strLog.find("ZmtLetterquarry.axt")) << strLog;
}

TEST(Interactive, NoHostsAndCancel) {
    CompleteShippedFolder();
    // A tooltip colour of its own, so that the list's colour cannot be the window colour by chance.
    const int nElement = COLOR_INFOBK;
    const COLORREF crInfo = RGB(255, 250, 200);
    SetSysColors(1, &nElement, &crInfo);
    lqtest::Snapshot before = lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin", "C:\\Program Files"});
    Program program("");
    HWND hMain = WaitForMainDialog(program);
    ASSERT_NE(nullptr, hMain);
    std::vector<std::string> expectedRows = {"Microsoft Office", Lang("코렐드로우11", "CorelDraw11"),
                                             Lang("코렐드로우12", "CorelDraw12")};
    EXPECT_EQ(expectedRows, RowTexts(hMain));
    lqtest::Screenshot(lqtest::InMachineLanguage("main-dialog-no-hosts"), hMain);
    // Below the three rows the list shows its own background (between the grid lines): the tooltip colour.
    RECT rctList;
    GetWindowRect(GetDlgItem(hMain, 1000), &rctList);
    int nInfo = 0, nAll = 0;
    for (int y = rctList.top + (rctList.bottom - rctList.top) / 2; y < rctList.bottom - 4; ++y, ++nAll)
        if (uidriver::ScreenPixel(rctList.left + 100, y) == crInfo) ++nInfo;
    EXPECT_GT(nInfo * 4, nAll * 3) << "expected most of the empty list in COLOR_INFOBK: " << nInfo << " of " << nAll;
    AnswerDialog(hMain, Answer::ClickButton(IDCANCEL));
    EXPECT_EQ(1602, program.Wait(30000));
    lqtest::Snapshot after = lqtest::TakeSnapshot({"HKLM\\SOFTWARE", "HKCU\\Software"}, {"C:\\ZmtPlugin", "C:\\Program Files"});
    // Host discovery creates the suite's bin folder when the dialog opens; nothing else may change.
    for (const std::string& strLine : lqtest::Difference(before, after))
        if (strLine.find("Wine") == std::string::npos && strLine != "+ C:\\ZmtPlugin\\bin\\ = (folder)")
            ADD_FAILURE() << "changed: " << strLine;
    EXPECT_FALSE(lqtest::PathExists(kIni));
}

// Waits for the guard's question and returns its message (the label's text); null window: "".
std::string WaitForGuard(DWORD dwProcessId, HWND* phGuard) {
    *phGuard = WaitForDialog("Message", dwProcessId, 30000);
    return *phGuard ? ReadDialog(*phGuard).texts[1005] : "";
}

TEST(Interactive, RunningExcelIsForceClosed) {
    CompleteShippedFolder();
    SeedHosts();
    lqtest::StandInProcess excel("EXCEL.EXE", StandIn());
    lqtest::StandInProcess lowerExcel("excel.exe", StandIn());
    ASSERT_TRUE(excel.Started() && lowerExcel.Started());
    EXPECT_FALSE(excel.IsWow64()) << "on a 64-bit machine, a 64-bit EXCEL.EXE";
    Program program("");
    HWND hMain = WaitForMainDialog(program);
    ASSERT_NE(nullptr, hMain);
    AnswerDialog(hMain, Answer::ClickButton(IDOK));

    HWND hGuard = nullptr;
    std::string strMessage = WaitForGuard(program.ProcessId(), &hGuard);
    ASSERT_NE(nullptr, hGuard) << "no guard question";
    EXPECT_NE(std::string::npos, strMessage.find(Lang("현재 Excel가", "running Excel program"))) << strMessage;
    EXPECT_EQ(Lang("실행중인 프로그램 종료하기(&E)", "&Exit program without notice"), ReadDialog(hGuard).texts[IDOK]);
    lqtest::Screenshot(lqtest::InMachineLanguage("guard-excel"), hGuard);
    DWORD dwClick = GetTickCount();
    AnswerDialog(hGuard, Answer::ClickButton(IDOK));
    EXPECT_TRUE(excel.HasEnded(10000)) << "EXCEL.EXE terminated";

    HWND hBox = WaitForDialog("Letterquarry", program.ProcessId(), 60000);
    ASSERT_NE(nullptr, hBox) << "the install went on";
    EXPECT_GE(GetTickCount() - dwClick, 2000u) << "after the 2 s pause";
    AnswerDialog(hBox, Answer::ClickButton(IDOK));
    EXPECT_EQ(0, program.Wait(30000));
    EXPECT_FALSE(lowerExcel.HasEnded(0)) << "excel.exe is not a watched program";
    EXPECT_TRUE(lqtest::PathExists(kLog));
}

TEST(Interactive, GuardCancelKeepsTheDialog) {
    CompleteShippedFolder();
    SeedHosts();
    lqtest::StandInProcess word("WINWORD.EXE", StandIn());
    ASSERT_TRUE(word.Started());
    Program program("");
    HWND hMain = WaitForMainDialog(program);
    ASSERT_NE(nullptr, hMain);
    AnswerDialog(hMain, Answer::ClickButton(IDOK));
    HWND hGuard = nullptr;
    std::string strMessage = WaitForGuard(program.ProcessId(), &hGuard);
    ASSERT_NE(nullptr, hGuard);
    EXPECT_NE(std::string::npos, strMessage.find(Lang("현재 Winword가", "running Winword program"))) << strMessage;
    lqtest::Screenshot(lqtest::InMachineLanguage("guard-winword"), hGuard);
    // The question has no owner, so the main dialog still takes clicks: a second Install starts nothing.
    AnswerDialog(hMain, Answer::ClickButton(IDOK));
    Sleep(1500);
    int nQuestions = 0;
    for (const uidriver::WindowInfo& window : uidriver::TopLevelWindows(program.ProcessId()))
        if (window.strText == "Message" && window.bVisible) ++nQuestions;
    EXPECT_EQ(1, nQuestions) << "expected one guard question after a second Install click";
    AnswerDialog(hGuard, Answer::ClickButton(IDCANCEL));
    ASSERT_TRUE(uidriver::WaitForWindowGone(hGuard, 10000));

    Sleep(1000);
    EXPECT_TRUE(IsWindowVisible(hMain)) << "the main dialog stays open";
    EXPECT_FALSE(word.HasEnded(0));
    EXPECT_EQ("1", lqtest::IniValue(kIni, "Run")) << "the settings are written before the guard";
    EXPECT_FALSE(lqtest::PathExists(kLog)) << "nothing installed";
    EXPECT_FALSE(lqtest::PathExists(kBin + "\\ZmtAddin.dll")) << "nothing installed";
    AnswerDialog(hMain, Answer::ClickButton(IDCANCEL));
    EXPECT_EQ(1602, program.Wait(30000));
}

TEST(Interactive, TwoWordInstances) {
    CompleteShippedFolder();
    lqtest::StandInProcess first("WINWORD.EXE", StandIn());
    lqtest::StandInProcess second("WINWORD.EXE", StandIn());
    ASSERT_TRUE(first.Started() && second.Started());
    Program program("");
    HWND hMain = WaitForMainDialog(program);
    ASSERT_NE(nullptr, hMain);
    AnswerDialog(hMain, Answer::ClickButton(IDOK));
    for (int n = 0; n < 2; ++n) {
        HWND hGuard = nullptr;
        std::string strMessage = WaitForGuard(program.ProcessId(), &hGuard);
        ASSERT_NE(nullptr, hGuard) << "question " << n + 1;
        EXPECT_NE(std::string::npos, strMessage.find(Lang("현재 Winword가", "running Winword program"))) << strMessage;
        AnswerDialog(hGuard, Answer::ClickButton(IDOK));
        ASSERT_TRUE(uidriver::WaitForWindowGone(hGuard, 10000));
    }
    HWND hBox = WaitForDialog("Letterquarry", program.ProcessId(), 60000);
    ASSERT_NE(nullptr, hBox);
    AnswerDialog(hBox, Answer::ClickButton(IDOK));
    EXPECT_EQ(0, program.Wait(30000));
    EXPECT_TRUE(first.HasEnded(0) && second.HasEnded(0));
}

using lqtest::HeldFile;
constexpr const char* kHeldBytes = "held by a running host\r\n";

// Starts the install with Illustrator's plug-in held open and returns the failure question.
HWND FailOnHeldFile(Program& program, HeldFile& held) {
    EXPECT_TRUE(held.IsHeld());
    HWND hMain = WaitForMainDialog(program);
    EXPECT_NE(nullptr, hMain);
    if (!hMain) return nullptr;
    AnswerDialog(hMain, Answer::ClickButton(IDOK));
    HWND hQuestion = WaitForDialog("Message", program.ProcessId(), 60000);
    EXPECT_NE(nullptr, hQuestion) << "no question after the failed install";
    if (!hQuestion) return nullptr;
    lqtest::Screenshot(lqtest::InMachineLanguage("install-failed-question"), hQuestion);
    std::string strText = ReadDialog(hQuestion).texts[1005];
    EXPECT_EQ(0u, strText.find(Lang("현재 Letterquarry 프로그램이 실행중에 있어\r\n", "Now, It can't be installed or upgraded")))
        << strText;
    EXPECT_EQ(Lang("윈도우 다시시작(&R)", "&ReStart Windows"), ReadDialog(hQuestion).texts[3]);
    return hQuestion;
}

TEST(Interactive, LockedDestinationRetry) {
    CompleteShippedFolder();
    SeedHosts();
    HeldFile held(kAi + "\\Plug-Ins\\zmt_i.aip", kHeldBytes);
    Program program("");
    HWND hQuestion = FailOnHeldFile(program, held);
    ASSERT_NE(nullptr, hQuestion);
    // A failed install records the copies it made (and nothing of the file it could not place).
    const std::string strFailedLog = lqtest::ReadFileBytes(kLog);
    EXPECT_NE(std::string::npos, strFailedLog.find("ASYCFILT.DLL")) << strFailedLog;
    EXPECT_EQ(std::string::npos, strFailedLog.find("zmt_i.aip")) << strFailedLog;
    held.Release();
    AnswerDialog(hQuestion, Answer::ClickButton(IDOK));
    EXPECT_EQ(0, program.Wait(60000)) << "the retry installs and ends without a message";
    std::string strLog = lqtest::ReadFileBytes(kLog);
    EXPECT_NE(std::string::npos, strLog.find("zmt_i.aip")) << strLog;
    // The retry appends to the items of the failed attempt: the runtime files are logged twice.
    EXPECT_NE(strLog.find("ASYCFILT.DLL"), strLog.rfind("ASYCFILT.DLL")) << strLog;
}

TEST(Interactive, LockedDestinationCancel) {
    CompleteShippedFolder();
    SeedHosts();
    HeldFile held(kAi + "\\Plug-Ins\\zmt_i.aip", kHeldBytes);
    Program program("");
    HWND hQuestion = FailOnHeldFile(program, held);
    ASSERT_NE(nullptr, hQuestion);
    // Going on while the file is still held fails again, and the user is asked again.
    AnswerDialog(hQuestion, Answer::ClickButton(IDOK));
    ASSERT_TRUE(uidriver::WaitForWindowGone(hQuestion, 10000));
    hQuestion = WaitForDialog("Message", program.ProcessId(), 60000);
    ASSERT_NE(nullptr, hQuestion) << "expected the question again after a retry that failed";
    AnswerDialog(hQuestion, Answer::ClickButton(IDCANCEL));
    EXPECT_EQ(1603, program.Wait(30000));
    EXPECT_FALSE(lqtest::PathExists(kQxp + "\\XTension\\ZmtLetterquarry.axt")) << "hosts after the failure are untouched";

    // The user gave up, but the copies made are on record: the uninstall takes every one of them back.
    const std::vector<std::string> arrPlaced = lqtest::LoggedPaths(kLog);
    EXPECT_LE(11u, arrPlaced.size()) << "a failed install keeps its copies on record";
    for (const std::string& strPath : arrPlaced) EXPECT_TRUE(lqtest::PathExists(strPath)) << strPath;
    held.Release();
    EXPECT_EQ(0, lqtest::UninstallSilently());
    for (const std::string& strPath : arrPlaced) EXPECT_FALSE(lqtest::PathExists(strPath)) << strPath;
    EXPECT_EQ("held by a running host\r\n", lqtest::ReadFileBytes(kAi + "\\Plug-Ins\\zmt_i.aip")) << "never ours";
}

TEST(Interactive, LockedDestinationRestart) {
    CompleteShippedFolder();
    SeedHosts();
    HeldFile held(kAi + "\\Plug-Ins\\zmt_i.aip", kHeldBytes);
    Program program("");
    HWND hQuestion = FailOnHeldFile(program, held);
    ASSERT_NE(nullptr, hQuestion);
    AnswerDialog(hQuestion, Answer::ClickButton(3));
    EXPECT_EQ(3010, program.Wait(30000));
    ExpectedState expected;
    expected.StringValue(HKEY_CURRENT_USER, lqtest::kRunOnceKey, "ZmtSetup",
                         "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /B");
    EXPECT_MACHINE(expected);
    // The next logon runs the stored command: once the file is free it completes the install.
    ASSERT_TRUE(lqtest::WaitForRestartRequestToEnd()) << "the restart request never ended";
    held.Release();
    EXPECT_EQ(0, lqtest::RunToEnd("/B"));
    EXPECT_NE(std::string::npos, lqtest::ReadFileBytes(kLog).find("zmt_i.aip"));
}

TEST(Interactive, EarlierInstallation) {
    CompleteShippedFolder();
    SeedHosts();
    const std::string strOld = std::string(kUninstall) + "\\Letterquarry";
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strOld, "URLInfoAbout", "http://www.zmtplugin.co.kr/");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strOld, "Illustrator_Path0", "C:\\OldPlugins\\ai");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strOld, "Quark_Path0", "C:\\OldPlugins\\qxp");
    const std::string strForeign = std::string(kUninstall) + "\\Letterquarry Trial";
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strForeign, "URLInfoAbout", "http://www.example.com/");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strForeign, "PhotoShop_Path0", "C:\\OldPlugins\\ps");
    const std::string strLower = std::string(kUninstall) + "\\letterquarry old";
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strLower, "URLInfoAbout", "http://www.zmtplugin.co.kr/");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strLower, "PhotoShop_Path1", "C:\\OldPlugins\\lower");
    for (const char* szFolder : {"ai", "qxp", "ps", "lower"})
        for (const char* szFile : {"zmt_i.aip", "ZMT_P7.8bp", "ZMT_CS2.8bp", "ZmtLetterquarry.axt", "other.txt"})
            lqtest::WriteFileBytes(std::string("C:\\OldPlugins\\") + szFolder + "\\" + szFile, "old\r\n");
    lqtest::SetRegString(HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders",
                      "Programs", "C:\\OldStart\\Programs");
    lqtest::WriteFileBytes("C:\\OldStart\\Programs\\Letterquarry\\Letterquarry.lnk", "link\r\n");
    lqtest::WriteFileBytes("C:\\OldStart\\Programs\\Accessories\\Notepad.lnk", "link\r\n");

    Program program("");
    HWND hMain = WaitForMainDialog(program);
    ASSERT_NE(nullptr, hMain);
    EXPECT_NE("", InstallAndConfirm(hMain, program.ProcessId()));
    EXPECT_EQ(0, program.Wait(30000));

    ExpectedState expected;
    expected.NoKey(HKEY_LOCAL_MACHINE, strOld).Key(HKEY_LOCAL_MACHINE, strForeign).Key(HKEY_LOCAL_MACHINE, strLower);
    for (const char* szFolder : {"ai", "qxp", "ps"}) {
        std::string strFolder = std::string("C:\\OldPlugins\\") + szFolder;
        for (const char* szFile : {"zmt_i.aip", "ZMT_P7.8bp", "ZMT_CS2.8bp", "ZmtLetterquarry.axt"})
            expected.NoFile(strFolder + "\\" + szFile);
        expected.File(strFolder + "\\other.txt", "old\r\n");
    }
    for (const char* szFile : {"zmt_i.aip", "ZMT_P7.8bp", "ZMT_CS2.8bp", "ZmtLetterquarry.axt", "other.txt"})
        expected.File(std::string("C:\\OldPlugins\\lower\\") + szFile, "old\r\n");
    expected.NoFile("C:\\OldStart\\Programs\\Letterquarry\\Letterquarry.lnk");
    expected.File("C:\\OldStart\\Programs\\Accessories\\Notepad.lnk", "link\r\n");
    expected.Key(HKEY_LOCAL_MACHINE, kEntryKey);
    EXPECT_MACHINE(expected);
    EXPECT_FALSE(lqtest::PathExists("C:\\OldStart\\Programs\\Letterquarry")) << "the group folder itself is gone";
}

}  // namespace
