// The silent install "/B" of the real setup program on seeded machines:
//  - DtpMachine: a Korean Windows 7 or 10 (32-bit or 64-bit, or English XP) DTP workstation with Photoshop
//    7.0, CS, CS2 and CS3, Illustrator and QuarkXPress 6.5 full and demo: exit 0 and the whole machine state,
//    byte for byte; on 64-bit Windows the entry and the classes in the 32-bit registry view only;
//  - LockedDestination: Illustrator's plug-in held open without sharing: exit 1603, nothing after it, the
//    copies made on record, and "/D /B" takes them back;
//  - NoHosts: no host keys and a CorelDraw add-in whose registration fails: the eleven files in
//    C:\ZmtPlugin\bin, the failed one logged with R = 1;
//  - ProgressWindow: a large runtime file slows the first step so the window can be photographed;
//  - ReinstallWithoutAHost, SixAtOnce, KilledInstallsConverge, KilledUninstallConverges: the lifecycle of a
//    real PC: a second install with fewer hosts, a double click that starts several runs, power cuts;
//  - PlantedLogRecords, DiskFullKeepsTheEarlierPlugin, PlantedLinks, NetworkRecordsAndAnOversizedLog,
//    ReplacedAddinIsNeverLoaded: what the elevated program must not do: act on records another user appended
//    to the uninstall log (also ones naming hosts on the network, or millions of them), destroy a plug-in it
//    could not replace, act through a link another user planted, or load a DLL another user put in place of
//    an add-in;
//  - QuietUninstallString, QuietDefersFilesInUse: the quiet runs a deployment tool starts ("/QUIET"): no
//    window at any moment, no restart, the exit codes. DtpMachine runs once more quiet (LQ_QUIET=1).
// Each runs on a machine of its own (see CMakeLists.txt). DtpMachine and LockedDestination run once more
// with the setup log (LQ_SETUP_LOG): the machine must end the same, and the log must name what happened.
#include "tests/support/dialogs.h"
#include "tests/support/expected_state.h"
#include "tests/support/file_access.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"
#include "tests/support/programs.h"
#include "tests/support/registry.h"
#include "tests/support/screenshots.h"
#include "tests/support/setup_log_reader.h"
#include "tests/support/setup_runs.h"
#include "tests/support/suite.h"
#include "tools/uidriver/uidriver.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <functional>
#include <memory>
#include <string>
#include <vector>

namespace {

using lqtest::CompleteShippedFolder;
using lqtest::ExpectedState;
using lqtest::Is64BitMachine;
using lqtest::IsKoreanMachine;
using lqtest::IsVistaOrLater;
using lqtest::kBin;
using lqtest::kEntryKey;
using lqtest::KeyExists;
using lqtest::kInstall;
using lqtest::kLog;
using lqtest::kRuntimeFiles;
using lqtest::kV11Class;
using lqtest::kV12Class;

const std::string kPs7 = "C:\\Program Files\\Adobe\\Photoshop 7.0";
const std::string kPsCs = "C:\\Program Files\\Adobe\\Photoshop CS";
const std::string kPsCs2 = "C:\\Program Files\\Adobe\\Adobe Photoshop CS2";
const std::string kPsCs3 = "C:\\Program Files\\Adobe\\Adobe Photoshop CS3";
const std::string kAi = "C:\\Program Files\\Adobe\\Illustrator CS";
const std::string kQxp = "C:\\QuarkXPress 6.5";
const std::string kQxpDemo = "C:\\QuarkXPress 6.5 Demo";

void SeedDtpMachine() {
    lqtest::MakeFolders(kPs7 + "\\플러그-인");
    lqtest::MakeFolders(kPs7 + "\\Plug-Ins");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0", "ApplicationPath", kPs7 + "\\");
    lqtest::MakeFolders(kPsCs2 + "\\플러그인");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\9.0", "ApplicationPath", kPsCs2);
    lqtest::MakeFolders(kPsCs3 + "\\Plug-Ins");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\10.0", "ApplicationPath", kPsCs3 + "\\");
    lqtest::MakeFolders(kPsCs + "\\Plug-Ins");
    const std::string strUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\{Photoshop CS}";
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strUninstall, "DisplayVersion", "8.0");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, strUninstall, "InstallLocation", kPsCs + "\\");
    lqtest::MakeFolders(kAi + "\\Plug-Ins");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Illustrator\\11.0", "ApplicationPath", kAi + "\\");
    lqtest::MakeFolders(kQxp + "\\XTension");
    lqtest::MakeFolders(kQxpDemo + "\\XTension");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", kQxp);
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KDemoPath", kQxpDemo + "\\");
}

// Destinations in copy order, as the install joins them ("\\" where the folder ends in a backslash).
struct Copy {
    int r, u;
    std::string strPath, strSource;
};
std::vector<Copy> DtpCopies() {
    std::vector<Copy> arr;
    for (const char* sz : kRuntimeFiles) arr.push_back({0, 0, kBin + "\\" + sz, sz});
    arr.push_back({1, 0, kBin + "\\ZmtAddin.dll", "ZmtAddin.dll"});
    arr.push_back({0, 0, kPs7 + "\\플러그-인\\\\ZMT_P7.8bp", "ZMT_P7.8bp"});
    arr.push_back({0, 0, kPsCs + "\\Plug-Ins\\\\ZMT_P7.8bp", "ZMT_P7.8bp"});
    arr.push_back({0, 0, kPsCs2 + "\\플러그인\\\\ZMT_CS2.8bp", "ZMT_CS2.8bp"});
    arr.push_back({0, 0, kPsCs + "\\Plug-Ins\\\\ZMT_CS2.8bp", "ZMT_CS2.8bp"});
    arr.push_back({0, 0, kAi + "\\Plug-Ins\\\\zmt_i.aip", "zmt_i.aip"});
    arr.push_back({1, 1, kBin + "\\MyAddIn_V11.dll", "MyAddIn_V11.dll"});
    arr.push_back({1, 1, kBin + "\\MyAddIn_V12.dll", "MyAddIn_V12.dll"});
    arr.push_back({0, 0, kQxp + "\\XTension\\\\ZmtLetterquarry.axt", "ZmtLetterquarry.axt"});
    arr.push_back({0, 0, kQxpDemo + "\\XTension\\\\ZmtLetterquarry.axt", "ZmtLetterquarry.axt"});
    return arr;
}

