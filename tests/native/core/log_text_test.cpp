// The setup log's text rules: one stamped line per event, and the log switch a deferred run repeats.
#include "setup/core/log_text.h"

#include <gtest/gtest.h>

namespace {

TEST(SetupLogText, OneEventIsOneStampedLine) {
    LogTime time;
    time.nYear = 2026, time.nMonth = 3, time.nDay = 7, time.nHour = 9, time.nMinute = 5, time.nSecond = 4;
    time.nMilliseconds = 21;
    EXPECT_EQ("2026-03-07 09:05:04.021 Copied a -> b\r\n", FormatLogLine(time, "Copied a -> b"));
    EXPECT_EQ("2026-03-07 09:05:04.021 error 32 (in use. )\r\n", FormatLogLine(time, "error 32 (in use.\r\n)"))
        << "a system message's line break must not start a line of its own";
}

TEST(SetupLogText, DeferredRunRepeatsTheSwitchWhenItFits) {
    const std::string strBase = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /B";
    struct {
        std::string strPath;
        bool bDefault;
        std::string strExpected;
    } const cases[] = {
        {"C:\\Users\\a\\Temp\\Letterquarry Setup.log", true, strBase + " /LOG"},
        {"C:\\lq.log", false, strBase + " /LOG=C:\\lq.log"},
        {"C:\\my logs\\x.log", false, strBase + " /LOG=\"C:\\my logs\\x.log\""},
        // Too long for a stored command: the deferral is kept, the switch is left out.
        {"C:\\" + std::string(1000, 'x') + ".log", false, strBase},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.strExpected, AppendLogSwitch(strBase, LogSwitchText(c.strPath, c.bDefault))) << c.strPath;
    EXPECT_EQ(strBase, AppendLogSwitch(strBase, "")) << "no log, no switch";
    EXPECT_EQ(1023u, AppendLogSwitch(strBase, "/LOG=" + std::string(1023 - strBase.size() - 6, 'y')).size())
        << "exactly 1023 characters still fit";
}

}  // namespace
