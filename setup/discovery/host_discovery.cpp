#include "setup/discovery/host_discovery.h"

#include "setup/core/setup_log.h"
#include "setup/core/hosts.h"
#include "setup/core/suite_paths.h"
#include "setup/core/texts.h"
#include "setup/discovery/discovery_text.h"
#include "util/file_ops.h"
#include "util/registry.h"
#include "util/mbcs.h"

#include <windows.h>

namespace {

const char kAdobeKey[] = "SOFTWARE\\Adobe";
const char kQuarkKey[] = "SOFTWARE\\Quark";

// A plug-in folder of an application folder read from the registry, when the application folder exists.
// strWhere says where the folder was read, for the log.
void AddPluginFolderOf(HostRecord& record, float fVersion, const std::string& strApplicationFolder,
                       const std::string& strWhere) {
    const std::string strHost = record.LogName();
    const char* szHost = strHost.c_str();
    if (strApplicationFolder.empty()) {
        LogEvent("%s: skipped %s: no folder named there", szHost, strWhere.c_str());
        return;
    }
    if (!IsFolder(strApplicationFolder)) {
        LogEvent("%s: skipped %s: folder %s does not exist", szHost, strWhere.c_str(), strApplicationFolder.c_str());
        return;
    }
    const std::string strPluginFolder = PluginFolderOf(strApplicationFolder, kAdobePluginFolderNames);
    if (strPluginFolder.size() <= 1) {
        LogEvent("%s: skipped %s: no plug-in folder in %s", szHost, strWhere.c_str(), strApplicationFolder.c_str());
        return;
    }
    LogEvent("%s: found %s through %s (plug-in folder \"%s\")", szHost, strPluginFolder.c_str(), strWhere.c_str(),
             strPluginFolder.substr(AppendFolderName(strApplicationFolder, "").size()).c_str());
    AddHostFolder(record, fVersion, strPluginFolder);
}

// First pass: every version subkey of every vendor subkey whose name holds szProduct. bTestVersion false
// takes every version subkey and records version 0.
void FindThroughVendorKey(HostRecord& record, const char* szProduct, bool bTestVersion, float fLowest,
                          float fHighest) {
    ScopedRegKey adobe;
    if (!OpenReadKey(adobe, HKEY_LOCAL_MACHINE, kAdobeKey)) return;
    EnumerateSubkeys(adobe.Get(), [&](const std::string& strProductKey) {
        if (mbcs::FindNoCase(strProductKey, szProduct) == std::string::npos) return;
        ScopedRegKey product;
        if (!OpenReadKey(product, adobe.Get(), strProductKey)) return;
        EnumerateSubkeys(product.Get(), [&](const std::string& strVersionKey) {
            const std::string strWhere =
                "vendor key HKLM\\" + std::string(kAdobeKey) + "\\" + strProductKey + "\\" + strVersionKey;
            float fVersion = 0.0f;
            if (bTestVersion) {
                fVersion = MajorVersionOf(strVersionKey);
                if (!(fLowest <= fVersion && fVersion <= fHighest)) {
                    LogEvent("%s: skipped %s: version %g is not in %g..%g", record.LogName().c_str(),
                             strWhere.c_str(), fVersion, fLowest, fHighest);
                    return;
                }
            }
            ScopedRegKey version;
            if (!OpenReadKey(version, product.Get(), strVersionKey)) return;
            const std::string strApplicationPath = ReadRegistryString(version.Get(), "ApplicationPath");
            version.Close();
            AddPluginFolderOf(record, fVersion, strApplicationPath, strWhere + " \"ApplicationPath\"");
        });
    });
}

// Second pass: the Windows uninstall entries whose "InstallLocation" holds szProduct. With bTestVersion,
// only entries whose major "DisplayVersion" lies strictly between 7 and 9, whatever the record's range.
void FindThroughUninstallEntries(HostRecord& record, const char* szProduct, bool bTestVersion) {
    ScopedRegKey uninstall;
    if (!OpenReadKey(uninstall, HKEY_LOCAL_MACHINE, kWindowsUninstallKey)) return;
    EnumerateSubkeys(uninstall.Get(), [&](const std::string& strEntry) {
        ScopedRegKey entry;
        if (!OpenReadKey(entry, uninstall.Get(), strEntry)) return;
        // Only entries of the product itself are worth a line of the log.
        const std::string strInstallLocation = ReadRegistryString(entry.Get(), "InstallLocation");
        const bool bProduct =
            !strInstallLocation.empty() && mbcs::FindNoCase(strInstallLocation, szProduct) != std::string::npos;
        const std::string strWhere = "uninstall entry " + strEntry + " \"InstallLocation\"";
        float fVersion = 0.0f;
        if (bTestVersion) {
            const std::string strDisplayVersion = ReadRegistryString(entry.Get(), "DisplayVersion");
            if (strDisplayVersion.empty()) {
                if (bProduct) LogEvent("%s: skipped %s: no DisplayVersion", record.LogName().c_str(), strWhere.c_str());
                return;
            }
            fVersion = MajorVersionOf(strDisplayVersion);
            if (!(7.0f < fVersion && fVersion < 9.0f)) {
                if (bProduct)
                    LogEvent("%s: skipped %s: DisplayVersion %s is not between 7 and 9", record.LogName().c_str(),
                             strWhere.c_str(), strDisplayVersion.c_str());
                return;
            }
        }
        entry.Close();
        if (!bProduct) return;
        AddPluginFolderOf(record, fVersion, strInstallLocation, strWhere);
    });
}

void AddQuarkFolder(HostRecord& record, const char* szValueName) {
    ScopedRegKey quark;
    if (!OpenReadKey(quark, HKEY_LOCAL_MACHINE, kQuarkKey)) return;
    const std::string strPath = ReadRegistryString(quark.Get(), szValueName);
    quark.Close();
    const std::string strHost = record.LogName();
    const char* szHost = strHost.c_str();
    // The XTension folder itself need not exist yet; only the application folder is tested.
    if (strPath.empty()) {
        LogEvent("%s: no value \"%s\" under HKLM\\%s", szHost, szValueName, kQuarkKey);
        return;
    }
    if (!IsFolder(strPath)) {
        LogEvent("%s: skipped \"%s\": folder %s does not exist", szHost, szValueName, strPath.c_str());
        return;
    }
    const std::string strFolder = AppendFolderName(strPath, "XTension\\");
    LogEvent("%s: found %s through HKLM\\%s \"%s\"", szHost, strFolder.c_str(), kQuarkKey, szValueName);
    AddHostFolder(record, 0.0f, strFolder);
}

}  // namespace


