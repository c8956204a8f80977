// The setup program's command line: run mode and switches (portable).
#pragma once

#include <string>
#include <vector>

enum class RunMode { Install = 1, Upgrade = 2, Uninstall = 3 };

struct CommandLine {
    RunMode mode = RunMode::Install;
    bool silent = false;
    bool quiet = false;         // "/QUIET": with "/B", nothing shown and nothing waited for
    bool usage = false;         // "/?": the switches and exit codes, and nothing else
    bool forceEnglish = false;  // "/E": country code 0, every text in English
    bool log = false;           // "/LOG" or "/LOG=path": write the setup log
    std::string logPath;        // the path of "/LOG=path" as given; empty: the default place
};

// Reads the arguments after the program's own name, in order. Each is compared, case-insensitively and
// multibyte-aware, with "/U", "/D", "/B", "/E", "/QUIET", "/?", "/LOG" and, as a prefix, "/LOG="; the last
// mode switch and the last log switch win, "/B", "/E", "/QUIET" and "/?" count wherever they stand, and
// anything else is ignored. "/LOG=" with nothing after it means the default place.
CommandLine ParseCommandLine(const std::vector<std::string>& arrArguments);

// What start-up runs for a command line. "/?" wins over everything; "/QUIET" counts only with "/B" (a quiet
// install or uninstall) and is ignored otherwise.
enum class ModeAction {
    InteractiveInstall,
    SilentInstall,
    QuietInstall,
    InteractiveUninstall,
    SilentUninstall,
    QuietUninstall,
    Upgrade,
    Usage,
};
ModeAction ActionFor(const CommandLine& commandLine);
