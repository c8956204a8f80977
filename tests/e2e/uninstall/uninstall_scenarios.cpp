// The uninstall, end to end: the real setup program with "/D" or "/D /B" on a machine seeded as an install
// of every host leaves it, with the Office stand-in. Each suite runs on its own machine (see CMakeLists.txt).
// The full cycle and the deferral run once more with the setup log (LQ_SETUP_LOG): every run of the cycle
// appends to the one log.
#include "tests/e2e/uninstall/installed_machine.h"
#include "tests/support/dialogs.h"
#include "tests/support/expected_state.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"
#include "tests/support/programs.h"
#include "tests/support/registry.h"
#include "tests/support/screenshots.h"
#include "tests/support/setup_log_reader.h"
#include "tests/support/setup_runs.h"


#include <gtest/gtest.h>

#include <cstring>
#include <memory>
#include <string>
#include <vector>

using namespace uninstall_e2e;
using lqtest::Program;

namespace {

// This binary doubles as a running host program: copied to Photoshop.exe and started with --idle-host, it
// only waits until the running-program guard closes it.
const bool g_bIdleHost = [] {
    if (strstr(GetCommandLineA(), "--idle-host")) {
        Sleep(120000);
        ExitProcess(0);
    }
    return false;
}();

// Starts this binary as "C:\\Hosts\\Photoshop.exe", a running host program for the guard to find.
void StartPhotoshop(std::unique_ptr<Program>& pPhotoshop) {
    char szSelf[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szSelf, MAX_PATH);
    lqtest::MakeFolders("C:\\Hosts");
    ASSERT_TRUE(CopyFileA(szSelf, "C:\\Hosts\\Photoshop.exe", FALSE));
    pPhotoshop = std::make_unique<Program>("--idle-host", "C:\\Hosts\\Photoshop.exe");
    ASSERT_TRUE(pPhotoshop->Started());
}

using lqtest::Answer;
using lqtest::AnswerDialog;
using lqtest::AnswerNextDialog;
using lqtest::Is64BitMachine;
using lqtest::IsKoreanMachine;
using lqtest::KeyExists;
using lqtest::ReadDialog;
using lqtest::SeenDialog;
using lqtest::WaitForDialog;

// Presses OK in the next standard message box of the process with this caption and returns its text.
std::string AnswerMessageBox(const Program& program, const std::string& strCaption, DWORD nTimeoutMs = 60000) {
    const SeenDialog box = AnswerNextDialog(strCaption, program.ProcessId(), Answer::ClickButton(IDOK), nTimeoutMs);
    return box.hWnd ? box.strText : "<no box \"" + strCaption + "\">";
}

// Confirms the uninstall in the confirmation dialog (button 1) or cancels it (button 2); returns the
// texts of its two buttons.
std::vector<std::string> AnswerConfirmation(const Program& program, int nButton, const std::string& strShot) {
    const SeenDialog dialog = AnswerNextDialog("Letterquarry UnInstall", program.ProcessId(), Answer::ClickButton(nButton),
                                               30000, [&](const SeenDialog&) { lqtest::Screenshot(strShot); });
    if (!dialog.hWnd || !dialog.texts.count(1)) return {"<no confirmation>"};
    return {dialog.texts.at(1), dialog.texts.at(2)};
}

// Differences that are Wine's own or the stand-ins' bookkeeping, never the setup program's doing.
bool Noise(const std::string& strLine) {
    for (const char* szAllowed : {"\\Wine\\", "OfficeStandin", "LetterquarryStandins"})
        if (strLine.find(szAllowed) != std::string::npos) return true;
    return false;
}

std::vector<std::string> MachineChanges(const lqtest::Snapshot& before) {
    std::vector<std::string> arrLines;
    for (const std::string& strLine : lqtest::Difference(before, TakeMachineSnapshot()))
        if (!Noise(strLine)) arrLines.push_back(strLine);
    return arrLines;
}

// What may differ after a complete uninstall from the machine before the install: the log, the settings
// file (now "Run" = 0), the folders (the install created them, the uninstall deletes none) and the Office
// keys above the add-in's own (Office's, not the add-in's).
bool ExpectedLeftover(const std::string& strLine) {
    if (strLine.size() > 10 && strLine.compare(strLine.size() - 10, 10, "= (folder)") == 0) return true;
    if (strLine.find("HKCU\\Software\\Microsoft\\Office") != std::string::npos &&
        strLine.find("ZmtAddin") == std::string::npos)
        return true;
    return strLine.find("C:\\ZmtPlugin\\install\\UnInsatll.info") != std::string::npos ||
           strLine.find("c:\\ZmtPlugin\\install\\UnInsatll.info") != std::string::npos ||
           strLine.find("Zmt.ini") != std::string::npos;
}

// The F values of every record line of the log on the machine.
std::vector<std::string> LoggedFiles() { return lqtest::LoggedPaths(kLog); }

void ExpectEverythingRemoved(const lqtest::Snapshot& before) {
    const auto arrLogged = LoggedFiles();
    EXPECT_LE(8u, arrLogged.size()) << "the log names too few files";
    for (const std::string& strPath : arrLogged) EXPECT_FALSE(lqtest::PathExists(strPath)) << strPath << " must be deleted";
    lqtest::ExpectedState state;
    state.NoKey(HKEY_CLASSES_ROOT, kAddinClassKey)
        .NoKey(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin")
        .NoKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin")
        .NoKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\PowerPoint\\Addins\\ZmtAddin.MyAddin")
        .NoKey(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Word\\Addins\\ZmtAddin.MyAddin")
        .NoKey(HKEY_CLASSES_ROOT, kV11Class)
        .NoKey(HKEY_CLASSES_ROOT, kV12Class)
        .NoKey(HKEY_LOCAL_MACHINE, kEntryKey)
        .Folder("C:\\ZmtPlugin\\bin")
        .Folder("C:\\Program Files\\QuarkXPress 6.5\\XTension")
        .FileLike("C:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe", "C:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe");
    EXPECT_MACHINE(state);
    EXPECT_TRUE(lqtest::PathExists(kLog)) << "the log stays";
    EXPECT_EQ("0", IniValue("c:\\ZmtPlugin\\Zmt.ini", "Run"));
    const std::string strCalls = OfficeCalls();
    for (const char* szApp : {"Excel", "PowerPoint", "Word"}) {
        const std::string strApp = szApp;
        EXPECT_NE(std::string::npos, strCalls.find(strApp + " Invoke Item flags=3 arg=Letterquarry -> ok")) << strCalls;
        EXPECT_NE(std::string::npos, strCalls.find(strApp + " Invoke Delete flags=1 -> ok Letterquarry")) << strCalls;
        EXPECT_NE(std::string::npos, strCalls.find(strApp + " Invoke Quit flags=1 -> ok")) << strCalls;
    }
    for (const std::string& strLine : MachineChanges(before))
        if (!ExpectedLeftover(strLine)) ADD_FAILURE() << "left behind: " << strLine;
}

// Korean, "/D": confirmation, guard, progress window, closing message, everything gone.
TEST(UninstallInteractive, RemovesEverythingTheInstallLeft) {
    InstallOffice({"Excel", "PowerPoint", "Word"});
    const lqtest::Snapshot before = TakeMachineSnapshot();
    SeedInstalledMachine();
    // The CorelDraw add-ins registered themselves as the install had them do.
    ASSERT_TRUE(lqtest::PathExists("C:\\ZmtPlugin\\install\\MyAddIn_V11.dll")) << "the CorelDraw stand-ins are not shipped";
    lqtest::ExpectedState registered;
    registered.Key(HKEY_CLASSES_ROOT, kV11Class)
        .Key(HKEY_CLASSES_ROOT, kV12Class)
        .Key(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID")
        .Key(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin");
    EXPECT_MACHINE(registered);
    // Photoshop runs when the uninstall starts.
    std::unique_ptr<Program> pPhotoshop;
    StartPhotoshop(pPhotoshop);

    Program program("/D");
    const auto arrButtons = AnswerConfirmation(program, 1, "uninstall-confirmation");
    if (IsKoreanMachine())
        EXPECT_EQ((std::vector<std::string>{"삭제하기(&D)", "취소(&C)"}), arrButtons);
    else
        EXPECT_EQ((std::vector<std::string>{"&Ok", "&Cancel"}), arrButtons);
    // The guard asks to close Photoshop; the user lets it force the program closed.
    HWND hGuard = WaitForDialog("Message", program.ProcessId(), 30000);
    ASSERT_NE(nullptr, hGuard) << "the guard did not ask about Photoshop";
    lqtest::Screenshot("uninstall-guard");
    AnswerDialog(hGuard, Answer::ClickButton(IDOK));
    EXPECT_EQ(0, pPhotoshop->Wait(20000)) << "the guard must have closed Photoshop";
    HWND hClosing = WaitForDialog("Letterquarry", program.ProcessId(), 90000);
    ASSERT_NE(nullptr, hClosing) << "no closing message";
    lqtest::Screenshot("uninstall-progress-and-closing-message");
    EXPECT_EQ(IsKoreanMachine() ? "Letterquarry 프로그램을 제거 하였습니다." : "It was removed the Letterquarry program.",
              ReadDialog(hClosing).strText);
    AnswerDialog(hClosing, Answer::ClickButton(IDOK));
    EXPECT_EQ(0, program.Wait(30000));

    ExpectEverythingRemoved(before);
}

// Korean, every host: the interactive install puts the files in place and registers them, then "/D" takes the
// machine back to where it was before the install, except for what an uninstall leaves on purpose.
TEST(UninstallInteractive, FullCycleAfterTheInstall) {
    InstallOffice({"Excel", "PowerPoint", "Word"});
    lqtest::MakeFolders("C:\\Program Files\\Adobe\\Photoshop 7.0\\Plug-Ins");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0", "ApplicationPath",
                      "C:\\Program Files\\Adobe\\Photoshop 7.0\\");
    lqtest::MakeFolders("C:\\Program Files\\Adobe\\Photoshop CS2\\플러그인");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\9.0", "ApplicationPath",
                      "C:\\Program Files\\Adobe\\Photoshop CS2");
    lqtest::MakeFolders("C:\\Program Files\\Adobe\\Illustrator CS2\\플러그-인");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Illustrator\\12.0", "ApplicationPath",
                      "C:\\Program Files\\Adobe\\Illustrator CS2\\");
    lqtest::MakeFolders("C:\\Program Files\\QuarkXPress 6.5\\XTension");
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", "C:\\Program Files\\QuarkXPress 6.5");
    const lqtest::Snapshot before = TakeMachineSnapshot();

    {
        // The interactive install: the main dialog with every host checked, Install, the closing message.
        Program install(lqtest::SetupLogSwitch());
        HWND hMain = WaitForDialog("Letterquarry Installation", install.ProcessId(), 30000);
        ASSERT_NE(nullptr, hMain) << "no main install dialog";
        AnswerDialog(hMain, Answer::ClickButton(IDOK));
        HWND hDone = WaitForDialog("Letterquarry", install.ProcessId(), 120000);
        ASSERT_NE(nullptr, hDone) << "no closing message of the install";
        AnswerDialog(hDone, Answer::ClickButton(IDOK));
        ASSERT_EQ(0, install.Wait(30000)) << "the install failed";
    }
    ASSERT_TRUE(lqtest::PathExists(kLog));
    lqtest::ExpectedState installed;
    installed.Key(HKEY_CLASSES_ROOT, kV11Class)
        .Key(HKEY_CLASSES_ROOT, kV12Class)
        .Key(HKEY_CLASSES_ROOT, kAddinClassKey)
        .Key(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Word\\Addins\\ZmtAddin.MyAddin")
        .Key(HKEY_LOCAL_MACHINE, kEntryKey);
    EXPECT_MACHINE(installed);
    std::printf("files logged by the install: %u\n", static_cast<unsigned>(LoggedFiles().size()));
    // The log, byte for byte: the same on 32-bit and on 64-bit Windows.
    const std::vector<lqtest::LogRecord> arrInstalled = {
        {0, 0, "C:\\ZmtPlugin\\bin\\ASYCFILT.DLL"},
        {0, 0, "C:\\ZmtPlugin\\bin\\COMCAT.DLL"},
        {0, 0, "C:\\ZmtPlugin\\bin\\CorelDraw.tlb"},
        {0, 0, "C:\\ZmtPlugin\\bin\\msvbvm60.dll"},
        {0, 0, "C:\\ZmtPlugin\\bin\\OLEAUT32.DLL"},
        {0, 0, "C:\\ZmtPlugin\\bin\\OLEPRO32.DLL"},
        {0, 0, "C:\\ZmtPlugin\\bin\\STDOLE2.TLB"},
        {0, 0, "C:\\ZmtPlugin\\bin\\VB6STKIT.DLL"},
        {1, 0, "C:\\ZmtPlugin\\bin\\ZmtAddin.dll"},
        {0, 0, "C:\\Program Files\\Adobe\\Photoshop 7.0\\Plug-Ins\\\\ZMT_P7.8bp"},
        {0, 0, "C:\\Program Files\\Adobe\\Photoshop CS2\\플러그인\\\\ZMT_CS2.8bp"},
        {0, 0, "C:\\Program Files\\Adobe\\Illustrator CS2\\플러그-인\\\\zmt_i.aip"},
        {1, 1, "C:\\ZmtPlugin\\bin\\MyAddIn_V11.dll"},
        {1, 1, "C:\\ZmtPlugin\\bin\\MyAddIn_V12.dll"},
        {0, 0, "C:\\Program Files\\QuarkXPress 6.5\\XTension\\\\ZmtLetterquarry.axt"},
    };
    for (const lqtest::LogRecord& item : arrInstalled)
        EXPECT_TRUE(lqtest::PathExists(item.strPath)) << item.strPath << " must be installed";
    EXPECT_EQ(lqtest::UninstallLogOf(arrInstalled), lqtest::ReadFileBytes(kLog));
    if (Is64BitMachine()) {
        // The 32-bit setup program's entry is in the 32-bit view, where Windows lists 32-bit programs.
        EXPECT_TRUE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey, KEY_WOW64_32KEY)) << "the entry in the 32-bit view";
        EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey, KEY_WOW64_64KEY)) << "the entry in the 64-bit view";
    }

    const std::vector<std::string> arrLogged = LoggedFiles();
    Program program("/D" + lqtest::SetupLogSwitch());
    AnswerConfirmation(program, 1, "full-cycle-confirmation");
    HWND hClosing = WaitForDialog("Letterquarry", program.ProcessId(), 120000);
    ASSERT_NE(nullptr, hClosing) << "no closing message";
    lqtest::Screenshot("full-cycle-progress-and-closing-message");
    AnswerDialog(hClosing, Answer::ClickButton(IDOK));
    EXPECT_EQ(0, program.Wait(30000));
    ExpectEverythingRemoved(before);
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kEntryKey, KEY_WOW64_32KEY) ||
                 KeyExists(HKEY_LOCAL_MACHINE, kEntryKey, KEY_WOW64_64KEY))
        << "the entry is gone from both views";

    if (lqtest::SetupLogPath().empty()) return;
    ASSERT_TRUE(lqtest::IsWellFormedSetupLog(lqtest::SetupLogPath()));
    const std::vector<std::string> arrLines = lqtest::SetupLogLines(lqtest::SetupLogPath());
    EXPECT_EQ(2u, lqtest::LinesWith(arrLines, "==== Letterquarry setup").size()) << "the install and the uninstall";
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Mode: install (dialog)").size());
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Mode: uninstall (dialog)").size());
    EXPECT_EQ(2u, lqtest::LinesWith(arrLines, "Guard: no watched program runs").size()) << "before the install and the uninstall";
    for (const std::string& strPath : arrLogged) {
        EXPECT_EQ(1u, lqtest::LinesWith(arrLines, " -> " + strPath).size()) << "copied once: " << strPath;
        EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Deleted " + strPath).size()) << "deleted once: " << strPath;
    }
    for (const char* szApp : {"Excel", "PowerPoint", "Word"})
        EXPECT_EQ(1u, lqtest::LinesWith(arrLines, std::string("Office ") + szApp + ": command bar Letterquarry deleted").size())
            << szApp;
    EXPECT_EQ(2u, lqtest::LinesWith(arrLines, "Exit code 0: done").size());
}

