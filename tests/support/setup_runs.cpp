#include "tests/support/setup_runs.h"

#include "tests/support/dialogs.h"
#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tools/uidriver/uidriver.h"

#include <tlhelp32.h>

#include <algorithm>

namespace lqtest {

namespace {

// Waits for the run's end, killing it as soon as fnKillWhen() is true: its exit code, kKilled, or -1.
int EndOf(Program& program, DWORD dwTimeoutMs, const std::function<bool()>& fnKillWhen) {
    for (const DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < dwTimeoutMs;) {
        const int nExit = program.Wait(50);
        if (nExit != -1) return nExit;
        if (fnKillWhen && fnKillWhen()) return KillProcess(program.ProcessId()) ? kKilled : -1;
    }
    return -1;
}

int RunUninstallAnsweringBoxes(const std::string& strArgs, std::vector<std::string>* pCaptions, DWORD dwTimeoutMs,
                               const std::function<bool()>& fnKillWhen) {
    Program program(strArgs);
    if (!program.Started()) return -1;
    DialogAnswerer answerer(program.ProcessId());
    answerer.On("Error", {Answer::ClickButton(IDOK)});
    answerer.On("Letterquarry", {Answer::ClickButton(IDOK)});
    const int nExit = EndOf(program, dwTimeoutMs, fnKillWhen);
    if (pCaptions)
        for (const SeenDialog& box : answerer.Seen()) pCaptions->push_back(box.strCaption);
    return nExit;
}

}  // namespace

int UninstallSilently(const std::string& strMoreArgs, std::vector<std::string>* pCaptions, DWORD dwTimeoutMs) {
    return RunUninstallAnsweringBoxes("/D /B" + strMoreArgs, pCaptions, dwTimeoutMs, nullptr);
}

int UninstallSilentlyUntil(const std::function<bool()>& fnKillWhen, DWORD dwTimeoutMs) {
    return RunUninstallAnsweringBoxes("/D /B", nullptr, dwTimeoutMs, fnKillWhen);
}

namespace {

bool IsWinebootRunning() {
    bool bRunning = false;
    HANDLE hSnapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Process32First(hSnapshot, &entry); bMore; bMore = Process32Next(hSnapshot, &entry))
        bRunning |= lstrcmpiA(entry.szExeFile, "wineboot.exe") == 0;
    CloseHandle(hSnapshot);
    return bRunning;
}

}  // namespace

WatchedRun RunWatchingForWindows(const std::string& strArgs, DWORD dwTimeoutMs) {
    WatchedRun run;
    Program program(strArgs);
    std::vector<HWND> arrSeen;
    for (const DWORD dwStart = GetTickCount(); GetTickCount() - dwStart < dwTimeoutMs;) {
        for (const auto& window : uidriver::TopLevelWindows(program.ProcessId()))
            if (window.bVisible && std::find(arrSeen.begin(), arrSeen.end(), window.hWnd) == arrSeen.end())
                arrSeen.push_back(window.hWnd);
        run.bRestartAsked |= IsWinebootRunning();
        // A window nobody will answer: the run would wait for ever; it has failed already.
        if (!arrSeen.empty()) {
            KillProcess(program.ProcessId());
            break;
        }
        run.nExitCode = program.Wait(10);
        if (run.nExitCode != -1) break;
    }
    run.nWindowsSeen = arrSeen.size();
    run.bRestartAsked |= IsWinebootRunning();
    return run;
}

bool WaitForRestartRequestToEnd(DWORD dwTimeoutMs) {
    // The windows it asked to close may answer after wineboot itself has gone: the session counts as
    // ended once no wineboot has run for a while.
    const DWORD kQuietMs = 3000;
    const DWORD dwStart = GetTickCount();
    DWORD dwLastSeen = GetTickCount();
    for (;;) {
        if (IsWinebootRunning()) dwLastSeen = GetTickCount();
        else if (GetTickCount() - dwLastSeen >= kQuietMs) return true;
        if (GetTickCount() - dwStart > dwTimeoutMs) return false;
        Sleep(100);
    }
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

}  // namespace lqtest
