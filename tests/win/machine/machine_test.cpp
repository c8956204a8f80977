// The test machine itself: each seeding option of tools/wine-run reaches the Windows program as a real
// Windows would show it. The same binary runs on several machines (see CMakeLists.txt); the expected
// values come from the seeding variables that wine-run received.
#include "tests/support/machine_facts.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

TEST(Machine, ReportsTheSeededWindowsVersion) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), info.dwPlatformId);
    if (!lqtest::IsWin7()) {
        EXPECT_EQ(5u, info.dwMajorVersion);
        EXPECT_EQ(1u, info.dwMinorVersion);
    } else {
        EXPECT_EQ(6u, info.dwMajorVersion);
        EXPECT_EQ(1u, info.dwMinorVersion);
    }
}

TEST(Machine, ReportsTheSeededLocale) {
    char szCountry[7] = {};
    ASSERT_TRUE(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_ICOUNTRY, szCountry, sizeof szCountry));
    bool bKorean = lqtest::IsKoreanMachine();
    EXPECT_EQ(bKorean ? 82 : 1, atoi(szCountry));
    EXPECT_EQ(bKorean ? 949u : 1252u, GetACP());
}

TEST(Machine, HoldsTheSeededRegistryAndFiles) {
    HKEY hKey;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\LetterquarryMachineTest", 0, KEY_READ, &hKey));
    char szValue[64] = {};
    DWORD dwSize = sizeof szValue, dwType = 0;
    EXPECT_EQ(ERROR_SUCCESS, RegQueryValueExA(hKey, "Seeded", nullptr, &dwType, reinterpret_cast<BYTE*>(szValue), &dwSize));
    RegCloseKey(hKey);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), dwType);
    EXPECT_STREQ("from a .reg file", szValue);

    HANDLE h = CreateFileA("C:\\Seeded Folder\\placed.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    char szData[64] = {};
    DWORD dwRead = 0;
    ReadFile(h, szData, sizeof szData - 1, &dwRead, nullptr);
    CloseHandle(h);
    EXPECT_STREQ("placed by the machine\r\n", szData);
}

TEST(Machine, StartsCleanWhateverEarlierMachinesDid) {
    // Every machine is fresh: what one run leaves must not be there for the next.
    EXPECT_EQ(INVALID_FILE_ATTRIBUTES, GetFileAttributesA("C:\\left-by-an-earlier-machine"));
    HANDLE h = CreateFileA("C:\\left-by-an-earlier-machine", GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    CloseHandle(h);
    HKEY hKey;
    EXPECT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\LeftByAnEarlierMachine", 0, KEY_READ, &hKey));
    EXPECT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\LeftByAnEarlierMachine", 0, nullptr, 0,
                                             KEY_ALL_ACCESS, nullptr, &hKey, nullptr));
    RegCloseKey(hKey);
}

}  // namespace
