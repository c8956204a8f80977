#include "setup/discovery/registry_read.h"

bool OpenDiscoveryKey(ScopedRegKey& key, HKEY hParent, const std::string& strSubKey) {
    return key.Open(hParent, strSubKey, kDiscoveryKeyAccess) == ERROR_SUCCESS;
}

std::string ReadRegistryString(HKEY hKey, const std::string& strValueName) {
    BYTE buffer[1024];
    DWORD dwType = 0;
    DWORD cbData = sizeof buffer;
    if (RegQueryValueExA(hKey, strValueName.c_str(), nullptr, &dwType, buffer, &cbData) != ERROR_SUCCESS)
        return std::string();  // missing, or longer than the buffer (ERROR_MORE_DATA)
    if (dwType != REG_SZ && dwType != REG_EXPAND_SZ) return std::string();
    // Only text that carries its own terminator inside the returned length is taken; anything else would
    // be read past the data the registry gave us.
    if (cbData == 0 || cbData > sizeof buffer || buffer[cbData - 1] != '\0') return std::string();
    return std::string(reinterpret_cast<const char*>(buffer));
}

void EnumerateSubkeys(HKEY hKey, const std::function<void(const std::string&)>& fnVisit) {
    for (DWORD dwIndex = 0;; ++dwIndex) {
        char szName[1024];
        DWORD cchName = sizeof szName;
        LONG lResult = RegEnumKeyExA(hKey, dwIndex, szName, &cchName, nullptr, nullptr, nullptr, nullptr);
        if (lResult == ERROR_NO_MORE_ITEMS) break;
        // Errors about the key itself would come back for every index up to 2^32: stop instead.
        if (lResult == ERROR_INVALID_HANDLE || lResult == ERROR_ACCESS_DENIED || lResult == ERROR_KEY_DELETED) break;
        if (lResult != ERROR_SUCCESS || cchName == 0 || cchName >= sizeof szName) continue;
        fnVisit(std::string(szName, cchName));
    }
}
