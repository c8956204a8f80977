// Earlier-installation cleanup: an earlier installer of the suite left uninstall entries whose names
// contain "Letterquarry" (with the plug-in folders it used kept in values of the entry) and a Start-menu
// group "Letterquarry". RemoveEarlierInstallation removes the old plug-in files from every folder those
// entries name, the Start-menu group (to the Recycle Bin) and the entries that the earlier installer
// itself wrote (recognised by the vendor's address in "URLInfoAbout").
//
// Nothing is reported and nothing stops the caller: missing keys, values, files or groups are passed over.
#pragma once

#include <string>
#include <vector>

// The suite maker's home page, as it appears (lower-cased) in the earlier installer's "URLInfoAbout".
extern const char kVendorHomePage[];

// The twenty-two folder values of an earlier uninstall entry, in the order they are read.
extern const char* const kEarlierFolderValues[22];

// The old plug-in files tried in every listed folder, in this order: the files the suite places into host
// applications' own plug-in folders (setup/core/hosts.h, HostFolders::Found), in install order.
std::vector<std::string> EarlierPluginFiles();

// Reads everything first, then deletes: the Start-menu group, the old plug-in files in each listed folder
// (in the order read; each proven and deleted by its handle: the folders are host plug-in folders, which
// other users may write), then the matched uninstall keys.
void RemoveEarlierInstallation();

// What the registry holds about earlier installations: the folders named by every entry whose name
// contains "Letterquarry" (case-sensitive), and the full key paths of those entries whose lower-cased
// "URLInfoAbout" contains kVendorHomePage.
struct EarlierInstallation {
    std::vector<std::string> arrFolders;
    std::vector<std::string> arrKeys;
};
EarlierInstallation FindEarlierInstallation();
