#include "setup/record/uninstall_record.h"

#include "setup/core/setup_log.h"
#include "setup/core/texts.h"
#include "setup/res/version.h"
#include "util/mbcs.h"
#include "util/scoped_handles.h"

#include <windows.h>

#include <cstdio>
#include <vector>

namespace {

void SetStringValue(HKEY hKey, const char* szName, const std::string& strValue) {
    RegSetValueExA(hKey, szName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                   static_cast<DWORD>(strValue.size() + 1));
}

void SetDwordValue(HKEY hKey, const char* szName, DWORD dwValue) {
    RegSetValueExA(hKey, szName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof dwValue);
}

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

bool WriteUninstallRecord(const std::string& strCommandLine, unsigned long nEstimatedSizeKB) {
    // The command line had a 1024-byte home; a longer one is refused rather than cut into another command.
    if (strCommandLine.size() > kMaxStoredCommandLine) {
        LogEvent("Uninstall entry not written: its command line has %u characters, more than %u",
                 static_cast<unsigned>(strCommandLine.size()), static_cast<unsigned>(kMaxStoredCommandLine));
        return false;
    }
    ScopedRegKey key;
    const LONG lResult = key.Create(HKEY_LOCAL_MACHINE, kUninstallRecordKey.c_str(), KEY_ALL_ACCESS);
    if (lResult != ERROR_SUCCESS) {
        LogEvent("Uninstall entry HKLM\\%s not written: %s", kUninstallRecordKey.c_str(),
                 DescribeError(static_cast<DWORD>(lResult)).c_str());
        return false;
    }
    SetStringValue(key.Get(), "DisplayName", Text(TextId::EntryDisplayName));
    SetStringValue(key.Get(), "UninstallString", strCommandLine);
    SetStringValue(key.Get(), "DisplayVersion", LQ_FILE_VERSION_TEXT);
    SetStringValue(key.Get(), "Publisher", LQ_PUBLISHER);
    SetStringValue(key.Get(), "DisplayIcon", kSetupProgramPath);
    SetStringValue(key.Get(), "InstallLocation", kSuiteFolder);
    SetStringValue(key.Get(), "InstallDate", Today());
    SetStringValue(key.Get(), "QuietUninstallString", kQuietUninstallCommand);
    SetDwordValue(key.Get(), "EstimatedSize", nEstimatedSizeKB);
    SetDwordValue(key.Get(), "NoModify", 1);
    SetDwordValue(key.Get(), "NoRepair", 1);
    LogEvent("Uninstall entry HKLM\\%s written: UninstallString = %s, DisplayVersion %s, EstimatedSize %lu KB",
             kUninstallRecordKey.c_str(), strCommandLine.c_str(), LQ_FILE_VERSION_TEXT, nEstimatedSizeKB);
    return true;
}

bool DeleteUninstallRecord() {
    const LONG lResult = RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallRecordKey.c_str());
    if (lResult == ERROR_SUCCESS)
        LogEvent("Uninstall entry HKLM\\%s deleted", kUninstallRecordKey.c_str());
    else
        LogEvent("Uninstall entry HKLM\\%s not deleted: %s", kUninstallRecordKey.c_str(),
                 DescribeError(static_cast<DWORD>(lResult)).c_str());
    return lResult == ERROR_SUCCESS;
}
