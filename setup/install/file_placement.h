// File placement and access rights: copying one host record's files into one destination folder,
// opening each copy to all local users on Windows Vista and later, and registering COM servers.
#pragma once

#include "framework/wnd.h"
#include "setup/app/install_context.h"

#include <windows.h>

#include <string>

// The operating-system test shared by file placement and the settings files.
class OsVersion {
public:
    virtual ~OsVersion() = default;
    // True on the NT family with a major version above 5 (Vista and later); false on 2000 and XP, and
    // when the version cannot be read.
    bool IsVistaOrLater() const;
};

// Copies every file of arrFiles from strSourceFolder into strDestinationFolder (paths joined as
// "%s\%s", so a folder ending in "\" gives two backslashes, used and recorded unchanged). Per copy: the
// standard access list on Vista and later, COM registration when the entry's register flag is 1 (its
// result does not matter), and one new entry (both flags, full destination path) appended to
// arrUninstallItems. Entries with an empty name only advance the file bar.
// Returns false at the first file that could not be copied (nothing recorded for it, later files not
// copied, the file bar left where it is); true when every file was copied.
// pDetail shows each bare file name; pFileBar runs 0 .. number of entries. Both may be null.
bool InstallFilesIntoFolder(const std::string& strDestinationFolder, const std::string& strSourceFolder,
                            const HostFileList& arrFiles, HostFileList& arrUninstallItems, CStatic* pDetail,
                            CProgressCtrl* pFileBar);

// Replaces the file's DACL by exactly four allow entries (GENERIC_READ|WRITE|EXECUTE|ALL, no
// inheritance) for "Authenticated Users", "SYSTEM", "Administrators" and "Users", in that order; names
// unknown on this system are left out. Owner, group and audit entries stay. True when the DACL was set.
bool SetStandardFileAccess(const std::string& strPath);

// Initialises the ACL (revision 2, cbAcl bytes) and adds the four allow entries of SetStandardFileAccess
// in their order. False when the ACL cannot be initialised.
bool BuildStandardFileAcl(PACL pAcl, DWORD cbAcl);

// Enables (or disables) one privilege in the process token. True only when the token could be opened,
// the name looked up, the adjustment made and the privilege really assigned (not ERROR_NOT_ALL_ASSIGNED).
bool EnablePrivilege(const char* szPrivilege, bool bEnable);

// Adds one allow entry (mask 0xF0000000) for the account to the ACL. An account name that cannot be
// looked up on this machine adds nothing; that is no error.
void AddAllowAceForAccount(PACL pAcl, const char* szAccount);
