// The uninstall sequence on a real (Wine) machine, driven through the recording front end: a log on disk,
// installed files, probe COM servers that note their unregistration, the Office stand-in, the settings files
// and the uninstall entry. What the sequence shows and asks is recorded; its questions are answered from a
// script. The dialogs that show them are tested in tests/win/dialogs, the whole uninstall in tests/e2e.
#include "setup/core/country.h"
#include "setup/uninstall/uninstall_sequence.h"
#include "tests/support/files.h"
#include "tests/support/recording_front_end.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"
#include "tests/support/uninstall_records.h"
#include "tests/win/uninstall/office_test_support.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace office_test;

namespace {

constexpr const char* kProbeSource = "C:\\probe\\unregister_probe.dll";
constexpr const char* kProbeLog = "C:\\probe\\calls.log";
const std::string kBin = "C:\\ZmtPlugin\\bin\\";

using lqtest::IniValue;
using lqtest::kEntryKey;
using lqtest::kLog;
using lqtest::PathExists;
using lqtest::ReadFileBytes;
using lqtest::RecordingFrontEnd;
using lqtest::RunOnceValue;
using Message = RecordingFrontEnd::Message;

const Message kRemoved = {MessageStyle::Product, TextId::Removed};

void WriteBytes(const std::string& strPath, const std::string& strBytes) {
    ASSERT_TRUE(lqtest::WriteFileBytes(strPath, strBytes)) << strPath;
}

// A probe COM server installed at strPath, as the install copies it from the shipped folder: it notes its
// own unregistration in kProbeLog.
void InstallProbe(const std::string& strPath) {
    const std::string strShipped = "C:\\ZmtPlugin\\install" + strPath.substr(strPath.find_last_of('\\'));
    for (const std::string& strCopy : {strShipped, strPath}) {
        WriteBytes(strCopy, "");
        ASSERT_TRUE(CopyFileA(kProbeSource, strCopy.c_str(), FALSE)) << strCopy;
    }
}

// A log as the install writes it, of files with no flags.
std::string LogOf(const std::vector<std::string>& arrPaths) {
    std::vector<lqtest::LogRecord> arrRecords;
    for (const auto& strPath : arrPaths) arrRecords.push_back({0, 0, strPath});
    return lqtest::UninstallLogOf(arrRecords);
}

class UninstallSequence : public ::testing::Test {
protected:
    void SetUp() override {
        SetLanguage(Language::English);
        ResetOffice();
        DeleteFileA(kProbeLog);
        DeleteFileA(kLog);
        DeleteFileA("c:\\ZmtPlugin\\ZmtPT.ini");
        WriteBytes("c:\\ZmtPlugin\\Zmt.ini", "[BrelFontPlugin]\r\nRun=1\r\n");
        CreateKey(HKEY_LOCAL_MACHINE, kEntryKey);
    }
    Outcome Run() {
        InstallContext context;
        return RunUninstall(context, m_frontEnd);
    }
    RecordingFrontEnd m_frontEnd;
};

// What is unregistered is what the suite registers (the two CorelDraw add-ins), whatever a record's U says;
// the log's reading rules are its own tests' (tests/native/record).
TEST_F(UninstallSequence, UnregistersWhatTheSuiteRegistersWhateverTheRecordSays) {
    for (const char* szName : {"MyAddIn_V11.dll", "MyAddIn_V12.dll", "ZmtAddin.dll", "OLEAUT32.DLL"})
        InstallProbe(kBin + szName);
    WriteBytes(kLog, lqtest::UninstallLogOf({{1, 0, kBin + "MyAddIn_V11.dll"},
                                             {1, 2, kBin + "MyAddIn_V12.dll"},
                                             {1, 1, kBin + "ZmtAddin.dll"},
                                             {0, 1, kBin + "OLEAUT32.DLL"}}));
    InstallOffice({});

    EXPECT_EQ(Outcome::Done, Run());

    for (const char* szName : {"MyAddIn_V11.dll", "MyAddIn_V12.dll", "ZmtAddin.dll", "OLEAUT32.DLL"})
        EXPECT_FALSE(PathExists(kBin + szName)) << szName << " must be deleted";
    EXPECT_EQ("unregister " + kBin + "MyAddIn_V11.dll\r\n" + "unregister " + kBin + "MyAddIn_V12.dll\r\n",
              ReadFileBytes(kProbeLog));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_TRUE(PathExists(kLog)) << "the log itself stays";
    EXPECT_EQ("0", IniValue("c:\\ZmtPlugin\\Zmt.ini", "Run"));
    EXPECT_EQ((std::vector<Message>{kRemoved}), m_frontEnd.arrMessages);
    EXPECT_EQ((std::vector<TextId>{TextId::StageFindDeleteInformation, TextId::StageDelete}), m_frontEnd.arrStages);
}

TEST_F(UninstallSequence, StandardVariantRemovesAddinKeysBarsFilesAndEntry) {
    InstallProbe(kBin + "ZmtAddin.dll");
    InstallProbe(kBin + "MyAddIn_V11.dll");
    WriteBytes(kBin + "ASYCFILT.DLL", "x");
    WriteBytes(kLog, lqtest::UninstallLogOf(
                         {{0, 0, kBin + "ASYCFILT.DLL"}, {1, 0, kBin + "ZmtAddin.dll"}, {1, 1, kBin + "MyAddIn_V11.dll"}}));
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});

    EXPECT_EQ(Outcome::Done, Run());

    for (const char* szName : {"ASYCFILT.DLL", "ZmtAddin.dll", "MyAddIn_V11.dll"}) EXPECT_FALSE(PathExists(kBin + szName));
    EXPECT_EQ("unregister " + kBin + "MyAddIn_V11.dll\r\n", ReadFileBytes(kProbeLog));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kAddinClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Word\\Addins\\ZmtAddin.MyAddin"));
    const auto arrCalls = SettledCallLog(3);
    for (const char* szApp : {"Excel", "PowerPoint", "Word"}) {
        EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, BarKey(szApp))) << szApp;
        EXPECT_NE(std::string::npos, Joined(arrCalls).find(std::string(szApp) + " Invoke Quit flags=1 -> ok"));
    }
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
}

