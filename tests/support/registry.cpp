#include "tests/support/registry.h"

#include <cstring>

namespace lqtest {

bool KeyExists(HKEY hRoot, const std::string& strKey, REGSAM samView) {
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ | samView, &hKey) != ERROR_SUCCESS) return false;
    RegCloseKey(hKey);
    return true;
}

bool ReadValue(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD* pType, std::string* pBytes) {
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
    DWORD dwSize = 0;
    LONG lResult = RegQueryValueExA(hKey, strName.c_str(), nullptr, pType, nullptr, &dwSize);
    if (lResult == ERROR_SUCCESS) {
        pBytes->assign(dwSize, '\0');
        lResult = RegQueryValueExA(hKey, strName.c_str(), nullptr, pType,
                                   reinterpret_cast<BYTE*>(dwSize ? &(*pBytes)[0] : nullptr), &dwSize);
        pBytes->resize(dwSize);
    }
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

std::string ValueBytes(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD* pType) {
    DWORD dwType = 0;
    std::string bytes;
    if (!ReadValue(hRoot, strKey, strName, &dwType, &bytes)) return "<missing>";
    if (pType) *pType = dwType;
    return bytes;
}

std::string RegString(HKEY hRoot, const std::string& strKey, const std::string& strName) {
    DWORD dwType = 0;
    std::string bytes;
    if (!ReadValue(hRoot, strKey, strName, &dwType, &bytes)) return "";
    return std::string(bytes.c_str());
}

DWORD RegDword(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwMissing) {
    DWORD dwType = 0, dwValue = 0;
    std::string bytes;
    if (!ReadValue(hRoot, strKey, strName, &dwType, &bytes) || dwType != REG_DWORD || bytes.size() != sizeof dwValue)
        return dwMissing;
    memcpy(&dwValue, bytes.data(), sizeof dwValue);
    return dwValue;
}

bool SetRegRaw(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwType, const std::string& bytes) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    LONG lResult = RegSetValueExA(hKey, strName.c_str(), 0, dwType, reinterpret_cast<const BYTE*>(bytes.data()),
                                  static_cast<DWORD>(bytes.size()));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

bool CreateKey(HKEY hRoot, const std::string& strKey, const char* szDefault) {
    if (szDefault) return SetRegString(hRoot, strKey, "", szDefault);
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return false;
    RegCloseKey(hKey);
    return true;
}

bool SetRegString(HKEY hRoot, const std::string& strKey, const std::string& strName, const std::string& strValue) {
    return SetRegRaw(hRoot, strKey, strName, REG_SZ, std::string(strValue.c_str(), strValue.size() + 1));
}

bool SetRegDword(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwValue) {
    return SetRegRaw(hRoot, strKey, strName, REG_DWORD, std::string(reinterpret_cast<const char*>(&dwValue), sizeof dwValue));
}

bool MakeKeyUnwritable(HKEY hRoot, const std::string& strKey) {
    RegDeleteKeyA(hRoot, strKey.c_str());
    HKEY hLink = nullptr;
    if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, REG_OPTION_CREATE_LINK | REG_OPTION_VOLATILE,
                        KEY_ALL_ACCESS | KEY_CREATE_LINK, nullptr, &hLink, nullptr) != ERROR_SUCCESS)
        return false;
    const wchar_t wszTarget[] = L"\\Registry\\Machine\\LqNowhere\\AtAll";
    const LONG lResult = RegSetValueExW(hLink, L"SymbolicLinkValue", 0, REG_LINK, reinterpret_cast<const BYTE*>(wszTarget),
                                        sizeof wszTarget - sizeof(wchar_t));
    RegCloseKey(hLink);
    return lResult == ERROR_SUCCESS;
}

}  // namespace lqtest