TEST(UninstallInteractive, CancelAtTheConfirmationRemovesNothing) {
    SeedInstalledMachine();
    std::unique_ptr<Program> pPhotoshop;
    StartPhotoshop(pPhotoshop);
    const lqtest::Snapshot before = TakeMachineSnapshot();
    Program program("/D");
    AnswerConfirmation(program, 2, "uninstall-cancelled");
    EXPECT_EQ(1602, program.Wait(30000));
    EXPECT_EQ(-1, pPhotoshop->Wait(0)) << "no guard may run: Photoshop must still run";
    EXPECT_EQ((std::vector<std::string>{}), MachineChanges(before));
}

TEST(UninstallSilent, LowerCaseSwitchesRunTheSilentUninstall) {
    InstallOffice({"Excel", "PowerPoint", "Word"});
    const lqtest::Snapshot before = TakeMachineSnapshot();
    SeedInstalledMachine();
    Program program("/d /b");
    EXPECT_EQ(IsKoreanMachine() ? "Letterquarry 프로그램을 제거 하였습니다." : "It was removed the Letterquarry program.",
              AnswerMessageBox(program, "Letterquarry", 90000));
    EXPECT_EQ(0, program.Wait(30000));
    ExpectEverythingRemoved(before);
}

TEST(UninstallSilent, ApplicationWithoutTheBarIsStartedAndLeftAlone) {
    InstallOffice({"Excel", "Word"});  // PowerPoint never had the bar
    SeedInstalledMachine();
    Program program("/D /B");
    EXPECT_EQ("It was removed the Letterquarry program.", AnswerMessageBox(program, "Letterquarry", 90000));
    EXPECT_EQ(0, program.Wait(30000));
    std::string strPowerPoint;
    const std::string strCalls = OfficeCalls();
    size_t nStart = 0;
    for (size_t nEnd; (nEnd = strCalls.find('\n', nStart)) != std::string::npos; nStart = nEnd + 1)
        if (strCalls.compare(nStart, 11, "PowerPoint ") == 0) strPowerPoint += strCalls.substr(nStart, nEnd + 1 - nStart);
    EXPECT_EQ("PowerPoint Start\r\n"
              "PowerPoint Invoke CommandBars flags=3 -> ok\r\n"
              "PowerPoint Invoke Item flags=1 arg=Letterquarry -> member-not-found\r\n"
              "PowerPoint Invoke Item flags=3 arg=Letterquarry -> missing\r\n"
              "PowerPoint End quit=0\r\n",
              strPowerPoint);
    EXPECT_NE(std::string::npos, strCalls.find("Word Invoke Quit flags=1 -> ok")) << "the sequence goes on";
    EXPECT_FALSE(lqtest::PathExists("C:\\ZmtPlugin\\bin\\ZmtAddin.dll"));
}

