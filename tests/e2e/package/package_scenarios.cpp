// The Windows Installer package as deployment tools run it (msiexec /qn) on the seeded Korean DTP machine,
// checked on the machine: files, the program's entry, the package's registration (by the upgrade code), the
// entries the list of programs shows. One scenario per case: install and remove; removal by the shown entry; a
// plug-in in use, 3010, and Wine's restart ("wineboot -r") finishing the install with nobody logging on; a
// failure; an upgrade, the same package again, a downgrade (Wine sets no UPGRADINGPRODUCTCODE; none is needed).
#include "tests/support/expected_state.h"
#include "tests/support/files.h"
#include "tests/support/programs.h"
#include "tests/support/registry.h"
#include "tests/support/setup_log_reader.h"
#include "tests/support/suite.h"

#include <gtest/gtest.h>
#include <windows.h>
#include <msi.h>

#include <string>
#include <vector>

namespace {

using lqtest::kEntryKey;

const char kUpgradeCode[] = "{6C1F3A2E-4B7D-4E59-9A8C-2F0D5B1E7A43}";
const std::string kPackage = "C:\\pkg\\Letterquarry.msi", kOlderPackage = "C:\\pkg\\Letterquarry-older.msi";
const char kMsiexec[] = "C:\\windows\\system32\\msiexec.exe";
const std::string kAi = "C:\\Program Files\\Adobe\\Adobe Illustrator CS2\\Plug-ins";
// The application folders of tools/seed/korean-dtp.reg, and a file the install places in each, as it joins them.
const std::vector<std::string> kPlaced = {"C:\\Program Files\\Adobe\\Photoshop 7.0\\플러그-인\\\\ZMT_P7.8bp",
                                          "C:\\Program Files\\Adobe\\Adobe Photoshop CS2\\Plug-Ins\\\\ZMT_CS2.8bp",
                                          kAi + "\\\\zmt_i.aip", "C:\\Program Files\\QuarkXPress 6.5\\XTension\\\\ZmtLetterquarry.axt",
                                          lqtest::kBin + "\\ZmtAddin.dll", lqtest::kBin + "\\MyAddIn_V11.dll"};
void MakeApplicationFolders() {
    for (const std::string& strFile : kPlaced)  // the hosts' folders: where the install doubles the backslash
        EXPECT_TRUE(strFile.find("\\\\") == std::string::npos || lqtest::MakeFolders(strFile.substr(0, strFile.find("\\\\"))));
}

int Msiexec(const std::string& strArgs) { return lqtest::RunToEnd(strArgs, 180000, kMsiexec); }

// The products of the package's upgrade code on the machine, and the version each has.
std::vector<std::string> InstalledVersions() {
    std::vector<std::string> arr;
    char szProduct[39];
    for (DWORD i = 0; MsiEnumRelatedProductsA(kUpgradeCode, 0, i, szProduct) == ERROR_SUCCESS; ++i) {
        char szVersion[64] = {};
        DWORD nLength = sizeof szVersion;
        MsiGetProductInfoA(szProduct, INSTALLPROPERTY_VERSIONSTRING, szVersion, &nLength);
        arr.push_back(szVersion);
    }
    return arr;
}

// The entries the list of programs shows whose name has "Letterquarry": key names under Uninstall.
std::vector<std::string> VisibleEntries() {
    const std::string strRoot = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
    std::vector<std::string> arr;
    HKEY hRoot;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, strRoot.c_str(), 0, KEY_READ, &hRoot) != ERROR_SUCCESS) return arr;
    char szName[256];
    for (DWORD i = 0; RegEnumKeyA(hRoot, i, szName, sizeof szName) == ERROR_SUCCESS; ++i) {
        const std::string strKey = strRoot + "\\" + szName;
        if (lqtest::RegString(HKEY_LOCAL_MACHINE, strKey, "DisplayName").find("Letterquarry") == std::string::npos) continue;
        if (lqtest::RegDword(HKEY_LOCAL_MACHINE, strKey, "SystemComponent", 0) == 1) continue;
        arr.push_back(szName);
    }
    RegCloseKey(hRoot);
    return arr;
}

