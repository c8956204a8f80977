// The install engine on a fresh machine with the shipped folder at C:\ZmtPlugin\install, driven through the
// recording front end: file placement with access rights, whole install sequences (success, a locked
// destination, a log that cannot be replaced, deselected records) and the failure policy around them
// (retry, cancel). Runs on a Korean Windows 7 machine and an English Windows XP machine; the expectations
// that differ read LQ_LOCALE and LQ_WINVER.
// Not covered here: the progress window the front end writes into (tests/win/dialogs), the restart answer
// (tests/e2e/install: under Wine it ends the machine's session).
#include "setup/core/country.h"
#include "setup/install/file_placement.h"
#include "setup/install/install_sequence.h"
#include "setup/record/uninstall_log.h"
#include "setup/record/uninstall_record.h"
#include "tests/support/file_access.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"
#include "tests/support/recording_front_end.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using lqtest::DaclOf;
using lqtest::ExpectedDaclOfInstalledFile;
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

using lqtest::Describe;
using lqtest::Items;
using lqtest::RecordingFrontEnd;

class InstallEngine : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SetLanguage(IsKoreanMachine() ? Language::Korean : Language::English);
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

TEST_F(InstallEngine, InstallFilesIntoFolderCopiesRecordsAndShowsEachFile) {
    MakeFolders("C:\\dest one");
    const std::string strCs2 = ReadFileBytes(kInstall + "\\ZMT_CS2.8bp");
    HostFileList arrFiles = Items({{0, 0, "ZMT_P7.8bp"}, {0, 0, ""}, {0, 0, "ZMT_CS2.8bp"}});
    HostFileList arrItems;
    WriteFileBytes("C:\\dest one\\ZMT_CS2.8bp", std::string(100000, 'x'));  // a larger old copy
    RecordingFrontEnd frontEnd;
    ASSERT_TRUE(InstallFilesIntoFolder("C:\\dest one\\", kInstall, arrFiles, arrItems, frontEnd, true).IsDone());
    EXPECT_EQ("{0,0,C:\\dest one\\\\ZMT_P7.8bp}{0,0,C:\\dest one\\\\ZMT_CS2.8bp}", Describe(arrItems));
    EXPECT_EQ(ReadFileBytes(kInstall + "\\ZMT_P7.8bp"), ReadFileBytes("C:\\dest one\\ZMT_P7.8bp"));
    EXPECT_EQ(strCs2, ReadFileBytes("C:\\dest one\\ZMT_CS2.8bp")) << "overwritten, not merged";
    EXPECT_EQ((std::vector<std::string>{"ZMT_P7.8bp", "ZMT_CS2.8bp"}), frontEnd.arrDetails) << "bare names, never paths";
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3}), frontEnd.fileBar.arrPositions) << "the empty name advances the bar too";
    EXPECT_EQ(3, frontEnd.fileBar.nUpper);
    EXPECT_EQ(ExpectedDaclOfInstalledFile(), DaclOf("C:\\dest one\\ZMT_CS2.8bp"))
        << (lqtest::IsVistaOrLater() ? "the standard DACL, as Wine keeps it" : "no DACL written on XP");
}

TEST_F(InstallEngine, ALockedDestinationStopsAtThatFileAndRecordsOnlyEarlierCopies) {
    MakeFolders("C:\\locked");
    lqtest::HeldFile held("C:\\locked\\ZMT_CS2.8bp", "old");
    ASSERT_TRUE(held.IsHeld());
    HostFileList arrFiles = Items({{0, 0, "ZMT_P7.8bp"}, {0, 0, "ZMT_CS2.8bp"}, {0, 0, "zmt_i.aip"}});
    HostFileList arrItems;
    RecordingFrontEnd frontEnd;
    EXPECT_FALSE(InstallFilesIntoFolder("C:\\locked", kInstall, arrFiles, arrItems, frontEnd, true).IsDone());
    held.Release();
    EXPECT_EQ("{0,0,C:\\locked\\ZMT_P7.8bp}", Describe(arrItems));
    EXPECT_EQ(1, frontEnd.fileBar.nPos) << "the file bar stays at the failed file";
    EXPECT_EQ("old", ReadFileBytes("C:\\locked\\ZMT_CS2.8bp"));
    EXPECT_FALSE(lqtest::ReplacementBeside("C:\\locked\\ZMT_CS2.8bp")) << "nothing half-written beside it";
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
        HostFileList arrFiles = Items({{0, 0, c.szName}});
        HostFileList arrItems;
        RecordingFrontEnd frontEnd;
        EXPECT_FALSE(InstallFilesIntoFolder(c.strFolder, kInstall, arrFiles, arrItems, frontEnd, false).IsDone()) << c.strFolder;
        EXPECT_FALSE(PathExists(c.strFolder + "\\" + c.szName)) << c.strFolder;
        EXPECT_EQ("", Describe(arrItems)) << c.strFolder;
    }
}