TEST_F(UninstallSequence, SharedAddinStaysWhenTheSiblingStillRuns) {
    InstallProbe(kBin + "ZmtAddin.dll");
    InstallProbe(kBin + "MyAddIn_V11.dll");
    WriteBytes(kLog, lqtest::UninstallLogOf({{1, 1, kBin + "ZmtAddin.dll"}, {1, 1, kBin + "MyAddIn_V11.dll"}}));
    WriteBytes("c:\\ZmtPlugin\\ZmtPT.ini", "[BrelFontPlugin]\r\nPot_Run=1\r\n");
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});

    EXPECT_EQ(Outcome::Done, Run());

    EXPECT_TRUE(PathExists(kBin + "ZmtAddin.dll")) << "the sibling's library must stay";
    EXPECT_FALSE(PathExists(kBin + "MyAddIn_V11.dll"));
    EXPECT_EQ("unregister " + kBin + "MyAddIn_V11.dll\r\n", ReadFileBytes(kProbeLog));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kAddinClassKey));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID\\Nested\\Deeper"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin"));
    SettledCallLog(3);
    for (const char* szApp : {"Excel", "PowerPoint", "Word"}) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, BarKey(szApp)));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_EQ("0", IniValue("c:\\ZmtPlugin\\Zmt.ini", "Run"));
    DeleteFileA((kBin + "ZmtAddin.dll").c_str());
}

TEST_F(UninstallSequence, SharedAddinWithoutWordShowsTheSlidequarryPromptAndKeepsTheEntry) {
    WriteBytes(kBin + "COMCAT.DLL", "x");
    WriteBytes(kLog, LogOf({kBin + "COMCAT.DLL"}));
    WriteBytes("c:\\ZmtPlugin\\ZmtPT.ini", "[BrelFontPlugin]\r\nPot_Run=1\r\n");
    InstallOffice({"Excel", "PowerPoint"}, "Excel");
    office_standin::RegisterApplications(kServerPath, true, "PowerPoint");

    EXPECT_EQ(Outcome::Failed, Run()) << "given up in the prompt";

    EXPECT_FALSE(PathExists(kBin + "COMCAT.DLL")) << "files are deleted before the bars";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_EQ((std::vector<TextId>{TextId::InUseSlidequarry}), m_frontEnd.arrInUseQuestions);
    EXPECT_EQ((std::vector<Message>{{MessageStyle::Error, TextId::ClsidFromProgIdFailed}}), m_frontEnd.arrMessages)
        << "Word's box, before the prompt";
}

