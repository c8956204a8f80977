#include "tests/support/setup_runs.h"

#include "tests/support/machine.h"
#include "tools/uidriver/uidriver.h"

namespace e2e {

namespace {

int RunUninstallAnsweringBoxes(const std::string& strArgs, std::vector<std::string>* pCaptions, DWORD dwTimeoutMs,
                               const std::function<bool()>& fnKillWhen) {
    Program program(strArgs);
    if (!program.Started()) return -1;
    const DWORD dwStart = GetTickCount();
    std::vector<HWND> arrAnswered;
    while (GetTickCount() - dwStart < dwTimeoutMs) {
        const int nExit = program.Wait(50);
        if (nExit != -1) return nExit;
        if (fnKillWhen && fnKillWhen()) return KillProcess(program.ProcessId()) ? kKilled : -1;
        // A handle is reused once its box is gone; forget those.
        std::vector<HWND> arrStill;
        for (HWND h : arrAnswered)
            if (IsWindow(h)) arrStill.push_back(h);
        arrAnswered.swap(arrStill);
        for (const uidriver::WindowInfo& window : uidriver::TopLevelWindows(program.ProcessId())) {
            if (window.strClass != "#32770" || (window.strText != "Error" && window.strText != "Letterquarry")) continue;
            bool bDone = false;
            for (HWND h : arrAnswered) bDone |= h == window.hWnd;
            if (bDone) continue;
            if (pCaptions) pCaptions->push_back(window.strText);
            uidriver::ClickButton(window.hWnd, IDOK);
            arrAnswered.push_back(window.hWnd);
        }
    }
    return -1;
}

}  // namespace

int UninstallSilently(const std::string& strMoreArgs, std::vector<std::string>* pCaptions, DWORD dwTimeoutMs) {
    return RunUninstallAnsweringBoxes("/D /B" + strMoreArgs, pCaptions, dwTimeoutMs, nullptr);
}

int UninstallSilentlyUntil(const std::function<bool()>& fnKillWhen, DWORD dwTimeoutMs) {
    return RunUninstallAnsweringBoxes("/D /B", nullptr, dwTimeoutMs, fnKillWhen);
}

bool KillProcess(DWORD dwProcessId) {
    HANDLE hProcess = OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, dwProcessId);
    if (!hProcess) return false;
    TerminateProcess(hProcess, 9);
    const bool bEnded = WaitForSingleObject(hProcess, 10000) == WAIT_OBJECT_0;
    CloseHandle(hProcess);
    return bEnded;
}

std::vector<std::string> LoggedPaths(const std::string& strPath) {
    std::vector<std::string> arrFiles;
    const std::string strLog = ReadFileBytes(strPath);
    for (size_t nAt = strLog.find("[F:"); nAt != std::string::npos; nAt = strLog.find("[F:", nAt + 1)) {
        const size_t nEnd = strLog.find("][E]", nAt);
        if (nEnd != std::string::npos) arrFiles.push_back(strLog.substr(nAt + 3, nEnd - nAt - 3));
    }
    return arrFiles;
}

bool IsCompleteUninstallLog(const std::string& strPath) {
    if (!PathExists(strPath)) return true;
    const std::string strLog = ReadFileBytes(strPath);
    const std::string strStart = "[UnInstall][E]\r\r\n";
    const std::string strEnd = "[UnInstall End][E]\r\r\n";
    return strLog.compare(0, strStart.size(), strStart) == 0 && strLog.size() >= strStart.size() + strEnd.size() &&
           strLog.compare(strLog.size() - strEnd.size(), strEnd.size(), strEnd) == 0;
}

}  // namespace e2e
