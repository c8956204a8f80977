// The Windows Installer package's custom actions: the package places C:\ZmtPlugin\install, and these run the
// setup program from there as a deployment tool does ("/B /QUIET", "/D /B /QUIET") and turn its exit codes
// into the results msiexec understands. A program started as an EXE custom action would lose 3010 (every
// non-zero exit is a failure there), so the package starts it through this DLL.
//
// RunSetupInstall and RunSetupUninstall are deferred and not impersonated: they run as SYSTEM, inside the
// script, where no property can be read but CustomActionData ("<install folder>|<setup log path>", the log
// path possibly empty) and no mode can be set. RequestRestartIfDeferred is immediate, after InstallFinalize,
// where MsiSetMode is allowed: a run that waits for the next Windows start left its command under RunOnce.
#include "setup/app/exit_codes.h"
#include "setup/core/suite_paths.h"
#include "setup/system/restart.h"

#include <windows.h>
#include <msi.h>
#include <msiquery.h>

#include <cwchar>

namespace {

// Kept to the C library and Windows (no std::wstring): the DLL is copied into every package and loaded into
// msiexec's custom-action server.
constexpr wchar_t kSetupProgramName[] = L"ZmtUpGrade_Letterquarry.exe";
// The program's path, its switches and a log path: two paths and some.
constexpr size_t kMaxCommand = 2 * MAX_PATH + 64;

// One line in msiexec's log ("/l*v"), and nowhere else: a quiet install shows nothing.
void Log(MSIHANDLE hInstall, const wchar_t* szFormat, ...) {
    wchar_t szLine[kMaxCommand + 128];
    va_list args;
    va_start(args, szFormat);
    const int nPrefix = _snwprintf(szLine, 32, L"Letterquarry: ");
    _vsnwprintf(szLine + nPrefix, kMaxCommand, szFormat, args);
    va_end(args);
    szLine[kMaxCommand + 127] = L'\0';
    PMSIHANDLE hRecord = MsiCreateRecord(0);
    MsiRecordSetStringW(hRecord, 0, szLine);
    MsiProcessMessage(hInstall, INSTALLMESSAGE_INFO, hRecord);
}

// CustomActionData, "<install folder>|<setup log path>": '|' is never part of a Windows path. The folder gets
// its trailing backslash; the log path may be empty. False when the data does not fit.
struct ActionData {
    wchar_t szFolder[MAX_PATH + 1];
    wchar_t szLogPath[MAX_PATH + 1];
};
bool ReadActionData(MSIHANDLE hInstall, ActionData& data) {
    wchar_t szData[2 * MAX_PATH + 4];
    DWORD nLength = sizeof szData / sizeof szData[0];
    if (MsiGetPropertyW(hInstall, L"CustomActionData", szData, &nLength) != ERROR_SUCCESS) return false;
    wchar_t* pBar = wcschr(szData, L'|');
    const wchar_t* szLog = L"";
    if (pBar) {
        *pBar = L'\0';
        szLog = pBar + 1;
    }
    const size_t nFolder = wcslen(szData);
    if (nFolder == 0 || nFolder + 1 > MAX_PATH || wcslen(szLog) > MAX_PATH) return false;
    wcscpy(data.szFolder, szData);
    if (data.szFolder[nFolder - 1] != L'\\') wcscat(data.szFolder, L"\\");
    wcscpy(data.szLogPath, szLog);
    return true;
}

// What each exit code of the setup program means, for the log.
const wchar_t* Meaning(DWORD dwExit) {
    switch (dwExit) {
    case kExitSuccess: return L"done";
    case kExitCancelled: return L"cancelled";
    case kExitFailed: return L"failed (its /LOG setup log says why)";
    case kExitAlreadyRunning: return L"another run of the setup program was in progress, nothing done";
    case kExitRestart: return L"files in use, the work waits for the next Windows start";
    default: return L"not an exit code of the setup program";
    }
}

// Runs the setup program of data.szFolder with szSwitches (and "/LOG=" when a log path was given), waits for
// its end and logs the exit code. Returns the exit code, or kExitFailed when it could not be started.
DWORD RunSetupProgram(MSIHANDLE hInstall, const ActionData& data, const wchar_t* szSwitches) {
    wchar_t szProgram[MAX_PATH + 32], szCommand[kMaxCommand];
    _snwprintf(szProgram, MAX_PATH + 32, L"%ls%ls", data.szFolder, kSetupProgramName);
    if (data.szLogPath[0])
        _snwprintf(szCommand, kMaxCommand, L"\"%ls\" %ls \"/LOG=%ls\"", szProgram, szSwitches, data.szLogPath);
    else
        _snwprintf(szCommand, kMaxCommand, L"\"%ls\" %ls", szProgram, szSwitches);
    Log(hInstall, L"running %ls", szCommand);
    STARTUPINFOW si{};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi{};
    if (!CreateProcessW(szProgram, szCommand, nullptr, nullptr, FALSE, 0, nullptr, data.szFolder, &si, &pi)) {
        Log(hInstall, L"the setup program could not be started: error %lu", GetLastError());
        return kExitFailed;
    }
    CloseHandle(pi.hThread);
    // A quiet run never waits for anyone, so its end is waited for without a limit, as msiexec waits for
    // any action.
    WaitForSingleObject(pi.hProcess, INFINITE);
    DWORD dwExit = kExitFailed;
    if (!GetExitCodeProcess(pi.hProcess, &dwExit)) dwExit = kExitFailed;
    CloseHandle(pi.hProcess);
    Log(hInstall, L"the setup program ended with exit code %lu: %ls", dwExit, Meaning(dwExit));
    return dwExit;
}

// The setup program's entry in the list of programs (kUninstallRecordKey).
const char* EntryKey() {
    static char szKey[256];
    if (!szKey[0]) wsprintfA(szKey, "%s\\LetterquarryUnInstall", kWindowsUninstallKey);
    return szKey;
}

bool UninstallEntryExists() {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, EntryKey(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
    RegCloseKey(hKey);
    return true;
}

// The package's own entry is the one the list of programs shows: the setup program's entry stays for
// detection by "DisplayVersion" but is hidden. The key is made now when the install waits for the next
// start, so that the entry that run writes is hidden too.
void HideSetupProgramEntry(MSIHANDLE hInstall) {
    HKEY hKey = nullptr;
    LONG lResult = RegCreateKeyExA(HKEY_LOCAL_MACHINE, EntryKey(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_SET_VALUE,
                                   nullptr, &hKey, nullptr);
    if (lResult == ERROR_SUCCESS) {
        const DWORD dwOne = 1;
        lResult = RegSetValueExA(hKey, "SystemComponent", 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwOne), sizeof dwOne);
        RegCloseKey(hKey);
    }
    if (lResult != ERROR_SUCCESS) Log(hInstall, L"the setup program's entry could not be hidden: error %ld", lResult);
}

UINT ResultOf(MSIHANDLE hInstall, DWORD dwExit) {
    switch (dwExit) {
    case kExitSuccess: return ERROR_SUCCESS;
    case kExitCancelled: return ERROR_INSTALL_USEREXIT;
    default: Log(hInstall, L"the package fails: exit code %lu", dwExit); return ERROR_INSTALL_FAILURE;
    }
}

}  // namespace

extern "C" UINT __stdcall RunSetupInstall(MSIHANDLE hInstall) {
    ActionData data;
    if (!ReadActionData(hInstall, data)) {
        Log(hInstall, L"no install folder in CustomActionData");
        return ERROR_INSTALL_FAILURE;
    }
    const bool bInstalledBefore = UninstallEntryExists();
    const DWORD dwExit = RunSetupProgram(hInstall, data, L"/B /QUIET");
    if (dwExit == kExitSuccess || dwExit == kExitRestart) {
        HideSetupProgramEntry(hInstall);
        return ERROR_SUCCESS;  // a deferral asks for the restart after InstallFinalize
    }
    if (dwExit == kExitFailed && !bInstalledBefore) {
        // The copies and registrations made before the failure are on record in the uninstall log: take them
        // back, so that a failed package leaves nothing registered. An earlier installation is left alone.
        Log(hInstall, L"taking back what the failed install placed");
        RunSetupProgram(hInstall, data, L"/D /B /QUIET");
    }
    return ResultOf(hInstall, dwExit);
}

extern "C" UINT __stdcall RunSetupUninstall(MSIHANDLE hInstall) {
    ActionData data;
    if (!ReadActionData(hInstall, data)) {
        Log(hInstall, L"no install folder in CustomActionData");
        return ERROR_INSTALL_FAILURE;
    }
    if (GetFileAttributesA(kUninstallLogPath) == INVALID_FILE_ATTRIBUTES) {
        Log(hInstall, L"no uninstall log: nothing of the suite to remove");
        return ERROR_SUCCESS;
    }
    const DWORD dwExit = RunSetupProgram(hInstall, data, L"/D /B /QUIET");
    if (dwExit == kExitRestart) {
        // The deferred uninstall runs the setup program from this folder at the next start, which the removal
        // would take away: the package stays, and is removed again after the restart.
        Log(hInstall, L"files in use: the uninstall finishes at the next Windows start; remove the package after it");
        return ERROR_INSTALL_FAILURE;
    }
    return ResultOf(hInstall, dwExit);
}

extern "C" UINT __stdcall RequestRestartIfDeferred(MSIHANDLE hInstall) {
    HKEY hKey = nullptr;
    bool bDeferred = false;
    // A quiet run stores its deferral as the machine's (RunOnceRoot::Machine).
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRunOnceKey, 0, KEY_QUERY_VALUE, &hKey) == ERROR_SUCCESS) {
        bDeferred = RegQueryValueExA(hKey, kRunOnceValue, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
        RegCloseKey(hKey);
    }
    if (bDeferred) {
        Log(hInstall, L"a run waits for the next Windows start: restart required (3010)");
        MsiSetMode(hInstall, MSIRUNMODE_REBOOTATEND, TRUE);
    }
    return ERROR_SUCCESS;
}