TEST(UninstallSilent, NoLogSaysSoAndOnlyResetsRun) {
    SeedInstalledMachine();
    DeleteFileA(kLog);
    const lqtest::Snapshot before = TakeMachineSnapshot();
    Program program("/D /B");
    EXPECT_EQ(IsKoreanMachine() ? "삭제할 정보가 없습니다." : "Not Found Delete Information....",
              AnswerMessageBox(program, "ZmtUpGrade_Letterquarry"));
    EXPECT_EQ(1603, program.Wait(30000));
    const auto arrChanges = MachineChanges(before);
    ASSERT_EQ(1u, arrChanges.size()) << "only the settings file may change";
    EXPECT_EQ(0u, arrChanges[0].find("~ C:\\ZmtPlugin\\Zmt.ini")) << arrChanges[0];
    EXPECT_EQ("0", IniValue("c:\\ZmtPlugin\\Zmt.ini", "Run"));
    EXPECT_EQ("", OfficeCalls()) << "no Office application may be started";
}

TEST(UninstallSilent, NoOfficeShowsThreeBoxesAndGoesOn) {
    SeedInstalledMachine();
    Program program("/D /B");
    for (int i = 0; i < 3; ++i) EXPECT_EQ("CLSIDFromProgID() failed", AnswerMessageBox(program, "Error")) << i;
    EXPECT_EQ("It was removed the Letterquarry program.", AnswerMessageBox(program, "Letterquarry", 60000));
    EXPECT_EQ(0, program.Wait(30000));
    for (const InstalledFile& file : InstalledFiles()) EXPECT_FALSE(lqtest::PathExists(file.strPath)) << file.strPath;
}

