// Host discovery on a Korean Windows 7 machine seeded like a DTP workstation: Photoshop under the vendor
// key with version subkeys 7.0, 9.0 and 10.0, an uninstall entry with DisplayVersion 8.0, Illustrator,
// QuarkXPress full and demo; Korean and English plug-in folder names; malformed registry values.
// Covered: the records and their order, folder choice and duplicates (the registry reading itself:
// tests/win/util/registry_test.cpp).
#include "setup/discovery/host_discovery.h"
#include "util/registry.h"
#include "tests/support/files.h"
#include "tests/support/registry.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <sstream>
#include <string>

namespace {

using lqtest::MakeFolders;
using lqtest::SetRegDword;
using lqtest::SetRegRaw;
using lqtest::SetRegString;

const char kAdobe[] = "SOFTWARE\\Adobe\\";
const char kUninstall[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\";

std::string Folders(const HostRecord& record) {
    std::ostringstream out;
    for (const auto& p : record.arrFolders) out << "[" << p->fVersion << "|" << p->strPath << "]";
    return out.str();
}

std::string Files(const HostRecord& record) {
    std::ostringstream out;
    for (const auto& p : record.arrFiles) out << "[" << int(p->bRegister) << int(p->bUnregister) << "|" << p->strName << "]";
    return out.str();
}

// Seeds one machine for the whole binary: a fresh machine per test binary, so the order of tests does
// not matter as long as none changes this seeding.
class SeededMachine : public ::testing::Environment {
public:
    void SetUp() override {
        if (getenv("LQ_EMPTY_MACHINE")) return;  // the run that checks a machine without any host
        // Photoshop 7.0: both the Korean and the English plug-in folder; the Korean one wins.
        MakeFolders("C:\\PS7\\플러그-인");
        MakeFolders("C:\\PS7\\Plug-Ins");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Photoshop\\7.0", "ApplicationPath", "C:\\PS7\\");
        // Another product line with "Photoshop" in its name, same folder without the trailing backslash.
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Adobe PhotoShop Elements\\7.0", "ApplicationPath",
                     "C:\\PS7");
        // Photoshop CS2 (9.0): only the other Korean spelling.
        MakeFolders("C:\\Program Files\\Adobe\\Photoshop CS2\\플러그인");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Photoshop\\9.0", "ApplicationPath",
                     "C:\\Program Files\\Adobe\\Photoshop CS2");
        // 10.0 is outside both ranges.
        MakeFolders("C:\\PS10\\Plug-Ins");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Photoshop\\10.0", "ApplicationPath", "C:\\PS10\\");
        // A version subkey without ApplicationPath and one naming a missing folder.
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Photoshop\\6.0", "Other", "x");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Photoshop\\5.0", "ApplicationPath", "C:\\Gone\\");
        // Photoshop CS (8.0) known only from its uninstall entry.
        MakeFolders("C:\\Program Files\\Adobe\\Photoshop CS\\Plug-Ins");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "{PhotoshopCS}", "DisplayVersion", "8.0");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "{PhotoshopCS}", "InstallLocation",
                     "C:\\Program Files\\Adobe\\Photoshop CS\\");
        // DisplayVersion 9.0 is never taken from the uninstall entries; 8.0 outside a Photoshop folder neither.
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "{PhotoshopCS2}", "DisplayVersion", "9.0");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "{PhotoshopCS2}", "InstallLocation",
                     "C:\\Program Files\\Adobe\\Photoshop CS2\\");
        MakeFolders("C:\\Other 8\\Plug-Ins");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Other8", "DisplayVersion", "8.0");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "Other8", "InstallLocation", "C:\\Other 8\\");
        // Illustrator: two versions and its uninstall entry all lead to one folder.
        MakeFolders("C:\\Program Files\\Adobe\\Illustrator CS\\플러그-인");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Illustrator\\11.0", "ApplicationPath",
                     "C:\\Program Files\\Adobe\\Illustrator CS\\");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kAdobe) + "Illustrator\\12.0", "ApplicationPath",
                     "C:\\Program Files\\Adobe\\Illustrator CS");
        SetRegString(HKEY_LOCAL_MACHINE, std::string(kUninstall) + "{Illustrator}", "InstallLocation",
                     "C:\\Program Files\\Adobe\\Illustrator CS\\");
        // QuarkXPress 6.5 full (no XTension folder yet) and demo.
        MakeFolders("C:\\QuarkXPress 6.5");
        MakeFolders("C:\\QuarkXPress 6.5 Demo\\XTension");
        SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", "C:\\QuarkXPress 6.5");
        SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KDemoPath", "C:\\QuarkXPress 6.5 Demo\\");
    }
};

