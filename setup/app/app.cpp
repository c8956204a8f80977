#include "setup/app/app.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/app/interactive_install.h"
#include "setup/app/run_lock.h"
#include "setup/app/run_log.h"
#include "setup/app/run_modes.h"
#include "setup/app/switches.h"
#include "setup/core/country.h"
#include "setup/core/file_access.h"
#include "setup/core/setup_log.h"
#include "setup/core/suite_paths.h"
#include "setup/core/texts.h"
#include "setup/system/library_loading.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>

namespace {

// Only a run that shows windows sets up the common controls (its progress bars and lists), and only such a
// run maps their library: loading it registers its window classes and brings up the display driver, which
// a quiet run, showing nothing, paid for at every start. It stays loaded for the dialogs.
bool ShowsWindows(const RunModePolicy& policy) {
    return policy.progress != ProgressPlace::None || policy.answers == AnswerPolicy::User;
}
void InitCommonControlsForDialogs() {
    using InitFunction = BOOL(WINAPI*)(const INITCOMMONCONTROLSEX*);
    const HMODULE hCommonControls = LoadManifestLibrary("comctl32.dll");
    // Through the generic function pointer type, as for every export looked up by name.
    const auto pfnInit = hCommonControls ? reinterpret_cast<InitFunction>(reinterpret_cast<void (*)()>(
                                               GetProcAddress(hCommonControls, "InitCommonControlsEx")))
                                         : nullptr;
    if (!pfnInit) return;
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = 8;
    icc.dwICC = 0xFF;  // list view, tree view, bar, tab, up-down, progress, hot-key, animation
    pfnInit(&icc);
}

}  // namespace

int CZmtUpGradeApp::ReadSystemCountryCode() {
    char szCountry[7] = {};
    if (!GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_ICOUNTRY, szCountry, sizeof szCountry)) return 0;
    return atoi(szCountry);
}

std::vector<std::string> CZmtUpGradeApp::Arguments() {
    std::vector<std::string> arrArguments;
    for (int i = 1; i < __argc; ++i) arrArguments.emplace_back(__argv[i]);
    return arrArguments;
}

BOOL CZmtUpGradeApp::InitInstance() {
    // Before anything is loaded by name: this program runs elevated.
    const DllSearch dllSearch = RestrictDllSearchPath();
    // The framework's own initialisation is done by WinMain; our dialogs host no ActiveX controls, so
    // there is no control container to enable.

    countryCode = ReadSystemCountryCode();
    CommandLine commandLine = ParseCommandLine(Arguments());
    if (commandLine.forceEnglish) countryCode = 0;
    SetLanguage(LanguageOfCountry(countryCode));
    StartRunLog(commandLine, dllSearch, countryCode);

    const RunModePolicy& policy = PolicyOf(ActionFor(commandLine));
    if (ShowsWindows(policy)) InitCommonControlsForDialogs();
    m_nExitCode = policy.bChangesMachine ? RunChangingMode(policy, commandLine) : RunMode(policy);
    EndRunLog(m_nExitCode);
    return FALSE;
}

int CZmtUpGradeApp::RunChangingMode(const RunModePolicy& policy, const CommandLine& commandLine) {
    const SetupRunLock lock;
    if (lock.GetState() != SetupRunLock::State::Held) {
        LogEvent(lock.GetState() == SetupRunLock::State::Taken
                     ? "Another run of the setup program is in progress; this one changes nothing"
                     : "Whether another run of the setup program is in progress cannot be told; this one changes nothing");
        if (!commandLine.silent) AfxMessageBox(Text(TextId::AlreadyRunning), MB_OK | MB_ICONINFORMATION);
        return kExitAlreadyRunning;
    }
    // The program, what it copies and registers, and the uninstall log are read from there: before anything
    // is, only administrators may change it.
    if (ProtectShippedFolder(kSourceFolder).status == OpStatus::Refused) return kExitFailed;
    return RunMode(policy);
}

BOOL CZmtUpGradeApp::PumpMessage() { return CWinApp::PumpMessage(); }
