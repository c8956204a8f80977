// The suite's fixed locations on every PC, in one place and with the exact bytes each is written with:
// some are spelled with a lower-case drive letter, and those bytes reach the registry, the RunOnce
// command and the uninstall entry unchanged.
#pragma once

#include <cstddef>
#include <string>

// The shipped folder: source of every copied file, home of the setup program and its uninstall log.
constexpr const char* kSourceFolder = "C:\\ZmtPlugin\\install";
// Destination of the runtime files and the add-ins. Discovery creates it with the trailing backslash.
constexpr const char* kSuiteBinFolder = "C:\\ZmtPlugin\\bin";
constexpr const char* kSuiteBinFolderToCreate = "C:\\ZmtPlugin\\bin\\";

constexpr const char* kUninstallLogPath = "c:\\ZmtPlugin\\install\\UnInsatll.info";
constexpr const char* kSuiteSettingsPath = "c:\\ZmtPlugin\\Zmt.ini";
constexpr const char* kSiblingSettingsPath = "c:\\ZmtPlugin\\ZmtPT.ini";

// The setup program's own command lines: the uninstall entry's, and the two deferred runs at the next
// logon (RunOnce).
constexpr const char* kUninstallCommandLine = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D";
constexpr const char* kDeferredInstallCommand = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /B";
constexpr const char* kDeferredUninstallCommand = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D /B";
// What a deployment tool runs to uninstall with nothing shown, and where the entry says the suite lives.
constexpr const char* kQuietUninstallCommand = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe /D /B /QUIET";
constexpr const char* kSetupProgramPath = "c:\\ZmtPlugin\\install\\ZmtUpGrade_Letterquarry.exe";
constexpr const char* kSuiteFolder = "c:\\ZmtPlugin\\";
// A stored command line (the uninstall entry's, a RunOnce value) has always had a 1024-byte home: at most
// this many characters, so that none is ever cut into another command.
constexpr size_t kMaxStoredCommandLine = 1023;

// The Windows list of installed programs (HKEY_LOCAL_MACHINE), and the suite's entry in it.
constexpr const char* kWindowsUninstallKey = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Uninstall";
inline const std::string kUninstallRecordKey = std::string(kWindowsUninstallKey) + "\\LetterquarryUnInstall";