// Installed as "/B /QUIET" leaves it: the shipped folder, the plug-ins, the classes and the entry (kept for
// detection by its version, hidden from the list), and the package registered once, at sVersion.
void ExpectInstalled(const char* szVersion) {
    lqtest::ExpectedState expected;
    for (const char* szFile : {"ZmtUpGrade_Letterquarry.exe", "ZmtLetterquarry.axt", "OLEAUT32.DLL", "zmt_i.aip"})
        expected.FileLike(lqtest::kInstall + "\\" + szFile, std::string("C:\\pkg\\install\\") + szFile);
    for (const std::string& strFile : kPlaced) expected.FileLike(strFile, "C:\\pkg\\install" + strFile.substr(strFile.rfind('\\')));
    expected.StringValue(HKEY_LOCAL_MACHINE, kEntryKey, "DisplayVersion", "5.9.8.1");
    expected.Value(HKEY_LOCAL_MACHINE, kEntryKey, "SystemComponent", REG_DWORD, std::string("\1\0\0\0", 4));
    expected.Key(HKEY_CLASSES_ROOT, std::string(lqtest::kAddinClassKey) + "\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, std::string(lqtest::kV11Class) + "\\InprocServer32");
    EXPECT_MACHINE(expected);
    EXPECT_EQ(std::vector<std::string>{szVersion}, InstalledVersions());
    const std::vector<std::string> arrEntries = VisibleEntries();  // the package's own, by its product code
    EXPECT_TRUE(arrEntries.size() == 1 && arrEntries[0][0] == '{') << arrEntries.size() << " entries shown";
}

// Nothing of the suite is registered (no product, no entry, no class of its add-ins), and no plug-in placed.
void ExpectNothingLeft(const char* szWhen) {
    EXPECT_TRUE(InstalledVersions().empty()) << szWhen;
    EXPECT_TRUE(VisibleEntries().empty()) << szWhen;
    lqtest::ExpectedState expected;
    expected.NoKey(HKEY_LOCAL_MACHINE, kEntryKey).NoKey(HKEY_CLASSES_ROOT, lqtest::kAddinClassKey);
    expected.NoKey(HKEY_CLASSES_ROOT, lqtest::kV11Class).NoKey(HKEY_CLASSES_ROOT, lqtest::kV12Class);
    EXPECT_MACHINE(expected);
    EXPECT_FALSE(lqtest::PathExists(lqtest::kInstall)) << szWhen << ": the shipped folder";
    for (const std::string& strFile : kPlaced) EXPECT_FALSE(lqtest::PathExists(strFile)) << szWhen << ": " << strFile;
}

TEST(Package, InstallAndRemove) {
    MakeApplicationFolders();
    lqtest::MakeFolders("C:\\Setup Logs");  // the setup program makes no folder for its log
    ASSERT_EQ(0, Msiexec("/i " + kPackage + " /qn /norestart /l*v C:\\msi.log SETUPLOG=\"C:\\Setup Logs\\lq.log\""));
    ExpectInstalled("5.9.8.1");
    // The program's run, named in msiexec's log, and its own log where the property said.
    EXPECT_NE(std::string::npos,
              lqtest::ReadFileBytes("C:\\msi.log").find("Letterquarry: the setup program ended with exit code 0: done"));
    const std::vector<std::string> arrLines = lqtest::SetupLogLines("C:\\Setup Logs\\lq.log");
    ASSERT_FALSE(arrLines.empty()) << "no setup log";
    EXPECT_EQ(1u, lqtest::LinesWith(arrLines, "Mode: quiet install").size());
    EXPECT_EQ("Exit code 0: done", arrLines.back());

    ASSERT_EQ(0, Msiexec("/x " + kPackage + " /qn"));
    ExpectNothingLeft("after msiexec /x");
}

TEST(Package, RemoveThroughTheVisibleEntry) {
    MakeApplicationFolders();
    ASSERT_EQ(0, Msiexec("/i " + kPackage + " /qn /norestart"));
    const std::vector<std::string> arrEntries = VisibleEntries();
    ASSERT_EQ(1u, arrEntries.size());
    const std::string strEntry = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\" + arrEntries[0];
    EXPECT_EQ("MsiExec.exe /X" + arrEntries[0], lqtest::RegString(HKEY_LOCAL_MACHINE, strEntry, "UninstallString"));
    const std::string strQuiet = lqtest::RegString(HKEY_LOCAL_MACHINE, strEntry, "QuietUninstallString");
    ASSERT_EQ("MsiExec.exe /X" + arrEntries[0] + " /qn", strQuiet);
    EXPECT_EQ(0, Msiexec(strQuiet.substr(strQuiet.find(' ') + 1)));
    ExpectNothingLeft("after the entry's quiet uninstall");
}

TEST(Package, FileInUseThenRestart) {
    MakeApplicationFolders();
    {
        lqtest::HeldFile held(kAi + "\\zmt_i.aip", "the plug-in a running Illustrator holds");
        ASSERT_TRUE(held.IsHeld());
        EXPECT_EQ(3010, Msiexec("/i " + kPackage + " /qn /norestart /l*v C:\\msi.log"));
    }
    EXPECT_EQ("c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /B /QUIET", lqtest::MachineRunOnceValue());
    EXPECT_NE(std::string::npos, lqtest::ReadFileBytes("C:\\msi.log").find("Letterquarry: the setup program ended with exit code 3010"));
    EXPECT_EQ(std::vector<std::string>{"5.9.8.1"}, InstalledVersions()) << "installed, waiting for the restart";
    EXPECT_EQ("", lqtest::RegString(HKEY_LOCAL_MACHINE, kEntryKey, "DisplayVersion")) << "detection: not yet";
    // Wine's restart runs what waits in HKLM RunOnce, without anyone logging on.
    EXPECT_EQ(0, lqtest::RunToEnd("-r", 180000, "C:\\windows\\system32\\wineboot.exe"));
    ExpectInstalled("5.9.8.1");
    EXPECT_EQ("", lqtest::MachineRunOnceValue()) << "run once, and gone";
}

TEST(Package, FailureLeavesNothingRegistered) {
    MakeApplicationFolders();
    // QuarkXPress registered inside the Windows folder: the program refuses to place a plug-in there, at its
    // last step, after the add-ins were registered.
    const std::string strQuark = "C:\\windows\\QuarkXPress 6.5";
    ASSERT_TRUE(lqtest::MakeFolders(strQuark + "\\XTension"));
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", strQuark);
    EXPECT_EQ(1603, Msiexec("/i " + kPackage + " /qn /norestart /l*v C:\\msi.log"));
    const std::string strLog = lqtest::ReadFileBytes("C:\\msi.log");
    EXPECT_NE(std::string::npos, strLog.find("Letterquarry: the setup program ended with exit code 1603"));
    EXPECT_NE(std::string::npos, strLog.find("Letterquarry: taking back what the failed install placed"));
    ExpectNothingLeft("after the failed install");
}

TEST(Package, Upgrade) {
    MakeApplicationFolders();
    ASSERT_EQ(0, Msiexec("/i " + kOlderPackage + " /qn /norestart"));
    EXPECT_EQ(std::vector<std::string>{"5.9.7.0"}, InstalledVersions());
    ASSERT_EQ(0, Msiexec("/i " + kPackage + " /qn /norestart"));
    ExpectInstalled("5.9.8.1");
    EXPECT_EQ(0, Msiexec("/i " + kPackage + " /qn /norestart")) << "the same package again";
    ExpectInstalled("5.9.8.1");
    EXPECT_EQ(1603, Msiexec("/i " + kOlderPackage + " /qn /norestart")) << "an older package over a newer one";
    ExpectInstalled("5.9.8.1");
}

}  // namespace
