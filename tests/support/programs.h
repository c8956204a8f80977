// Programs a test starts on its machine: the setup program (by default) or any other executable.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// A running program; the destructor waits briefly and then terminates it if it still runs.
class Program {
public:
    // Starts strExe with the command-line tail strArgs (e.g. "/D /B"); strExe defaults to the setup
    // program in C:\ZmtPlugin\install.
    explicit Program(const std::string& strArgs, const std::string& strExe = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    bool Started() const { return m_pi.hProcess != nullptr; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    // Waits for the end; returns the exit code, or -1 on time-out.
    int Wait(DWORD dwTimeoutMs = 60000);

private:
    PROCESS_INFORMATION m_pi{};
};

// Runs a program to its end; returns its exit code, or -1 when it did not start or end in time.
int RunToEnd(const std::string& strArgs, DWORD dwTimeoutMs = 120000, const std::string& strExe = "");

}  // namespace lqtest
