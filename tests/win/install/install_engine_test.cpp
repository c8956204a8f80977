// The install engine on a fresh machine with the shipped folder at C:\ZmtPlugin\install: COM
// self-registration against the stand-in add-ins, file placement with access rights, the uninstall
// entry, RunOnce, and whole install sequences (success, a locked destination, a failing registration)
// driven into the real setup progress window. Runs on a Korean Windows 7 machine and an English
// Windows XP machine; the expectations that differ read LQ_LOCALE and LQ_WINVER.
// Not covered: RestartWindows (under Wine it ends the machine's session).
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/system/com_registration.h"
#include "setup/install/file_placement.h"
#include "setup/install/install_sequence.h"
#include "setup/system/restart.h"
#include "setup/record/uninstall_log.h"
#include "setup/record/uninstall_record.h"
#include "setup/core/country.h"
#include "tests/support/file_access.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <olectl.h>

#include <string>

namespace {

using lqtest::DaclOf;
using lqtest::DescribeAcl;
using lqtest::KeyExists;
using lqtest::MakeFolders;
using lqtest::PathExists;
using lqtest::ReadFileBytes;
using lqtest::ValueBytes;
using lqtest::WriteFileBytes;

using lqtest::kBin;
using lqtest::kInstall;
using lqtest::kRuntimeFiles;
using lqtest::kV11Class;
using lqtest::kV12Class;

using lqtest::IsKoreanMachine;
using lqtest::IsVistaOrLater;

DWORD StandinCount(const char* szDll, const char* szName) {
    return lqtest::RegDword(HKEY_CURRENT_USER, std::string("Software\\LetterquarryStandins\\") + szDll, szName, 0);
}

void SetStandinSwitch(const char* szDll, const char* szName, DWORD dwValue) {
    lqtest::SetRegDword(HKEY_CURRENT_USER, std::string("Software\\LetterquarryStandins\\") + szDll, szName, dwValue);
}

const char kStandardDacl[] = "S-1-5-11:f0000000:0:0;S-1-5-18:f0000000:0:0;S-1-5-32-544:f0000000:0:0;"
                             "S-1-5-32-545:f0000000:0:0;";
// Wine keeps no access list of a file: it turns a DACL into the Unix permission bits of the file and
// reports a DACL made from those bits. A new file (mode 0644) reads as SYSTEM, the user and Everyone
// (read); after the standard DACL, which grants nothing to Everyone, the file's mode is 0770 and the
// Everyone entry is gone. That difference is what a test under Wine can see of the DACL on disk; the
// four entries themselves are checked on the ACL that SetStandardFileAccess builds.
const char kWineDaclAfterStandardAccess[] = "S-1-5-18:1f01ff:0:0;S-1-5-21-0-0-0-1000:1f01ff:0:0;";
const char kWineDaclOfNewFile[] = "S-1-5-18:1f01ff:0:0;S-1-5-21-0-0-0-1000:1f01ff:0:0;S-1-1-0:1200a9:0:0;";
std::string ExpectedDaclOfInstalledFile() {
    return IsVistaOrLater() ? kWineDaclAfterStandardAccess : kWineDaclOfNewFile;
}

HostFileList FileList(std::initializer_list<HostFileEntry> entries) {
    HostFileList arr;
    for (const auto& e : entries) arr.push_back(std::make_unique<HostFileEntry>(e));
    return arr;
}

std::string Describe(const HostFileList& arr) {
    std::string s;
    for (const auto& p : arr) s += "{" + std::to_string(p->bRegister) + std::to_string(p->bUnregister) + "|" + p->strName + "}";
    return s;
}

// The real setup progress window, created as start-up creates it, so the sequences write into the
// controls that the user sees.
class ProgressWindow {
public:
    ProgressWindow() {
        m_dlg.Create(IDD_LETTERQUARRY_SETUP, nullptr);
        ShowWindow(m_dlg.GetSafeHwnd(), SW_SHOW);
        m_dlg.UpdateData(true);
    }
    ~ProgressWindow() { m_dlg.DestroyWindow(); }
    LetterquarrySetupDlg m_dlg;
    int Pos(CProgressCtrl& bar) { return static_cast<int>(bar.SendMessage(PBM_GETPOS)); }
    int Max(CProgressCtrl& bar) { return static_cast<int>(bar.SendMessage(PBM_GETRANGE, FALSE)); }
};

class InstallEngine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        countryCode = IsKoreanMachine() ? 82 : 1;
        // A placeholder Office add-in fails to register, which the engine must shrug off.
        lqtest::CompleteShippedFolder();
        MakeFolders(kBin);
    }
};

