// The stand-in ZmtAddin.dll as a COM server: what its self-registration leaves in the registry, what its
// unregistration removes, and the switch that makes either fail. The library is loaded the way a
// registration tool does it, from C:\ZmtPlugin\bin.
#include "tests/support/registry.h"

#include <windows.h>
#include <olectl.h>

#include <gtest/gtest.h>

#include <string>

namespace {

const char kLibrary[] = "C:\\ZmtPlugin\\bin\\ZmtAddin.dll";
const char kClassKey[] = "CLSID\\{495EFEBF-FC21-4593-89A9-86D772C3636D}";
const char* const kOfficeKeys[] = {
    "Software\\Microsoft\\Office\\Excel\\Addins\\ZmtAddin.MyAddin",
    "Software\\Microsoft\\Office\\PowerPoint\\Addins\\ZmtAddin.MyAddin",
    "Software\\Microsoft\\Office\\Word\\Addins\\ZmtAddin.MyAddin",
};

using lqtest::KeyExists;

// A string value's text; "<no key>", "<no value>", or "<type N>" for a value that is no REG_SZ.
std::string ReadString(HKEY hRoot, const std::string& strKey, const char* pszName) {
    if (!KeyExists(hRoot, strKey)) return "<no key>";
    DWORD dwType = 0;
    std::string strBytes;
    if (!lqtest::ReadValue(hRoot, strKey, pszName ? pszName : "", &dwType, &strBytes)) return "<no value>";
    if (dwType != REG_SZ) return "<type " + std::to_string(dwType) + ">";
    return strBytes.c_str();
}

DWORD ReadDword(HKEY hRoot, const std::string& strKey, const char* pszName) {
    return lqtest::RegDword(hRoot, strKey, pszName, 0xFFFFFFFF);
}

void SetSwitch(const char* pszName, DWORD dwValue) {
    ASSERT_TRUE(lqtest::SetRegDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\LetterquarryStandins", pszName, dwValue)) << pszName;
}

// Calls one self-registration entry point the way a registration tool does.
HRESULT CallEntry(const char* pszEntry) {
    HMODULE hLib = LoadLibraryA(kLibrary);
    if (!hLib) return HRESULT_FROM_WIN32(GetLastError());
    typedef HRESULT(__stdcall * EntryProc)();
    EntryProc pfn = reinterpret_cast<EntryProc>(GetProcAddress(hLib, pszEntry));
    HRESULT hr = pfn ? pfn() : HRESULT_FROM_WIN32(GetLastError());
    FreeLibrary(hLib);
    return hr;
}

class ZmtAddinRegistrationTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        CreateDirectoryA("C:\\ZmtPlugin", nullptr);
        CreateDirectoryA("C:\\ZmtPlugin\\bin", nullptr);
        ASSERT_TRUE(CopyFileA("C:\\lqxt\\ZmtAddin.dll", kLibrary, FALSE)) << GetLastError();
    }
    void TearDown() override {
        SetSwitch("FailRegistration", 0);
        SetSwitch("FailUnregistration", 0);
        CallEntry("DllUnregisterServer");
    }
};

TEST_F(ZmtAddinRegistrationTest, RegistrationWritesTheClassTheProgIdAndTheThreeOfficeAddinKeys) {
    ASSERT_EQ(S_OK, CallEntry("DllRegisterServer"));

    EXPECT_EQ(kLibrary, ReadString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\InprocServer32", nullptr));
    EXPECT_EQ("Apartment", ReadString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\InprocServer32", "ThreadingModel"));
    EXPECT_EQ("ZmtAddin.MyAddin", ReadString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\ProgID", nullptr));
    EXPECT_EQ("{495EFEBF-FC21-4593-89A9-86D772C3636D}", ReadString(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin\\CLSID", nullptr));
    for (const char* pszKey : kOfficeKeys) {
        EXPECT_EQ(3u, ReadDword(HKEY_CURRENT_USER, pszKey, "LoadBehavior")) << pszKey;
        EXPECT_EQ("Letterquarry", ReadString(HKEY_CURRENT_USER, pszKey, "FriendlyName")) << pszKey;
    }
    // COM itself finds the class through the ProgID.
    CLSID clsid;
    ASSERT_EQ(S_OK, CLSIDFromProgID(L"ZmtAddin.MyAddin", &clsid));
    EXPECT_EQ(0x495EFEBFu, clsid.Data1);
}

TEST_F(ZmtAddinRegistrationTest, UnregistrationRemovesEveryKeyButLeavesTheOfficeAppKeys) {
    ASSERT_EQ(S_OK, CallEntry("DllRegisterServer"));
    ASSERT_EQ(S_OK, CallEntry("DllRegisterServer")) << "a second registration must be tolerated";
    ASSERT_EQ(S_OK, CallEntry("DllUnregisterServer"));

    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "ZmtAddin.MyAddin"));
    for (const char* pszKey : kOfficeKeys) EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, pszKey)) << pszKey;
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\Microsoft\\Office\\Word\\Addins"));
    EXPECT_EQ(S_OK, CallEntry("DllUnregisterServer")) << "unregistering what is gone is no error";
}

TEST_F(ZmtAddinRegistrationTest, TheSwitchesMakeEitherEntryFailWithoutTouchingTheRegistry) {
    SetSwitch("FailRegistration", 1);
    EXPECT_EQ(SELFREG_E_CLASS, CallEntry("DllRegisterServer"));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, kOfficeKeys[0]));

    SetSwitch("FailRegistration", 0);
    ASSERT_EQ(S_OK, CallEntry("DllRegisterServer"));
    SetSwitch("FailUnregistration", 1);
    EXPECT_EQ(SELFREG_E_CLASS, CallEntry("DllUnregisterServer"));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, kClassKey));
}

TEST_F(ZmtAddinRegistrationTest, EveryCallIsCounted) {
    const char kCalls[] = "SOFTWARE\\LetterquarryStandins\\Calls";
    DWORD nBefore = ReadDword(HKEY_LOCAL_MACHINE, kCalls, "ZmtAddin.dll DllRegisterServer");
    if (nBefore == 0xFFFFFFFF) nBefore = 0;
    CallEntry("DllRegisterServer");
    SetSwitch("FailRegistration", 1);
    CallEntry("DllRegisterServer");
    EXPECT_EQ(nBefore + 2, ReadDword(HKEY_LOCAL_MACHINE, kCalls, "ZmtAddin.dll DllRegisterServer"));
}

}  // namespace
