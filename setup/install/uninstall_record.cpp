#include "setup/install/uninstall_record.h"

#include "setup/core/country.h"

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
    if (strCommandLine.size() > 1023) return false;
    ScopedRegKey key;
    if (key.Create(HKEY_LOCAL_MACHINE, kUninstallRecordKey, KEY_ALL_ACCESS) != ERROR_SUCCESS) return false;
    SetStringValue(key.Get(), "DisplayName", ByLanguage("Letterquarry 제거", "Letterquarry Delete"));
    SetStringValue(key.Get(), "UninstallString", strCommandLine);
    return true;
}

bool DeleteUninstallRecord() { return RegDeleteKeyA(HKEY_LOCAL_MACHINE, kUninstallRecordKey) == ERROR_SUCCESS; }