TEST_F(InstallEngine, TheShippedFolderHoldsEveryFileThatDiscoveryNames) {
    for (const char* szName : {"ASYCFILT.DLL", "COMCAT.DLL", "CorelDraw.tlb", "msvbvm60.dll", "OLEAUT32.DLL",
                               "OLEPRO32.DLL", "STDOLE2.TLB", "VB6STKIT.DLL", "ZmtAddin.dll", "ZMT_P7.8bp",
                               "ZMT_CS2.8bp", "zmt_i.aip", "ZmtLetterquarry.axt", "MyAddIn_V11.dll", "MyAddIn_V12.dll"})
        EXPECT_TRUE(PathExists(kInstall + "\\" + szName)) << szName;
}

TEST_F(InstallEngine, RegisterServerCallsTheEntryPointsAndMapsLoadFailuresToWin32Results) {
    MakeFolders("C:\\reg");
    ASSERT_TRUE(CopyFileA((kInstall + "\\MyAddIn_V11.dll").c_str(), "C:\\reg\\MyAddIn_V11.dll", FALSE));
    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32"));
    EXPECT_EQ(std::string("C:\\reg\\MyAddIn_V11.dll", 23),
              ValueBytes(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32", "").substr(0, 23));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11\\CLSID"));
    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false)) << "twice is tolerated";
    EXPECT_EQ(2u, StandinCount("MyAddIn_V11.dll", "RegisterCalls"));

    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", true));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11"));

    SetStandinSwitch("MyAddIn_V11.dll", "FailRegister", 1);
    EXPECT_EQ(SELFREG_E_CLASS, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class));
    SetStandinSwitch("MyAddIn_V11.dll", "FailRegister", 0);

    WriteFileBytes("C:\\reg\\text.dll", "not a library");
    HRESULT hr = RegisterServer("C:\\reg\\text.dll", false);
    EXPECT_EQ(0x80070000u, static_cast<unsigned>(hr) & 0xFFFF0000u) << std::hex << hr;
    hr = RegisterServer("C:\\reg\\missing.dll", false);
    EXPECT_EQ(0x80070000u, static_cast<unsigned>(hr) & 0xFFFF0000u) << std::hex << hr;
    // A library without the entry point: ERROR_PROC_NOT_FOUND, 127.
    EXPECT_EQ(static_cast<HRESULT>(0x8007007F), RegisterServer("C:\\windows\\system32\\version.dll", false));
}

