#include "setup/core/file_access.h"

#include "setup/core/privileges.h"
#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

namespace {

constexpr DWORD kFullAccessMask = 0xF0000000;  // GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL

}  // namespace

bool OsVersion::IsVistaOrLater() const {
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    if (!GetVersionExA(&info)) return false;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion > 5;
}

void AddAllowAceForWellKnownSid(PACL pAcl, WELL_KNOWN_SID_TYPE sidType) {
    DWORD sidBuffer[100 / sizeof(DWORD)];  // 100 bytes, aligned for a SID
    DWORD cbSid = sizeof sidBuffer;
    if (!CreateWellKnownSid(sidType, nullptr, sidBuffer, &cbSid)) return;
    AddAccessAllowedAce(pAcl, ACL_REVISION, kFullAccessMask, sidBuffer);
}

bool BuildStandardFileAcl(PACL pAcl, DWORD cbAcl) {
    if (!InitializeAcl(pAcl, cbAcl, ACL_REVISION)) return false;
    // By SID, not by name: the names differ on every language edition of Windows.
    for (WELL_KNOWN_SID_TYPE sidType : {WinAuthenticatedUserSid, WinLocalSystemSid, WinBuiltinAdministratorsSid,
                                        WinBuiltinUsersSid})
        AddAllowAceForWellKnownSid(pAcl, sidType);
    return true;
}

bool SetStandardFileAccess(const std::string& strPath) {
    EnablePrivilege("SeSecurityPrivilege", true);
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION)) return false;
    // 100 bytes hold the header and the four entries of the well-known accounts (96 bytes); a larger SID
    // makes AddAccessAllowedAce fail for want of room, never write past the buffer.
    DWORD aclBuffer[100 / sizeof(DWORD)];
    PACL pAcl = reinterpret_cast<PACL>(aclBuffer);
    if (!BuildStandardFileAcl(pAcl, sizeof aclBuffer)) return false;
    if (!SetSecurityDescriptorDacl(&descriptor, TRUE, pAcl, FALSE)) return false;
    if (!SetFileSecurityA(strPath.c_str(), DACL_SECURITY_INFORMATION, &descriptor)) {
        LogEvent("Access list of %s not set: %s", strPath.c_str(), DescribeError(GetLastError()).c_str());
        return false;
    }
    LogEvent("Access list of %s set for Authenticated Users, SYSTEM, Administrators and Users", strPath.c_str());
    return true;
}
