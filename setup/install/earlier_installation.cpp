#include "setup/install/earlier_installation.h"

#include "setup/core/setup_log.h"
#include "setup/core/suite_paths.h"
#include "setup/discovery/registry_read.h"
#include "util/mbcs.h"

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

const char* const kEarlierPluginFiles[4] = {"%s\\zmt_i.aip", "%s\\ZMT_P7.8bp", "%s\\ZMT_CS2.8bp", "%s\\ZmtLetterquarry.axt"};

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
    if (!OpenDiscoveryKey(uninstall, HKEY_LOCAL_MACHINE, kWindowsUninstallKey)) return earlier;
    // The lists are complete before anything is deleted, so the enumeration never sees a key vanish.
    EnumerateSubkeys(uninstall.Get(), [&](const std::string& strSubkey) {
        if (strSubkey.find("Letterquarry") == std::string::npos) return;
        ScopedRegKey entry;
        if (!OpenDiscoveryKey(entry, uninstall.Get(), strSubkey)) return;
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

void RemoveEarlierInstallation(InstallContext& context) {
    EarlierInstallation earlier = FindEarlierInstallation();

    ScopedRegKey shellFolders;
    if (OpenDiscoveryKey(shellFolders, HKEY_CURRENT_USER, kShellFoldersKey)) {
        std::string strPrograms = ReadRegistryString(shellFolders.Get(), "Programs");
        if (!strPrograms.empty()) {
            const std::string strGroup = Join("%s\\Letterquarry", strPrograms);
            const bool bThere = GetFileAttributesA(strGroup.c_str()) != INVALID_FILE_ATTRIBUTES;
            context.pathControl.DeleteToRecycleBin(strGroup);
            if (bThere)
                LogEvent("Earlier installation: Start-menu group %s sent to the Recycle Bin (%s)", strGroup.c_str(),
                         GetFileAttributesA(strGroup.c_str()) == INVALID_FILE_ATTRIBUTES ? "gone" : "still there");
        }
    }

    for (const std::string& strFolder : earlier.arrFolders) {
        for (const char* szFile : kEarlierPluginFiles) {
            const std::string strPath = Join(szFile, strFolder);
            // Most of the four names are absent in any one folder; only files that were there are worth a line.
            const bool bThere = context.pathControl.FileExists(strPath);
            if (context.pathControl.DeleteFileRetrying(strPath))
                LogEvent("Earlier installation: deleted %s", strPath.c_str());
            else if (bThere)
                LogEvent("Earlier installation: could not delete %s: %s", strPath.c_str(),
                         DescribeError(GetLastError()).c_str());
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
