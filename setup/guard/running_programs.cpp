#include "setup/guard/program_guard.h"

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

constexpr DWORD kProcessAllAccessBeforeVista = 0x1F0FFF;

}  // namespace

bool IsProgramRunning(const std::string& strName) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) return false;
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Process32First(snapshot.Get(), &entry); bMore; bMore = Process32Next(snapshot.Get(), &entry)) {
        if (std::strncmp(entry.szExeFile, strName.c_str(), strName.size()) == 0) return true;
    }
    return false;
}

bool KillProgram(const std::string& strName) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (!snapshot.IsValid()) {
        LogEvent("Guard: no process snapshot: %s", DescribeError(GetLastError()).c_str());
        return false;
    }
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Process32First(snapshot.Get(), &entry); bMore; bMore = Process32Next(snapshot.Get(), &entry)) {
        if (!ProcessHasModule(entry.th32ProcessID, strName)) continue;
        ScopedHandle process(OpenProcess(kProcessAllAccessBeforeVista, FALSE, entry.th32ProcessID));
        if (!process.IsValid()) {
            LogEvent("Guard: could not open process %lu (%s): %s", entry.th32ProcessID, strName.c_str(),
                     DescribeError(GetLastError()).c_str());
            continue;
        }
        if (TerminateProcess(process.Get(), 0))
            LogEvent("Guard: terminated process %lu (%s)", entry.th32ProcessID, strName.c_str());
        else
            LogEvent("Guard: could not terminate process %lu (%s): %s", entry.th32ProcessID, strName.c_str(),
                     DescribeError(GetLastError()).c_str());
        return true;
    }
    LogEvent("Guard: no process has a module named exactly %s; nothing terminated", strName.c_str());
    return true;
}

bool ProcessHasModule(unsigned long dwProcessId, const std::string& strName) {
    ScopedHandle snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, dwProcessId));
    if (!snapshot.IsValid()) return false;
    MODULEENTRY32 entry;
    entry.dwSize = sizeof entry;
    for (BOOL bMore = Module32First(snapshot.Get(), &entry); bMore; bMore = Module32Next(snapshot.Get(), &entry)) {
        if (std::strcmp(entry.szModule, strName.c_str()) == 0) return true;
    }
    return false;
}
