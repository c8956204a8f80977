// InstallContext: the one record that a run of the setup program builds and hands from stage to stage.
// Discovery fills the eight host records; the main dialog writes the user's choice into their selected
// flags; the install sequence appends one uninstall item per copied file; an uninstall run reads the log
// back into the uninstall items of a fresh, unfilled context.
#pragma once

#include "setup/core/hosts.h"
#include "setup/core/texts.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// One file: in a host's file list a bare name; in the uninstall items a full path. Each flag is a byte.
struct HostFileEntry {
    uint8_t bRegister = 0;    // register as a COM server right after copying
    uint8_t bUnregister = 0;  // unregister as a COM server before deleting
    std::string strName;
};

// One destination folder; the version is a Photoshop installation's major version, else 0.
struct HostFolderEntry {
    float fVersion = 0.0f;
    std::string strPath;
};

using HostFileList = std::vector<std::unique_ptr<HostFileEntry>>;
using HostFolderList = std::vector<std::unique_ptr<HostFolderEntry>>;

struct HostRecord {
    uint8_t bSelected = 1;  // 0: the install sequence skips this record entirely
    TextId name = TextId::HostBasicDlls;  // its display name (its row's in kHosts), set by discovery
    std::string strSourceFolder;
    HostFileList arrFiles;
    HostFolderList arrFolders;  // empty: nothing to install, no row in the main dialog

    // The name the setup log gives it: its English display name.
    std::string LogName() const { return TextIn(Language::English, name); }
    void Release();
};

class InstallContext {
public:
    InstallContext() = default;  // eight empty records, each selected; no input or output
    ~InstallContext() { Release(); }
    InstallContext(const InstallContext&) = delete;
    InstallContext& operator=(const InstallContext&) = delete;

    // Frees the uninstall items, then the records from the last to the first. Safe to call twice.
    void Release();

    HostFileList arrUninstallItems;
    HostRecord arrHosts[kHostCount];
};
