// The rule of which uninstall-log records the elevated setup program acts on: every path an install
// writes passes with the table's flags; planted, traversing, device, foreign and Windows-folder paths do
// not. Code page 949 names are compared by character, never folded byte by byte.
#include "setup/record/record_rule.h"

#include <gtest/gtest.h>

namespace {

const RecordPlaces kPlaces = {"C:\\ZmtPlugin\\bin", {"C:\\windows", "C:\\windows\\system32", "C:\\windows\\syswow64"}};

TEST(RecordRule, JudgesEachPathAsTheInstallWouldHavePlacedIt) {
    const struct {
        const char* szPath;
        RecordVerdict expected;
    } cases[] = {
        // What installs write, including the doubled backslash after a folder that ends in one.
        {"C:\\ZmtPlugin\\bin\\ASYCFILT.DLL", RecordVerdict::Honoured},
        {"c:\\zmtplugin\\BIN\\zmtaddin.DLL", RecordVerdict::Honoured},
        {"C:\\ZmtPlugin\\bin\\\\MyAddIn_V11.dll", RecordVerdict::Honoured},
        {"C:/ZmtPlugin/bin/MyAddIn_V12.dll", RecordVerdict::Honoured},
        {"C:\\Program Files\\Adobe\\Photoshop 7.0\\플러그-인\\\\ZMT_P7.8bp", RecordVerdict::Honoured},
        {"D:\\QuarkXPress 6.5\\XTension\\\\ZmtLetterquarry.axt", RecordVerdict::Honoured},
        {"C:\\windowsfonts\\ZMT_CS2.8bp", RecordVerdict::Honoured},  // a sibling of the Windows folder
        // Planted.
        {"C:\\windows\\win.ini", RecordVerdict::NotASuiteFile},
        {"C:\\users\\Public\\evil.dll", RecordVerdict::NotASuiteFile},
        {"C:\\ZmtPlugin\\bin\\", RecordVerdict::NotASuiteFile},
        {"C:\\windows\\system32\\OLEAUT32.DLL", RecordVerdict::SharedFileOutsideBin},
        {"C:\\users\\Public\\MyAddIn_V11.dll", RecordVerdict::SharedFileOutsideBin},
        {"C:\\ZmtPlugin\\bin\\sub\\ZmtAddin.dll", RecordVerdict::SharedFileOutsideBin},
        {"D:\\ZmtPlugin\\bin\\ZmtAddin.dll", RecordVerdict::SharedFileOutsideBin},
        {"C:\\ZmtPlugin\\ASYCFILT.DLL", RecordVerdict::SharedFileOutsideBin},
        {"C:\\Windows\\zmt_i.aip", RecordVerdict::InWindowsFolder},
        {"c:\\WINDOWS\\System32\\drivers\\ZmtLetterquarry.axt", RecordVerdict::InWindowsFolder},
        {"C:\\windows\\\\zmt_i.aip", RecordVerdict::InWindowsFolder},
        // Traversal, and names Windows would change on the way.
        {"C:\\ZmtPlugin\\bin\\..\\..\\windows\\system.ini", RecordVerdict::UnsafeComponent},
        {"C:\\ZmtPlugin\\bin\\..\\..\\windows\\system32\\OLEAUT32.DLL", RecordVerdict::UnsafeComponent},
        {"C:\\ZmtPlugin\\bin\\.\\COMCAT.DLL", RecordVerdict::UnsafeComponent},
        {"C:\\windows.\\zmt_i.aip", RecordVerdict::UnsafeComponent},
        {"C:\\windows \\zmt_i.aip", RecordVerdict::UnsafeComponent},
        {"C:\\Plug-Ins\\zmt_i.aip::$DATA", RecordVerdict::UnsafeComponent},
        {"C:\\Plug-Ins\\*\\zmt_i.aip", RecordVerdict::UnsafeComponent},
        {"C:/ZmtPlugin/bin/../../windows/win.ini", RecordVerdict::UnsafeComponent},
        // Not a full path, or a device path.
        {"zmt_i.aip", RecordVerdict::NotAbsolute},
        {"\\Plug-Ins\\zmt_i.aip", RecordVerdict::NotAbsolute},
        {"C:zmt_i.aip", RecordVerdict::NotAbsolute},
        {"", RecordVerdict::NotAbsolute},
        {"\\\\.\\C:\\Plug-Ins\\zmt_i.aip", RecordVerdict::DeviceForm},
        {"\\\\?\\C:\\windows\\system32\\OLEAUT32.DLL", RecordVerdict::DeviceForm},
        {"\\??\\C:\\Plug-Ins\\zmt_i.aip", RecordVerdict::DeviceForm},
        {"//./C:/Plug-Ins/zmt_i.aip", RecordVerdict::DeviceForm},
        // The network: every open of such a path signs in to a host the writer chose.
        {"\\\\localhost\\C$\\windows\\ZMT_P7.8bp", RecordVerdict::NetworkPath},
        {"//127.0.0.1/c$/windows/zmt_i.aip", RecordVerdict::NetworkPath},
        {"\\\\server\\apps\\Illustrator CS\\Plug-Ins\\zmt_i.aip", RecordVerdict::NetworkPath},
        {"\\\\server\\zmt_i.aip", RecordVerdict::NetworkPath},
        {"\\\\?\\UNC\\server\\share\\zmt_i.aip", RecordVerdict::NetworkPath},
        {"\\??\\unc\\server\\share\\zmt_i.aip", RecordVerdict::NetworkPath},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DescribeVerdict(c.expected), std::string(DescribeVerdict(JudgeRecordPath(c.szPath, kPlaces))))
            << c.szPath;
}

TEST(RecordRule, AnHonouredRecordCarriesTheTablesFlags) {
    const struct {
        const char* szPath;
        int nRegister, nUnregister;
    } cases[] = {
        {"C:\\ZmtPlugin\\bin\\MyAddIn_V11.dll", 1, 1},
        {"C:\\ZmtPlugin\\bin\\ZmtAddin.dll", 1, 0},
        {"C:\\ZmtPlugin\\bin\\OLEAUT32.DLL", 0, 0},
        {"C:\\QuarkXPress 6.5\\XTension\\ZmtLetterquarry.axt", 0, 0},
    };
    for (const auto& c : cases) {
        const SuiteFile* pFile = nullptr;
        ASSERT_EQ(RecordVerdict::Honoured, JudgeRecordPath(c.szPath, kPlaces, &pFile)) << c.szPath;
        ASSERT_NE(nullptr, pFile) << c.szPath;
        EXPECT_EQ(c.nRegister, pFile->bRegister) << c.szPath;
        EXPECT_EQ(c.nUnregister, pFile->bUnregister) << c.szPath;
    }
    const SuiteFile* pRefused = kHosts[0].arrFiles.begin();
    EXPECT_NE(RecordVerdict::Honoured, JudgeRecordPath("C:\\users\\Public\\MyAddIn_V11.dll", kPlaces, &pRefused));
    EXPECT_EQ(nullptr, pRefused) << "a refused record gets no table entry";
}

// A trail byte that looks like a capital letter is never folded: "\x81\x41" and "\x81\x61" are two
// different Korean characters, so only the first names the (Korean-named) Windows folder.
TEST(RecordRule, DoubleByteCharactersAreComparedWhole) {
    const RecordPlaces places = {"C:\\ZmtPlugin\\bin", {"C:\\\x81\x41"}};
    EXPECT_EQ(RecordVerdict::InWindowsFolder, JudgeRecordPath("C:\\\x81\x41\\zmt_i.aip", places));
    EXPECT_EQ(RecordVerdict::Honoured, JudgeRecordPath("C:\\\x81\x61\\zmt_i.aip", places)) << "trail 0x61 is not 0x41";
}

}  // namespace
