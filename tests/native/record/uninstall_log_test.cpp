// The uninstall log format, written and read back as bytes.
// Covered: the exact bytes the writer produces, round trips, both line endings, several sections, a missing
// end line, the field reading rules (spaces, "01", "2", "x", missing markers), the merge with an earlier log.
// Not covered here: the file on the machine (tests/win/install, tests/win/util) and where the install and
// uninstall sequences read and write it.
#include "setup/record/uninstall_log.h"
#include "tests/support/uninstall_records.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using lqtest::Describe;
using lqtest::Items;

TEST(UninstallLogFormat, WritesStartRecordsAndEndLineEachEndingInTwoCarriageReturnsAndALineFeed) {
    HostFileList arrItems = Items({{0, 0, "C:\\ZmtPlugin\\bin\\ASYCFILT.DLL"},
                                   {1, 0, "C:\\ZmtPlugin\\bin\\ZmtAddin.dll"},
                                   {0, 0, ""},
                                   {0, 0, "D:\\포토샵\\플러그-인\\\\ZMT_P7.8bp"},
                                   {1, 1, "C:\\ZmtPlugin\\bin\\MyAddIn_V11.dll"}});
    const std::string strExpected =
        "[UnInstall][E]\r\r\n"
        "[R:0][E],[U:0][E],[F:C:\\ZmtPlugin\\bin\\ASYCFILT.DLL][E]\r\r\n"
        "[R:1][E],[U:0][E],[F:C:\\ZmtPlugin\\bin\\ZmtAddin.dll][E]\r\r\n"
        "[R:0][E],[U:0][E],[F:D:\\포토샵\\플러그-인\\\\ZMT_P7.8bp][E]\r\r\n"
        "[R:1][E],[U:1][E],[F:C:\\ZmtPlugin\\bin\\MyAddIn_V11.dll][E]\r\r\n"
        "[UnInstall End][E]\r\r\n";
    EXPECT_EQ(strExpected, FormatUninstallLog(arrItems)) << "the item with an empty path is skipped";
    // The Korean literal is code page 949 bytes, stored unchanged.
    EXPECT_NE(std::string::npos, FormatUninstallLog(arrItems).find("\xC6\xF7\xC5\xE4\xBC\xA5"));
    EXPECT_EQ("[UnInstall][E]\r\r\n[UnInstall End][E]\r\r\n", FormatUninstallLog(HostFileList()))
        << "an empty install writes only the start and end lines";
}

TEST(UninstallLogFormat, RoundTripKeepsOrderDuplicatesFlagsAndDoubledBackslashes) {
    HostFileList arrWritten = Items({{0, 0, "C:\\ZmtPlugin\\bin\\ASYCFILT.DLL"},
                                     {1, 0, "C:\\ZmtPlugin\\bin\\ZmtAddin.dll"},
                                     {0, 0, "C:\\Program Files\\Adobe\\Photoshop 7.0\\플러그-인\\\\ZMT_P7.8bp"},
                                     {1, 0, "C:\\ZmtPlugin\\bin\\ZmtAddin.dll"},
                                     {1, 1, "C:\\ZmtPlugin\\bin\\MyAddIn_V12.dll"}});
    HostFileList arrRead;
    ParseUninstallLog(FormatUninstallLog(arrWritten), arrRead);
    EXPECT_EQ(Describe(arrWritten), Describe(arrRead));
    // Read once more into the same list: appended behind what is there.
    ParseUninstallLog(FormatUninstallLog(Items({{0, 1, "new"}})), arrRead);
    EXPECT_EQ(Describe(arrWritten) + "{0,1,new}", Describe(arrRead));
}

TEST(UninstallLogFormat, ReadsPlainCarriageReturnLineFeedLikeTheDoubledEnding) {
    const std::string strBody = "[R:1][E],[U:1][E],[F:C:\\x\\a.dll][E]";
    for (const char* szEnd : {"\r\r\n", "\r\n", "\n"}) {
        HostFileList arrItems;
        ParseUninstallLog(std::string("[UnInstall][E]") + szEnd + strBody + szEnd + "[UnInstall End][E]" + szEnd,
                          arrItems);
        EXPECT_EQ("{1,1,C:\\x\\a.dll}", Describe(arrItems)) << "line end of " << std::string(szEnd).size() << " bytes";
    }
}

TEST(UninstallLogFormat, ReadsEverySectionIgnoringLinesOutsideAndAcceptsAMissingEndLine) {
    const std::string strLog =
        "garbage before\r\n"
        "[R:1][E],[U:1][E],[F:outside.dll][E]\r\n"
        "[UnInstall][E]\r\r\n"
        "[R:0][E],[U:0][E],[F:first.dll][E]\r\r\n"
        "a comment inside\r\r\n"
        " [R:1][E],[U:1][E],[F:indented is no record][E]\r\r\n"
        "[UnInstall End][E]\r\r\n"
        "[R:1][E],[U:1][E],[F:between.dll][E]\r\n"
        "[UnInstall][E]\r\r\n"
        "[R:1][E],[U:0][E],[F:second.dll][E]\r\r\n"
        "[UnInstall End][E]\r\r\n"
        "[UnInstall][E]\r\n"
        "[R:0][E],[U:1][E],[F:third.dll][E]";  // no end line, no final line end
    HostFileList arrItems;
    ParseUninstallLog(strLog, arrItems);
    EXPECT_EQ("{0,0,first.dll}{1,0,second.dll}{0,1,third.dll}", Describe(arrItems));
}

