// The command line as start-up reads it: which mode runs for which arguments.
#include "setup/app/switches.h"
#include "setup/core/log_text.h"

#include <gtest/gtest.h>

namespace {

struct SwitchCase {
    std::vector<std::string> arguments;
    ModeAction expected;
    bool english;
};

const char* Name(ModeAction action) {
    switch (action) {
    case ModeAction::InteractiveInstall: return "InteractiveInstall";
    case ModeAction::SilentInstall: return "SilentInstall";
    case ModeAction::InteractiveUninstall: return "InteractiveUninstall";
    case ModeAction::SilentUninstall: return "SilentUninstall";
    case ModeAction::Upgrade: return "Upgrade";
    }
    return "?";
}

TEST(CommandLine, ChoosesTheModeAsAUserTypesIt) {
    const SwitchCase cases[] = {
        {{}, ModeAction::InteractiveInstall, false},
        {{"/B"}, ModeAction::SilentInstall, false},
        {{"/d", "/b"}, ModeAction::SilentUninstall, false},
        {{"/b", "/D"}, ModeAction::SilentUninstall, false},
        {{"/D"}, ModeAction::InteractiveUninstall, false},
        {{"/U"}, ModeAction::Upgrade, false},
        {{"/B", "/U"}, ModeAction::Upgrade, false},
        {{"/U", "/D"}, ModeAction::InteractiveUninstall, false},
        {{"/D", "/U"}, ModeAction::Upgrade, false},
        {{"/e"}, ModeAction::InteractiveInstall, true},
        {{"/E", "/D", "/B"}, ModeAction::SilentUninstall, true},
        // Anything else is ignored: longer switches, dashes, stray words, an empty argument.
        {{"/BB", "-B", "B", "/", "", "install"}, ModeAction::InteractiveInstall, false},
        // A Korean argument (code page 949) is ignored like any other word.
        {{"/\xBB\xE8\xC1\xA6", "/b"}, ModeAction::SilentInstall, false},
    };
    for (const SwitchCase& c : cases) {
        std::string joined;
        for (const auto& a : c.arguments) joined += "[" + a + "]";
        CommandLine commandLine = ParseCommandLine(c.arguments);
        EXPECT_STREQ(Name(c.expected), Name(ActionFor(commandLine))) << "arguments " << joined;
        EXPECT_EQ(c.english, commandLine.forceEnglish) << "arguments " << joined;
    }
}

TEST(CommandLine, LogSwitchFollowsTheRulesOfTheOthers) {
    struct LogCase {
        std::vector<std::string> arguments;
        bool log;
        std::string path;  // empty: the default place
        ModeAction mode;
    } const cases[] = {
        {{"/B"}, false, "", ModeAction::SilentInstall},
        {{"/B", "/LOG"}, true, "", ModeAction::SilentInstall},
        {{"/log", "/d", "/b"}, true, "", ModeAction::SilentUninstall},
        {{"/Log=C:\\lq.log", "/B"}, true, "C:\\lq.log", ModeAction::SilentInstall},
        // The runtime removed the quotes of /LOG="C:\my logs\x.log" already; blanks stay.
        {{"/LOG=C:\\my logs\\x.log"}, true, "C:\\my logs\\x.log", ModeAction::InteractiveInstall},
        // A Korean path (code page 949) is kept byte for byte.
        {{"/LOG=C:\\\xB7\xCE\xB1\xD7.log"}, true, "C:\\\xB7\xCE\xB1\xD7.log", ModeAction::InteractiveInstall},
        {{"/LOG="}, true, "", ModeAction::InteractiveInstall},
        // The last log switch wins, as the last mode switch does.
        {{"/LOG=C:\\a.log", "/LOG"}, true, "", ModeAction::InteractiveInstall},
        {{"/LOG", "/LOG=C:\\b.log"}, true, "C:\\b.log", ModeAction::InteractiveInstall},
        // Not the switch: longer or shorter words, another separator, a lead byte where "=" would be.
        {{"/LOGS", "/LO", "/LOG:C:\\x", "LOG", "/LOG\xB7\xCE"}, false, "", ModeAction::InteractiveInstall},
    };
    for (const LogCase& c : cases) {
        std::string joined;
        for (const auto& a : c.arguments) joined += "[" + a + "]";
        const CommandLine commandLine = ParseCommandLine(c.arguments);
        EXPECT_EQ(c.log, commandLine.log) << "arguments " << joined;
        EXPECT_EQ(c.path, commandLine.logPath) << "arguments " << joined;
        EXPECT_STREQ(Name(c.mode), Name(ActionFor(commandLine))) << "arguments " << joined;
    }
}

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