std::string LogOf(const std::vector<Copy>& arrCopies) {
    std::vector<lqtest::LogRecord> arrRecords;
    for (const Copy& c : arrCopies) arrRecords.push_back({c.r, c.u, c.strPath});
    return lqtest::UninstallLogOf(arrRecords);
}

// Whether the file's DACL, as Wine reports it, still grants Everyone (S-1-1-0) anything: true for a
// file that got no DACL of ours (Wine maps a DACL to Unix permission bits, and the standard one grants
// nothing to the world).
bool EveryoneHasAccess(const std::string& strPath) {
    const std::string strDacl = ";" + lqtest::DaclOf(strPath);
    return strDacl == ";no DACL" || strDacl.find(";S-1-1-0:") != std::string::npos;
}

// The default place of the setup log, which a run without "/LOG" must never write.
std::string DefaultSetupLogPath() {
    char szTemp[MAX_PATH + 1] = {};
    GetTempPathA(sizeof szTemp, szTemp);
    return std::string(szTemp) + (std::string(szTemp).back() == '\\' ? "" : "\\") + "Letterquarry Setup.log";
}

// The switches of a run, and whether it is the quiet one a deployment tool starts (LQ_QUIET=1 in the
// scenario's environment): then it must show no window at any moment and ask for no restart.
bool IsQuietRun() { return GetEnvironmentVariableA("LQ_QUIET", nullptr, 0) > 0; }
int RunSetup(const std::string& strArgs) {
    if (!IsQuietRun()) return lqtest::RunToEnd(strArgs);
    const lqtest::WatchedRun run = lqtest::RunWatchingForWindows(strArgs + " /QUIET");
    EXPECT_EQ(0u, run.nWindowsSeen) << strArgs << " /QUIET showed a window";
    EXPECT_FALSE(run.bRestartAsked) << strArgs << " /QUIET asked for a restart";
    return run.nExitCode;
}

// The size in KB the entry gives for these placed files.
DWORD SizeKB(const std::vector<std::string>& arrPaths) {
    unsigned long long nBytes = 0;
    for (const std::string& strPath : arrPaths) nBytes += lqtest::ReadFileBytes(strPath).size();
    return static_cast<DWORD>((nBytes + 1023) / 1024);
}

std::vector<std::string> DtpPaths();

