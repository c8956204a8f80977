#include "util/registry.h"

bool OpenReadKey(ScopedRegKey& key, HKEY hParent, const std::string& strSubKey) {
    return key.Open(hParent, strSubKey, kReadKeyAccess) == ERROR_SUCCESS;
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

LONG SetRegistryString(HKEY hKey, const char* szName, const std::string& strValue) {
    return RegSetValueExA(hKey, szName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                          static_cast<DWORD>(strValue.size() + 1));
}

LONG SetRegistryDword(HKEY hKey, const char* szName, DWORD dwValue) {
    return RegSetValueExA(hKey, szName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof dwValue);
}

LONG DeleteRegistryTree(HKEY hRoot, const char* szSubKey) {
    ScopedRegKey key;
    LONG nResult = key.Open(hRoot, szSubKey, KEY_ALL_ACCESS);
    if (nResult != ERROR_SUCCESS) return nResult;
    for (;;) {
        // Always index 0: each child deleted below frees that slot for the next one.
        char szName[256];
        DWORD nName = sizeof szName;
        if (RegEnumKeyExA(key.Get(), 0, szName, &nName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) {
            key.Close();
            return RegDeleteKeyA(hRoot, szSubKey);
        }
        nResult = DeleteRegistryTree(key.Get(), szName);
        if (nResult != ERROR_SUCCESS) return nResult;
    }
}
