// COM self-registration against the stand-in CorelDraw add-in: both entry points, a failing one, and what a
// library that cannot be loaded or lacks the entry point gives.
#include "setup/system/com_registration.h"
#include "tests/support/files.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <gtest/gtest.h>
#include <olectl.h>
#include <windows.h>

#include <string>

namespace {

using lqtest::kInstall;
using lqtest::KeyExists;
using lqtest::kV11Class;
using lqtest::MakeFolders;
using lqtest::ValueBytes;
using lqtest::WriteFileBytes;

DWORD StandinCount(const char* szDll, const char* szName) {
    return lqtest::RegDword(HKEY_CURRENT_USER, std::string("Software\\LetterquarryStandins\\") + szDll, szName, 0);
}

void SetStandinSwitch(const char* szDll, const char* szName, DWORD dwValue) {
    lqtest::SetRegDword(HKEY_CURRENT_USER, std::string("Software\\LetterquarryStandins\\") + szDll, szName, dwValue);
}

TEST(RegisterServer, CallsTheEntryPointsAndMapsLoadFailuresToWin32Results) {
    MakeFolders("C:\\reg");
    ASSERT_TRUE(CopyFileA((kInstall + "\\MyAddIn_V11.dll").c_str(), "C:\\reg\\MyAddIn_V11.dll", FALSE));
    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32"));
    EXPECT_EQ(std::string("C:\\reg\\MyAddIn_V11.dll", 23),
              ValueBytes(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32", "").substr(0, 23));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11\\CLSID"));
    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false)) << "twice is tolerated";
    EXPECT_EQ(2u, StandinCount("MyAddIn_V11.dll", "RegisterCalls"));

    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", true));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11"));

    SetStandinSwitch("MyAddIn_V11.dll", "FailRegister", 1);
    EXPECT_EQ(SELFREG_E_CLASS, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class));
    SetStandinSwitch("MyAddIn_V11.dll", "FailRegister", 0);

    WriteFileBytes("C:\\reg\\text.dll", "not a library");
    HRESULT hr = RegisterServer("C:\\reg\\text.dll", false);
    EXPECT_EQ(0x80070000u, static_cast<unsigned>(hr) & 0xFFFF0000u) << std::hex << hr;
    hr = RegisterServer("C:\\reg\\missing.dll", false);
    EXPECT_EQ(0x80070000u, static_cast<unsigned>(hr) & 0xFFFF0000u) << std::hex << hr;
    // A library without the entry point: ERROR_PROC_NOT_FOUND, 127.
    EXPECT_EQ(static_cast<HRESULT>(0x8007007F), RegisterServer("C:\\windows\\system32\\version.dll", false));
}

}  // namespace