TEST(SilentInstall, DtpMachine) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, RunSetup("/B" + lqtest::SetupLogSwitch()));

    const std::vector<Copy> arrCopies = DtpCopies();
    ExpectedState expected;
    expected.Folder(kBin).File(kLog, LogOf(arrCopies));
    for (const Copy& c : arrCopies) expected.FileLike(c.strPath, kInstall + "\\" + c.strSource);
    // Photoshop CS3 (10.0) and the English folder beside the Korean one get nothing.
    expected.NoFile(kPsCs3 + "\\Plug-Ins\\ZMT_CS2.8bp").NoFile(kPsCs3 + "\\Plug-Ins\\ZMT_P7.8bp");
    expected.NoFile(kPs7 + "\\Plug-Ins\\ZMT_P7.8bp");
    expected.StringValue(HKEY_LOCAL_MACHINE, kEntryKey, "DisplayName",
                         IsKoreanMachine() ? "Letterquarry 제거" : "Letterquarry Delete");
    expected.StringValue(HKEY_LOCAL_MACHINE, kEntryKey, "UninstallString",
                         "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D");
    expected.Key(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, std::string(kV12Class) + "\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11\\CLSID");
    expected.Key(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn12\\CLSID");
    expected.Key(HKEY_CLASSES_ROOT, std::string(lqtest::kAddinClassKey) + "\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID");
    for (const char* szApp : {"Excel", "PowerPoint", "Word"})
        expected.Key(HKEY_CURRENT_USER, std::string("Software\\Microsoft\\Office\\") + szApp + "\\Addins\\ZmtAddin.MyAddin");
    EXPECT_MACHINE(expected);
    // What the Windows list of programs and deployment tools read, and nothing more.
    const DWORD dwSize = SizeKB(DtpPaths());
    ExpectedState entry;
    for (const auto& value : std::vector<std::pair<const char*, std::string>>{
             {"DisplayVersion", "5.9.8.1"},
             {"Publisher", "Zmt"},
             {"DisplayIcon", "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe"},
             {"InstallLocation", "c:\\ZmtPlugin\\"},
             {"QuietUninstallString", "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D /B /QUIET"}})
        entry.StringValue(HKEY_LOCAL_MACHINE, kEntryKey, value.first, value.second);
    for (const auto& value : std::vector<std::pair<const char*, DWORD>>{{"EstimatedSize", dwSize}, {"NoModify", 1}, {"NoRepair", 1}})
        entry.Value(HKEY_LOCAL_MACHINE, kEntryKey, value.first, REG_DWORD,
                    std::string(reinterpret_cast<const char*>(&value.second), sizeof(DWORD)));
    EXPECT_MACHINE(entry);
    EXPECT_EQ(8u, lqtest::RegString(HKEY_LOCAL_MACHINE, kEntryKey, "InstallDate").size()) << "yyyymmdd";
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kEntryKey, 0, KEY_READ, &hKey));
    DWORD dwValues = 0;
    RegQueryInfoKeyA(hKey, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &dwValues, nullptr, nullptr, nullptr,
                     nullptr);
    RegCloseKey(hKey);
    EXPECT_EQ(11u, dwValues);
    // Vista and later (7, 10): every copy lost Everyone's access to the standard DACL; XP: no DACL was written.
    for (const Copy& c : arrCopies)
        EXPECT_EQ(!IsVistaOrLater(), EveryoneHasAccess(c.strPath)) << c.strPath;

    // 64-bit Windows: the seeds above and everything the setup program wrote are in the 32-bit view,
    // where Windows lists 32-bit programs and where 32-bit programs find 32-bit COM classes; the 64-bit
    // view (what 64-bit programs, a 64-bit Office among them, see) has none of it.
    if (Is64BitMachine()) {
        BOOL bWow64 = FALSE;
        ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &bWow64) && bWow64) << "not a 64-bit machine";
        const std::vector<std::pair<HKEY, std::string>> arrKeys = {
            {HKEY_LOCAL_MACHINE, kEntryKey},
            {HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0"},
            {HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32"},
            {HKEY_CLASSES_ROOT, std::string(kV12Class) + "\\InprocServer32"},
            {HKEY_CLASSES_ROOT, std::string(lqtest::kAddinClassKey) + "\\InprocServer32"},
        };
        for (const auto& key : arrKeys) {
            EXPECT_TRUE(KeyExists(key.first, key.second, KEY_WOW64_32KEY)) << key.second << " in the 32-bit view";
            EXPECT_FALSE(KeyExists(key.first, key.second, KEY_WOW64_64KEY)) << key.second << " in the 64-bit view";
        }
    }

    if (lqtest::SetupLogPath().empty()) {
        EXPECT_FALSE(lqtest::PathExists(DefaultSetupLogPath())) << "no /LOG, no log";
        return;
    }
    ASSERT_TRUE(lqtest::IsWellFormedSetupLog(lqtest::SetupLogPath())) << "UTF-8 with its mark, CR LF lines";
    const std::vector<std::string> arrLines = lqtest::SetupLogLines(lqtest::SetupLogPath());
    // Start-up restricted the DLL search before anything else was loaded.
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "; DLL search: system folder only").size());
    // Every folder discovery found, and the version it skipped.
    for (const std::string& strFolder : {kPs7 + "\\플러그-인\\", kPsCs + "\\Plug-Ins\\", kPsCs2 + "\\플러그인\\",
                                         kAi + "\\Plug-Ins\\", kQxp + "\\XTension\\", kQxpDemo + "\\XTension\\"})
        EXPECT_FALSE(lqtest::LinesWith(arrLines, ": found " + strFolder + " through").empty()) << strFolder;
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "skipped vendor key HKLM\\SOFTWARE\\Adobe\\Photoshop\\10.0: version 10 is not in 4..8")
                      .size());
    // Every copy, once, in copy order.
    size_t nLast = 0;
    for (const Copy& c : arrCopies) {
        const std::string strLine = "Copied " + kInstall + "\\" + c.strSource + " -> " + c.strPath;
        size_t nAt = 0;
        while (nAt < arrLines.size() && arrLines[nAt] != strLine) ++nAt;
        ASSERT_LT(nAt, arrLines.size()) << "missing: " << strLine;
        EXPECT_GT(nAt, nLast) << "out of copy order: " << strLine;
        nLast = nAt;
    }
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Uninstall log c:\\ZmtPlugin\\install\\UnInsatll.info written: " +
                                               std::to_string(arrCopies.size()) + " record(s)")
                      .size());
    EXPECT_EQ("Exit code 0: done", arrLines.back());
}

void ExpectLockedDestinationInSetupLog();

TEST(SilentInstall, LockedDestination) {
    CompleteShippedFolder();
    SeedDtpMachine();
    const std::string strHeld = kAi + "\\Plug-Ins\\zmt_i.aip";
    lqtest::HeldFile held(strHeld, "the plug-in a running Illustrator holds");
    ASSERT_TRUE(held.IsHeld());
    const int nExit = lqtest::RunToEnd("/B" + lqtest::SetupLogSwitch());
    held.Release();
    EXPECT_EQ(1603, nExit);

    const std::vector<Copy> arrCopies = DtpCopies();
    const std::vector<Copy> arrMade(arrCopies.begin(), arrCopies.begin() + 13);
    ExpectedState expected;
    // The copies of steps 1 to 4 are on record; the program list gets no entry for a failed install.
    expected.File(kLog, LogOf(arrMade)).NoKey(HKEY_LOCAL_MACHINE, kEntryKey);
    expected.File(strHeld, "the plug-in a running Illustrator holds");
    // Steps 6 to 8 untouched.
    expected.NoFile(kBin + "\\MyAddIn_V11.dll").NoFile(kBin + "\\MyAddIn_V12.dll");
    expected.NoFile(kQxp + "\\XTension\\ZmtLetterquarry.axt").NoFile(kQxpDemo + "\\XTension\\ZmtLetterquarry.axt");
    expected.NoKey(HKEY_CLASSES_ROOT, kV11Class).NoKey(HKEY_CLASSES_ROOT, kV12Class);
    // Steps 1 to 4 stay installed.
    for (const Copy& c : arrMade) expected.FileLike(c.strPath, kInstall + "\\" + c.strSource);
    EXPECT_MACHINE(expected);
    if (!lqtest::SetupLogPath().empty()) ExpectLockedDestinationInSetupLog();

    // The uninstall takes back what the failed install placed, and only that.
    EXPECT_EQ(0, lqtest::UninstallSilently());
    for (const Copy& c : arrMade) EXPECT_FALSE(lqtest::PathExists(c.strPath)) << c.strPath;
    EXPECT_EQ("the plug-in a running Illustrator holds", lqtest::ReadFileBytes(strHeld)) << "never ours";
}

