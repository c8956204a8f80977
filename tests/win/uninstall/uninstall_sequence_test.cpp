// The uninstall sequence on a real (Wine) machine: a log on disk, installed files, probe COM servers that
// note their unregistration, the Office stand-in, the settings files and the uninstall entry. Every modal
// box is answered from a helper thread, as a user would.
#include "tests/support/dialogs.h"
#include "tests/support/files.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/uninstall/uninstall_sequence.h"

#include "setup/core/country.h"
#include "setup/dialogs/message_box_dlg.h"
#include "tests/win/uninstall/office_test_support.h"

#include "framework/winapp.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>
#include <vector>

using namespace office_test;

namespace {

CWinApp theTestApp;  // the program's standard message boxes need an application object

constexpr const char* kProbeSource = "C:\\probe\\unregister_probe.dll";
constexpr const char* kProbeLog = "C:\\probe\\calls.log";

using lqtest::Answer;
using lqtest::DialogAnswerer;
using lqtest::IniValue;
using lqtest::kEntryKey;
using lqtest::kLog;
using lqtest::PathExists;
using lqtest::ReadFileBytes;
using lqtest::RunOnceValue;

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
std::string LogOf(const std::vector<std::string>& arrPaths, const std::string& strU = "0") {
    std::string strLog = "[UnInstall][E]\r\r\n";
    for (const auto& strPath : arrPaths) strLog += Record(0, strU, strPath) + "\r\r\n";
    return strLog + "[UnInstall End][E]\r\r\n";
}

const char* OutcomeName(UninstallOutcome outcome) {
    switch (outcome) {
    case UninstallOutcome::Removed: return "Removed";
    case UninstallOutcome::NoLog: return "NoLog";
    case UninstallOutcome::Deferred: return "Deferred";
    case UninstallOutcome::GivenUp: return "GivenUp";
    }
    return "?";
}

// What the in-use prompts said, read from the dialog object itself (its label draws the text).
std::vector<std::string> g_arrPromptTexts;
HANDLE g_hHeld = INVALID_HANDLE_VALUE;
void NotePrompt(const lqtest::SeenDialog& box) {
    if (auto* pDlg = dynamic_cast<MessageBoxDlg*>(CWnd::FromHandlePermanent(box.hWnd)))
        g_arrPromptTexts.push_back(pDlg->m_strText);
}

class UninstallSequence : public ::testing::Test {
protected:
    void SetUp() override {
        countryCode = 0;
        theTestApp.m_strAppName = "ZmtUpGrade_Letterquarry";
        ResetOffice();
        DeleteFileA(kProbeLog);
        DeleteFileA(kLog);
        DeleteFileA("c:\\ZmtPlugin\\ZmtPT.ini");
        WriteBytes("c:\\ZmtPlugin\\Zmt.ini", "[BrelFontPlugin]\r\nRun=1\r\n");
        CreateKey(HKEY_LOCAL_MACHINE, kEntryKey);
        g_arrPromptTexts.clear();
        answerer.On("Error", {Answer::ClickButton(IDOK)});
        answerer.On("Letterquarry", {Answer::ClickButton(IDOK)});
        answerer.On("ZmtUpGrade_Letterquarry", {Answer::ClickButton(IDOK)});
        answerer.OnEach(NotePrompt);
    }
    void TearDown() override {
        if (g_hHeld != INVALID_HANDLE_VALUE) CloseHandle(g_hHeld);
        g_hHeld = INVALID_HANDLE_VALUE;
    }
    UninstallOutcome Run() {
        InstallContext context;
        DialogFrontEnd frontEnd;
        return RunUninstallSequence(context, frontEnd);
    }
    std::vector<std::string> Captions() {
        std::vector<std::string> arr;
        for (const auto& box : answerer.Seen()) arr.push_back(box.strCaption + ": " + box.strText);
        return arr;
    }
    DialogAnswerer answerer;
};

// The reading rules on a real file: lines before the first header and between sections are ignored, a
// section without its end line runs to the end of the file, both line endings are read. What is
// unregistered is what the suite registers (the two CorelDraw add-ins), whatever a record's U says.
TEST_F(UninstallSequence, ReadsEverySectionAndUnregistersWhatTheSuiteRegisters) {
    const std::string strBin = "C:\\ZmtPlugin\\bin\\";
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

    EXPECT_STREQ("Removed", OutcomeName(Run()));

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
    ASSERT_TRUE(answerer.WaitFor(1, 3000));
    EXPECT_EQ((std::vector<std::string>{"Letterquarry: It was removed the Letterquarry program."}), Captions());
}

TEST_F(UninstallSequence, StandardVariantRemovesAddinKeysBarsFilesAndEntry) {
    const std::string strBin = "C:\\ZmtPlugin\\bin\\";
    InstallProbe(strBin + "ZmtAddin.dll");
    InstallProbe(strBin + "MyAddIn_V11.dll");
    WriteBytes(strBin + "ASYCFILT.DLL", "x");
    WriteBytes(kLog, "[UnInstall][E]\r\r\n" + Record(0, "0", strBin + "ASYCFILT.DLL") + "\r\r\n" +
                         Record(1, "0", strBin + "ZmtAddin.dll") + "\r\r\n" +
                         Record(1, "1", strBin + "MyAddIn_V11.dll") + "\r\r\n[UnInstall End][E]\r\r\n");
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});

    EXPECT_STREQ("Removed", OutcomeName(Run()));

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
    const std::string strBin = "C:\\ZmtPlugin\\bin\\";
    InstallProbe(strBin + "ZmtAddin.dll");
    InstallProbe(strBin + "MyAddIn_V11.dll");
    WriteBytes(kLog, "[UnInstall][E]\r\r\n" + Record(1, "1", strBin + "ZmtAddin.dll") + "\r\r\n" +
                         Record(1, "1", strBin + "MyAddIn_V11.dll") + "\r\r\n[UnInstall End][E]\r\r\n");
    WriteBytes("c:\\ZmtPlugin\\ZmtPT.ini", "[BrelFontPlugin]\r\nPot_Run=1\r\n");
    RegisterAddin();
    InstallOffice({"Excel", "PowerPoint", "Word"});

    EXPECT_STREQ("Removed", OutcomeName(Run()));

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
    const std::string strBin = "C:\\ZmtPlugin\\bin\\";
    WriteBytes(strBin + "COMCAT.DLL", "x");
    WriteBytes(kLog, LogOf({strBin + "COMCAT.DLL"}));
    WriteBytes("c:\\ZmtPlugin\\ZmtPT.ini", "[BrelFontPlugin]\r\nPot_Run=1\r\n");
    InstallOffice({"Excel", "PowerPoint"}, "Excel");
    office_standin::RegisterApplications(kServerPath, true, "PowerPoint");
    answerer.On("Message", {Answer::ClickButton(IDCANCEL)});

    EXPECT_STREQ("GivenUp", OutcomeName(Run()));

    EXPECT_FALSE(PathExists(strBin + "COMCAT.DLL")) << "files are deleted before the bars";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    ASSERT_EQ(1u, g_arrPromptTexts.size());
    EXPECT_EQ(InUseMessage(true), g_arrPromptTexts[0]);
    EXPECT_NE(std::string::npos, g_arrPromptTexts[0].find("Slidequarry is running")) << g_arrPromptTexts[0];
    const auto arrBoxes = Captions();
    ASSERT_EQ(2u, arrBoxes.size());
    EXPECT_EQ("Error: CLSIDFromProgID() failed", arrBoxes[0]) << "Word's box comes before the prompt";
}

