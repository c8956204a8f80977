#include "tests/support/standin.h"

#include <aclapi.h>

#include <cstdlib>

namespace lqtest {

std::string StandInSource(const std::string& strDefault) {
    const char* szNamed = getenv("LQ_STANDIN");
    return szNamed && *szNamed ? szNamed : strDefault;
}

std::string StandInSource() {
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath(szPath);
    return StandInSource(strPath.substr(0, strPath.find_last_of('\\') + 1) + "guard_standin.exe");
}

StandInProcess::StandInProcess(const std::string& strExeName, const std::string& strSource) {
    // A folder per instance: the file system ignores case, so "excel.exe" must not land on "EXCEL.EXE".
    static int nCount = 0;
    std::string strFolder = "C:\\lqguard\\" + std::to_string(++nCount);
    CreateDirectoryA("C:\\lqguard", nullptr);
    CreateDirectoryA(strFolder.c_str(), nullptr);
    std::string strExe = strFolder + "\\" + strExeName;
    CopyFileA(strSource.c_str(), strExe.c_str(), FALSE);

    std::string strEvent = "lqguard-ready-" + std::to_string(GetCurrentProcessId()) + "-" + std::to_string(nCount);
    HANDLE hReady = CreateEventA(nullptr, TRUE, FALSE, strEvent.c_str());
    std::string strCommand = "\"" + strExe + "\" " + strEvent;
    STARTUPINFOA si{};
    si.cb = sizeof si;
    if (!CreateProcessA(strExe.c_str(), &strCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si, &m_pi)) {
        m_pi = PROCESS_INFORMATION{};
    } else {
        HANDLE handles[2] = {hReady, m_pi.hProcess};
        WaitForMultipleObjects(2, handles, FALSE, 20000);
    }
    CloseHandle(hReady);
}

StandInProcess::~StandInProcess() {
    if (!m_pi.hProcess) return;
    if (!HasEnded()) {
        TerminateProcess(m_pi.hProcess, 1);
        WaitForSingleObject(m_pi.hProcess, 5000);
    }
    CloseHandle(m_pi.hThread);
    CloseHandle(m_pi.hProcess);
}

bool StandInProcess::HasEnded(DWORD dwTimeoutMs) const {
    return m_pi.hProcess && WaitForSingleObject(m_pi.hProcess, dwTimeoutMs) == WAIT_OBJECT_0;
}

bool StandInProcess::IsWow64() const {
    BOOL bWow64 = FALSE;
    return m_pi.hProcess && IsWow64Process(m_pi.hProcess, &bWow64) && bWow64;
}

bool StandInProcess::DenyAccess(DWORD dwDenied) {
    // Every right of a process on Vista and later (PROCESS_ALL_ACCESS of this build is the XP one).
    const DWORD kAllProcessRights = STANDARD_RIGHTS_REQUIRED | SYNCHRONIZE | 0xFFFF;
    SID_IDENTIFIER_AUTHORITY world = SECURITY_WORLD_SID_AUTHORITY;
    PSID pEveryone = nullptr;
    if (!m_pi.hProcess || !AllocateAndInitializeSid(&world, 1, SECURITY_WORLD_RID, 0, 0, 0, 0, 0, 0, 0, &pEveryone))
        return false;
    DWORD aclBuffer[64];
    PACL pAcl = reinterpret_cast<PACL>(aclBuffer);
    const bool bDone = InitializeAcl(pAcl, sizeof aclBuffer, ACL_REVISION) &&
                       AddAccessDeniedAce(pAcl, ACL_REVISION, dwDenied, pEveryone) &&
                       AddAccessAllowedAce(pAcl, ACL_REVISION, kAllProcessRights & ~dwDenied, pEveryone) &&
                       SetSecurityInfo(m_pi.hProcess, SE_KERNEL_OBJECT, DACL_SECURITY_INFORMATION, nullptr, nullptr,
                                       pAcl, nullptr) == ERROR_SUCCESS;
    FreeSid(pEveryone);
    return bDone;
}

}  // namespace lqtest
