#include "setup/app/app.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/app/interactive_install.h"
#include "setup/app/run_lock.h"
#include "setup/app/run_log.h"
#include "setup/app/silent_install.h"
#include "setup/app/switches.h"
#include "setup/app/uninstall_modes.h"
#include "setup/app/upgrade_mode.h"
#include "setup/app/usage_mode.h"
#include "setup/core/country.h"
#include "setup/core/setup_log.h"
#include "setup/core/texts.h"
#include "setup/system/library_loading.h"

#include <commctrl.h>

#include <cstdlib>
#include <memory>

namespace {

// Only a run that shows windows sets up the common controls (its progress bars and lists), and only such a
// run maps their library: loading it registers its window classes and brings up the display driver, which
// a quiet run, showing nothing, paid for at every start. It stays loaded for the dialogs.
bool ShowsWindows(ModeAction action) {
    return action != ModeAction::QuietInstall && action != ModeAction::QuietUninstall;
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
    StartRunLog(commandLine, dllSearch);

    const ModeAction action = ActionFor(commandLine);
    if (ShowsWindows(action)) InitCommonControlsForDialogs();
    // "/U" and "/?" change nothing and need no lock.
    std::unique_ptr<SetupRunLock> pLock;
    if (action != ModeAction::Upgrade && action != ModeAction::Usage) pLock = std::make_unique<SetupRunLock>();
    if (pLock && !pLock->IsHeld()) {
        LogEvent("Another run of the setup program is in progress; this one changes nothing");
        if (!commandLine.silent)
            AfxMessageBox(Text(TextId::AlreadyRunning), MB_OK | MB_ICONINFORMATION);
        m_nExitCode = kExitAlreadyRunning;
        EndRunLog(m_nExitCode);
        return FALSE;
    }

    switch (action) {
    case ModeAction::InteractiveInstall: m_nExitCode = RunInteractiveInstall(); break;
    case ModeAction::SilentInstall: m_nExitCode = RunSilentInstall(); break;
    case ModeAction::QuietInstall: m_nExitCode = RunQuietInstall(); break;
    case ModeAction::InteractiveUninstall: m_nExitCode = RunInteractiveUninstall(); break;
    case ModeAction::SilentUninstall: m_nExitCode = RunSilentUninstall(); break;
    case ModeAction::QuietUninstall: m_nExitCode = RunQuietUninstall(); break;
    case ModeAction::Upgrade: m_nExitCode = RunUpgrade(); break;
    case ModeAction::Usage: m_nExitCode = RunUsage(); break;
    }
    EndRunLog(m_nExitCode);
    return FALSE;
}

BOOL CZmtUpGradeApp::PumpMessage() { return CWinApp::PumpMessage(); }
