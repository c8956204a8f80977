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

// A probe COM server installed at strPath: it notes its own unregistration in kProbeLog.
void InstallProbe(const std::string& strPath) {
    WriteBytes(strPath, "");
    ASSERT_TRUE(CopyFileA(kProbeSource, strPath.c_str(), FALSE)) << strPath;
}

std::string Record(int nR, const std::string& strU, const std::string& strPath) {
    return "[R:" + std::to_string(nR) + "][E],[U:" + strU + "][E],[F:" + strPath + "][E]";
}

// A log as the install writes it: every line ends in 0D 0D 0A.
std::string LogOf(const std::vector<std::string>& arrPaths) {
    std::string strLog = "[UnInstall][E]\r\r\n";
    for (const auto& strPath : arrPaths) strLog += Record(0, "0", strPath) + "\r\r\n";
    return strLog + "[UnInstall End][E]\r\r\n";
}

class UninstallSequence : public ::testing::Test {
protected:
    void SetUp() override {
        countryCode = 0;
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

// The reading rules on a real file: lines before the first header and between sections are ignored, a
// section without its end line runs to the end of the file, both line endings are read. What is
// unregistered is what the suite registers (the two CorelDraw add-ins), whatever a record's U says.
TEST_F(UninstallSequence, ReadsEverySectionAndUnregistersWhatTheSuiteRegisters) {
    const std::string& strBin = kBin;
    for (const char* szName : {"ASYCFILT.DLL", "COMCAT.DLL", "CorelDraw.tlb", "STDOLE2.TLB"}) WriteBytes(strBin + szName, "x");
    for (const char* szName : {"MyAddIn_V11.dll", "MyAddIn_V12.dll", "ZmtAddin.dll", "msvbvm60.dll", "OLEAUT32.DLL"})
        InstallProbe(strBin + szName);
    WriteBytes(strBin + "OLEPRO32.DLL", "x");
    const std::string strLog =
        Record(1, "1", strBin + "ASYCFILT.DLL") + "\r\n" +   // before any header
        "[UnInstall][E]\r\r\n" +
        Record(0, "0", strBin + "COMCAT.DLL") + "\r\r\n" +
        Record(1, "01", strBin + "MyAddIn_V11.dll") + "\r\r\n" +
        Record(1, "2", strBin + "MyAddIn_V12.dll") + "\r\n" +   // the table registers it: unregistered all the same
        "[UnInstall End][E]\r\r\n" +
        Record(0, "0", strBin + "CorelDraw.tlb") + "\r\n" +   // between sections
        "[UnInstall][E]\r\n" +
        "[R:1][E],[U:1][E],[F:" + strBin + "ZmtAddin.dll][E]\r\n" +   // the table does not unregister it
        "[F:" + strBin + "msvbvm60.dll][E],[R:0][E],[U: 1 ][E]\r\n" +   // not a record: does not begin with [R:
        "[R:0][E] , [F: " + strBin + "msvbvm60.dll ][E] , [U: 1 ][E]\r\n" +
        Record(0, "1", strBin + "OLEAUT32.DLL") + "\r\n" +
        Record(0, "0", "C:\\ZmtPlugin\\bin\\\\OLEPRO32.DLL") + "\r\n" +
        Record(0, "0", strBin + "STDOLE2.TLB") + "\r\n";   // the file ends without an end line
    WriteBytes(kLog, strLog);
    InstallOffice({});

    EXPECT_EQ(Outcome::Done, Run());

    EXPECT_TRUE(PathExists(strBin + "ASYCFILT.DLL"));
    EXPECT_TRUE(PathExists(strBin + "CorelDraw.tlb"));
    for (const char* szName : {"COMCAT.DLL", "MyAddIn_V11.dll", "MyAddIn_V12.dll", "ZmtAddin.dll", "msvbvm60.dll",
                               "OLEAUT32.DLL", "OLEPRO32.DLL", "STDOLE2.TLB"})
        EXPECT_FALSE(PathExists(strBin + szName)) << szName << " must be deleted";
    EXPECT_EQ("unregister " + strBin + "MyAddIn_V11.dll\r\n" + "unregister " + strBin + "MyAddIn_V12.dll\r\n",
              ReadFileBytes(kProbeLog));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_TRUE(PathExists(kLog)) << "the log itself stays";
    EXPECT_EQ("0", IniValue("c:\\ZmtPlugin\\Zmt.ini", "Run"));
    EXPECT_EQ((std::vector<Message>{kRemoved}), m_frontEnd.arrMessages);
    EXPECT_EQ((std::vector<TextId>{TextId::StageFindDeleteInformation, TextId::StageDelete}), m_frontEnd.arrStages);
}

TEST_F(UninstallSequence, StandardVariantRemovesAddinKeysBarsFilesAndEntry) {
    const std::string& strBin = kBin;
    InstallProbe(strBin + "ZmtAddin.dll");
    InstallProbe(strBin + "MyAddIn_V11.dll");
    WriteBytes(strBin + "ASYCFILT.DLL", "x");
    WriteBytes(kLog, "[UnInstall][E]\r\r\n" + Record(0, "0", strBin + "ASYCFILT.DLL") + "\r\r\n" +
                         Record(1, "0", strBin + "ZmtAddin.dll") + "\r\r\n" +
                         Record(1, "1", strBin + "MyAddIn_V11.dll") + "\r\r\n[UnInstall End][E]\r\r\n");
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});

