// The command line as start-up reads it: which mode runs for which arguments.
#include "setup/app/switches.h"

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
    case ModeAction::QuietInstall: return "QuietInstall";
    case ModeAction::QuietUninstall: return "QuietUninstall";
    case ModeAction::Upgrade: return "Upgrade";
    case ModeAction::Usage: return "Usage";
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
        // "/QUIET" counts only with "/B", wherever it stands; "/?" wins over everything.
        {{"/B", "/QUIET"}, ModeAction::QuietInstall, false},
        {{"/quiet", "/d", "/b"}, ModeAction::QuietUninstall, false},
        {{"/QUIET"}, ModeAction::InteractiveInstall, false},
        {{"/D", "/QUIET"}, ModeAction::InteractiveUninstall, false},
        {{"/B", "/QUIET", "/U"}, ModeAction::Upgrade, false},
        {{"/D", "/B", "/?"}, ModeAction::Usage, false},
        {{"/?", "/U"}, ModeAction::Usage, false},
        {{"/QUIETLY", "/??", "/B"}, ModeAction::SilentInstall, false},
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

}  // namespace
