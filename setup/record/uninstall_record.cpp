#include "setup/record/uninstall_record.h"

#include "setup/core/setup_log.h"
#include "setup/core/texts.h"
#include "setup/res/version.h"
#include "util/mbcs.h"
#include "util/registry.h"
#include "util/scoped_handles.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

std::string Today() {
    SYSTEMTIME now;
    GetLocalTime(&now);
    char szDate[16];
    std::snprintf(szDate, sizeof szDate, "%04u%02u%02u", now.wYear, now.wMonth, now.wDay);
    return szDate;
}

}  // namespace

unsigned long EstimatedSizeKB(const HostFileList& arrItems) {
    std::vector<std::string> arrCounted;
    unsigned long long nBytes = 0;
    for (const auto& pItem : arrItems) {
        if (!pItem || pItem->strName.empty()) continue;
        bool bCounted = false;
        for (const std::string& strCounted : arrCounted) bCounted = bCounted || mbcs::EqualNoCase(strCounted, pItem->strName);
        WIN32_FILE_ATTRIBUTE_DATA data;
        if (bCounted || !GetFileAttributesExA(pItem->strName.c_str(), GetFileExInfoStandard, &data)) continue;
        arrCounted.push_back(pItem->strName);
        nBytes += (static_cast<unsigned long long>(data.nFileSizeHigh) << 32) | data.nFileSizeLow;
    }
    return static_cast<unsigned long>((nBytes + 1023) / 1024);
}

OpResult WriteUninstallRecord(const std::string& strCommandLine, unsigned long nEstimatedSizeKB) {
    // The command line had a 1024-byte home; a longer one is refused rather than cut into another command.
    if (strCommandLine.size() > kMaxStoredCommandLine) {
        LogEvent("Uninstall entry not written: its command line has %u characters, more than %u",
                 static_cast<unsigned>(strCommandLine.size()), static_cast<unsigned>(kMaxStoredCommandLine));
        return OpResult::Refused("its command line is too long");
    }
    ScopedRegKey key;
    const LONG lResult = key.Create(HKEY_LOCAL_MACHINE, kUninstallRecordKey.c_str(), KEY_ALL_ACCESS);
    if (lResult != ERROR_SUCCESS) {
        LogEvent("Uninstall entry HKLM\\%s not written: %s", kUninstallRecordKey.c_str(),
                 DescribeError(static_cast<DWORD>(lResult)).c_str());
        return OpResult::FailedWith(static_cast<DWORD>(lResult));
    }
    SetRegistryString(key.Get(), "DisplayName", Text(TextId::EntryDisplayName));
    SetRegistryString(key.Get(), "UninstallString", strCommandLine);
    SetRegistryString(key.Get(), "DisplayVersion", LQ_FILE_VERSION_TEXT);
    SetRegistryString(key.Get(), "Publisher", LQ_PUBLISHER);
    SetRegistryString(key.Get(), "DisplayIcon", kSetupProgramPath);
    SetRegistryString(key.Get(), "InstallLocation", kSuiteFolder);
    SetRegistryString(key.Get(), "InstallDate", Today());
    SetRegistryString(key.Get(), "QuietUninstallString", kQuietUninstallCommand);
    SetRegistryDword(key.Get(), "EstimatedSize", nEstimatedSizeKB);
    SetRegistryDword(key.Get(), "NoModify", 1);
    SetRegistryDword(key.Get(), "NoRepair", 1);
    LogEvent("Uninstall entry HKLM\\%s written: UninstallString = %s, DisplayVersion %s, EstimatedSize %lu KB",
             kUninstallRecordKey.c_str(), strCommandLine.c_str(), LQ_FILE_VERSION_TEXT, nEstimatedSizeKB);
    return OpResult::Done();
}

OpResult DeleteUninstallRecord() {
    const LONG lResult = RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallRecordKey.c_str());
    if (lResult == ERROR_SUCCESS)
        LogEvent("Uninstall entry HKLM\\%s deleted", kUninstallRecordKey.c_str());
    else
        LogEvent("Uninstall entry HKLM\\%s not deleted: %s", kUninstallRecordKey.c_str(),
                 DescribeError(static_cast<DWORD>(lResult)).c_str());
    return lResult == ERROR_SUCCESS ? OpResult::Done() : OpResult::FailedWith(static_cast<DWORD>(lResult));
}
