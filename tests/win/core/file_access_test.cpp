// The suite's access rights on a real (Wine) machine: the standard ACL and the shipped folder's, built from
// well-known SIDs, in order; the standard ACL within its 100 bytes; the DACL set through a proven handle;
// the shipped folder protected, and refused when it is a link; the operating-system test; a privilege that
// does not exist. Wine keeps no access list (it maps one to Unix permission bits), so the lists themselves
// are checked as the program builds them.
#include "setup/core/file_access.h"
#include "setup/core/privileges.h"
#include "tests/support/file_access.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"
#include "util/proven_file.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>

namespace {

using lqtest::DaclOf;
using lqtest::DescribeAcl;
using lqtest::IsVistaOrLater;
using lqtest::kStandardDacl;
using lqtest::kWineDaclAfterStandardAccess;
using lqtest::kWineDaclOfNewFile;
using lqtest::WriteFileBytes;

TEST(FileAccess, StandardAccessReplacesTheDaclWithTheFourWellKnownSids) {
    DWORD aclBuffer[100 / sizeof(DWORD)];
    ASSERT_TRUE(BuildStandardFileAcl(reinterpret_cast<PACL>(aclBuffer), sizeof aclBuffer));
    EXPECT_EQ(kStandardDacl, DescribeAcl(reinterpret_cast<PACL>(aclBuffer)));
    ACL header;
    memcpy(&header, aclBuffer, sizeof header);
    EXPECT_EQ(2, header.AclRevision);
    // Too small for the four entries: the ones that fit are added, nothing is written past the end.
    DWORD smallBuffer[48 / sizeof(DWORD) + 1] = {};
    smallBuffer[12] = 0xFEEDFACE;
    ASSERT_TRUE(BuildStandardFileAcl(reinterpret_cast<PACL>(smallBuffer), 48));
    EXPECT_EQ("S-1-5-11:f0000000:0:0;S-1-5-18:f0000000:0:0;", DescribeAcl(reinterpret_cast<PACL>(smallBuffer)));
    EXPECT_EQ(0xFEEDFACEu, smallBuffer[12]);

    WriteFileBytes("C:\\acl.txt", "x");
    EXPECT_EQ(kWineDaclOfNewFile, DaclOf("C:\\acl.txt"));
    ProvenFile file;
    ASSERT_TRUE(OpenProven("C:\\acl.txt", READ_CONTROL | WRITE_DAC, 0, OPEN_EXISTING, Proof::Write, file).IsDone());
    ASSERT_TRUE(SetStandardFileAccess(file).IsDone());
    EXPECT_EQ(kWineDaclAfterStandardAccess, DaclOf("C:\\acl.txt"));
    EXPECT_EQ(IsVistaOrLater(), OsVersion().IsVistaOrLater());
    EXPECT_FALSE(EnablePrivilege("SeNoSuchPrivilege", true));
}

TEST(FileAccess, TheShippedFolderBelongsToAdministrators) {
    DWORD aclBuffer[128 / sizeof(DWORD)];
    ASSERT_TRUE(BuildShippedFolderAcl(reinterpret_cast<PACL>(aclBuffer), sizeof aclBuffer));
    // Full control for SYSTEM and Administrators, reading and running for Everyone, each inherited by files
    // (1) and folders (2).
    EXPECT_EQ("S-1-5-18:f0000000:0:3;S-1-5-32-544:f0000000:0:3;S-1-1-0:a0000000:0:3;",
              DescribeAcl(reinterpret_cast<PACL>(aclBuffer)));

    WriteFileBytes("C:\\shipped\\setup.exe", "x");
    ASSERT_TRUE(lqtest::MakeSymbolicLink("C:\\linked", "C:\\shipped"));
    EXPECT_EQ(OpStatus::Refused, ProtectShippedFolder("C:\\linked").status) << "a link: nothing there is trusted";
    EXPECT_TRUE(ProtectShippedFolder("C:\\shipped").IsDone());
    EXPECT_TRUE(ProtectShippedFolder("C:\\not there").IsDone()) << "nothing to protect";
}

}  // namespace
