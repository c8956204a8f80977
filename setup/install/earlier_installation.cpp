#include "setup/install/earlier_installation.h"

#include "setup/core/hosts.h"
#include "setup/core/setup_log.h"
#include "setup/core/suite_paths.h"
#include "util/file_ops.h"
#include "util/mbcs.h"
#include "util/registry.h"

#include <windows.h>

#include <cstdio>

const char kVendorHomePage[] = "www.zmtplugin.co.kr";

const char* const kEarlierFolderValues[22] = {
    "Illustrator_Path0",        "Illustrator_Path1",        "Illustrator_Path2",        "Illustrator_Path3",
    "Illustrator_Path4",        "PhotoShop_Path0",          "PhotoShop_Path1",          "PhotoShop_Path2",
    "PhotoShop_Path3",          "PhotoShop_Path4",          "PhotoShop_OverCS2_Path0",  "PhotoShop_OverCS2_Path1",
    "PhotoShop_OverCS2_Path2",  "PhotoShop_OverCS2_Path3",  "PhotoShop_OverCS2_Path4",  "PhotoShop_UnderCS2_Path0",
    "PhotoShop_UnderCS2_Path1", "PhotoShop_UnderCS2_Path2", "PhotoShop_UnderCS2_Path3", "PhotoShop_UnderCS2_Path4",
    "Quark_Path0",              "Quark_Path1",
};

std::vector<std::string> EarlierPluginFiles() {
    std::vector<std::string> arrNames;
    for (const HostDefinition& host : kHosts)
        if (host.folders == HostFolders::Found)
            for (const SuiteFile& file : host.arrFiles) arrNames.push_back(file.szName);
    return arrNames;
}

namespace {

const char kShellFoldersKey[] = "SOFTWARE\\Microsoft\\Windows\\CurrentVersion\\Explorer\\Shell Folders";

std::string Join(const char* szFormat, const std::string& strFolder) {
    int nLength = std::snprintf(nullptr, 0, szFormat, strFolder.c_str());
    std::string strPath(static_cast<size_t>(nLength) + 1, '\0');
    std::snprintf(&strPath[0], strPath.size(), szFormat, strFolder.c_str());
    strPath.resize(static_cast<size_t>(nLength));
    return strPath;
}

}  // namespace

EarlierInstallation FindEarlierInstallation() {
    EarlierInstallation earlier;
    ScopedRegKey uninstall;
    if (!OpenReadKey(uninstall, HKEY_LOCAL_MACHINE, kWindowsUninstallKey)) return earlier;
    // The lists are complete before anything is deleted, so the enumeration never sees a key vanish.
    EnumerateSubkeys(uninstall.Get(), [&](const std::string& strSubkey) {
        if (strSubkey.find("Letterquarry") == std::string::npos) return;
        ScopedRegKey entry;
        if (!OpenReadKey(entry, uninstall.Get(), strSubkey)) return;
        std::string strAbout = ReadRegistryString(entry.Get(), "URLInfoAbout");
        const bool bOurs = !strAbout.empty() && mbcs::FindNoCase(strAbout, kVendorHomePage) != std::string::npos;
        LogEvent("Earlier installation: entry %s (%s)", strSubkey.c_str(),
                 bOurs ? "written by the earlier installer: to be deleted" : "another maker's: kept");
        if (bOurs) earlier.arrKeys.push_back(std::string(kWindowsUninstallKey) + "\\" + strSubkey);
        for (const char* szValue : kEarlierFolderValues) {
            std::string strFolder = ReadRegistryString(entry.Get(), szValue);
            if (!strFolder.empty()) earlier.arrFolders.push_back(strFolder);
        }
    });
    return earlier;
}

void RemoveEarlierInstallation() {
    EarlierInstallation earlier = FindEarlierInstallation();

    ScopedRegKey shellFolders;
    if (OpenReadKey(shellFolders, HKEY_CURRENT_USER, kShellFoldersKey)) {
        std::string strPrograms = ReadRegistryString(shellFolders.Get(), "Programs");
        if (!strPrograms.empty()) {
            const std::string strGroup = Join("%s\\Letterquarry", strPrograms);
            const bool bThere = GetFileAttributesA(strGroup.c_str()) != INVALID_FILE_ATTRIBUTES;
            DeleteToRecycleBin(strGroup);
            if (bThere)
                LogEvent("Earlier installation: Start-menu group %s sent to the Recycle Bin (%s)", strGroup.c_str(),
                         GetFileAttributesA(strGroup.c_str()) == INVALID_FILE_ATTRIBUTES ? "gone" : "still there");
        }
    }

    const std::vector<std::string> arrFiles = EarlierPluginFiles();
    for (const std::string& strFolder : earlier.arrFolders) {
        for (const std::string& strFile : arrFiles) {
            const std::string strPath = Join("%s\\", strFolder) + strFile;
            // Most of the names are absent in any one folder; only files that were there are worth a line.
            const bool bThere = FileExists(strPath);
            const OpResult result = DeleteFileRetrying(strPath);
            if (result.IsDone())
                LogEvent("Earlier installation: deleted %s", strPath.c_str());
            else if (bThere)
                LogEvent("Earlier installation: could not delete %s: %s", strPath.c_str(), DescribeResult(result).c_str());
        }
    }

    for (const std::string& strKey : earlier.arrKeys) {
        const LONG lResult = RegDeleteKeyA(HKEY_LOCAL_MACHINE, strKey.c_str());
        if (lResult == ERROR_SUCCESS)
            LogEvent("Earlier installation: deleted key HKLM\\%s", strKey.c_str());
        else
            LogEvent("Earlier installation: could not delete key HKLM\\%s: %s", strKey.c_str(),
                     DescribeError(static_cast<DWORD>(lResult)).c_str());
    }
}