    EXPECT_EQ(Outcome::Done, Run());

    for (const char* szName : {"ASYCFILT.DLL", "ZmtAddin.dll", "MyAddIn_V11.dll"}) EXPECT_FALSE(PathExists(strBin + szName));
    EXPECT_EQ("unregister " + strBin + "MyAddIn_V11.dll\r\n", ReadFileBytes(kProbeLog));
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
    const std::string& strBin = kBin;
    InstallProbe(strBin + "ZmtAddin.dll");
    InstallProbe(strBin + "MyAddIn_V11.dll");
    WriteBytes(kLog, "[UnInstall][E]\r\r\n" + Record(1, "1", strBin + "ZmtAddin.dll") + "\r\r\n" +
                         Record(1, "1", strBin + "MyAddIn_V11.dll") + "\r\r\n[UnInstall End][E]\r\r\n");
    WriteBytes("c:\\ZmtPlugin\\ZmtPT.ini", "[BrelFontPlugin]\r\nPot_Run=1\r\n");
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});

    EXPECT_EQ(Outcome::Done, Run());

    EXPECT_TRUE(PathExists(strBin + "ZmtAddin.dll")) << "the sibling's library must stay";
    EXPECT_FALSE(PathExists(strBin + "MyAddIn_V11.dll"));
    EXPECT_EQ("unregister " + strBin + "MyAddIn_V11.dll\r\n", ReadFileBytes(kProbeLog));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kAddinClassKey));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID\\Nested\\Deeper"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin"));
    SettledCallLog(3);
    for (const char* szApp : {"Excel", "PowerPoint", "Word"}) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, BarKey(szApp)));
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_EQ("0", IniValue("c:\\ZmtPlugin\\Zmt.ini", "Run"));
    DeleteFileA((strBin + "ZmtAddin.dll").c_str());
}

TEST_F(UninstallSequence, SharedAddinWithoutWordShowsTheSlidequarryPromptAndKeepsTheEntry) {
    const std::string& strBin = kBin;
    WriteBytes(strBin + "COMCAT.DLL", "x");
    WriteBytes(kLog, LogOf({strBin + "COMCAT.DLL"}));
    WriteBytes("c:\\ZmtPlugin\\ZmtPT.ini", "[BrelFontPlugin]\r\nPot_Run=1\r\n");
    InstallOffice({"Excel", "PowerPoint"}, "Excel");
    office_standin::RegisterApplications(kServerPath, true, "PowerPoint");

    EXPECT_EQ(Outcome::Failed, Run()) << "given up in the prompt";

    EXPECT_FALSE(PathExists(strBin + "COMCAT.DLL")) << "files are deleted before the bars";
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
