// The files of the suite: which host record receives which file from the shipped folder, and with which
// registration flags. Discovery fills the host records' file lists from this table, and the release
// command checks a vendor's payload against it, so the two cannot drift apart. Portable.
#pragma once

#include "setup/core/install_context.h"

#include <cstddef>
#include <cstdint>
#include <string>

struct SuiteFile {
    HostIndex nHost;      // the record whose file list gets it
    uint8_t bRegister;    // COM self-registration after the copy
    uint8_t bUnregister;  // COM self-unregistration before the deletion
    const char* szName;   // the file's name in the shipped folder and at its destination
    bool bOurs;           // built from this source tree; false for the outside files a vendor supplies
};

// In each record's file order; records in index order.
extern const SuiteFile kSuiteFiles[];
extern const size_t kSuiteFileCount;

// Whether a record's files go into the suite's own folder, C:\ZmtPlugin\bin (the runtime files and the
// add-ins), rather than into the plug-in folders of host applications found on the machine.
bool IsPlacedInSuiteBin(HostIndex nHost);

// The table's entry for a bare file name, compared case-insensitively (double-byte aware); null when the
// name is none of the suite's files.
const SuiteFile* FindSuiteFile(const std::string& strName);
