// Access rights of the suite's files: the operating-system test, the standard access list that file
// placement gives every copy and the settings files get before they are used, and the access list of the
// shipped folder. Each is set through a proven handle (util/proven_file.h), never by path.
#pragma once

#include "util/op_result.h"
#include "util/proven_file.h"

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

// Replaces the open file's DACL (the handle needs WRITE_DAC; proven for writing) by exactly four allow
// entries (GENERIC_READ|WRITE|EXECUTE|ALL, no inheritance) for the well-known SIDs of Authenticated Users
// (S-1-5-11), SYSTEM (S-1-5-18), Administrators (S-1-5-32-544) and Users (S-1-5-32-545), in that order,
// whatever the accounts are called on this edition of Windows. Owner, group and audit entries stay. The
// setup log notes it either way.
OpResult SetStandardFileAccess(const ProvenFile& file);

// Initialises the ACL (revision 2, cbAcl bytes) and adds the four allow entries of SetStandardFileAccess
// in their order; an entry that does not fit is left out. False when the ACL cannot be initialised.
bool BuildStandardFileAcl(PACL pAcl, DWORD cbAcl);

// Adds one allow entry of dwMask with ace flags byFlags for the well-known SID to the ACL; nothing when the
// SID cannot be made or the ACL has no room left.
void AddAllowAceForWellKnownSid(PACL pAcl, WELL_KNOWN_SID_TYPE sidType, DWORD dwMask = 0xF0000000, BYTE byFlags = 0);

// The shipped folder's access list: full control for SYSTEM and Administrators, reading and running for
// Everyone, each inherited by the folder's files and folders. False when the ACL cannot be initialised.
bool BuildShippedFolderAcl(PACL pAcl, DWORD cbAcl);

// The elevated program reads and runs what lies in the shipped folder (itself, the files it copies and
// registers, the uninstall log), and the uninstall entry and every deferral start it from there: so before
// anything there is read, the folder and each file and folder in it get BuildShippedFolderAcl, protected
// (nothing inherited from above), through proven handles: Administrators and SYSTEM alone may change
// anything there. A missing folder is Done (nothing to protect). Refused when the folder itself is a link
// or not where it is asked for: then nothing from it may be trusted. A file or folder in it that cannot be
// proven (a link, a file with other hard links) is left as it is and named in the setup log, as is every
// access list that could not be set; those do not change the result.
OpResult ProtectShippedFolder(const std::string& strFolder);