// What the log of the locked run says: the file, error 32 and its message, the copies before it, 1603.
void ExpectLockedDestinationInSetupLog() {
    const std::vector<std::string> arrLines = lqtest::SetupLogLines(lqtest::SetupLogPath());
    const std::string strFailed = "Copy failed: " + kInstall + "\\zmt_i.aip -> " + kAi + "\\Plug-Ins\\\\zmt_i.aip: error 32 (" +
                                  lqtest::SystemErrorMessage(ERROR_SHARING_VIOLATION) + ")";
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, strFailed).size()) << "expected the line: " << strFailed;
    EXPECT_EQ(13u, lqtest::LinesWith(arrLines, "Copied ").size()) << "the copies made before it";
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Install sequence stopped at step 5").size());
    EXPECT_EQ("Exit code 1603: failed", arrLines.back());
}

TEST(SilentInstall, NoHosts) {
    CompleteShippedFolder();
    lqtest::SetAddinStandinSwitch("MyAddIn_V12.dll", "FailRegister", 1);
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    std::vector<Copy> arrCopies;
    for (const char* sz : kRuntimeFiles) arrCopies.push_back({0, 0, kBin + "\\" + sz, sz});
    arrCopies.push_back({1, 0, kBin + "\\ZmtAddin.dll", "ZmtAddin.dll"});
    arrCopies.push_back({1, 1, kBin + "\\MyAddIn_V11.dll", "MyAddIn_V11.dll"});
    arrCopies.push_back({1, 1, kBin + "\\MyAddIn_V12.dll", "MyAddIn_V12.dll"});
    ExpectedState expected;
    expected.File(kLog, LogOf(arrCopies));
    for (const Copy& c : arrCopies) expected.FileLike(c.strPath, kInstall + "\\" + c.strSource);
    expected.Key(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32");
    expected.NoKey(HKEY_CLASSES_ROOT, kV12Class).NoKey(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn12");
    expected.Key(HKEY_LOCAL_MACHINE, kEntryKey);
    EXPECT_MACHINE(expected);
}

TEST(SilentInstall, ProgressWindow) {
    CompleteShippedFolder();
    SeedDtpMachine();
    // A large sixth runtime file keeps the first step busy long enough to be seen, with the file bar at 5 of 8.
    {
        HANDLE h = CreateFileA((kInstall + "\\OLEPRO32.DLL").c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, h);
        std::string strChunk(1 << 20, 'L');
        DWORD n = 0;
        for (int i = 0; i < 768; ++i) WriteFile(h, strChunk.data(), static_cast<DWORD>(strChunk.size()), &n, nullptr);
        CloseHandle(h);
    }
    lqtest::Program program("/B");
    ASSERT_TRUE(program.Started());
    // The install does not pump messages while it copies, so the window answers no message: it is found
    // by the caption the system keeps, and its texts are read with GetWindowTextA, which takes another
    // process's window text from the system too.
    HWND hWnd = lqtest::WaitForDialog("Letterquarry Setup", program.ProcessId(), 30000);
    ASSERT_NE(nullptr, hWnd) << "no setup progress window";
    // Wait until the large file is being copied, then read the stage line.
    char szDetail[256] = {};
    for (int i = 0; i < 600 && std::string(szDetail) != "OLEPRO32.DLL"; ++i) {
        Sleep(50);
        GetWindowTextA(GetDlgItem(hWnd, 1003), szDetail, sizeof szDetail);
    }
    char szStage[256] = {};
    GetWindowTextA(GetDlgItem(hWnd, 1004), szStage, sizeof szStage);
    const std::string strStage = szStage;
    lqtest::Screenshot(lqtest::InMachineLanguage("silent-install-progress"), hWnd);
    EXPECT_EQ(IsKoreanMachine() ? "기본파일 설치중...." : "Copy Basic File ....", strStage);
    EXPECT_STREQ("OLEPRO32.DLL", szDetail) << "the large file is being copied";
    EXPECT_EQ(1u, uidriver::TopLevelWindows(program.ProcessId()).size()) << "no other window";
    EXPECT_EQ(0, program.Wait(120000));
    EXPECT_TRUE(uidriver::TopLevelWindows(program.ProcessId()).empty());
}

// Every file of the DTP install, where it was placed.
std::vector<std::string> DtpPaths() {
    std::vector<std::string> arr;
    for (const Copy& c : DtpCopies()) arr.push_back(c.strPath);
    return arr;
}

void ExpectNoneOf(const std::vector<std::string>& arrPaths, const char* szWhen) {
    for (const std::string& strPath : arrPaths) EXPECT_FALSE(lqtest::PathExists(strPath)) << szWhen << ": " << strPath;
}

TEST(SilentInstall, ReinstallWithoutAHost) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    // Illustrator's key is gone (uninstalled, or another user's): the second install does not find its
    // folder, but the plug-in the first one put there stays on record.
    RegDeleteKeyA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Illustrator\\11.0");
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    std::vector<Copy> arrExpected;
    Copy illustrator{};
    for (const Copy& c : DtpCopies()) {
        if (c.strSource == "zmt_i.aip") illustrator = c;
        else arrExpected.push_back(c);
    }
    arrExpected.push_back(illustrator);  // carried over from the earlier log, after this run's records
    EXPECT_EQ(LogOf(arrExpected), lqtest::ReadFileBytes(kLog));

    EXPECT_EQ(0, lqtest::UninstallSilently());
    ExpectNoneOf(DtpPaths(), "after the uninstall");
}

TEST(SilentInstall, SixAtOnce) {
    CompleteShippedFolder();
    SeedDtpMachine();
    std::vector<std::unique_ptr<lqtest::Program>> arrRuns;
    for (int i = 0; i < 6; ++i) arrRuns.push_back(std::make_unique<lqtest::Program>("/B"));
    int nInstalled = 0;
    for (auto& pRun : arrRuns) {
        const int nExit = pRun->Wait(120000);
        EXPECT_TRUE(nExit == 0 || nExit == 1618) << "exit code " << nExit;
        nInstalled += nExit == 0;
    }
    EXPECT_LE(1, nInstalled);
    // As one install leaves the machine: every file once, the log byte for byte, the entry.
    ExpectedState expected;
    expected.File(kLog, LogOf(DtpCopies())).Key(HKEY_LOCAL_MACHINE, kEntryKey);
    for (const Copy& c : DtpCopies()) expected.FileLike(c.strPath, kInstall + "\\" + c.strSource);
    EXPECT_MACHINE(expected);
}

// Starts "/B" and kills it once fnNow() is true (polled every few milliseconds); false when the run ended
// on its own first.
bool InstallKilledWhen(const std::function<bool(DWORD)>& fnNow) {
    lqtest::Program run("/B");
    for (int i = 0; i < 200000; ++i) {
        if (run.Wait(0) != -1) return false;
        if (fnNow(run.ProcessId())) return lqtest::KillProcess(run.ProcessId());
    }
    return false;
}

// Every destination of the DTP install holds strEarlier's bytes for it: an earlier version of each file.
std::string EarlierBytes(const std::string& strPath) { return "the earlier version of " + strPath; }
void PlaceEarlierVersions() {
    for (const std::string& strPath : DtpPaths()) ASSERT_TRUE(lqtest::WriteFileBytes(strPath, EarlierBytes(strPath))) << strPath;
}

TEST(SilentInstall, KilledInstallsConverge) {
    CompleteShippedFolder();
    SeedDtpMachine();
    // A large runtime file keeps the copies busy long enough to cut into them.
    lqtest::WriteFileBytes(kInstall + "\\OLEPRO32.DLL", std::string(256 << 20, 'P'));
    const std::string strLarge = kBin + "\\OLEPRO32.DLL";
    struct {
        const char* szWhen;
        std::function<bool(DWORD)> fnNow;
    } const kills[] = {
        {"before the copies", [](DWORD) { return true; }},
        // The large file's replacement is being written beside it.
        {"during the copies", [&](DWORD) { return lqtest::ReplacementBeside(strLarge); }},
        // The entry is written after the last copy, right before the log.
        {"after the copies", [](DWORD) { return !lqtest::RegString(HKEY_LOCAL_MACHINE, kEntryKey, "UninstallString").empty(); }},
        {"while the log is written", [](DWORD) { return lqtest::ReplacementBeside(kLog); }},
    };
    // A complete install first, so that every kill meets an earlier log it must not cut.
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    for (const auto& kill : kills) {
        // Each run meets earlier versions of every file and an entry not yet written.
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kEntryKey);
        PlaceEarlierVersions();
        const bool bKilled = InstallKilledWhen(kill.fnNow);
        std::printf("install %s: %s\n", kill.szWhen, bKilled ? "killed" : "ended before the kill");
        EXPECT_TRUE(lqtest::PathExists(kLog) && lqtest::IsCompleteUninstallLog(kLog))
            << kill.szWhen << ": the old or the new log, never a cut one";
        for (const Copy& c : DtpCopies()) {
            const std::string strNow = lqtest::ReadFileBytes(c.strPath);
            EXPECT_TRUE(strNow == EarlierBytes(c.strPath) || strNow == lqtest::ReadFileBytes(kInstall + "\\" + c.strSource))
                << kill.szWhen << ": " << c.strPath << " is neither the earlier file nor the new one, whole ("
                << strNow.size() << " bytes)";
        }
    }
    // Run again to the end, then uninstall: nothing the runs placed stays, no replacement left half-written.
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    EXPECT_EQ(LogOf(DtpCopies()), lqtest::ReadFileBytes(kLog));
    for (const std::string& strPath : DtpPaths()) EXPECT_FALSE(lqtest::ReplacementBeside(strPath)) << strPath;
    EXPECT_EQ(0, lqtest::UninstallSilently());
    ExpectNoneOf(DtpPaths(), "after the uninstall");
    EXPECT_FALSE(lqtest::ReplacementBeside(kLog));
}

