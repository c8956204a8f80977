// Settings-file rules without files: integer text in each base, and the server-list rule of all three
// editions (this build is the standard one; the other two are kept right for the other builds).
#include "setup/core/ini_rules.h"

#include <gtest/gtest.h>

namespace {

TEST(IniRules, FormatIntegerInEachBase) {
    struct {
        int32_t nValue;
        int nBase;
        const char* szExpected;
    } cases[] = {
        {5, 2, "101"},          {0, 2, "0"},          {1, 2, "1"},
        {-1, 2, "11111111111111111111111111111111"},  {255, 16, "FF"}, {255, 8, "377"},
        {0, 10, "0"},           {1, 10, "1"},         {-2147483647 - 1, 10, "-2147483648"},
        {123, 7, "123"},        {-1, 16, "FFFFFFFF"}, {2147483647, 8, "17777777777"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.szExpected, FormatIniInteger(c.nValue, c.nBase)) << c.nValue << " in base " << c.nBase;
}

TEST(IniRules, ParseIntegerInEachBaseWithTheDefaultForEmptyText) {
    struct {
        const char* szText;
        int nBase;
        int32_t nExpected;
    } cases[] = {
        {"", 10, 42},     {"1", 10, 1},      {"0", 10, 0},    {"101", 2, 5},     {"102", 2, 2},
        {"FF", 16, 255},  {"0xff", 16, 255}, {"377", 8, 255}, {"9", 8, 0},       {"12abc", 10, 12},
        {"abc", 10, 0},   {" 7", 10, 7},     {"-1", 10, -1},  {"4294967295", 10, -1},
        {"4294967297", 10, 1},  // only the low 32 bits count
        {"15", 3, 15},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.nExpected, ParseIniInteger(c.szText, 42, c.nBase)) << "\"" << c.szText << "\" base " << c.nBase;
}

TEST(IniRules, ServerListKindsAreCaseInsensitive) {
    EXPECT_EQ(1, ClassifyServerList("svrlst.CFG"));
    EXPECT_EQ(2, ClassifyServerList("SVRLSTTESSLY.cfg"));
    EXPECT_EQ(3, ClassifyServerList("SvrLstQuobbTessly.cfg"));
    EXPECT_EQ(-1, ClassifyServerList(""));
    EXPECT_EQ(-1, ClassifyServerList("SvrLst.cfg "));
}

TEST(IniRules, ServerListRuleOfEveryEdition) {
    struct {
        Edition edition;
        const char* szBrelHome;
        const char* szServerList;
        const char* szWrittenList;  // "" = unchanged
        const char* szWrittenHome;  // "" = not written
    } cases[] = {
        // Standard edition: always the combined list, no home page.
        {Edition::Standard, "", "", "SvrLstQuobbTessly.cfg", ""},
        {Edition::Standard, "http://x/", "SvrLst.cfg", "SvrLstQuobbTessly.cfg", ""},
        {Edition::Standard, "", "svrlsttessly.cfg", "SvrLstQuobbTessly.cfg", ""},
        {Edition::Standard, "", "SvrLstQuobbTessly.cfg", "SvrLstQuobbTessly.cfg", ""},
        // Quobbin.
        {Edition::Quobbin, "", "", "SvrLst.cfg", kQuobbinHome},
        {Edition::Quobbin, "", "other.cfg", "SvrLst.cfg", kQuobbinHome},
        {Edition::Quobbin, "", "SvrLst.cfg", "", kQuobbinHome},
        {Edition::Quobbin, "", "SvrLstTessly.cfg", "SvrLstQuobbTessly.cfg", kQuobbinHome},
        {Edition::Quobbin, "", "SvrLstQuobbTessly.cfg", "", kQuobbinHome},
        // Tessaly.
        {Edition::Tessaly, "", "", "SvrLstTessly.cfg", kTessalyHome},
        {Edition::Tessaly, "http://quobbin/", "", "SvrLstQuobbTessly.cfg", kTessalyHome},
        {Edition::Tessaly, "", "svrlst.CFG", "SvrLstQuobbTessly.cfg", kTessalyHome},
        {Edition::Tessaly, "", "SvrLstTessly.cfg", "", kTessalyHome},
        {Edition::Tessaly, "", "SvrLstQuobbTessly.cfg", "", kTessalyHome},
    };
    for (const auto& c : cases) {
        ServerListWrites writes = DecideServerListWrites(c.edition, c.szBrelHome, c.szServerList);
        EXPECT_EQ(c.szWrittenList, writes.strServerListFileName)
            << "edition " << static_cast<int>(c.edition) << ", list \"" << c.szServerList << "\", home \"" << c.szBrelHome << "\"";
        EXPECT_EQ(c.szWrittenHome, writes.strHome) << "edition " << static_cast<int>(c.edition) << ", list \"" << c.szServerList << "\"";
    }
}

}  // namespace
