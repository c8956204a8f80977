// Access lists of files, as Windows reports them, written out for comparison.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// The entries of an ACL as "SID:mask:type:flags;" each (mask in hex), in order.
std::string DescribeAcl(PACL pAcl);
// The file's DACL as DescribeAcl writes it; "no DACL" for a file without one, "<unreadable>" when the
// security descriptor cannot be read.
std::string DaclOf(const std::string& strPath);

// The standard access list of the suite's files, as DescribeAcl writes it: Authenticated Users, SYSTEM,
// Administrators, Users, each with GENERIC_READ|WRITE|EXECUTE|ALL.
constexpr const char* kStandardDacl = "S-1-5-11:f0000000:0:0;S-1-5-18:f0000000:0:0;S-1-5-32-544:f0000000:0:0;"
                                      "S-1-5-32-545:f0000000:0:0;";
// Wine keeps no access list of a file: it turns a DACL into the Unix permission bits of the file and
// reports a DACL made from those bits. A new file (mode 0644) reads as SYSTEM, the user and Everyone
// (read); after the standard DACL, which grants nothing to Everyone, the file's mode is 0770 and the
// Everyone entry is gone. That difference is what a test under Wine can see of the DACL on disk; the
// four entries themselves are checked on the ACL the program builds.
constexpr const char* kWineDaclAfterStandardAccess = "S-1-5-18:1f01ff:0:0;S-1-5-21-0-0-0-1000:1f01ff:0:0;";
constexpr const char* kWineDaclOfNewFile =
    "S-1-5-18:1f01ff:0:0;S-1-5-21-0-0-0-1000:1f01ff:0:0;S-1-1-0:1200a9:0:0;";
// What Wine reports for a file the install placed: the standard DACL on Vista and later, none set on XP.
std::string ExpectedDaclOfInstalledFile();

}  // namespace lqtest
