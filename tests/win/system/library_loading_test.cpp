// Loading and registering the suite's add-ins. Covered: both self-registration entry points of the stand-in
// CorelDraw add-in, a failing one, and what a library that cannot be loaded or lacks the entry point gives;
// an add-in loaded by its full path with its own folder first for its dependencies (and not the current
// folder); after the start-up restriction, a DLL loaded by name comes only from the system folder (tested
// in one test, before and after: the restriction is process-wide and changes nothing for full paths).
#include "setup/system/com_registration.h"
#include "setup/system/library_loading.h"
#include "tests/support/files.h"
#include "tests/support/registry.h"
#include "tests/support/suite.h"

#include <olectl.h>

#include <gtest/gtest.h>
#include <windows.h>

namespace {

using lqtest::kInstall;
using lqtest::KeyExists;
using lqtest::kV11Class;
using lqtest::MakeFolders;
using lqtest::ValueBytes;
using lqtest::WriteFileBytes;

TEST(RegisterServer, CallsTheEntryPointsAndMapsLoadFailuresToWin32Results) {
    MakeFolders("C:\\reg");
    ASSERT_TRUE(CopyFileA((kInstall + "\\MyAddIn_V11.dll").c_str(), "C:\\reg\\MyAddIn_V11.dll", FALSE));
    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32"));
    EXPECT_EQ(std::string("C:\\reg\\MyAddIn_V11.dll", 23),
              ValueBytes(HKEY_CLASSES_ROOT, std::string(kV11Class) + "\\InprocServer32", "").substr(0, 23));
    EXPECT_TRUE(KeyExists(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11\\CLSID"));
    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false)) << "twice is tolerated";
    EXPECT_EQ(2u, lqtest::AddinStandinCount("MyAddIn_V11.dll", "RegisterCalls"));

    EXPECT_EQ(S_OK, RegisterServer("C:\\reg\\MyAddIn_V11.dll", true));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, "LetterquarryStandin.CorelAddIn11"));

    lqtest::SetAddinStandinSwitch("MyAddIn_V11.dll", "FailRegister", 1);
    EXPECT_EQ(SELFREG_E_CLASS, RegisterServer("C:\\reg\\MyAddIn_V11.dll", false));
    EXPECT_FALSE(KeyExists(HKEY_CLASSES_ROOT, kV11Class));
    lqtest::SetAddinStandinSwitch("MyAddIn_V11.dll", "FailRegister", 0);

    WriteFileBytes("C:\\reg\\text.dll", "not a library");
    HRESULT hr = RegisterServer("C:\\reg\\text.dll", false);
    EXPECT_EQ(0x80070000u, static_cast<unsigned>(hr) & 0xFFFF0000u) << std::hex << hr;
    hr = RegisterServer("C:\\reg\\missing.dll", false);
    EXPECT_EQ(0x80070000u, static_cast<unsigned>(hr) & 0xFFFF0000u) << std::hex << hr;
    // A library without the entry point: ERROR_PROC_NOT_FOUND, 127.
    EXPECT_EQ(static_cast<HRESULT>(0x8007007F), RegisterServer("C:\\windows\\system32\\version.dll", false));
}

// Seeded by the test's machine: the add-in and its dependency side by side.
constexpr const char* kBeside = "C:\\beside";

void Copy(const std::string& strFrom, const std::string& strTo) {
    lqtest::MakeFolders(strTo.substr(0, strTo.rfind('\\')));
    ASSERT_TRUE(CopyFileA(strFrom.c_str(), strTo.c_str(), FALSE)) << strFrom << " -> " << strTo;
}

TEST(LibraryLoading, AnAddinFindsItsDependencyBesideItButNotInTheCurrentFolder) {
    const std::string strAddin = std::string(kBeside) + "\\AddinWithDependency.dll";
    const std::string strDependency = std::string(kBeside) + "\\LqDependency.dll";
    EXPECT_EQ(S_OK, RegisterServer(strAddin, false)) << "the dependency lies beside the add-in";

    Copy(strAddin, "C:\\alone\\AddinWithDependency.dll");
    Copy(strDependency, "C:\\current\\LqDependency.dll");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\current"));
    EXPECT_EQ(HRESULT_FROM_WIN32(ERROR_MOD_NOT_FOUND), RegisterServer("C:\\alone\\AddinWithDependency.dll", false))
        << "the current folder is never searched for an add-in's dependency";
}

TEST(LibraryLoading, AfterTheRestrictionANameIsLookedUpInTheSystemFolderOnly) {
    Copy(std::string(kBeside) + "\\LqDependency.dll", "C:\\current\\LqDependency.dll");
    ASSERT_TRUE(SetCurrentDirectoryA("C:\\current"));
    HMODULE hBefore = LoadLibraryA("LqDependency.dll");
    EXPECT_NE(nullptr, hBefore) << "before: the current folder is searched";
    if (hBefore) FreeLibrary(hBefore);
    ASSERT_EQ(nullptr, GetModuleHandleA("LqDependency.dll"));

    EXPECT_EQ(DllSearch::SystemFolderOnly, RestrictDllSearchPath()) << "SetDefaultDllDirectories exists here";
    EXPECT_EQ(nullptr, LoadLibraryA("LqDependency.dll")) << "after: only the system folder";
    EXPECT_EQ(static_cast<DWORD>(ERROR_MOD_NOT_FOUND), GetLastError());
    HMODULE hSystem = LoadLibraryA("version.dll");
    EXPECT_NE(nullptr, hSystem) << "a system DLL by name still loads";
    if (hSystem) FreeLibrary(hSystem);
}

}  // namespace
