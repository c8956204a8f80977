// The registry as the setup program reads and deletes it, on a Korean machine: ReadRegistryString's type,
// NUL and size rules, subkey enumeration, the access keys are opened with, deleting a tree. Not covered: a
// key that exists but cannot be opened with 0x2001F (Wine does not enforce registry access lists, so no such
// key can be made here).
#include "util/registry.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>

namespace {

using lqtest::CreateKey;
using lqtest::KeyExists;
using lqtest::SetRegDword;
using lqtest::SetRegRaw;
using lqtest::SetRegString;

// ReadRegistryString against values written with exact bytes.
class RegistryString : public ::testing::Test {
protected:
    void SetUp() override { ASSERT_TRUE(OpenReadKey(m_key, HKEY_LOCAL_MACHINE, "SOFTWARE\\LqTest")); }
    static void Raw(const char* szName, DWORD dwType, const std::string& bytes) {
        SetRegRaw(HKEY_LOCAL_MACHINE, "SOFTWARE\\LqTest", szName, dwType, bytes);
    }
    // A REG_SZ stored without its NUL. The registry functions add a forgotten NUL when the byte after
    // the data is one (as in every std::string), so the data is followed by a non-NUL byte here.
    static void RawWithoutNul(const char* szName, const std::string& strText) {
        HKEY hKey = nullptr;
        ASSERT_EQ(ERROR_SUCCESS, RegCreateKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\LqTest", 0, nullptr, 0, KEY_ALL_ACCESS,
                                                 nullptr, &hKey, nullptr));
        const std::string strGuarded = strText + "X";
        RegSetValueExA(hKey, szName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strGuarded.data()),
                       static_cast<DWORD>(strText.size()));
        RegCloseKey(hKey);
    }
    static void SetUpTestSuite() { SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\LqTest", "Plain", "C:\\Quark"); }
    ScopedRegKey m_key;
};

TEST_F(RegistryString, TakesOnlyStringsThatEndWithTheirNulAndFitTheBuffer) {
    RawWithoutNul("NoNul", "C:\\Quark");
    RawWithoutNul("NoNulFull", std::string(1024, 'q'));
    Raw("Expand", REG_EXPAND_SZ, std::string("%TEMP%\\x", 8) + '\0');
    Raw("Inner", REG_SZ, std::string("C:\\a\0C:\\b\0", 10));
    SetRegDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\LqTest", "Dword", 0x5C3A43);  // bytes "C:\" plus a NUL
    Raw("Binary", REG_BINARY, std::string("C:\\x\0", 5));
    Raw("Empty", REG_SZ, "");
    Raw("Fits", REG_SZ, std::string(1023, 'a') + '\0');
    Raw("TooLong", REG_SZ, std::string(1024, 'a') + '\0');

    struct {
        const char* szName;
        std::string strExpected;
    } cases[] = {
        {"Plain", "C:\\Quark"},      {"NoNul", ""},  {"NoNulFull", ""}, {"Expand", "%TEMP%\\x"}, {"Inner", "C:\\a"},
        {"Dword", ""},               {"Binary", ""}, {"Empty", ""},           {"Missing", ""},
        {"Fits", std::string(1023, 'a')},            {"TooLong", ""},
    };
    for (const auto& c : cases) EXPECT_EQ(c.strExpected, ReadRegistryString(m_key.Get(), c.szName)) << c.szName;
}

TEST_F(RegistryString, KoreanTextIsReturnedInTheSystemCodePage) {
    SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\LqTest", "Korean", "C:\\포토샵\\플러그-인\\");
    EXPECT_EQ("C:\\포토샵\\플러그-인\\", ReadRegistryString(m_key.Get(), "Korean"));
}

TEST(RegistryEnumeration, VisitsEverySubkeyOnceInIndexOrder) {
    for (const char* szName : {"b", "a", "한글", "c.1"})
        SetRegString(HKEY_LOCAL_MACHINE, std::string("SOFTWARE\\LqEnum\\") + szName, "v", "x");
    ScopedRegKey key;
    ASSERT_TRUE(OpenReadKey(key, HKEY_LOCAL_MACHINE, "SOFTWARE\\LqEnum"));
    std::string strSeen;
    EnumerateSubkeys(key.Get(), [&](const std::string& strName) { strSeen += strName + ";"; });
    EXPECT_EQ("a;b;c.1;한글;", strSeen) << "the registry returns subkeys sorted";
    std::string strNone;
    EnumerateSubkeys(nullptr, [&](const std::string& strName) { strNone += strName; });
    EXPECT_EQ("", strNone) << "an invalid key ends at once";
}

TEST(RegistryKey, OpensWithReadAndWriteAccessOnly) {
    ScopedRegKey key;
    EXPECT_FALSE(OpenReadKey(key, HKEY_LOCAL_MACHINE, "SOFTWARE\\NoSuchVendor"));
    EXPECT_FALSE(key.IsOpen());
    ASSERT_TRUE(OpenReadKey(key, HKEY_LOCAL_MACHINE, "SOFTWARE"));
    // 0x2001F includes KEY_SET_VALUE: writing through the discovery key must be possible.
    EXPECT_EQ(ERROR_SUCCESS, RegSetValueExA(key.Get(), "LqProbe", 0, REG_SZ, reinterpret_cast<const BYTE*>("x"), 2));
    RegDeleteValueA(key.Get(), "LqProbe");
}

TEST(RegistryTree, DeletesNestedKeysDepthFirst) {
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeTest\\A\\B\\C", "c");
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeTest\\A\\D");
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeTest\\E");
    CreateKey(HKEY_CURRENT_USER, "Software\\LqTreeSibling");
    EXPECT_EQ(0, DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\LqTreeTest"));
    EXPECT_FALSE(KeyExists(HKEY_CURRENT_USER, "Software\\LqTreeTest"));
    EXPECT_TRUE(KeyExists(HKEY_CURRENT_USER, "Software\\LqTreeSibling")) << "a sibling must stay";
    // Gone already: the open fails and its code comes back, nothing else happens.
    EXPECT_EQ(ERROR_FILE_NOT_FOUND, DeleteRegistryTree(HKEY_CURRENT_USER, "Software\\LqTreeTest"));
    RegDeleteKeyA(HKEY_CURRENT_USER, "Software\\LqTreeSibling");
}

}  // namespace