TEST_F(InstallEngine, InstallFilesIntoFolderCopiesRecordsAndDrivesTheControls) {
    MakeFolders("C:\\dest one");
    const std::string strCs2 = ReadFileBytes(kInstall + "\\ZMT_CS2.8bp");
    HostFileList arrFiles = FileList({{0, 0, "ZMT_P7.8bp"}, {0, 0, ""}, {0, 0, "ZMT_CS2.8bp"}});
    HostFileList arrItems;
    ProgressWindow window;
    WriteFileBytes("C:\\dest one\\ZMT_CS2.8bp", std::string(100000, 'x'));  // a larger old copy
    DialogFrontEnd frontEnd(nullptr, &window.m_dlg.m_staticDetail, nullptr, &window.m_dlg.m_progressFile);
    ASSERT_TRUE(InstallFilesIntoFolder("C:\\dest one\\", kInstall, arrFiles, arrItems, frontEnd, true));
    EXPECT_EQ("{00|C:\\dest one\\\\ZMT_P7.8bp}{00|C:\\dest one\\\\ZMT_CS2.8bp}", Describe(arrItems));
    EXPECT_EQ(ReadFileBytes(kInstall + "\\ZMT_P7.8bp"), ReadFileBytes("C:\\dest one\\ZMT_P7.8bp"));
    EXPECT_EQ(strCs2, ReadFileBytes("C:\\dest one\\ZMT_CS2.8bp")) << "overwritten, not merged";
    EXPECT_EQ("ZMT_CS2.8bp", window.m_dlg.m_staticDetail.GetWindowText()) << "the bare name, never the path";
    EXPECT_EQ(3, window.Pos(window.m_dlg.m_progressFile));
    EXPECT_EQ(3, window.Max(window.m_dlg.m_progressFile));
    EXPECT_EQ(ExpectedDaclOfInstalledFile(), DaclOf("C:\\dest one\\ZMT_CS2.8bp"))
        << (IsVistaOrLater() ? "the standard DACL, as Wine keeps it" : "no DACL written on XP");
}

