// The test machine itself: each seeding option of tools/wine-run reaches the Windows program as a real
// Windows would show it. The same binary runs on several machines (see CMakeLists.txt); the expected
// values come from the seeding variables that wine-run received. On the 64-bit machine this 32-bit
// program runs under WoW64 and sees what a 32-bit program sees on 64-bit Windows 7: its own system
// folder, program folder and registry view.
#include "tests/support/machine_facts.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

using lqtest::Is64BitMachine;
using lqtest::IsKoreanMachine;
using lqtest::IsVistaOrLater;

std::string EnvironmentValue(const char* szName) {
    char sz[MAX_PATH] = {};
    DWORD n = GetEnvironmentVariableA(szName, sz, MAX_PATH);
    return n > 0 && n < MAX_PATH ? sz : "";
}

TEST(Machine, ReportsTheSeededWindowsVersion) {
    OSVERSIONINFOA info{};
    info.dwOSVersionInfoSize = sizeof info;
    ASSERT_TRUE(GetVersionExA(&info));
    EXPECT_EQ(static_cast<DWORD>(VER_PLATFORM_WIN32_NT), info.dwPlatformId);
    if (!IsVistaOrLater()) {
        EXPECT_EQ(5u, info.dwMajorVersion);
        EXPECT_EQ(1u, info.dwMinorVersion);
    } else if (!lqtest::IsWin10()) {
        EXPECT_EQ(6u, info.dwMajorVersion);
        EXPECT_EQ(1u, info.dwMinorVersion);
    } else {
        // Windows 10 tells a program whose manifest does not name Windows 10 (this one, the setup
        // program) that it is Windows 8, 6.2; only RtlGetVersion tells the truth.
        EXPECT_EQ(6u, info.dwMajorVersion);
        EXPECT_EQ(2u, info.dwMinorVersion);
        auto pRtlGetVersion = reinterpret_cast<LONG(WINAPI*)(OSVERSIONINFOW*)>(
            reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "RtlGetVersion")));
        ASSERT_NE(nullptr, pRtlGetVersion);
        OSVERSIONINFOW real{};
        real.dwOSVersionInfoSize = sizeof real;
        ASSERT_EQ(0, pRtlGetVersion(&real));
        EXPECT_EQ(10u, real.dwMajorVersion);
        EXPECT_EQ(0u, real.dwMinorVersion);
    }
}