// A whole install into seeded folders: every record, the doubled backslash, the log and the entry.
class InstallSequence : public InstallEngine {
protected:
    void SetUp() override {
        DeleteFileA(kUninstallLogPath);
        RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallRecordKey.c_str());
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
    lqtest::SetAddinStandinSwitch("MyAddIn_V11.dll", "FailRegister", 1);  // a registration that fails is still logged
    RecordingFrontEnd frontEnd;
    ASSERT_TRUE(RunInstallSequence(m_context, frontEnd).IsDone());
    lqtest::SetAddinStandinSwitch("MyAddIn_V11.dll", "FailRegister", 0);
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
    EXPECT_EQ((std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8}), frontEnd.stageBar.arrPositions);
    EXPECT_EQ(8, frontEnd.stageBar.nUpper);
    EXPECT_EQ(0, frontEnd.fileBar.nPos) << "back to 0 after the first step";
    EXPECT_EQ((std::vector<TextId>{TextId::StageBasicFiles, TextId::StageOffice, TextId::StagePhotoshopBeforeCS2,
                                   TextId::StagePhotoshopCS2, TextId::StageIllustrator, TextId::StageCorelDraw11,
                                   TextId::StageCorelDraw12, TextId::StageQuark}),
              frontEnd.arrStages)
        << "QuarkXPress comes last";
    EXPECT_EQ("ZmtLetterquarry.axt", frontEnd.arrDetails.back());
}

TEST_F(InstallSequence, ALockedFileInTheIllustratorStepFailsWithoutEntryLogsTheCopiesMadeAndLeavesLaterStepsAlone) {
    lqtest::HeldFile held("C:\\AI\\Plug-Ins\\zmt_i.aip", "held by Illustrator");
    ASSERT_TRUE(held.IsHeld());
    DeleteFileA((kBin + "\\MyAddIn_V12.dll").c_str());
    DeleteFileA("C:\\QXP\\XTension\\ZmtLetterquarry.axt");
    RecordingFrontEnd frontEnd;
    EXPECT_FALSE(RunInstallSequence(m_context, frontEnd).IsDone());
    held.Release();
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecordKey));
    {
        // The copies made are on record, so that an uninstall can take them back.
        HostFileList arrLogged;
        ParseUninstallLog(ReadFileBytes(kUninstallLogPath), arrLogged);
        EXPECT_EQ(Describe(m_context.arrUninstallItems), Describe(arrLogged));
    }
    EXPECT_FALSE(PathExists(kBin + "\\MyAddIn_V12.dll"));
    EXPECT_FALSE(PathExists("C:\\QXP\\XTension\\ZmtLetterquarry.axt"));
    EXPECT_TRUE(PathExists("C:\\PSCS2\\Plug-Ins\\ZMT_CS2.8bp")) << "earlier copies stay";
    EXPECT_EQ(4, frontEnd.stageBar.nPos) << "four steps completed";
    EXPECT_EQ(11u, m_context.arrUninstallItems.size()) << "8 runtime files, Office, two Photoshop plug-ins";

    // The retry on the same context, once Illustrator let go, logs the first attempt's files again.
    ASSERT_TRUE(RunInstallSequence(m_context, frontEnd).IsDone());
    HostFileList arrRead;
    ParseUninstallLog(ReadFileBytes(kUninstallLogPath), arrRead);
    EXPECT_EQ(11u + 15u, arrRead.size());
}

TEST_F(InstallSequence, ALogThatCannotBeReplacedFailsTheInstallAndStaysWhole) {
    // A reader holds the earlier log without letting it be deleted or renamed over.
    const std::string strEarlier = lqtest::UninstallLogOf({{0, 0, "C:\\Old\\kept.aip"}});
    WriteFileBytes(kUninstallLogPath, strEarlier);
    HANDLE hReader =
        CreateFileA(kUninstallLogPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, hReader);
    RecordingFrontEnd frontEnd;  // nobody answers
    EXPECT_FALSE(RunInstallSequence(m_context, frontEnd).IsDone()) << "a log that cannot be written fails the install";
    CloseHandle(hReader);
    EXPECT_EQ(strEarlier, ReadFileBytes(kUninstallLogPath)) << "the earlier log, whole";
    EXPECT_FALSE(lqtest::ReplacementBeside(kUninstallLogPath)) << "no half-done replacement left";
}