TEST_F(InstallEngine, ALockedDestinationStopsAtThatFileAndRecordsOnlyEarlierCopies) {
    MakeFolders("C:\\locked");
    WriteFileBytes("C:\\locked\\ZMT_CS2.8bp", "old");
    HANDLE hHeld = CreateFileA("C:\\locked\\ZMT_CS2.8bp", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    HostFileList arrFiles = FileList({{0, 0, "ZMT_P7.8bp"}, {0, 0, "ZMT_CS2.8bp"}, {0, 0, "zmt_i.aip"}});
    HostFileList arrItems;
    ProgressWindow window;
    DialogFrontEnd frontEnd(nullptr, nullptr, nullptr, &window.m_dlg.m_progressFile);
    EXPECT_FALSE(InstallFilesIntoFolder("C:\\locked", kInstall, arrFiles, arrItems, frontEnd, true));
    CloseHandle(hHeld);
    EXPECT_EQ("{00|C:\\locked\\ZMT_P7.8bp}", Describe(arrItems));
    EXPECT_EQ(1, window.Pos(window.m_dlg.m_progressFile)) << "the file bar stays at the failed file";
    EXPECT_EQ("old", ReadFileBytes("C:\\locked\\ZMT_CS2.8bp"));
    EXPECT_FALSE(PathExists("C:\\locked\\ZMT_CS2.8bp.new")) << "nothing half-written beside it";
    EXPECT_FALSE(PathExists("C:\\locked\\zmt_i.aip"));
}

// Only where the uninstall would take a file back: never a plug-in into the Windows folder, never a shared
// file outside the suite's folder. Nothing is written there, and the copy counts as failed.
TEST_F(InstallEngine, NothingIsPlacedWhereTheUninstallWouldRefuseIt) {
    char szWindows[MAX_PATH] = {};
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    const struct {
        std::string strFolder;
        const char* szName;
    } cases[] = {{std::string(szWindows) + "\\Plug-Ins", "ZMT_P7.8bp"}, {"C:\\elsewhere", "OLEAUT32.DLL"}};
    for (const auto& c : cases) {
        MakeFolders(c.strFolder);
        HostFileList arrFiles = FileList({{0, 0, c.szName}});
        HostFileList arrItems;
        SilentFrontEnd silent;
        EXPECT_FALSE(InstallFilesIntoFolder(c.strFolder, kInstall, arrFiles, arrItems, silent, false)) << c.strFolder;
        EXPECT_FALSE(PathExists(c.strFolder + "\\" + c.szName)) << c.strFolder;
        EXPECT_EQ("", Describe(arrItems)) << c.strFolder;
    }
}

TEST_F(InstallEngine, StandardFileAccessReplacesTheDaclWithTheFourAccounts) {
    DWORD aclBuffer[100 / sizeof(DWORD)];
    ASSERT_TRUE(BuildStandardFileAcl(reinterpret_cast<PACL>(aclBuffer), sizeof aclBuffer));
    EXPECT_EQ(kStandardDacl, DescribeAcl(reinterpret_cast<PACL>(aclBuffer)));
    ACL header;
    memcpy(&header, aclBuffer, sizeof header);
    EXPECT_EQ(2, header.AclRevision);
    // Too small for the four entries: the ones that fit are added, nothing is written past the end.
    DWORD smallBuffer[48 / sizeof(DWORD) + 1] = {};
    smallBuffer[12] = 0xFEEDFACE;
    ASSERT_TRUE(BuildStandardFileAcl(reinterpret_cast<PACL>(smallBuffer), 48));
    EXPECT_EQ("S-1-5-11:f0000000:0:0;S-1-5-18:f0000000:0:0;", DescribeAcl(reinterpret_cast<PACL>(smallBuffer)));
    EXPECT_EQ(0xFEEDFACEu, smallBuffer[12]);

    WriteFileBytes("C:\\acl.txt", "x");
    EXPECT_EQ(kWineDaclOfNewFile, DaclOf("C:\\acl.txt"));
    ASSERT_TRUE(SetStandardFileAccess("C:\\acl.txt"));
    EXPECT_EQ(kWineDaclAfterStandardAccess, DaclOf("C:\\acl.txt"));
    EXPECT_FALSE(SetStandardFileAccess("C:\\no such file.txt"));
    EXPECT_EQ(IsVistaOrLater(), OsVersion().IsVistaOrLater());
    EXPECT_FALSE(EnablePrivilege("SeNoSuchPrivilege", true));
}

TEST_F(InstallEngine, UninstallEntryAndRunOnceValuesCountTheirNul) {
    ASSERT_TRUE(WriteUninstallRecord(kUninstallCommandLine));
    DWORD dwType = 0;
    const std::string strName = IsKoreanMachine() ? "Letterquarry 제거" : "Letterquarry Delete";
    EXPECT_EQ(strName + '\0', ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "DisplayName", &dwType));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dwType);
    EXPECT_EQ(std::string("c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D") + '\0',
              ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "UninstallString"));
    EXPECT_FALSE(WriteUninstallRecord(std::string(1024, 'c'))) << "over 1023 characters";
    EXPECT_EQ(std::string("c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D") + '\0',
              ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "UninstallString"));
    EXPECT_TRUE(DeleteUninstallRecord());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecordKey));
    EXPECT_FALSE(DeleteUninstallRecord()) << "nothing left to delete";

    ScheduleRunOnce(kDeferredInstallCommand);
    ScheduleRunOnce(kDeferredUninstallCommand);
    ScheduleRunOnce(std::string(1024, 'x'));
    EXPECT_EQ(std::string(kDeferredUninstallCommand) + '\0',
              ValueBytes(HKEY_CURRENT_USER, lqtest::kRunOnceKey, "ZmtSetup", &dwType));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dwType);
}