TEST(UninstallLogFormat, MarkersAreCaseSensitivePrefixes) {
    HostFileList arrItems;
    ParseUninstallLog("[uninstall][E]\n[R:1][E],[U:1][E],[F:a][E]\n", arrItems);
    EXPECT_EQ("", Describe(arrItems)) << "a lower-case start line opens no section";
    ParseUninstallLog("[UnInstall][E] trailing text\n[R:1][E],[U:1][E],[F:b][E]\n[unInstall End][E]\n"
                      "[R:0][E],[U:0][E],[F:c][E]\n",
                      arrItems);
    EXPECT_EQ("{1,1,b}{0,0,c}", Describe(arrItems)) << "a lower-case end line closes nothing";
}

struct FlagCase {
    const char* szValue;
    int nExpected;
};

TEST(UninstallLogFormat, FlagsAreSetOnlyWhenTheValueReadsAsTheNumberOne) {
    const FlagCase cases[] = {{"1", 1},     {"01", 1},  {" 1 ", 1}, {"\t1\r", 1}, {"+1", 1}, {"1x", 1},
                              {"2", 0},     {"0", 0},   {"", 0},    {"x", 0},     {"true", 0},
                              {"-1", 0},    {"11", 0},  {"99999999999999999999999", 0}, {"x1", 0}};
    for (const FlagCase& c : cases) {
        HostFileList arrItems;
        ParseUninstallLog(std::string("[UnInstall][E]\n[R:") + c.szValue + "][E],[U:" + c.szValue +
                              "][E],[F: C:\\My Files\\a b.dll ][E]\n",
                          arrItems);
        ASSERT_EQ(1u, arrItems.size()) << c.szValue;
        EXPECT_EQ(c.nExpected, arrItems[0]->bRegister) << "R value \"" << c.szValue << "\"";
        EXPECT_EQ(c.nExpected, arrItems[0]->bUnregister) << "U value \"" << c.szValue << "\"";
        EXPECT_EQ("C:\\My Files\\a b.dll", arrItems[0]->strName) << "inner spaces stay, outer ones go";
    }
}

TEST(UninstallLogFormat, ExtractLogFieldFindsFieldsInAnyOrderAndNeverReadsOutsideTheLine) {
    struct {
        const char* szLine;
        const char* szOpen;
        const char* szExpected;
    } cases[] = {
        {"[F:b.dll][E],[U:1][E],[R:1][E]", "[R:", "1"},
        {"[F:b.dll][E],[U:1][E],[R:1][E]", "[F:", "b.dll"},
        {"[R:1][E],[F:no end", "[F:", ""},
        {"[R:1][E],[F:no end", "[U:", ""},   // marker missing: no value, not text from elsewhere
        {"[R:", "[R:", ""},
        {"[R:][E]", "[R:", ""},
        {"[R:   ][E]", "[R:", ""},
        {"[R:1][E] [R:2][E]", "[R:", "1"},
        {"[F:a][E][E]", "[F:", "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.szExpected, ExtractLogField(c.szLine, c.szOpen, "][E]")) << c.szLine << " / " << c.szOpen;
}

TEST(UninstallLogFormat, ARecordWithoutTheUMarkerIsNotUnregistered) {
    HostFileList arrItems;
    // From index 2 of this line up to the first "][E]" the text reads "1": a reader that counted from a
    // missing marker would unregister the file.
    ParseUninstallLog("[UnInstall][E]\n[R:1][E],[F:c.dll][E]\n", arrItems);
    ASSERT_EQ(1u, arrItems.size());
    EXPECT_EQ(1, arrItems[0]->bRegister);
    EXPECT_EQ(0, arrItems[0]->bUnregister);
    EXPECT_EQ("c.dll", arrItems[0]->strName);
}

// What a reinstall, or an install that failed half-way, writes: its own records, then the earlier log's
// records of files it did not write and that are still there.
TEST(UninstallLogMerge, KeepsEveryFileAnEarlierInstallPlacedThatStillExists) {
    const auto exists = [](const std::string& strPath) { return strPath.find("gone") == std::string::npos; };
    struct {
        const char* szWhat;
        HostFileList arrThisRun, arrPrevious;
        std::string strExpected;
    } cases[] = {
        {"first install: this run alone, as before", Items({{0, 0, "a"}, {1, 1, "b"}}), Items({}), "{0,0,a}{1,1,b}"},
        {"reinstall without a host: its file carried over with its flags, after this run's",
         Items({{0, 0, "a"}}), Items({{0, 0, "a"}, {1, 1, "ai"}, {0, 0, "qxp"}}), "{0,0,a}{1,1,ai}{0,0,qxp}"},
        {"a path this run wrote again is not repeated, whatever its case",
         Items({{1, 0, "C:\\Bin\\X.dll"}}), Items({{0, 1, "c:\\bin\\x.DLL"}}), "{1,0,C:\\Bin\\X.dll}"},
        {"a file no longer there is dropped", Items({{0, 0, "a"}}), Items({{0, 0, "gone.aip"}, {0, 0, "kept"}}),
         "{0,0,a}{0,0,kept}"},
        {"the earlier log's repeats are carried over once, its empty records not at all", Items({}),
         Items({{0, 0, "x"}, {0, 0, ""}, {0, 0, "x"}}), "{0,0,x}"},
        {"this run's own repeats (a retry) stay", Items({{0, 0, "a"}, {0, 0, "a"}}), Items({{0, 0, "a"}}),
         "{0,0,a}{0,0,a}"},
    };
    for (auto& c : cases)
        EXPECT_EQ(c.strExpected, Describe(MergeWithPreviousLog(c.arrThisRun, c.arrPrevious, exists))) << c.szWhat;
}

}  // namespace
