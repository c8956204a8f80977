// The hosts of the suite, one row each: what the install dialog lists, in what order the install goes
// through them, what each receives from the shipped folder and where. Discovery fills the host records
// from it, the install sequence walks it, the install dialog shows it, the record rule and the release
// command check files against it, and the earlier installation's cleanup takes its plug-in names from it,
// so that none of them can drift from another. Adding a host is a row here (and, for a host found on the
// machine, a finder in setup/discovery). Portable.
#pragma once

#include "setup/core/texts.h"

#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <iterator>
#include <string>

// The host records' fixed indices in an InstallContext; every stage addresses the records by them.
enum HostIndex {
    kHostBasicDlls = 0,
    kHostOffice = 1,
    kHostPhotoshop = 2,     // before CS2
    kHostPhotoshopCS2 = 3,  // CS2 and later
    kHostIllustrator = 4,
    kHostQuark = 5,
    kHostCorelDraw11 = 6,
    kHostCorelDraw12 = 7,
    kHostCount = 8
};

// One file a host receives.
struct SuiteFile {
    uint8_t bRegister;    // COM self-registration after the copy
    uint8_t bUnregister;  // COM self-unregistration before the deletion
    const char* szName;   // the file's name in the shipped folder and at its destination
    bool bOurs;           // built from this source tree; false for the outside files a vendor supplies
};

// Where a host's files go.
enum class HostFolders {
    SuiteBin,  // the suite's own folder, C:\ZmtPlugin\bin, always (the runtime files and the add-ins)
    Found,     // the plug-in folders discovery finds of the host application (none when it is not installed)
};

struct HostDefinition {
    HostIndex nIndex;
    TextId name;        // its display name, in both languages
    TextId stage;       // the stage line of its install step
    bool bFileBar;      // its install step moves the file bar over its files
    bool bChoosable;    // a row in the install dialog, shown when the host has a folder to install into
    HostFolders folders;
    std::initializer_list<SuiteFile> arrFiles;  // in copy order (a constant array of the table's own)
};

// In install order, which is also the order of the install dialog's rows: the runtime files, Office,
// Photoshop before CS2, Photoshop CS2, Illustrator, CorelDraw 11, CorelDraw 12, QuarkXPress (last, after both
// CorelDraw add-ins).
extern const HostDefinition kHosts[kHostCount];

// The row of a host record.
const HostDefinition& HostAt(HostIndex nHost);

// The host that receives the file of this bare name, compared case-insensitively (double-byte aware), with
// its entry in *ppFile; null when the name is none of the suite's files.
const HostDefinition* FindSuiteFile(const std::string& strName, const SuiteFile** ppFile = nullptr);