TEST(SilentInstall, KilledUninstallConverges) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    const std::string strLogBefore = lqtest::ReadFileBytes(kLog);
    // Photoshop holds its plug-in, so the uninstall's passes take a while: cut into them once the first
    // files are gone.
    const std::string strHeld = DtpCopies()[9].strPath;
    lqtest::HeldFile held(strHeld);
    ASSERT_TRUE(held.IsHeld());
    const std::string strFirst = DtpCopies()[0].strPath;
    EXPECT_EQ(lqtest::kKilled, lqtest::UninstallSilentlyUntil([&] { return !lqtest::PathExists(strFirst); }));
    held.Release();
    EXPECT_TRUE(lqtest::PathExists(strHeld)) << "killed half-way";
    EXPECT_EQ(strLogBefore, lqtest::ReadFileBytes(kLog)) << "the uninstall never writes the log";

    EXPECT_EQ(0, lqtest::UninstallSilently());
    ExpectNoneOf(DtpPaths(), "after the second uninstall");
    EXPECT_TRUE(lqtest::RegString(HKEY_LOCAL_MACHINE, kEntryKey, "UninstallString").empty()) << "the entry is gone";
}

// The uninstall a deployment tool runs: the entry's QuietUninstallString, on a machine without Office (whose
// three boxes the silent uninstall shows): nothing shown, exit 0, nothing of the install left.
TEST(SilentInstall, QuietUninstallString) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    const std::string strQuiet = lqtest::RegString(HKEY_LOCAL_MACHINE, kEntryKey, "QuietUninstallString");
    const std::string strExe = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe ";
    ASSERT_EQ(0u, strQuiet.find(strExe)) << strQuiet;
    const lqtest::WatchedRun run = lqtest::RunWatchingForWindows(strQuiet.substr(strExe.size()));
    EXPECT_EQ(0, run.nExitCode);
    EXPECT_EQ(0u, run.nWindowsSeen);
    EXPECT_FALSE(run.bRestartAsked);
    ExpectNoneOf(DtpPaths(), "after the quiet uninstall");
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey)) << "the entry goes with all its values";
}