void AddHostFile(HostRecord& record, uint8_t bRegister, uint8_t bUnregister, const std::string& strName) {
    auto pEntry = std::make_unique<HostFileEntry>();
    pEntry->bRegister = bRegister;
    pEntry->bUnregister = bUnregister;
    pEntry->strName = strName;
    record.arrFiles.push_back(std::move(pEntry));
}

void AddHostFolder(HostRecord& record, float fVersion, const std::string& strFolder) {
    for (const auto& pFolder : record.arrFolders) {
        if (pFolder->fVersion == fVersion && pFolder->strPath == strFolder) {
            LogEvent("%s: %s is listed already", record.LogName().c_str(), strFolder.c_str());
            return;
        }
    }
    auto pEntry = std::make_unique<HostFolderEntry>();
    pEntry->fVersion = fVersion;
    pEntry->strPath = strFolder;
    record.arrFolders.push_back(std::move(pEntry));
}

bool IsFolder(const std::string& strPath) {
    DWORD dwAttributes = GetFileAttributesA(strPath.c_str());
    return dwAttributes != INVALID_FILE_ATTRIBUTES && (dwAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

std::string PluginFolderOf(const std::string& strApplicationFolder, const char* const (&arrNames)[3]) {
    for (const char* szName : arrNames) {
        std::string strCandidate = AppendFolderName(strApplicationFolder, szName);
        if (IsFolder(strCandidate)) return strCandidate;
    }
    return std::string();
}

void FindPhotoshopFolders(HostRecord& record, float fLowest, float fHighest) {
    FindThroughVendorKey(record, "photoshop", true, fLowest, fHighest);
    FindThroughUninstallEntries(record, "photoshop", true);
}

void FindIllustratorFolders(HostRecord& record) {
    FindThroughVendorKey(record, "illustrator", false, 0.0f, 0.0f);
    FindThroughUninstallEntries(record, "illustrator", false);
}

void FindQuarkFolders(HostRecord& record) {
    AddQuarkFolder(record, "QXP65KPath");
    AddQuarkFolder(record, "QXP65KDemoPath");
}

namespace {

// The finders of the hosts whose folders are found on the machine (HostFolders::Found), by record.
struct HostFinder {
    HostIndex nHost;
    void (*pfnFind)(HostRecord& record);
};
const HostFinder kFinders[] = {
    {kHostPhotoshop, [](HostRecord& record) { FindPhotoshopFolders(record, 4.0f, 8.0f); }},
    {kHostPhotoshopCS2, [](HostRecord& record) { FindPhotoshopFolders(record, 9.0f, 9.0f); }},
    {kHostIllustrator, FindIllustratorFolders},
    {kHostQuark, FindQuarkFolders},
};

}  // namespace

void FillHostRecords(InstallContext& context) {
    LogEvent("Discovery: looking for the host applications");
    const OpResult made = MakeFolderChain(kSuiteBinFolderToCreate);
    if (made.status == OpStatus::Refused)
        LogEvent("Discovery: %s not created: %s", kSuiteBinFolderToCreate, made.strWhy.c_str());
    for (const HostDefinition& host : kHosts) {
        HostRecord& record = context.arrHosts[host.nIndex];
        record.bSelected = 1;
        record.name = host.name;
        record.strSourceFolder = kSourceFolder;
        for (const SuiteFile& file : host.arrFiles) AddHostFile(record, file.bRegister, file.bUnregister, file.szName);
    }

    // The runtime files and the add-ins always go into the suite's own folder; the plug-in hosts are
    // looked for, in record order.
    for (const HostDefinition& host : kHosts)
        if (host.folders == HostFolders::SuiteBin) AddHostFolder(context.arrHosts[host.nIndex], 0.0f, kSuiteBinFolder);
    for (const HostFinder& finder : kFinders) finder.pfnFind(context.arrHosts[finder.nHost]);

    for (const HostRecord& record : context.arrHosts) {
        if (record.arrFolders.empty()) {
            LogEvent("%s: not found; nothing to install", record.LogName().c_str());
            continue;
        }
        std::string strFolders;
        for (const auto& pFolder : record.arrFolders) strFolders += (strFolders.empty() ? "" : "; ") + pFolder->strPath;
        LogEvent("%s: %u destination folder(s): %s", record.LogName().c_str(),
                 static_cast<unsigned>(record.arrFolders.size()), strFolders.c_str());
    }
}