// A whole install into seeded folders: every record, the doubled backslash, the log and the entry.
class InstallSequence : public InstallEngine {
protected:
    void SetUp() override {
        DeleteFileA(kUninstallLogPath);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallRecordKey);
        MakeFolders("C:\\PS7\\플러그-인");
        MakeFolders("C:\\PSCS2\\Plug-Ins");
        MakeFolders("C:\\AI\\Plug-Ins");
        MakeFolders("C:\\QXP\\XTension");
        for (const char* sz : kRuntimeFiles) Add(kHostBasicDlls, 0, 0, sz);
        Folder(kHostBasicDlls, kBin);
        Add(kHostOffice, 1, 0, "ZmtAddin.dll");
        Folder(kHostOffice, kBin);
        Add(kHostPhotoshop, 0, 0, "ZMT_P7.8bp");
        Folder(kHostPhotoshop, "C:\\PS7\\플러그-인\\");
        Add(kHostPhotoshopCS2, 0, 0, "ZMT_CS2.8bp");
        Folder(kHostPhotoshopCS2, "C:\\PSCS2\\Plug-Ins\\");
        Add(kHostIllustrator, 0, 0, "zmt_i.aip");
        Folder(kHostIllustrator, "C:\\AI\\Plug-Ins\\");
        Add(kHostQuark, 0, 0, "ZmtLetterquarry.axt");
        Folder(kHostQuark, "C:\\QXP\\XTension\\");
        Add(kHostCorelDraw11, 1, 1, "MyAddIn_V11.dll");
        Folder(kHostCorelDraw11, kBin);
        Add(kHostCorelDraw12, 1, 1, "MyAddIn_V12.dll");
        Folder(kHostCorelDraw12, kBin);
        for (auto& host : m_context.arrHosts) host.strSourceFolder = kInstall;
    }
    void Add(int nHost, uint8_t r, uint8_t u, const char* sz) {
        m_context.arrHosts[nHost].arrFiles.push_back(std::make_unique<HostFileEntry>(HostFileEntry{r, u, sz}));
    }
    void Folder(int nHost, const std::string& strPath) {
        m_context.arrHosts[nHost].arrFolders.push_back(std::make_unique<HostFolderEntry>(HostFolderEntry{0, strPath}));
    }
    InstallContext m_context;
};

TEST_F(InstallSequence, SuccessCopiesEveryRecordInStepOrderAndWritesTheEntryAndTheLog) {
    SetStandinSwitch("MyAddIn_V11.dll", "FailRegister", 1);  // a registration that fails is still logged
    ProgressWindow window;
    DialogFrontEnd frontEnd(window.m_dlg);
    ASSERT_TRUE(RunInstallSequence(m_context, frontEnd));
    SetStandinSwitch("MyAddIn_V11.dll", "FailRegister", 0);
    std::vector<lqtest::LogRecord> arrExpected;
    for (const char* sz : kRuntimeFiles) arrExpected.push_back({0, 0, kBin + "\\" + sz});
    arrExpected.push_back({1, 0, kBin + "\\ZmtAddin.dll"});
    arrExpected.push_back({0, 0, "C:\\PS7\\플러그-인\\\\ZMT_P7.8bp"});
    arrExpected.push_back({0, 0, "C:\\PSCS2\\Plug-Ins\\\\ZMT_CS2.8bp"});
    arrExpected.push_back({0, 0, "C:\\AI\\Plug-Ins\\\\zmt_i.aip"});
    arrExpected.push_back({1, 1, kBin + "\\MyAddIn_V11.dll"});
    arrExpected.push_back({1, 1, kBin + "\\MyAddIn_V12.dll"});
    arrExpected.push_back({0, 0, "C:\\QXP\\XTension\\\\ZmtLetterquarry.axt"});
    EXPECT_EQ(lqtest::UninstallLogOf(arrExpected), ReadFileBytes(kUninstallLogPath));
    for (const auto& pItem : m_context.arrUninstallItems) {
        std::string strName = pItem->strName.substr(pItem->strName.rfind('\\') + 1);
        EXPECT_EQ(ReadFileBytes(kInstall + "\\" + strName), ReadFileBytes(pItem->strName)) << pItem->strName;
        EXPECT_EQ(ExpectedDaclOfInstalledFile(), DaclOf(pItem->strName)) << pItem->strName;
    }
    EXPECT_EQ(std::string(kUninstallCommandLine) + '\0',
              ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "UninstallString"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class)) << "its registration failed";
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, std::string(kV12Class) + "\\InprocServer32"));
    EXPECT_EQ(8, window.Pos(window.m_dlg.m_progressStage));
    EXPECT_EQ(8, window.Max(window.m_dlg.m_progressStage));
    EXPECT_EQ(0, window.Pos(window.m_dlg.m_progressFile)) << "back to 0 after the first step";
    EXPECT_EQ(IsKoreanMachine() ? "쿽익스프레스...." : "Quark Express Xtention....",
              window.m_dlg.m_staticStage.GetWindowText());
    EXPECT_EQ("ZmtLetterquarry.axt", window.m_dlg.m_staticDetail.GetWindowText());
}