// Files in use in a quiet run: the work waits for the next Windows start, which repeats "/QUIET"; exit 3010,
// and Windows is not restarted. A deferral that cannot be stored fails the run (1603).
TEST(SilentInstall, QuietDefersFilesInUse) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    const std::string strHeld = DtpCopies()[9].strPath;
    lqtest::HeldFile held(strHeld);
    ASSERT_TRUE(held.IsHeld());
    for (const std::string& strArgs : {std::string("/B"), std::string("/D /B")}) {
        const lqtest::WatchedRun run = lqtest::RunWatchingForWindows(strArgs + " /QUIET");
        EXPECT_EQ(3010, run.nExitCode) << strArgs;
        EXPECT_EQ(0u, run.nWindowsSeen) << strArgs;
        EXPECT_FALSE(run.bRestartAsked) << strArgs;
        EXPECT_EQ("c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe " + strArgs + " /QUIET", lqtest::MachineRunOnceValue())
            << "the machine's: a deployment tool's account (SYSTEM) may never log on";
        EXPECT_EQ("", lqtest::RunOnceValue()) << strArgs;
    }
    // Where the deferral cannot be stored, nothing would do the work at the next start: failed, never 3010.
    ASSERT_TRUE(lqtest::MakeKeyUnwritable(HKEY_LOCAL_MACHINE, lqtest::kRunOnceKey));
    EXPECT_EQ(1603, lqtest::RunWatchingForWindows("/B /QUIET").nExitCode) << "a deferral that could not be stored";
    held.Release();
    EXPECT_TRUE(lqtest::PathExists(strHeld));
}

// What another local user may append to the uninstall log, which lies in a folder every user may write.
std::vector<lqtest::LogRecord> PlantedRecords() {
    char szWindows[MAX_PATH] = {}, szSystem[MAX_PATH] = {};
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    GetSystemDirectoryA(szSystem, MAX_PATH);
    return {
        {0, 0, std::string(szWindows) + "\\win.ini"},                              // a system file
        {1, 1, std::string(szSystem) + "\\OLEAUT32.DLL"},                          // a suite file name in a system folder
        {0, 0, kBin + "\\..\\..\\" + (szWindows + 3) + "\\system.ini"},            // traversal out of the suite's folder
        {1, 1, "C:\\users\\Public\\evil.dll"},                                 // a DLL to unregister, from a foreign folder
        {1, 1, "C:\\users\\Public\\MyAddIn_V11.dll"},                          // a suite add-in name, in a foreign folder
        {0, 0, std::string(szWindows) + "\\zmt_i.aip"},                           // a host plug-in name, in the Windows folder
    };
}

// Appends the planted records to the log as a section of their own, and places their targets: probe DLLs
// that note every load, and a plug-in name in the Windows folder. Returns every target's bytes.
std::vector<std::string> PlantRecords() {
    EXPECT_TRUE(lqtest::WriteFileBytes(kLog, lqtest::ReadFileBytes(kLog) + lqtest::UninstallLogOf(PlantedRecords())));
    for (const char* szProbe : {"C:\\users\\Public\\evil.dll", "C:\\users\\Public\\MyAddIn_V11.dll"})
        EXPECT_TRUE(CopyFileA("C:\\probe\\unregister_probe.dll", szProbe, FALSE)) << szProbe;
    EXPECT_TRUE(lqtest::WriteFileBytes(PlantedRecords().back().strPath, "not the suite's"));
    std::vector<std::string> arrBytes;
    for (const lqtest::LogRecord& p : PlantedRecords()) {
        arrBytes.push_back(lqtest::ReadFileBytes(p.strPath));
        EXPECT_FALSE(arrBytes.back().empty()) << "planted target missing: " << p.strPath;
    }
    return arrBytes;
}

