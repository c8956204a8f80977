#include "setup/app/app.h"

#include "setup/core/country.h"
#include "setup/app/run_log.h"
#include "setup/app/run_modes.h"
#include "setup/app/switches.h"

#include <commctrl.h>

#include <cstdlib>

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
    INITCOMMONCONTROLSEX icc;
    icc.dwSize = 8;
    icc.dwICC = 0xFF;  // list view, tree view, bar, tab, up-down, progress, hot-key, animation
    InitCommonControlsEx(&icc);
    // The framework's own initialisation is done by WinMain; our dialogs host no ActiveX controls, so
    // there is no control container to enable.

    countryCode = ReadSystemCountryCode();
    CommandLine commandLine = ParseCommandLine(Arguments());
    if (commandLine.forceEnglish) countryCode = 0;
    StartRunLog(commandLine);

    switch (ActionFor(commandLine)) {
    case ModeAction::InteractiveInstall: m_nExitCode = RunInteractiveInstall(); break;
    case ModeAction::SilentInstall: m_nExitCode = RunSilentInstall(); break;
    case ModeAction::InteractiveUninstall: m_nExitCode = RunInteractiveUninstall(); break;
    case ModeAction::SilentUninstall: m_nExitCode = RunSilentUninstall(); break;
    case ModeAction::Upgrade: m_nExitCode = RunUpgrade(); break;
    }
    EndRunLog(m_nExitCode);
    return FALSE;
}

BOOL CZmtUpGradeApp::PumpMessage() { return CWinApp::PumpMessage(); }
