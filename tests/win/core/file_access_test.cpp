// The suite's access rights on a real (Wine) machine: the standard ACL built from well-known SIDs, in
// order, within its 100 bytes; the DACL it sets on a file; the operating-system test; a privilege that does
// not exist.
#include "setup/core/file_access.h"
#include "setup/core/privileges.h"
#include "tests/support/file_access.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"

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
    ASSERT_TRUE(SetStandardFileAccess("C:\\acl.txt"));
    EXPECT_EQ(kWineDaclAfterStandardAccess, DaclOf("C:\\acl.txt"));
    EXPECT_FALSE(SetStandardFileAccess("C:\\no such file.txt"));
    EXPECT_EQ(IsVistaOrLater(), OsVersion().IsVistaOrLater());
    EXPECT_FALSE(EnablePrivilege("SeNoSuchPrivilege", true));
}

}  // namespace
