// The setup program's command line: run mode and switches (portable).
#pragma once

#include <string>
#include <vector>

enum class RunMode { Install = 1, Upgrade = 2, Uninstall = 3 };

struct CommandLine {
    RunMode mode = RunMode::Install;
    bool silent = false;
    bool forceEnglish = false;  // "/E": country code 0, every text in English
    bool log = false;           // "/LOG" or "/LOG=path": write the setup log
    std::string logPath;        // the path of "/LOG=path" as given; empty: the default place
};

// Reads the arguments after the program's own name, in order. Each is compared, case-insensitively and
// multibyte-aware, with "/U", "/D", "/B", "/E", "/LOG" and, as a prefix, "/LOG="; the last mode switch
// and the last log switch win, "/B" and "/E" count wherever they stand, and anything else is ignored.
// "/LOG=" with nothing after it means the default place.
CommandLine ParseCommandLine(const std::vector<std::string>& arrArguments);

// What start-up runs for a command line.
enum class ModeAction { InteractiveInstall, SilentInstall, InteractiveUninstall, SilentUninstall, Upgrade };
ModeAction ActionFor(const CommandLine& commandLine);