TEST(SilentInstall, PlantedLogRecords) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, lqtest::RunToEnd("/B" + lqtest::SetupLogSwitch()));
    PlantRecords();
    // A reinstall carries none of them into its log.
    ASSERT_EQ(0, lqtest::RunToEnd("/B" + lqtest::SetupLogSwitch()));
    EXPECT_EQ(LogOf(DtpCopies()), lqtest::ReadFileBytes(kLog)) << "the install's own records, nothing planted";

    // Planted again: the uninstall removes what the install placed and nothing else, and loads no planted DLL.
    const std::vector<std::string> arrBefore = PlantRecords();
    EXPECT_EQ(0, lqtest::UninstallSilently(lqtest::SetupLogSwitch()));
    ExpectNoneOf(DtpPaths(), "after the uninstall");
    const std::vector<lqtest::LogRecord> arrPlanted = PlantedRecords();
    for (size_t i = 0; i < arrPlanted.size(); ++i)
        EXPECT_TRUE(arrBefore[i] == lqtest::ReadFileBytes(arrPlanted[i].strPath)) << "touched: " << arrPlanted[i].strPath;
    EXPECT_EQ("", lqtest::ReadFileBytes("C:\\probe\\loads.log")) << "a planted DLL was loaded";

    if (lqtest::SetupLogPath().empty()) return;
    // One line per planted record and run (the reinstall's merge, the uninstall), naming it and why.
    const std::vector<std::string> arrLines = lqtest::SetupLogLines(lqtest::SetupLogPath());
    for (const lqtest::LogRecord& p : arrPlanted)
        EXPECT_EQ(2u, lqtest::LinesWith(arrLines, "Uninstall log record refused, nothing is done with it: " + p.strPath + ": ").size())
            << p.strPath;
}

// QuarkXPress on a nearly full volume holds an earlier XTension: the install cannot write the new one and
// fails, but the earlier one stays whole and no half-written file is left beside it.
TEST(SilentInstall, DiskFullKeepsTheEarlierPlugin) {
    CompleteShippedFolder();
    const std::string strQuark = "F:\\QuarkXPress 6.5";
    ASSERT_TRUE(lqtest::MakeFolders(strQuark + "\\XTension")) << "no small volume F:";
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", strQuark);
    const std::string strPlugin = strQuark + "\\XTension\\ZmtLetterquarry.axt";
    const std::string strEarlier(40 << 10, 'E');
    ASSERT_TRUE(lqtest::WriteFileBytes(strPlugin, strEarlier));
    // Fill the volume, then free less than the new XTension needs.
    const std::string strNew = lqtest::ReadFileBytes(kInstall + "\\ZmtLetterquarry.axt");
    ASSERT_GT(strNew.size(), 64u << 10);
    {
        HANDLE hFill = CreateFileA("F:\\filler", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, hFill);
        const std::string strChunk(4096, 'f');
        DWORD nWritten = 0;
        while (WriteFile(hFill, strChunk.data(), static_cast<DWORD>(strChunk.size()), &nWritten, nullptr) && nWritten) {
        }
        LARGE_INTEGER size{};
        GetFileSizeEx(hFill, &size);
        size.QuadPart -= 32 << 10;
        SetFilePointerEx(hFill, size, nullptr, FILE_BEGIN);
        SetEndOfFile(hFill);
        CloseHandle(hFill);
    }

    EXPECT_EQ(1603, lqtest::RunToEnd("/B" + lqtest::SetupLogSwitch()));
    EXPECT_TRUE(strEarlier == lqtest::ReadFileBytes(strPlugin)) << "the earlier XTension, byte for byte";
    EXPECT_FALSE(lqtest::ReplacementBeside(strPlugin)) << "no half-written replacement";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey)) << "a failed install writes no entry";
    if (lqtest::SetupLogPath().empty()) return;
    const std::vector<std::string> arrLines = lqtest::SetupLogLines(lqtest::SetupLogPath());
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Copy failed: " + kInstall + "\\ZmtLetterquarry.axt -> " + strQuark +
                                                  "\\XTension\\\\ZmtLetterquarry.axt: error 112 (" +
                                                  lqtest::SystemErrorMessage(ERROR_DISK_FULL) + ")")
                      .size());
}

// Everything under C:\outside, as bytes and as the access list Wine reports: what a run through a link would
// write, delete or re-permission.
std::string OutsideState() {
    std::string strState;
    for (const char* szFile : {"settings.ini", "setup.log", "plug-ins\\zmt_i.aip", "folder\\kept.txt"}) {
        const std::string strPath = std::string("C:\\outside\\") + szFile;
        strState += strPath + "=" + lqtest::ReadFileBytes(strPath) + " " + lqtest::DaclOf(strPath) + "\n";
    }
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA("C:\\outside\\*", &data);
    for (BOOL b = hFind != INVALID_HANDLE_VALUE; b; b = FindNextFileA(hFind, &data)) strState += std::string(data.cFileName) + ";";
    if (hFind != INVALID_HANDLE_VALUE) FindClose(hFind);
    return strState;
}

