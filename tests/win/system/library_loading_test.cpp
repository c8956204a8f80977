// Where the setup program loads DLLs from. Covered: a suite DLL is loaded by its full path with its own
// folder first for its dependencies (and not the current folder), and after the start-up restriction a DLL
// loaded by name comes only from the system folder. The restriction is process-wide, so it is tested last
// and alone in this binary.
#include "setup/system/com_registration.h"
#include "setup/system/library_loading.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>
#include <windows.h>

namespace {

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
