// Uninstall records as the tests spell them out, portable: a file on record, the log an install writes for
// a list of them, and lists of entries built and described for comparison.
#pragma once

#include "setup/core/install_context.h"

#include <initializer_list>
#include <string>
#include <vector>

namespace lqtest {

// A file on record in the uninstall log: its register and unregister flags and its path as logged.
struct LogRecord {
    int nRegister;
    int nUnregister;
    std::string strPath;
};
// The uninstall log as an install writes it: its start line, a line per record, its end line, every line
// ending in 0D 0D 0A.
std::string UninstallLogOf(const std::vector<LogRecord>& arrRecords);

// A list of entries (a host's files, or uninstall items) from literals.
HostFileList Items(std::initializer_list<HostFileEntry> entries);
// "{R,U,name}" per entry, in order.
std::string Describe(const HostFileList& arrItems);

}  // namespace lqtest
