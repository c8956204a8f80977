// The suite's entry in the Windows list of programs, on a real (Wine) machine, in the language of the run.
#include "setup/core/country.h"
#include "setup/record/uninstall_record.h"
#include "tests/support/machine_facts.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using lqtest::IsKoreanMachine;
using lqtest::KeyExists;
using lqtest::ValueBytes;

TEST(UninstallRecord, EntryValuesCountTheirNulAndALongCommandIsRefused) {
    countryCode = IsKoreanMachine() ? 82 : 1;
    ASSERT_TRUE(WriteUninstallRecord(kUninstallCommandLine));
    DWORD dwType = 0;
    const std::string strName = IsKoreanMachine() ? "Letterquarry 제거" : "Letterquarry Delete";
    EXPECT_EQ(strName + '\0', ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "DisplayName", &dwType));
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dwType);
    EXPECT_EQ(std::string("c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D") + '\0',
              ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "UninstallString"));
    EXPECT_FALSE(WriteUninstallRecord(std::string(1024, 'c'))) << "over 1023 characters";
    EXPECT_EQ(std::string("c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D") + '\0',
              ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "UninstallString"));
    EXPECT_TRUE(DeleteUninstallRecord());
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecordKey));
    EXPECT_FALSE(DeleteUninstallRecord()) << "nothing left to delete";
}

}  // namespace