TEST(Machine, ReportsTheSeededLocale) {
    char szCountry[7] = {};
    ASSERT_TRUE(GetLocaleInfoA(LOCALE_SYSTEM_DEFAULT, LOCALE_ICOUNTRY, szCountry, sizeof szCountry));
    bool bKorean = IsKoreanMachine();
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
    // Seeds are what 32-bit programs wrote: on a 64-bit machine they are in the 32-bit view only.
    const char kSeeded[] = "SOFTWARE\\LetterquarryMachineTest";
    EXPECT_TRUE(lqtest::KeyExists(HKEY_LOCAL_MACHINE, kSeeded, KEY_WOW64_32KEY));
    EXPECT_EQ(!Is64BitMachine(), lqtest::KeyExists(HKEY_LOCAL_MACHINE, kSeeded, KEY_WOW64_64KEY))
        << "the seeded key in the 64-bit view";

    HANDLE h = CreateFileA("C:\\Seeded Folder\\placed.txt", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(INVALID_HANDLE_VALUE, h);
    char szData[64] = {};
    DWORD dwRead = 0;
    ReadFile(h, szData, sizeof szData - 1, &dwRead, nullptr);
    CloseHandle(h);
    EXPECT_STREQ("placed by the machine\r\n", szData);
}

TEST(Machine, RunsThisProgramUnderWoW64ExactlyOnThe64BitMachine) {
    BOOL bWow64 = TRUE;
    ASSERT_TRUE(IsWow64Process(GetCurrentProcess(), &bWow64));
    EXPECT_EQ(Is64BitMachine(), bWow64 != FALSE);
    SYSTEM_INFO info{};
    GetNativeSystemInfo(&info);
    EXPECT_EQ(Is64BitMachine() ? PROCESSOR_ARCHITECTURE_AMD64 : PROCESSOR_ARCHITECTURE_INTEL, info.wProcessorArchitecture);
}

TEST(Machine, GivesThisProgramTheSystemAndProgramFoldersOfA32BitProgram) {
    // Wine spells the Windows folder "C:\windows", Windows "C:\Windows": compared without case.
    char szSystem[MAX_PATH] = {};
    ASSERT_NE(0u, GetSystemDirectoryA(szSystem, MAX_PATH));
    EXPECT_EQ(0, lstrcmpiA("C:\\Windows\\system32", szSystem)) << szSystem;
    char szWow64[MAX_PATH] = {};
    const UINT nWow64 = GetSystemWow64DirectoryA(szWow64, MAX_PATH);
    if (Is64BitMachine()) {
        EXPECT_EQ(0, lstrcmpiA("C:\\Windows\\SysWOW64", szWow64)) << szWow64;
        // The same name reaches the 32-bit system folder: system32 is redirected to SysWOW64 for this
        // program, and "sysnative" is the way through to the 64-bit one.
        auto FileIndex = [](const char* szPath) {
            HANDLE h = CreateFileA(szPath, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
            BY_HANDLE_FILE_INFORMATION fi{};
            if (h == INVALID_HANDLE_VALUE) return std::string("<missing>");
            GetFileInformationByHandle(h, &fi);
            CloseHandle(h);
            return std::to_string(fi.nFileIndexHigh) + ":" + std::to_string(fi.nFileIndexLow);
        };
        const std::string strSystem32 = FileIndex("C:\\Windows\\system32\\kernel32.dll");
        EXPECT_EQ(FileIndex("C:\\Windows\\SysWOW64\\kernel32.dll"), strSystem32);
        EXPECT_NE(FileIndex("C:\\Windows\\sysnative\\kernel32.dll"), strSystem32);
        EXPECT_NE("<missing>", FileIndex("C:\\Windows\\sysnative\\kernel32.dll"));
    } else {
        EXPECT_EQ(0u, nWow64);
        EXPECT_EQ(static_cast<DWORD>(ERROR_CALL_NOT_IMPLEMENTED), GetLastError());
    }
    EXPECT_EQ(Is64BitMachine() ? "C:\\Program Files (x86)" : "C:\\Program Files", EnvironmentValue("ProgramFiles"));
    EXPECT_EQ(Is64BitMachine() ? "C:\\Program Files" : "", EnvironmentValue("ProgramW6432"));
}

// Where a 32-bit program's registry writes land. Windows 7 redirects HKLM\SOFTWARE (the uninstall
// entries and the host applications' keys among it) and the class identifiers to the 32-bit view,
// and shares the class names (ProgIDs) and HKCU\Software (RunOnce among it) between both views.
TEST(Machine, KeepsThisProgramsRegistryWritesInThe32BitViewWhereWindows7Does) {
    const struct {
        HKEY hRoot;
        const char* szKey;
        bool bShared;
    } kCases[] = {
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\LetterquarryMachineTest\\Written", false},
        {HKEY_LOCAL_MACHINE, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\LetterquarryMachineTest", false},
        {HKEY_CLASSES_ROOT, "CLSID\\{6C1B4C7E-2F0A-4E39-9D3B-8A1E5F2C7D40}", false},
        {HKEY_CLASSES_ROOT, "LetterquarryMachineTest.ProgID", true},
        {HKEY_CURRENT_USER, "Software\\Microsoft\\Windows\\CurrentVersion\\RunOnce", true},
        {HKEY_CURRENT_USER, "Software\\LetterquarryMachineTest", true},
    };
    for (const auto& c : kCases) {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(c.hRoot, c.szKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr))
            << c.szKey;
        RegCloseKey(hKey);
        EXPECT_TRUE(lqtest::KeyExists(c.hRoot, c.szKey, KEY_WOW64_32KEY)) << c.szKey;
        EXPECT_EQ(!Is64BitMachine() || c.bShared, lqtest::KeyExists(c.hRoot, c.szKey, KEY_WOW64_64KEY))
            << c.szKey << (c.bShared ? " is shared" : " is the 32-bit view's own");
    }
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