TEST_F(InstallSequence, DeselectedRecordsAndRecordsWithoutFoldersContributeNothing) {
    for (int i : {kHostPhotoshop, kHostPhotoshopCS2, kHostIllustrator, kHostQuark})
        m_context.arrHosts[i].arrFolders.clear();
    m_context.arrHosts[kHostCorelDraw12].bSelected = 0;
    RecordingFrontEnd frontEnd;  // nobody answers
    ASSERT_TRUE(RunInstallSequence(m_context, frontEnd).IsDone());
    HostFileList arrRead;
    ParseUninstallLog(ReadFileBytes(kUninstallLogPath), arrRead);
    EXPECT_EQ(10u, arrRead.size()) << Describe(arrRead);
    for (const auto& p : arrRead) EXPECT_EQ(0u, p->strName.find(kBin + "\\")) << p->strName;
}

TEST_F(InstallSequence, AnInstallThatSucceedsAtOnceSaysSo) {
    RecordingFrontEnd frontEnd;
    EXPECT_EQ(Outcome::Done, RunInstall(m_context, frontEnd));
    EXPECT_EQ((std::vector<RecordingFrontEnd::Message>{{MessageStyle::Product, TextId::Installed}}), frontEnd.arrMessages);
    EXPECT_TRUE(frontEnd.arrInUseQuestions.empty());
}

// A destination the uninstall would refuse fails the install as something other than a file in use, so a
// quiet run fails rather than deferring to a next start that would refuse it again.
TEST_F(InstallSequence, ARefusedDestinationIsNoFileInUse) {
    char szWindows[MAX_PATH] = {};
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    MakeFolders(std::string(szWindows) + "\\XTension");
    Folder(kHostQuark, std::string(szWindows) + "\\XTension\\");
    RecordingFrontEnd frontEnd;
    EXPECT_EQ(Outcome::Failed, RunInstall(m_context, frontEnd));
    EXPECT_EQ(std::vector<bool>{false}, frontEnd.arrFilesHeld);
}

// The failure policy: a locked destination asks "files in use?"; the user closes the program and retries
// (once in vain), then the install completes. Or the user cancels, and the install has failed.
class FailurePolicy : public InstallSequence {
protected:
    static constexpr const char* kHeld = "C:\\AI\\Plug-Ins\\zmt_i.aip";
    lqtest::HeldFile m_held{kHeld, "held by Illustrator"};
};

TEST_F(FailurePolicy, RetryAsOftenAsTheUserChoosesUntilTheInstallCompletes) {
    RecordingFrontEnd frontEnd;
    frontEnd.arrInUseAnswers = {InUseAnswer::CloseAndRetry, InUseAnswer::CloseAndRetry};
    frontEnd.fnWhileShown = [this, &frontEnd] {
        if (frontEnd.arrInUseQuestions.size() == 2) m_held.Release();  // Illustrator ends during the second question
    };
    EXPECT_EQ(Outcome::Done, RunInstall(m_context, frontEnd));
    EXPECT_EQ((std::vector<TextId>{TextId::InstallRefused, TextId::InstallRefused}), frontEnd.arrInUseQuestions);
    EXPECT_EQ(ReadFileBytes(kInstall + "\\zmt_i.aip"), ReadFileBytes(kHeld));
    EXPECT_TRUE(frontEnd.arrMessages.empty()) << "a retry that succeeds ends without a message";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecordKey));
}

TEST_F(FailurePolicy, CancelGivesTheInstallUp) {
    RecordingFrontEnd frontEnd;  // an empty script: the question is answered with its cancel
    EXPECT_EQ(Outcome::Failed, RunInstall(m_context, frontEnd));
    EXPECT_EQ(std::vector<bool>{true}, frontEnd.arrFilesHeld) << "asked once, about a file in use";
    m_held.Release();
    EXPECT_EQ("held by Illustrator", ReadFileBytes(kHeld));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecordKey));
}

}  // namespace
