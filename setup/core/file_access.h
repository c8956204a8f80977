// Access rights of the suite's files: the operating-system test and the standard access list that
// file placement gives every copy and the settings files get before they are written.
#pragma once

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

// Replaces the file's DACL by exactly four allow entries (GENERIC_READ|WRITE|EXECUTE|ALL, no
// inheritance) for the well-known SIDs of Authenticated Users (S-1-5-11), SYSTEM (S-1-5-18),
// Administrators (S-1-5-32-544) and Users (S-1-5-32-545), in that order, whatever the accounts are called
// on this edition of Windows. Owner, group and audit entries stay. True when the DACL was set.
bool SetStandardFileAccess(const std::string& strPath);

// Initialises the ACL (revision 2, cbAcl bytes) and adds the four allow entries of SetStandardFileAccess
// in their order; an entry that does not fit is left out. False when the ACL cannot be initialised.
bool BuildStandardFileAcl(PACL pAcl, DWORD cbAcl);

// Adds one allow entry (mask 0xF0000000) for the well-known SID to the ACL; nothing when the SID cannot be
// made or the ACL has no room left.
void AddAllowAceForWellKnownSid(PACL pAcl, WELL_KNOWN_SID_TYPE sidType);
