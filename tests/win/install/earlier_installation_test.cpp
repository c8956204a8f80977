// Earlier-installation cleanup on a fresh Windows machine seeded with an earlier installer's traces.
// Covered: which uninstall entries are read (name contains "Letterquarry", case-sensitive) and which are
// deleted (vendor address in "URLInfoAbout"), the folder values in order, the four old plug-in files in
// every folder and nothing else, the Start-menu group to the Recycle Bin, keys that cannot be deleted.
#include "setup/install/earlier_installation.h"
#include "tests/support/files.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <string>
#include <vector>

namespace {

const std::string kUninstall = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";

using lqtest::PathExists;

void SetString(HKEY hRoot, const std::string& strKey, const std::string& strName, const std::string& strValue) {
    ASSERT_TRUE(lqtest::SetRegString(hRoot, strKey, strName, strValue)) << strKey;
}

void MakeFile(const std::string& strPath) { ASSERT_TRUE(lqtest::WriteFileBytes(strPath, "old")) << strPath; }

const char* const kOldFiles[] = {"zmt_i.aip", "ZMT_P7.8bp", "ZMT_CS2.8bp", "ZmtLetterquarry.axt"};

// Runs first: the other tests seed this machine.
TEST(EarlierInstallationCleanMachine, DoesNothingWhereThereIsNothing) {
    RemoveEarlierInstallation();  // no entries, and a Programs folder without a Letterquarry group
    EarlierInstallation earlier = FindEarlierInstallation();
    EXPECT_TRUE(earlier.arrFolders.empty() && earlier.arrKeys.empty());
}

class EarlierInstallationTest : public ::testing::Test {
protected:
    void SetUp() override {
        // The earlier installer's own entry: vendor address (in another case) and three folder values.
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Letterquarry", "URLInfoAbout", "HTTP://WWW.ZMTPLUGIN.CO.KR/Letterquarry");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Letterquarry", "Quark_Path1", "C:\\old\\qxp\\XTension");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Letterquarry", "Illustrator_Path0", "C:\\old\\ai");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Letterquarry", "PhotoShop_Path2", "C:\\old\\ps\\");
        // Another vendor's address: folders used, entry kept.
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Old Letterquarry 4", "URLInfoAbout", "http://www.example.com/");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Old Letterquarry 4", "PhotoShop_UnderCS2_Path4", "C:\\old\\ps7");
        // No address at all: folders used, entry kept.
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Letterquarry NoURL", "PhotoShop_OverCS2_Path0", "C:\\old\\cs2");
        // All lower case: not considered at all (key names themselves ignore case, so another name).
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\letterquarry 3", "URLInfoAbout", "http://www.zmtplugin.co.kr");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\letterquarry 3", "Illustrator_Path1", "C:\\old\\lower");
        // Matching address, but a subkey makes the key undeletable: passed over.
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Letterquarry Sub", "URLInfoAbout", "www.zmtplugin.co.kr");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Letterquarry Sub\\Child", "x", "y");
        // This system's own entry and an unrelated one.
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\LetterquarryUnInstall", "DisplayName", "Letterquarry Delete");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Other Product", "URLInfoAbout", "http://www.zmtplugin.co.kr");
        SetString(HKEY_LOCAL_MACHINE, kUninstall + "\\Other Product", "Quark_Path0", "C:\\old\\other");

        for (const char* szFolder : {"C:\\old\\qxp\\XTension", "C:\\old\\ai", "C:\\old\\ps", "C:\\old\\ps7",
                                     "C:\\old\\cs2", "C:\\old\\lower", "C:\\old\\other"}) {
            for (const char* szFile : kOldFiles) MakeFile(std::string(szFolder) + "\\" + szFile);
            MakeFile(std::string(szFolder) + "\\keep.8bp");
        }
        SetString(HKEY_CURRENT_USER, "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders", "Programs",
                  "C:\\lqstart\\Programs");
        MakeFile("C:\\lqstart\\Programs\\Letterquarry\\Letterquarry.lnk");
        MakeFile("C:\\lqstart\\Programs\\Letterquarry Tools\\Tool.lnk");
    }
};

TEST_F(EarlierInstallationTest, FindsTheFoldersOfEveryEntryAndTheKeysOfTheVendorsOwn) {
    EarlierInstallation earlier = FindEarlierInstallation();
    // Enumeration order is the registry's (alphabetical); within an entry, the values' fixed order.
    std::vector<std::string> expectedFolders = {"C:\\old\\ai", "C:\\old\\ps\\", "C:\\old\\qxp\\XTension",
                                                "C:\\old\\cs2", "C:\\old\\ps7"};
    std::vector<std::string> expectedKeys = {kUninstall + "\\Letterquarry", kUninstall + "\\Letterquarry Sub"};
    EXPECT_EQ(expectedFolders, earlier.arrFolders);
    EXPECT_EQ(expectedKeys, earlier.arrKeys);
}

TEST_F(EarlierInstallationTest, RemovesExactlyTheOldFilesTheGroupAndTheMatchedKeys) {
    RemoveEarlierInstallation();

    for (const char* szFolder : {"C:\\old\\qxp\\XTension", "C:\\old\\ai", "C:\\old\\ps", "C:\\old\\ps7", "C:\\old\\cs2"}) {
        for (const char* szFile : kOldFiles)
            EXPECT_FALSE(PathExists(std::string(szFolder) + "\\" + szFile)) << szFolder << "\\" << szFile << " removed";
        EXPECT_TRUE(PathExists(std::string(szFolder) + "\\keep.8bp")) << "other files stay in " << szFolder;
    }
    for (const char* szFolder : {"C:\\old\\lower", "C:\\old\\other"}) {
        for (const char* szFile : kOldFiles)
            EXPECT_TRUE(PathExists(std::string(szFolder) + "\\" + szFile)) << szFolder << "\\" << szFile << " stays";
    }
    EXPECT_FALSE(PathExists("C:\\lqstart\\Programs\\Letterquarry")) << "the Start-menu group went to the Recycle Bin";
    EXPECT_TRUE(PathExists("C:\\lqstart\\Programs\\Letterquarry Tools\\Tool.lnk")) << "another group stays";

    struct KeyCase {
        const char* szName;
        bool bStays;
    } const keys[] = {
        {"Letterquarry", false},       {"Old Letterquarry 4", true}, {"Letterquarry NoURL", true},
        {"letterquarry 3", true},        {"Letterquarry Sub", true},   {"LetterquarryUnInstall", true},
        {"Other Product", true},
    };
    for (const KeyCase& key : keys)
        EXPECT_EQ(key.bStays, lqtest::KeyExists(HKEY_LOCAL_MACHINE, kUninstall + "\\" + key.szName))
            << key.szName << (key.bStays ? " stays" : " removed");
}

}  // namespace