class HeldFile : public ::testing::Test {
protected:
    void SetUp() override {
        InstallOffice({"Excel", "PowerPoint", "Word"});
        before = TakeMachineSnapshot();
        SeedInstalledMachine();
        // A host program holds the Photoshop plug-in open without sharing.
        pHeld = std::make_unique<lqtest::HeldFile>(InstalledFiles()[3].strPath);
        ASSERT_TRUE(pHeld->IsHeld());
    }
    void Release() { pHeld->Release(); }
    // Starts the silent uninstall and waits for the in-use prompt; returns it.
    HWND PromptOf(const Program& program, DWORD* pnElapsed) {
        const DWORD nStart = GetTickCount();
        HWND hPrompt = WaitForDialog("Message", program.ProcessId(), 120000);
        *pnElapsed = GetTickCount() - nStart;
        return hPrompt;
    }
    lqtest::Snapshot before;
    std::unique_ptr<lqtest::HeldFile> pHeld;
};

TEST_F(HeldFile, RestartDefersToTheNextLogonWhichRemovesEverything) {
    Program program("/D /B" + lqtest::SetupLogSwitch());
    DWORD nElapsed = 0;
    HWND hPrompt = PromptOf(program, &nElapsed);
    ASSERT_NE(nullptr, hPrompt) << "no in-use prompt";
    std::printf("start to in-use prompt with a held file: %lu ms\n", static_cast<unsigned long>(nElapsed));
    lqtest::Screenshot("uninstall-in-use-prompt");
    EXPECT_EQ("&ReStart Windows", ReadDialog(hPrompt).texts[3]);
    EXPECT_EQ("Closing current &program and Restarting window", ReadDialog(hPrompt).texts[1]);
    AnswerDialog(hPrompt, Answer::ClickButton(3));
    EXPECT_EQ(3010, program.Wait(30000));
    // Under /LOG the run at the next logon repeats the switch, to append to the same log.
    EXPECT_EQ("c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D /B" + lqtest::SetupLogSwitch(), RunOnceValue());
    EXPECT_TRUE(lqtest::PathExists(InstalledFiles()[3].strPath));
    EXPECT_TRUE(lqtest::PathExists("C:\\ZmtPlugin\\bin\\MyAddIn_V11.dll") == false) << "the other files are gone";

    // The next logon: the host program is gone, Windows runs the stored command once.
    Release();
    ASSERT_TRUE(lqtest::WaitForRestartRequestToEnd()) << "the restart request never ended";
    const std::string strStored = RunOnceValue();
    const std::string strArgs = strStored.substr(strStored.find(".exe ") + 5);
    Program next(strArgs);
    EXPECT_EQ("It was removed the Letterquarry program.", AnswerMessageBox(next, "Letterquarry", 90000));
    EXPECT_EQ(0, next.Wait(30000));
    for (const InstalledFile& file : InstalledFiles()) EXPECT_FALSE(lqtest::PathExists(file.strPath)) << file.strPath;
    EXPECT_FALSE(lqtest::PathExists(InstalledFiles()[3].strPath));

    if (lqtest::SetupLogPath().empty()) return;
    const std::vector<std::string> arrLines = lqtest::SetupLogLines(lqtest::SetupLogPath());
    const std::string strHeld = InstalledFiles()[3].strPath;
    EXPECT_EQ(2u, lqtest::LinesWith(arrLines, "Mode: silent uninstall").size()) << "the deferral appended";
    EXPECT_EQ(10u, lqtest::LinesWith(arrLines, "Could not delete " + strHeld + ": error 32 (" +
                                                lqtest::SystemErrorMessage(ERROR_SHARING_VIOLATION) + ")")
                       .size())
        << "once per pass";
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Answer: restart Windows").size());
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "\"ZmtSetup\" = " + strStored).size());
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Exit code 3010: deferred to the next Windows start").size());
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Deleted " + strHeld).size()) << "by the run at the next logon";
    EXPECT_EQ("Exit code 0: done", arrLines.back());
}

