#include "setup/record/uninstall_record.h"

#include "setup/core/texts.h"
#include "setup/core/setup_log.h"
#include "util/scoped_handles.h"

#include <windows.h>

namespace {

void SetStringValue(HKEY hKey, const char* szName, const std::string& strValue) {
    RegSetValueExA(hKey, szName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                   static_cast<DWORD>(strValue.size() + 1));
}

}  // namespace

bool WriteUninstallRecord(const std::string& strCommandLine) {
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
    LogEvent("Uninstall entry HKLM\\%s written: UninstallString = %s", kUninstallRecordKey.c_str(), strCommandLine.c_str());
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
