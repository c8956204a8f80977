// The Windows Installer package as deployment tools run it ("msiexec /i … /qn /norestart", "/x … /qn"), on
// the seeded Korean DTP machine (tools/seed/korean-dtp.reg, its application folders made here), checked on
// the machine after each step: files, the setup program's entry, the package's registration (by the upgrade
// code, which every version shares) and what the list of programs shows.
//  - InstallAndRemove: exit 0, the shipped folder and the plug-ins placed, one visible entry, the setup log
//    passed on (SETUPLOG) and the program's exit code in msiexec's log; removal takes everything back;
//  - RemoveThroughTheVisibleEntry: the entry's quiet uninstall command removes program, folder and package;
//  - FileInUseThenRestart: a plug-in held: 3010, nothing waits for a logon: "wineboot -r" (Wine's restart)
//    finishes the install;
//  - FailureLeavesNothingRegistered: a destination the program refuses: 1603, no product, no entry, no class;
//  - Upgrade: an older package, then this one: one product, this version; this one again: still one; the
//    older one over it: refused.
// Not shown by Wine: rollback of the placed folder after a failure (Wine's msiexec keeps what it placed, so
// the failure case checks registrations, not the folder), and the upgrade-code property an upgrade sets in the
// older package's removal (Wine sets none; the package does not depend on it).
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

using lqtest::kBin;
using lqtest::kEntryKey;
using lqtest::kInstall;

const char kUpgradeCode[] = "{6C1F3A2E-4B7D-4E59-9A8C-2F0D5B1E7A43}";
const std::string kPackage = "C:\\pkg\\Letterquarry.msi", kOlderPackage = "C:\\pkg\\Letterquarry-older.msi";
const char kMsiexec[] = "C:\\windows\\system32\\msiexec.exe";
const std::string kPs7 = "C:\\Program Files\\Adobe\\Photoshop 7.0\\플러그-인";
const std::string kCs2 = "C:\\Program Files\\Adobe\\Adobe Photoshop CS2\\Plug-Ins";
const std::string kAi = "C:\\Program Files\\Adobe\\Adobe Illustrator CS2\\Plug-ins";
const std::string kQxp = "C:\\Program Files\\QuarkXPress 6.5\\XTension";

// The application folders of tools/seed/korean-dtp.reg, and where the install puts each plug-in there.
void MakeApplicationFolders() {
    for (const std::string& strFolder : {kPs7, kCs2, kAi, kQxp}) ASSERT_TRUE(lqtest::MakeFolders(strFolder)) << strFolder;
}
const std::vector<std::string>& PlacedPlugins() {
    static const std::vector<std::string> arr = {kPs7 + "\\\\ZMT_P7.8bp", kCs2 + "\\\\ZMT_CS2.8bp", kAi + "\\\\zmt_i.aip",
                                                 kQxp + "\\\\ZmtLetterquarry.axt", kBin + "\\ZmtAddin.dll",
                                                 kBin + "\\MyAddIn_V11.dll"};
    return arr;
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
        expected.FileLike(kInstall + "\\" + szFile, std::string("C:\\pkg\\install\\") + szFile);
    for (const std::string& strPlugin : PlacedPlugins()) expected.FileLike(strPlugin, "C:\\pkg\\install\\" + strPlugin.substr(strPlugin.rfind('\\') + 1));
    expected.StringValue(HKEY_LOCAL_MACHINE, kEntryKey, "DisplayVersion", "5.9.8.1");
    expected.Value(HKEY_LOCAL_MACHINE, kEntryKey, "SystemComponent", REG_DWORD, std::string("\1\0\0\0", 4));
    expected.Key(HKEY_CLASSES_ROOT, std::string(lqtest::kAddinClassKey) + "\\InprocServer32");
    expected.Key(HKEY_CLASSES_ROOT, std::string(lqtest::kV11Class) + "\\InprocServer32");
    EXPECT_MACHINE(expected);
    EXPECT_EQ(std::vector<std::string>{szVersion}, InstalledVersions());
    const std::vector<std::string> arrEntries = VisibleEntries();
    ASSERT_EQ(1u, arrEntries.size()) << "entries shown";
    EXPECT_EQ('{', arrEntries[0][0]) << "the package's own entry is the one shown: " << arrEntries[0];
}

// Nothing of the suite is registered: no product, no entry, no class of its add-ins.
void ExpectNothingRegistered(const char* szWhen) {
    EXPECT_TRUE(InstalledVersions().empty()) << szWhen;
    EXPECT_TRUE(VisibleEntries().empty()) << szWhen;
    lqtest::ExpectedState expected;
    expected.NoKey(HKEY_LOCAL_MACHINE, kEntryKey).NoKey(HKEY_CLASSES_ROOT, lqtest::kAddinClassKey);
    expected.NoKey(HKEY_CLASSES_ROOT, lqtest::kV11Class).NoKey(HKEY_CLASSES_ROOT, lqtest::kV12Class);
    EXPECT_MACHINE(expected);
}

// And nothing of it is left on the disk either.
void ExpectRemoved(const char* szWhen) {
    ExpectNothingRegistered(szWhen);
    EXPECT_FALSE(lqtest::PathExists(kInstall)) << szWhen << ": the shipped folder";
    for (const std::string& strPlugin : PlacedPlugins()) EXPECT_FALSE(lqtest::PathExists(strPlugin)) << szWhen << ": " << strPlugin;
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
    ExpectRemoved("after msiexec /x");
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
    ExpectRemoved("after the entry's quiet uninstall");
}

TEST(Package, FileInUseThenRestart) {
    MakeApplicationFolders();
    const std::string strHeld = kAi + "\\zmt_i.aip";
    {
        lqtest::HeldFile held(strHeld, "the plug-in a running Illustrator holds");
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
    char szWindows[MAX_PATH] = {};
    GetWindowsDirectoryA(szWindows, MAX_PATH);
    const std::string strQuark = std::string(szWindows) + "\\QuarkXPress 6.5";
    ASSERT_TRUE(lqtest::MakeFolders(strQuark + "\\XTension"));
    lqtest::SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", strQuark);
    EXPECT_EQ(1603, Msiexec("/i " + kPackage + " /qn /norestart /l*v C:\\msi.log"));
    const std::string strLog = lqtest::ReadFileBytes("C:\\msi.log");
    EXPECT_NE(std::string::npos, strLog.find("Letterquarry: the setup program ended with exit code 1603"));
    EXPECT_NE(std::string::npos, strLog.find("Letterquarry: taking back what the failed install placed"));
    ExpectNothingRegistered("after the failed install");
    for (const std::string& strPlugin : PlacedPlugins()) EXPECT_FALSE(lqtest::PathExists(strPlugin)) << strPlugin;
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
