#include "setup/core/file_access.h"

#include "setup/core/privileges.h"
#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

namespace {

constexpr DWORD kFullAccessMask = 0xF0000000;  // GENERIC_READ | GENERIC_WRITE | GENERIC_EXECUTE | GENERIC_ALL
constexpr DWORD kReadAndRunMask = GENERIC_READ | GENERIC_EXECUTE;
constexpr BYTE kInheritedByAll = OBJECT_INHERIT_ACE | CONTAINER_INHERIT_ACE;

}  // namespace

bool OsVersion::IsVistaOrLater() const {
    OSVERSIONINFOA info;
    ZeroMemory(&info, sizeof info);
    info.dwOSVersionInfoSize = sizeof info;  // 148 bytes
    if (!GetVersionExA(&info)) return false;
    return info.dwPlatformId == VER_PLATFORM_WIN32_NT && info.dwMajorVersion > 5;
}

void AddAllowAceForWellKnownSid(PACL pAcl, WELL_KNOWN_SID_TYPE sidType, DWORD dwMask, BYTE byFlags) {
    DWORD sidBuffer[100 / sizeof(DWORD)];  // 100 bytes, aligned for a SID
    DWORD cbSid = sizeof sidBuffer;
    if (!CreateWellKnownSid(sidType, nullptr, sidBuffer, &cbSid)) return;
    AddAccessAllowedAceEx(pAcl, ACL_REVISION, byFlags, dwMask, sidBuffer);
}

bool BuildStandardFileAcl(PACL pAcl, DWORD cbAcl) {
    if (!InitializeAcl(pAcl, cbAcl, ACL_REVISION)) return false;
    // By SID, not by name: the names differ on every language edition of Windows.
    for (WELL_KNOWN_SID_TYPE sidType : {WinAuthenticatedUserSid, WinLocalSystemSid, WinBuiltinAdministratorsSid,
                                        WinBuiltinUsersSid})
        AddAllowAceForWellKnownSid(pAcl, sidType);
    return true;
}

bool BuildShippedFolderAcl(PACL pAcl, DWORD cbAcl) {
    if (!InitializeAcl(pAcl, cbAcl, ACL_REVISION)) return false;
    AddAllowAceForWellKnownSid(pAcl, WinLocalSystemSid, kFullAccessMask, kInheritedByAll);
    AddAllowAceForWellKnownSid(pAcl, WinBuiltinAdministratorsSid, kFullAccessMask, kInheritedByAll);
    AddAllowAceForWellKnownSid(pAcl, WinWorldSid, kReadAndRunMask, kInheritedByAll);
    return true;
}

OpResult SetStandardFileAccess(const ProvenFile& file) {
    EnablePrivilege("SeSecurityPrivilege", true);
    // 100 bytes hold the header and the four entries of the well-known accounts (96 bytes); a larger SID
    // makes AddAccessAllowedAce fail for want of room, never write past the buffer.
    DWORD aclBuffer[100 / sizeof(DWORD)];
    PACL pAcl = reinterpret_cast<PACL>(aclBuffer);
    OpResult result = BuildStandardFileAcl(pAcl, sizeof aclBuffer) ? SetAccessListOf(file, pAcl, false)
                                                                   : OpResult::FailedWith(GetLastError());
    if (result.IsDone())
        LogEvent("Access list of %s set for Authenticated Users, SYSTEM, Administrators and Users", file.Path().c_str());
    else
        LogEvent("Access list of %s not set: %s", file.Path().c_str(), DescribeResult(result).c_str());
    return result;
}

OpResult ProtectShippedFolder(const std::string& strFolder) {
    if (GetFileAttributesA(strFolder.c_str()) == INVALID_FILE_ATTRIBUTES) return OpResult::Done();
    DWORD aclBuffer[128 / sizeof(DWORD)];
    PACL pAcl = reinterpret_cast<PACL>(aclBuffer);
    if (!BuildShippedFolderAcl(pAcl, sizeof aclBuffer)) return OpResult::FailedWith(GetLastError());
    ProvenFile folder;
    OpResult result = OpenProven(strFolder, READ_CONTROL | WRITE_DAC | FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, Proof::Write, folder);
    if (!result.IsDone()) {
        LogEvent("Shipped folder %s not protected: %s", strFolder.c_str(), DescribeResult(result).c_str());
        return result;
    }
    const OpResult folderSet = SetAccessListOf(folder, pAcl, true);
    if (!folderSet.IsDone())
        LogEvent("Access list of %s not set: %s", strFolder.c_str(), DescribeResult(folderSet).c_str());

    // The folder's new list reaches only what is created in it from now on: what is there gets it too.
    unsigned nSet = 0;
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &data);
    if (hFind != INVALID_HANDLE_VALUE) {
        do {
            const std::string strName = data.cFileName;
            if (strName == "." || strName == "..") continue;
            const std::string strPath = strFolder + "\\" + strName;
            ProvenFile entry;
            OpResult entryResult = OpenProven(strPath, READ_CONTROL | WRITE_DAC | SYNCHRONIZE,
                                              FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                                              Proof::Write, entry);
            if (entryResult.IsDone()) entryResult = SetAccessListOf(entry, pAcl, true);
            if (entryResult.IsDone())
                ++nSet;
            else
                LogEvent("Access list of %s not set: %s", strPath.c_str(), DescribeResult(entryResult).c_str());
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    if (folderSet.IsDone())
        LogEvent("Shipped folder %s: writable by Administrators and SYSTEM only, readable by everyone (%u entries in it)",
                 strFolder.c_str(), nSet);
    return OpResult::Done();
}
