#include "tests/support/programs.h"

#include "tests/support/suite.h"

namespace lqtest {

Program::Program(const std::string& strArgs, const std::string& strExe) {
    std::string strPath = strExe.empty() ? kSetupExe : strExe;
    std::string strCommand = "\"" + strPath + "\"" + (strArgs.empty() ? "" : " " + strArgs);
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(strPath.c_str(), &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi))
        m_pi = PROCESS_INFORMATION{};
}

Program::~Program() {
    if (!m_pi.hProcess) return;
    if (WaitForSingleObject(m_pi.hProcess, 2000) == WAIT_TIMEOUT) TerminateProcess(m_pi.hProcess, 99);
    CloseHandle(m_pi.hProcess);
    CloseHandle(m_pi.hThread);
}

int Program::Wait(DWORD dwTimeoutMs) {
    if (!m_pi.hProcess) return -1;
    if (WaitForSingleObject(m_pi.hProcess, dwTimeoutMs) != WAIT_OBJECT_0) return -1;
    DWORD dwCode = 0;
    GetExitCodeProcess(m_pi.hProcess, &dwCode);
    return static_cast<int>(dwCode);
}

int RunToEnd(const std::string& strArgs, DWORD dwTimeoutMs, const std::string& strExe) {
    Program program(strArgs, strExe);
    return program.Wait(dwTimeoutMs);
}

}  // namespace lqtest