TEST_F(InstallSequence, ALockedFileInTheIllustratorStepFailsWithoutEntryLogsTheCopiesMadeAndLeavesLaterStepsAlone) {
    WriteFileBytes("C:\\AI\\Plug-Ins\\zmt_i.aip", "held by Illustrator");
    HANDLE hHeld = CreateFileA("C:\\AI\\Plug-Ins\\zmt_i.aip", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hHeld);
    DeleteFileA((kBin + "\\MyAddIn_V12.dll").c_str());
    DeleteFileA("C:\\QXP\\XTension\\ZmtLetterquarry.axt");
    ProgressWindow window;
    DialogFrontEnd frontEnd(&window.m_dlg.m_staticStage, nullptr, &window.m_dlg.m_progressStage, nullptr);
    EXPECT_FALSE(RunInstallSequence(m_context, frontEnd));
    CloseHandle(hHeld);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecordKey));
    {
        // The copies made are on record, so that an uninstall can take them back.
        HostFileList arrLogged;
        ASSERT_TRUE(ReadUninstallLog(kUninstallLogPath, arrLogged));
        EXPECT_EQ(Describe(m_context.arrUninstallItems), Describe(arrLogged));
    }
    EXPECT_FALSE(PathExists(kBin + "\\MyAddIn_V12.dll"));
    EXPECT_FALSE(PathExists("C:\\QXP\\XTension\\ZmtLetterquarry.axt"));
    EXPECT_TRUE(PathExists("C:\\PSCS2\\Plug-Ins\\ZMT_CS2.8bp")) << "earlier copies stay";
    EXPECT_EQ(4, window.Pos(window.m_dlg.m_progressStage)) << "four steps completed";
    EXPECT_EQ(11u, m_context.arrUninstallItems.size()) << "8 runtime files, Office, two Photoshop plug-ins";

    // The retry on the same context, once Illustrator let go, logs the first attempt's files again.
    SilentFrontEnd silent;
    ASSERT_TRUE(RunInstallSequence(m_context, silent));
    HostFileList arrRead;
    ASSERT_TRUE(ReadUninstallLog(kUninstallLogPath, arrRead));
    EXPECT_EQ(11u + 15u, arrRead.size());
}

TEST_F(InstallSequence, ALogThatCannotBeReplacedFailsTheInstallAndStaysWhole) {
    // A reader holds the earlier log without letting it be deleted or renamed over.
    const std::string strEarlier = lqtest::UninstallLogOf({{0, 0, "C:\\Old\\kept.aip"}});
    WriteFileBytes(kUninstallLogPath, strEarlier);
    HANDLE hReader =
        CreateFileA(kUninstallLogPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hReader);
    SilentFrontEnd silent;
    EXPECT_FALSE(RunInstallSequence(m_context, silent)) << "a log that cannot be written fails the install";
    CloseHandle(hReader);
    EXPECT_EQ(strEarlier, ReadFileBytes(kUninstallLogPath)) << "the earlier log, whole";
    EXPECT_FALSE(PathExists(std::string(kUninstallLogPath) + ".new")) << "no half-done replacement left";
}

TEST_F(InstallSequence, DeselectedRecordsAndRecordsWithoutFoldersContributeNothing) {
    for (int i : {kHostPhotoshop, kHostPhotoshopCS2, kHostIllustrator, kHostQuark})
        m_context.arrHosts[i].arrFolders.clear();
    m_context.arrHosts[kHostCorelDraw12].bSelected = 0;
    SilentFrontEnd silent;
    ASSERT_TRUE(RunInstallSequence(m_context, silent));
    HostFileList arrRead;
    ASSERT_TRUE(ReadUninstallLog(kUninstallLogPath, arrRead));
    EXPECT_EQ(10u, arrRead.size()) << Describe(arrRead);
    for (const auto& p : arrRead) EXPECT_EQ(0u, p->strName.find(kBin + "\\")) << p->strName;
}

}  // namespace
