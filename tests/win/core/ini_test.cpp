// CIni over the Windows profile functions on a fresh machine: long values, caller buffers, integer
// bases, missing names, the server-list rule on a file that does not exist yet. Not covered: the access
// list given to an existing file on Vista and later (SetStandardFileAccess, tested with the engine).
#include "setup/core/ini.h"
#include "tests/support/files.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>
#include <string>

namespace {

const char kFile[] = "C:\\ZmtPlugin\\test.ini";

class IniFile : public ::testing::Test {
protected:
    void SetUp() override {
        lqtest::MakeFolders("C:\\ZmtPlugin");
        DeleteFileA(kFile);
    }
};

TEST_F(IniFile, ReadsValuesOfAnyLengthWhole) {
    CIni ini(kFile);
    for (size_t nLength : {0u, 1u, 510u, 511u, 512u, 513u, 1500u, 5000u}) {
        std::string strValue(nLength, 'v');
        if (nLength > 2) strValue[nLength / 2] = 'm';
        ASSERT_TRUE(ini.WriteString("BrelFontPlugin", "Long", strValue.c_str()));
        EXPECT_EQ(strValue, ini.GetString("BrelFontPlugin", "Long")) << nLength << " characters";
    }
    EXPECT_EQ("dflt", ini.GetString("BrelFontPlugin", "Missing", "dflt"));
    EXPECT_EQ("", ini.GetString("BrelFontPlugin", "Missing"));
    EXPECT_EQ("dflt", ini.GetString(nullptr, "Long", "dflt"));
    EXPECT_EQ("dflt", ini.GetString("BrelFontPlugin", nullptr, "dflt"));
}

TEST_F(IniFile, CallerBuffersAreTerminatedAndNeverCutACharacter) {
    CIni ini(kFile);
    ASSERT_TRUE(ini.WriteString("S", "K", "ab한글"));
    char szBuffer[8];
    memset(szBuffer, '#', sizeof szBuffer);
    EXPECT_EQ(6, ini.GetString("S", "K", szBuffer, 8, ""));
    EXPECT_STREQ("ab한글", szBuffer);
    memset(szBuffer, '#', sizeof szBuffer);
    EXPECT_EQ(4, ini.GetString("S", "K", szBuffer, 6, "")) << "the second Korean character does not fit";
    EXPECT_STREQ("ab한", szBuffer);
    memset(szBuffer, '#', sizeof szBuffer);
    EXPECT_EQ(4, ini.GetString("S", "K", szBuffer, 5, ""));
    EXPECT_EQ('\0', szBuffer[4]);
    EXPECT_EQ('#', szBuffer[5]) << "nothing written past the buffer";
    EXPECT_EQ(0, ini.GetString("S", "K", szBuffer, 1, ""));
    EXPECT_STREQ("", szBuffer);
}

TEST_F(IniFile, IntegersInEachBase) {
    CIni ini(kFile);
    ASSERT_TRUE(ini.WriteInt("S", "Bin", 5, 2));
    ASSERT_TRUE(ini.WriteInt("S", "Hex", 255, 16));
    ASSERT_TRUE(ini.WriteInt("S", "Oct", 8, 8));
    ASSERT_TRUE(ini.WriteInt("S", "Dec", -2147483647 - 1, 10));
    ASSERT_TRUE(ini.WriteString("S", "Empty", ""));
    EXPECT_EQ("101", ini.GetString("S", "Bin"));
    EXPECT_EQ("FF", ini.GetString("S", "Hex"));
    EXPECT_EQ("10", ini.GetString("S", "Oct"));
    EXPECT_EQ("-2147483648", ini.GetString("S", "Dec"));
    EXPECT_EQ(5, ini.GetInt("S", "Bin", 0, 2));
    EXPECT_EQ(255, ini.GetInt("S", "Hex", 0, 16));
    EXPECT_EQ(8, ini.GetInt("S", "Oct", 0, 8));
    EXPECT_EQ(-2147483647 - 1, ini.GetInt("S", "Dec", 0));
    EXPECT_EQ(7, ini.GetInt("S", "Empty", 7));
    EXPECT_EQ(7, ini.GetInt("S", "Missing", 7));
    EXPECT_FALSE(ini.WriteString(nullptr, "K", "v"));
    EXPECT_FALSE(ini.WriteString("S", nullptr, "v"));
    ASSERT_TRUE(ini.WriteString("S", "Null", nullptr));
    EXPECT_EQ("", ini.GetString("S", "Null", "dflt")) << "a null value writes the empty text";
}

TEST_F(IniFile, StandardEditionInstallClickOnANewFile) {
    DeleteFileA(kSuiteSettingsPath);
    {
        CIni ini(kSuiteSettingsPath);
        ini.WriteInt(kSettingsSection, "Run", 1);
        ApplyServerListRule(ini, Edition::Standard);
    }
    EXPECT_EQ("[BrelFontPlugin]\r\nRun=1\r\nServerListFileName=SvrLstQuobbTessly.cfg\r\n",
              lqtest::ReadFileBytes(kSuiteSettingsPath));
    CIni sibling(kSiblingSettingsPath);
    EXPECT_EQ(0, sibling.GetInt(kSettingsSection, "Pot_Run", 0)) << "missing file";
}

TEST_F(IniFile, TessalyRuleReadsTheHomeFromTheFile) {
    CIni ini(kFile);
    ApplyServerListRule(ini, Edition::Tessaly);
    EXPECT_EQ("SvrLstTessly.cfg", ini.GetString(kSettingsSection, "ServerListFileName"));
    ini.WriteString(kSettingsSection, "ServerListFileName", "");
    ApplyServerListRule(ini, Edition::Tessaly);  // "BrelHome" is now there
    EXPECT_EQ("SvrLstQuobbTessly.cfg", ini.GetString(kSettingsSection, "ServerListFileName"));
    EXPECT_EQ(ini.GetString(kSettingsSection, "BrelHome"), ini.GetString(kSettingsSection, "DefaultHome"));
}

}  // namespace
