// A machine as an install of every host leaves it, for the uninstall scenarios: the files in the host
// folders and in C:\ZmtPlugin\bin, the two CorelDraw add-ins and the Office add-in registered, the uninstall
// log and entry, "Run" = 1, and the Office stand-in registered with the "Letterquarry" bar in each
// application (or as the scenario chooses).
#pragma once

#include "tests/support/expected_state.h"
#include "tests/support/suite.h"

#include <string>
#include <vector>

namespace uninstall_e2e {

// A file an install left, as its log record names it (a doubled backslash where folder and name were
// joined).
using InstalledFile = lqtest::LogRecord;

// The files an install of every host leaves, in copy order.
const std::vector<InstalledFile>& InstalledFiles();

constexpr const char* kOfficeFolder = "C:\\Program Files\\Microsoft Office\\Office11";
using lqtest::kAddinClassKey;
using lqtest::kEntryKey;
using lqtest::kInstall;
using lqtest::kLog;
using lqtest::kV11Class;
using lqtest::kV12Class;

// Registers the Office stand-in (all three applications) and gives each application in arrWithBar the bar.
void InstallOffice(const std::vector<std::string>& arrWithBar);
// Removes one application's ProgID from the stand-in's registration ("Word").
void UninstallOfficeApplication(const std::string& strApplication);

// Places the files (the shipped ones where the install folder has them), lets those the install registers
// register themselves (the Office add-in and the two CorelDraw add-ins), writes the log, the entry and
// "Run" = 1.
void SeedInstalledMachine();

// The snapshot roots that an uninstall may touch.
lqtest::Snapshot TakeMachineSnapshot();

using lqtest::IniValue;
using lqtest::RunOnceValue;
// The Office stand-in's call log, one line per call.
std::string OfficeCalls();

}  // namespace uninstall_e2e
