// The files of the suite: which host record receives which file from the shipped folder, and with which
// registration flags. Discovery fills the host records' file lists from this table, and the release
// command checks a vendor's payload against it, so the two cannot drift apart. Portable.
#pragma once

#include "setup/core/install_context.h"

#include <cstddef>
#include <cstdint>

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