// Links another local user may plant where the suite lives, and the quiet run that then meets each.
TEST(SilentInstall, PlantedLinks) {
    CompleteShippedFolder();
    SeedDtpMachine();
    for (const char* szFile : {"settings.ini", "setup.log", "plug-ins\\zmt_i.aip", "folder\\kept.txt"})
        ASSERT_TRUE(lqtest::WriteFileBytes(std::string("C:\\outside\\") + szFile, "outside the suite"));
    const struct {
        const char* szWhat;
        std::string strLink, strTarget, strArgs;
    } cases[] = {
        {"a temporary name", kBin + "\\ZmtAddin.dll.new", "C:\\outside\\folder", "/B /QUIET"},
        {"the setup log", "C:\\Windows\\Temp\\lq.log", "C:\\outside\\setup.log", "/B /QUIET /LOG=C:\\Windows\\Temp\\lq.log"},
        {"the settings file", "c:\\ZmtPlugin\\Zmt.ini", "C:\\outside\\settings.ini", "/D /B /QUIET"},
        // Last: from now on no install may copy into that folder.
        {"a folder on a record's path", kAi + "\\Plug-Ins", "C:\\outside\\plug-ins", "/D /B /QUIET"},
    };
    for (const auto& c : cases) {
        ASSERT_EQ(0, lqtest::RunToEnd("/B /QUIET")) << c.szWhat;
        // What stood at the link's name goes aside: a folder with the install's plug-in in it, or a file.
        MoveFileA(c.strLink.c_str(), (c.strLink + ".aside").c_str());
        ASSERT_TRUE(lqtest::MakeSymbolicLink(c.strLink, c.strTarget)) << c.szWhat;
        const std::string strBefore = OutsideState();
        EXPECT_EQ(0, lqtest::RunToEnd(c.strArgs)) << c.szWhat << ": done, without it; never deferred for it";
        EXPECT_EQ(strBefore, OutsideState()) << c.szWhat << ": nothing outside the suite written, deleted or re-permissioned";
    }
    ExpectNoneOf({kBin + "\\MyAddIn_V11.dll", kQxp + "\\XTension\\ZmtLetterquarry.axt"}, "after the last uninstall");
}

// Records that name hosts on the network are refused before anything opens them; a log far larger than any
// install writes is not read at all, at once: the uninstall ends as it does without a log.
TEST(SilentInstall, NetworkRecordsAndAnOversizedLog) {
    CompleteShippedFolder();
    SeedDtpMachine();
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    const std::vector<lqtest::LogRecord> arrNetwork = {{0, 0, "\\\\localhost\\C$\\windows\\ZMT_P7.8bp"},
                                                       {0, 0, "//127.0.0.1/c$/windows/zmt_i.aip"},
                                                       {1, 1, "\\\\?\\UNC\\localhost\\c$\\ZmtPlugin\\bin\\MyAddIn_V11.dll"}};
    ASSERT_TRUE(lqtest::WriteFileBytes(kLog, lqtest::ReadFileBytes(kLog) + lqtest::UninstallLogOf(arrNetwork)));
    EXPECT_EQ(0, lqtest::RunToEnd("/D /B /QUIET" + lqtest::SetupLogSwitch()));
    ExpectNoneOf(DtpPaths(), "after the uninstall");

    // About 30 MB: 600,000 records.
    std::string strHuge = "[UnInstall][E]\r\r\n";
    const std::string strRecord = "[R:1][E],[U:1][E],[F:" + kBin + "\\MyAddIn_V11.dll][E]\r\r\n";
    for (int i = 0; i < 600000; ++i) strHuge += strRecord;
    ASSERT_TRUE(lqtest::WriteFileBytes(kLog, strHuge));
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, kEntryKey, "DisplayName", "kept");
    const DWORD dwStart = GetTickCount();
    EXPECT_EQ(1603, lqtest::RunToEnd("/D /B /QUIET" + lqtest::SetupLogSwitch())) << "as without a log";
    EXPECT_LT(GetTickCount() - dwStart, 10000u) << "within seconds";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey)) << "nothing removed";

    if (lqtest::SetupLogPath().empty()) return;
    const std::vector<std::string> arrLines = lqtest::SetupLogLines(lqtest::SetupLogPath());
    for (const lqtest::LogRecord& r : arrNetwork)
        EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Uninstall log record refused, nothing is done with it: " + r.strPath +
                                                      ": a network path")
                          .size())
            << r.strPath;
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "it is larger than any install writes; not read").size());
}

// Another user put a DLL of their own in place of an installed add-in: the elevated uninstall never loads it
// (the probe notes every load), and still takes the suite's registration away, with the shipped copy.
TEST(SilentInstall, ReplacedAddinIsNeverLoaded) {
    CompleteShippedFolder();
    ASSERT_EQ(0, lqtest::RunToEnd("/B"));
    ASSERT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kV11Class));
    ASSERT_TRUE(CopyFileA("C:\\probe\\unregister_probe.dll", (kBin + "\\MyAddIn_V11.dll").c_str(), FALSE));
    EXPECT_EQ(0, lqtest::RunToEnd("/D /B /QUIET" + lqtest::SetupLogSwitch()));
    EXPECT_EQ("", lqtest::ReadFileBytes("C:\\probe\\loads.log")) << "the replaced add-in was loaded";
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class)) << "the suite's registration is removed all the same";
    EXPECT_FALSE(lqtest::PathExists(kBin + "\\MyAddIn_V11.dll"));
    if (lqtest::SetupLogPath().empty()) return;
    EXPECT_EQ(1u, lqtest::LinesWith(lqtest::SetupLogLines(lqtest::SetupLogPath()),
                                    "Unregistration of " + kBin + "\\MyAddIn_V11.dll: not loaded, it is not the shipped copy")
                      .size());
}

}  // namespace
