#include "setup/app/switches.h"

#include "util/mbcs.h"

CommandLine ParseCommandLine(const std::vector<std::string>& arrArguments) {
    CommandLine result;
    for (const std::string& strArgument : arrArguments) {
        if (mbcs::EqualNoCase(strArgument, "/U")) result.mode = RunMode::Upgrade;
        else if (mbcs::EqualNoCase(strArgument, "/D")) result.mode = RunMode::Uninstall;
        else if (mbcs::EqualNoCase(strArgument, "/B")) result.silent = true;
        else if (mbcs::EqualNoCase(strArgument, "/E")) result.forceEnglish = true;
        else if (mbcs::EqualNoCase(strArgument, "/QUIET")) result.quiet = true;
        else if (strArgument == "/?") result.usage = true;
        else if (mbcs::EqualNoCase(strArgument, "/LOG")) {
            result.log = true;
            result.logPath.clear();
        } else if (strArgument.size() >= 5 && mbcs::EqualNoCase(strArgument.substr(0, 5), "/LOG=")) {
            // The runtime has already removed the quotes around a path with blanks.
            result.log = true;
            result.logPath = strArgument.substr(5);
        }
    }
    return result;
}

ModeAction ActionFor(const CommandLine& commandLine) {
    if (commandLine.usage) return ModeAction::Usage;
    switch (commandLine.mode) {
    case RunMode::Upgrade: return ModeAction::Upgrade;
    case RunMode::Uninstall:
        if (!commandLine.silent) return ModeAction::InteractiveUninstall;
        return commandLine.quiet ? ModeAction::QuietUninstall : ModeAction::SilentUninstall;
    case RunMode::Install: break;
    }
    if (!commandLine.silent) return ModeAction::InteractiveInstall;
    return commandLine.quiet ? ModeAction::QuietInstall : ModeAction::SilentInstall;
}