const ::testing::Environment* const g_pMachine = ::testing::AddGlobalTestEnvironment(new SeededMachine);

class Discovery : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        s_pContext = new InstallContext;
        FillHostRecords(*s_pContext);
    }
    static void TearDownTestSuite() { delete s_pContext; }
    static InstallContext* s_pContext;
};
InstallContext* Discovery::s_pContext = nullptr;

TEST_F(Discovery, FixedRecordsGetTheirFilesAndTheSuiteFolder) {
    const InstallContext& c = *s_pContext;
    EXPECT_EQ("[00|ASYCFILT.DLL][00|COMCAT.DLL][00|CorelDraw.tlb][00|msvbvm60.dll][00|OLEAUT32.DLL][00|OLEPRO32.DLL]"
              "[00|STDOLE2.TLB][00|VB6STKIT.DLL]",
              Files(c.arrHosts[kHostBasicDlls]));
    EXPECT_EQ("[10|ZmtAddin.dll]", Files(c.arrHosts[kHostOffice]));
    EXPECT_EQ("[00|ZMT_P7.8bp]", Files(c.arrHosts[kHostPhotoshop]));
    EXPECT_EQ("[00|ZMT_CS2.8bp]", Files(c.arrHosts[kHostPhotoshopCS2]));
    EXPECT_EQ("[00|zmt_i.aip]", Files(c.arrHosts[kHostIllustrator]));
    EXPECT_EQ("[00|ZmtLetterquarry.axt]", Files(c.arrHosts[kHostQuark]));
    EXPECT_EQ("[11|MyAddIn_V11.dll]", Files(c.arrHosts[kHostCorelDraw11]));
    EXPECT_EQ("[11|MyAddIn_V12.dll]", Files(c.arrHosts[kHostCorelDraw12]));
    for (int i : {kHostBasicDlls, kHostOffice, kHostCorelDraw11, kHostCorelDraw12})
        EXPECT_EQ("[0|C:\\ZmtPlugin\\bin]", Folders(c.arrHosts[i])) << "record " << i;
    const char* arrKorean[] = {"BasicDlls", "Microsoft Office", "포토샵 (CS2 이전버전)", "포토샵 ( CS2 )",
                               "일러스트레이터", "쿽익스프레스", "코렐드로우11", "코렐드로우12"};
    const char* arrEnglish[] = {"BasicDlls", "Microsoft Office", "PhotoShop (CS2 Before)", "PhotoShop ( CS2 )",
                                "Illustrator", "Quark Express", "CorelDraw11", "CorelDraw12"};
    for (int i = 0; i < kHostCount; ++i) {
        EXPECT_EQ(arrKorean[i], TextIn(Language::Korean, c.arrHosts[i].name)) << "record " << i;
        EXPECT_EQ(arrEnglish[i], c.arrHosts[i].LogName()) << "record " << i;
        EXPECT_EQ("C:\\ZmtPlugin\\install", c.arrHosts[i].strSourceFolder) << "record " << i;
        EXPECT_EQ(1, c.arrHosts[i].bSelected) << "record " << i;
    }
    EXPECT_TRUE(IsFolder("C:\\ZmtPlugin\\bin"));
    EXPECT_TRUE(c.arrUninstallItems.empty());
}

