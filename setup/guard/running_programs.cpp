#include "setup/guard/running_programs.h"

#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

#include <windows.h>
#include <tlhelp32.h>


const WatchedProgram WatchedPrograms[8] = {
    {"CorelDraw", "CorelDrw.exe"},     {"CorelDraw", "CorelDRW.exe"},
    {"PowerPoint", "POWERPNT.EXE"},    {"Excel", "EXCEL.EXE"},
    {"Winword", "WINWORD.EXE"},        {"Photoshop", "Photoshop.exe"},
    {"Illustrator", "Illustrator.exe"}, {"QuarkXpress", "QuarkXPress Korean.exe"},
};

bool TakeProcessSnapshot(std::vector<RunningProcess>& arrProcesses) {
    arrProcesses.clear();
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return false;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Process32First(snapshot.Get(), &entry); bMore; bMore = Process32Next(snapshot.Get(), &entry)) {
        RunningProcess process{entry.th32ProcessID, entry.szExeFile, false, 0};
        process.bSessionKnown = ProcessIdToSessionId(entry.th32ProcessID, &process.dwSessionId) != FALSE;
        arrProcesses.push_back(process);
    }
    return true;
}

namespace {

ProcessSnapshot g_pfnSnapshot = TakeProcessSnapshot;

// Calls onMatch(process) for each process of the setup program's own session whose executable file name
// begins with strName, in snapshot order, until it returns true. False when no snapshot could be taken.
template <typename OnMatch>
bool ForEachMatchingProcess(const std::string& strName, OnMatch onMatch) {
    std::vector<RunningProcess> arrProcesses;
    if (!g_pfnSnapshot(arrProcesses)) return false;
    DWORD dwOwnSession = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &dwOwnSession)) return true;  // no session, no match
    for (const RunningProcess& process : arrProcesses) {
        if (process.strExeFile.compare(0, strName.size(), strName) != 0) continue;
        if (!process.bSessionKnown || process.dwSessionId != dwOwnSession) continue;
        if (onMatch(process)) break;
    }
    return true;
}

}  // namespace

void SetProcessSnapshot(ProcessSnapshot pfnSnapshot) { g_pfnSnapshot = pfnSnapshot ? pfnSnapshot : TakeProcessSnapshot; }

bool IsProgramRunning(const std::string& strName) {
    bool bFound = false;
    ForEachMatchingProcess(strName, [&bFound](const RunningProcess&) { return bFound = true; });
    return bFound;
}

bool KillProgram(const std::string& strName) {
    bool bOpened = false;
    const bool bSnapshot = ForEachMatchingProcess(strName, [&bOpened](const RunningProcess& entry) {
        // PROCESS_TERMINATE, the one right TerminateProcess needs, rather than all access (0x1F0FFF, all
        // access as Windows XP defined it): all access is granted only as a whole, so a process whose access
        // list withholds any single other right (a program hardened against code injection) could not be
        // opened at all.
        ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.dwProcessId));
        if (!process.IsValid()) {
            LogEvent("Guard: could not open process %lu (%s): %s", entry.dwProcessId, entry.strExeFile.c_str(),
                     DescribeError(GetLastError()).c_str());
            return false;
        }
        if (TerminateProcess(process.Get(), 0))
            LogEvent("Guard: terminated process %lu (%s)", entry.dwProcessId, entry.strExeFile.c_str());
        else
            LogEvent("Guard: could not terminate process %lu (%s): %s", entry.dwProcessId, entry.strExeFile.c_str(),
                     DescribeError(GetLastError()).c_str());
        return bOpened = true;
    });
    if (!bSnapshot) {
        LogEvent("Guard: no process snapshot: %s", DescribeError(GetLastError()).c_str());
        return false;
    }
    if (!bOpened)
        LogEvent("Guard: no process of %s in this session could be opened; nothing terminated", strName.c_str());
    return true;
}