TEST_F(HeldFile, MiddleButtonAfterTheProgramClosedRemovesEverything) {
    Program program("/D /B");
    DWORD nElapsed = 0;
    HWND hPrompt = PromptOf(program, &nElapsed);
    ASSERT_NE(nullptr, hPrompt) << "no in-use prompt";
    Release();
    AnswerDialog(hPrompt, Answer::ClickButton(1));
    EXPECT_EQ("It was removed the Letterquarry program.", AnswerMessageBox(program, "Letterquarry", 90000));
    EXPECT_EQ(0, program.Wait(30000));
    ExpectEverythingRemoved(before);
}

TEST(UninstallShared, SiblingKeepsTheAddinAndWithoutWordTheEntryStays) {
    InstallOffice({"Excel", "PowerPoint"});
    UninstallOfficeApplication("Word");
    SeedInstalledMachine();
    lqtest::WriteFileBytes("c:\\ZmtPlugin\\ZmtPT.ini", "[BrelFontPlugin]\r\nPot_Run=1\r\n");
    Program program("/D /B");
    EXPECT_EQ("CLSIDFromProgID() failed", AnswerMessageBox(program, "Error", 90000)) << "Word's box";
    HWND hPrompt = WaitForDialog("Message", program.ProcessId(), 30000);
    ASSERT_NE(nullptr, hPrompt) << "no Slidequarry prompt";
    lqtest::Screenshot("uninstall-slidequarry-prompt");
    AnswerDialog(hPrompt, Answer::ClickButton(2));
    EXPECT_EQ(1603, program.Wait(30000));

    EXPECT_TRUE(lqtest::PathExists("C:\\ZmtPlugin\\bin\\ZmtAddin.dll")) << "the shared library stays";
    lqtest::ExpectedState state;
    state.Key(HKEY_CLASSES_ROOT, kAddinClassKey)
        .Key(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID")
        .Key(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Word\\Addins\\ZmtAddin.MyAddin")
        .Key(HKEY_LOCAL_MACHINE, kEntryKey)
        .NoKey(HKEY_CURRENT_USER, "Software\\OfficeStandin\\Excel\\CommandBars\\Letterquarry")
        .NoKey(HKEY_CURRENT_USER, "Software\\OfficeStandin\\PowerPoint\\CommandBars\\Letterquarry")
        .NoKey(HKEY_CLASSES_ROOT, kV11Class);
    EXPECT_MACHINE(state);
    EXPECT_FALSE(lqtest::PathExists("C:\\ZmtPlugin\\bin\\MyAddIn_V11.dll"));
}

}  // namespace