class HeldFile : public UninstallSequence {
protected:
    void SetUp() override {
        UninstallSequence::SetUp();
        InstallOffice({});  // Office without the bar: no box of its own
        for (const char* szName : {"ASYCFILT.DLL", "STDOLE2.TLB"}) WriteBytes(kBin + szName, "x");
        WriteBytes(kLog, LogOf({kBin + "ASYCFILT.DLL", kHeld, kBin + "STDOLE2.TLB"}));
        ASSERT_TRUE(m_held.IsHeld());
    }
    const std::string kHeld = kBin + "COMCAT.DLL";
    lqtest::HeldFile m_held{kHeld, "x"};
};

TEST_F(HeldFile, PassesFailOnTheHeldFileOnlyAndTheBarShowsWhereTheyAre) {
    InstallContext context;
    for (const std::string& strName : {kBin + "ASYCFILT.DLL", kHeld, kBin + "OLEPRO32.DLL", std::string()})
        context.arrUninstallItems.push_back(std::make_unique<HostFileEntry>(HostFileEntry{0, 0, strName}));

    const DWORD nStart = GetTickCount();
    EXPECT_FALSE(RunDeletionPasses(context, m_frontEnd));
    const DWORD nElapsed = GetTickCount() - nStart;
    std::printf("10 deletion passes over a held file took %lu ms\n", static_cast<unsigned long>(nElapsed));
    RecordProperty("ten_passes_ms", static_cast<int>(nElapsed));
    EXPECT_FALSE(PathExists(kBin + "ASYCFILT.DLL"));
    EXPECT_TRUE(PathExists(kHeld));
    EXPECT_EQ(4, m_frontEnd.fileBar.nUpper) << "range: 0 .. the number of items";
    EXPECT_EQ(3, m_frontEnd.fileBar.nPos) << "a failed pass leaves the bar at the last item";

    m_held.Release();
    EXPECT_TRUE(DeleteInstalledFiles(context, m_frontEnd));
    EXPECT_FALSE(PathExists(kHeld));
    EXPECT_EQ(0, m_frontEnd.fileBar.nPos) << "a successful pass puts the bar back to 0";
}

TEST_F(HeldFile, CancelInThePromptGivesUpWithTheEntryInPlace) {
    EXPECT_EQ(Outcome::Failed, Run());
    EXPECT_EQ((std::vector<TextId>{TextId::InUseLetterquarry}), m_frontEnd.arrInUseQuestions);
    EXPECT_TRUE(PathExists(kHeld));
    EXPECT_FALSE(PathExists(kBin + "STDOLE2.TLB")) << "the files after the held one are deleted all the same";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_EQ("", RunOnceValue()) << "nothing deferred";
    EXPECT_TRUE(m_frontEnd.arrMessages.empty()) << "no closing message";
}

// "Close the programs and delete": the whole sequence again from its start, as often as the user chooses.
TEST_F(HeldFile, RetryRunsTheSequenceAgainUntilTheProgramLetGo) {
    m_frontEnd.arrInUseAnswers = {InUseAnswer::CloseAndRetry, InUseAnswer::CloseAndRetry};
    m_frontEnd.fnWhileShown = [this] {
        if (m_frontEnd.arrInUseQuestions.size() == 2) m_held.Release();
    };
    EXPECT_EQ(Outcome::Done, Run());
    EXPECT_EQ(2u, m_frontEnd.arrInUseQuestions.size());
    EXPECT_FALSE(PathExists(kHeld));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_EQ((std::vector<Message>{kRemoved}), m_frontEnd.arrMessages);
    EXPECT_EQ(6u, m_frontEnd.arrStages.size()) << "three runs of the sequence, two stages each";
}

TEST_F(UninstallSequence, NoLogSaysSoAndOnlyResetsRun) {
    EXPECT_EQ(Outcome::Failed, Run());
    EXPECT_EQ((std::vector<Message>{{MessageStyle::Program, TextId::NoDeleteInformation}}), m_frontEnd.arrMessages);
    EXPECT_EQ("0", IniValue("c:\\ZmtPlugin\\Zmt.ini", "Run"));
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
}

}  // namespace
