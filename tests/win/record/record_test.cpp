// The suite's entry in the Windows list of programs, on a real (Wine) machine, in the language of the run:
// every value a deployment tool reads, with its type and its bytes.
#include "setup/core/country.h"
#include "setup/record/uninstall_record.h"
#include "tests/support/files.h"
#include "tests/support/machine_facts.h"
#include "tests/support/registry.h"
#include "tests/support/uninstall_records.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using lqtest::IsKoreanMachine;
using lqtest::KeyExists;
using lqtest::ValueBytes;

std::string Dword(DWORD dw) { return std::string(reinterpret_cast<const char*>(&dw), sizeof dw); }

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char sz[16];
    snprintf(sz, sizeof sz, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return sz;
}

TEST(UninstallRecord, TheEntryHoldsWhatTheListAndDeploymentToolsRead) {
    SetLanguage(IsKoreanMachine() ? Language::Korean : Language::English);
    ASSERT_TRUE(WriteUninstallRecord(kUninstallCommandLine, 1234).IsDone());
    const std::string strExe = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe";
    const struct {
        const char* szName;
        DWORD dwType;
        std::string strBytes;
    } values[] = {
        {"DisplayName", REG_SZ, std::string(IsKoreanMachine() ? "Letterquarry 제거" : "Letterquarry Delete") + '\0'},
        {"UninstallString", REG_SZ, strExe + " /D" + '\0'},
        {"QuietUninstallString", REG_SZ, strExe + " /D /B /QUIET" + '\0'},
        {"DisplayVersion", REG_SZ, std::string("5.9.8.1") + '\0'},
        {"Publisher", REG_SZ, std::string("Zmt") + '\0'},
        {"DisplayIcon", REG_SZ, strExe + '\0'},
        {"InstallLocation", REG_SZ, std::string("c:\\ZmtPlugin\\") + '\0'},
        {"InstallDate", REG_SZ, Today() + '\0'},
        {"EstimatedSize", REG_DWORD, Dword(1234)},
        {"NoModify", REG_DWORD, Dword(1)},
        {"NoRepair", REG_DWORD, Dword(1)},
    };
    for (const auto& value : values) {
        DWORD dwType = 0;
        EXPECT_EQ(value.strBytes, ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, value.szName, &dwType)) << value.szName;
        EXPECT_EQ(value.dwType, dwType) << value.szName;
    }
    EXPECT_EQ(OpStatus::Refused, WriteUninstallRecord(std::string(1024, 'c'), 1).status) << "over 1023 characters";
    EXPECT_EQ(strExe + " /D" + '\0', ValueBytes(HKEY_LOCAL_MACHINE, kUninstallRecordKey, "UninstallString"));
    EXPECT_TRUE(DeleteUninstallRecord().IsDone()) << "the entry goes with all its values";
    EXPECT_FALSE(KeyExists(HKEY_LOCAL_MACHINE, kUninstallRecordKey));
    EXPECT_EQ(static_cast<DWORD>(ERROR_FILE_NOT_FOUND), DeleteUninstallRecord().dwError) << "nothing left to delete";
}

TEST(UninstallRecord, TheEstimatedSizeCountsEachPlacedFileOnce) {
    ASSERT_TRUE(lqtest::WriteFileBytes("C:\\size\\a.dll", std::string(1500, 'a')));
    ASSERT_TRUE(lqtest::WriteFileBytes("C:\\size\\b.dll", std::string(2048, 'b')));
    const HostFileList arrItems = lqtest::Items({{0, 0, "C:\\size\\a.dll"}, {0, 0, "C:\\size\\b.dll"},
                                                 {0, 0, "c:\\SIZE\\A.DLL"}, {0, 0, "C:\\size\\gone.dll"}, {0, 0, ""}});
    EXPECT_EQ(4ul, EstimatedSizeKB(arrItems)) << "3548 bytes, a retry's duplicate and a missing file not counted";
    EXPECT_EQ(0ul, EstimatedSizeKB(HostFileList()));
}

}  // namespace
