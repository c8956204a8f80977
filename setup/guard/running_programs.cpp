#include "setup/guard/running_programs.h"

#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

#include <windows.h>
#include <tlhelp32.h>

#include <cstring>

const WatchedProgram WatchedPrograms[8] = {
    {"CorelDraw", "CorelDrw.exe"},     {"CorelDraw", "CorelDRW.exe"},
    {"PowerPoint", "POWERPNT.EXE"},    {"Excel", "EXCEL.EXE"},
    {"Winword", "WINWORD.EXE"},        {"Photoshop", "Photoshop.exe"},
    {"Illustrator", "Illustrator.exe"}, {"QuarkXpress", "QuarkXPress Korean.exe"},
};

namespace {

// Calls onMatch(entry) for each process of the setup program's own session whose executable file name
// begins with strName, in snapshot order, until it returns true. False when no snapshot could be taken.
template <typename OnMatch>
bool ForEachMatchingProcess(const std::string& strName, OnMatch onMatch) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return false;
    DWORD dwOwnSession = 0;
    if (!ProcessIdToSessionId(GetCurrentProcessId(), &dwOwnSession)) return true;  // no session, no match
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Process32First(snapshot.Get(), &entry); bMore; bMore = Process32Next(snapshot.Get(), &entry)) {
        if (std::strncmp(entry.szExeFile, strName.c_str(), strName.size()) != 0) continue;
        DWORD dwSession = 0;
        if (!ProcessIdToSessionId(entry.th32ProcessID, &dwSession) || dwSession != dwOwnSession) continue;
        if (onMatch(entry)) break;
    }
    return true;
}

}  // namespace

bool IsProgramRunning(const std::string& strName) {
    bool bFound = false;
    ForEachMatchingProcess(strName, [&bFound](const PROCESSENTRY32&) { return bFound = true; });
    return bFound;
}

bool KillProgram(const std::string& strName) {
    bool bOpened = false;
    const bool bSnapshot = ForEachMatchingProcess(strName, [&bOpened](const PROCESSENTRY32& entry) {
        // PROCESS_TERMINATE, the one right TerminateProcess needs, rather than all access (0x1F0FFF, all
        // access as Windows XP defined it): all access is granted only as a whole, so a process whose access
        // list withholds any single other right (a program hardened against code injection) could not be
        // opened at all.
        ScopedHandle process(OpenProcess(PROCESS_TERMINATE, FALSE, entry.th32ProcessID));
        if (!process.IsValid()) {
            LogEvent("Guard: could not open process %lu (%s): %s", entry.th32ProcessID, entry.szExeFile,
                     DescribeError(GetLastError()).c_str());
            return false;
        }
        if (TerminateProcess(process.Get(), 0))
            LogEvent("Guard: terminated process %lu (%s)", entry.th32ProcessID, entry.szExeFile);
        else
            LogEvent("Guard: could not terminate process %lu (%s): %s", entry.th32ProcessID, entry.szExeFile,
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