TEST_F(Discovery, PhotoshopRecordsTakeTheirVersionRangesAndTheVersionEightUninstallEntry) {
    EXPECT_EQ("[7|C:\\PS7\\플러그-인\\][8|C:\\Program Files\\Adobe\\Photoshop CS\\Plug-Ins\\]",
              Folders(s_pContext->arrHosts[kHostPhotoshop]));
    EXPECT_EQ("[9|C:\\Program Files\\Adobe\\Photoshop CS2\\플러그인\\]"
              "[8|C:\\Program Files\\Adobe\\Photoshop CS\\Plug-Ins\\]",
              Folders(s_pContext->arrHosts[kHostPhotoshopCS2]));
}

TEST_F(Discovery, IllustratorFolderIsAppendedOnceWithVersionZero) {
    EXPECT_EQ("[0|C:\\Program Files\\Adobe\\Illustrator CS\\플러그-인\\]",
              Folders(s_pContext->arrHosts[kHostIllustrator]));
}

TEST_F(Discovery, QuarkFullThenDemoEachWithTheirXTensionFolder) {
    EXPECT_EQ("[0|C:\\QuarkXPress 6.5\\XTension\\][0|C:\\QuarkXPress 6.5 Demo\\XTension\\]",
              Folders(s_pContext->arrHosts[kHostQuark]));
}

TEST_F(Discovery, QuarkValuesThatAreNotProperStringsCountAsMissing) {
    SetRegDword(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KPath", 0x5C3A43);
    const std::string strGuarded = std::string("C:\\QuarkXPress 6.5 Demo\\") + "X";
    HKEY hKey = nullptr;
    ASSERT_EQ(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", 0, KEY_ALL_ACCESS, &hKey));
    RegSetValueExA(hKey, "QXP65KDemoPath", 0, REG_SZ, reinterpret_cast<const BYTE*>(strGuarded.data()),
                   static_cast<DWORD>(strGuarded.size() - 1));
    RegCloseKey(hKey);
    HostRecord record;
    FindQuarkFolders(record);
    EXPECT_EQ("", Folders(record)) << "a REG_DWORD and a string without its NUL";
    SetRegString(HKEY_LOCAL_MACHINE, "SOFTWARE\\Quark", "QXP65KDemoPath", "C:\\QuarkXPress 6.5 Demo");
    FindQuarkFolders(record);
    EXPECT_EQ("[0|C:\\QuarkXPress 6.5 Demo\\XTension\\]", Folders(record));
}

TEST(EmptyMachine, OnlyTheFixedRecordsGetAFolder) {
    if (!getenv("LQ_EMPTY_MACHINE")) GTEST_SKIP() << "runs on the machine without hosts";
    InstallContext context;
    FillHostRecords(context);
    for (int i = 0; i < kHostCount; ++i) {
        bool bFixed = i == kHostBasicDlls || i == kHostOffice || i == kHostCorelDraw11 || i == kHostCorelDraw12;
        EXPECT_EQ(bFixed ? "[0|C:\\ZmtPlugin\\bin]" : "", Folders(context.arrHosts[i])) << "record " << i;
        EXPECT_EQ(i == kHostBasicDlls ? 8u : 1u, context.arrHosts[i].arrFiles.size()) << "record " << i;
    }
    EXPECT_TRUE(IsFolder("C:\\ZmtPlugin\\bin"));
}

TEST(AddHostFolder, SkipsOnlyEntriesEqualInVersionAndExactPath) {
    HostRecord record;
    AddHostFolder(record, 8.0f, "C:\\a\\");
    AddHostFolder(record, 8.0f, "C:\\a\\");
    AddHostFolder(record, 9.0f, "C:\\a\\");
    AddHostFolder(record, 8.0f, "c:\\a\\");
    EXPECT_EQ("[8|C:\\a\\][9|C:\\a\\][8|c:\\a\\]", Folders(record));
}

}  // namespace