class HeldFile : public UninstallSequence {
protected:
    void SetUp() override {
        UninstallSequence::SetUp();
        WriteBytes(strBin + "ASYCFILT.DLL", "x");
        WriteBytes(strBin + "COMCAT.DLL", "x");
        WriteBytes(strBin + "STDOLE2.TLB", "x");
        WriteBytes(kLog, LogOf({strBin + "ASYCFILT.DLL", strBin + "COMCAT.DLL", strBin + "STDOLE2.TLB"}));
        g_hHeld = CreateFileA((strBin + "COMCAT.DLL").c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
        ASSERT_NE(INVALID_HANDLE_VALUE, g_hHeld);
    }
    const std::string strBin = "C:\\ZmtPlugin\\bin\\";
};

TEST_F(HeldFile, PassesFailOnTheHeldFileOnlyAndTheBarShowsWhereTheyAre) {
    InstallContext context;
    context.arrUninstallItems.push_back(std::make_unique<HostFileEntry>(HostFileEntry{0, 0, strBin + "ASYCFILT.DLL"}));
    context.arrUninstallItems.push_back(std::make_unique<HostFileEntry>(HostFileEntry{0, 0, strBin + "COMCAT.DLL"}));
    context.arrUninstallItems.push_back(std::make_unique<HostFileEntry>(HostFileEntry{0, 0, strBin + "OLEPRO32.DLL"}));
    context.arrUninstallItems.push_back(std::make_unique<HostFileEntry>(HostFileEntry{0, 0, ""}));
    HWND hParent = CreateWindowExA(0, "STATIC", "", WS_POPUP, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD, 0, 0, 80, 10, hParent, reinterpret_cast<HMENU>(1001), nullptr,
                    nullptr);
    CProgressCtrl bar;
    ASSERT_TRUE(bar.SubclassDlgItem(1001, hParent));
    DialogFrontEnd frontEnd(nullptr, nullptr, nullptr, &bar);

    const DWORD nStart = GetTickCount();
    EXPECT_FALSE(RunDeletionPasses(context, frontEnd));
    const DWORD nElapsed = GetTickCount() - nStart;
    std::printf("10 deletion passes over a held file took %lu ms\n", static_cast<unsigned long>(nElapsed));
    RecordProperty("ten_passes_ms", static_cast<int>(nElapsed));
    EXPECT_FALSE(PathExists(strBin + "ASYCFILT.DLL"));
    EXPECT_TRUE(PathExists(strBin + "COMCAT.DLL"));
    EXPECT_EQ(4, bar.SendMessage(PBM_GETRANGE, FALSE, 0)) << "range: 0 .. the number of items";
    EXPECT_EQ(3, bar.SendMessage(PBM_GETPOS)) << "a failed pass leaves the bar at the last item";

    CloseHandle(g_hHeld);
    g_hHeld = INVALID_HANDLE_VALUE;
    EXPECT_TRUE(DeleteInstalledFiles(context, frontEnd));
    EXPECT_FALSE(PathExists(strBin + "COMCAT.DLL"));
    EXPECT_EQ(0, bar.SendMessage(PBM_GETPOS)) << "a successful pass puts the bar back to 0";
    bar.UnsubclassWindow();
    DestroyWindow(hParent);
}

TEST_F(HeldFile, CancelInThePromptGivesUpWithTheEntryInPlace) {
    answerer.On("Message", {Answer::ClickButton(IDCANCEL)});
    EXPECT_STREQ("GivenUp", OutcomeName(Run()));
    ASSERT_EQ(1u, g_arrPromptTexts.size());
    EXPECT_EQ(InUseMessage(false), g_arrPromptTexts[0]);
    EXPECT_TRUE(PathExists(strBin + "COMCAT.DLL"));
    EXPECT_FALSE(PathExists(strBin + "STDOLE2.TLB")) << "the files after the held one are deleted all the same";
    EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey));
    EXPECT_EQ("", RunOnceValue()) << "nothing deferred";
}

TEST(UninstallTexts, InUsePromptNamesTheProductInBothLanguages) {
    countryCode = 0;
    EXPECT_EQ(std::string("<center><b><font color=blue size=4>Now, It can't be deleted because the program with "
                          "Letterquarry is running.</font></b>\r\nPlease exit the program with Letterquarry and delete "
                          "Letterquarry program.\r\nIf you restart window, Automaticaly, It will be removed the "
                          "Letterquarry program.\r\nThank you.</center>"),
              InUseMessage(false));
    countryCode = 82;
    const std::string strKoLetter = InUseMessage(false), strKoSlide = InUseMessage(true);
    countryCode = 0;
    EXPECT_NE(std::string::npos, strKoLetter.find("Letterquarry"));
    EXPECT_NE(std::string::npos, strKoSlide.find("Slidequarry"));
    // The Korean texts differ only in the product name of their first line and end with the line end
    // before the closing tag.
    EXPECT_EQ(strKoLetter.substr(strKoLetter.find("</font>")), strKoSlide.substr(strKoSlide.find("</font>")));
    EXPECT_EQ("\r\n</center>", strKoLetter.substr(strKoLetter.size() - 11));
}

}  // namespace
