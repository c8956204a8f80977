// Registration of the Office automation stand-in's three classes (office_standin.h).
#include "standins/office/office_standin.h"

#include <cstdio>
#include <string>

namespace office_standin {

const Application kApplications[3] = {
    {"Excel", "Excel.Application", {0x7a1c0e01, 0x5b2d, 0x4c61, {0x9e, 0x10, 0x3f, 0x51, 0x0f, 0xce, 0x00, 0x01}}},
    {"PowerPoint", "PowerPoint.Application", {0x7a1c0e01, 0x5b2d, 0x4c61, {0x9e, 0x10, 0x3f, 0x51, 0x0f, 0xce, 0x00, 0x02}}},
    {"Word", "Word.Application", {0x7a1c0e01, 0x5b2d, 0x4c61, {0x9e, 0x10, 0x3f, 0x51, 0x0f, 0xce, 0x00, 0x03}}},
};

namespace {

std::string ClsidText(const CLSID& clsid) {
    char sz[40];
    snprintf(sz, sizeof sz, "{%08lX-%04X-%04X-%02X%02X-%02X%02X%02X%02X%02X%02X}", clsid.Data1, clsid.Data2,
             clsid.Data3, clsid.Data4[0], clsid.Data4[1], clsid.Data4[2], clsid.Data4[3], clsid.Data4[4],
             clsid.Data4[5], clsid.Data4[6], clsid.Data4[7]);
    return sz;
}

LONG SetKeyDefault(const std::string& strKey, const std::string& strValue) {
    HKEY hKey = nullptr;
    LONG nResult = RegCreateKeyExA(HKEY_CLASSES_ROOT, strKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                   KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    if (nResult != ERROR_SUCCESS) return nResult;
    nResult = RegSetValueExA(hKey, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                             static_cast<DWORD>(strValue.size() + 1));
    RegCloseKey(hKey);
    return nResult;
}

}  // namespace

LONG RegisterApplications(const char* szServerPath, bool bRegister, const char* szOnly) {
    std::string strServer = szServerPath;
    if (strServer.find(' ') != std::string::npos) strServer = "\"" + strServer + "\"";
    for (const Application& app : kApplications) {
        if (szOnly && lstrcmpiA(szOnly, app.szName) != 0) continue;
        const std::string strClassKey = "CLSID\\" + ClsidText(app.clsid);
        if (!bRegister) {
            // Children first: RegDeleteKeyA removes only keys without subkeys.
            RegDeleteKeyA(HKEY_CLASSES_ROOT, (strClassKey + "\\LocalServer32").c_str());
            RegDeleteKeyA(HKEY_CLASSES_ROOT, (strClassKey + "\\ProgID").c_str());
            RegDeleteKeyA(HKEY_CLASSES_ROOT, strClassKey.c_str());
            RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(app.szProgID) + "\\CLSID").c_str());
            RegDeleteKeyA(HKEY_CLASSES_ROOT, app.szProgID);
            continue;
        }
        const std::string strTitle = std::string(app.szName) + " automation stand-in";
        LONG nResult = SetKeyDefault(app.szProgID, strTitle);
        if (nResult == ERROR_SUCCESS) nResult = SetKeyDefault(std::string(app.szProgID) + "\\CLSID", ClsidText(app.clsid));
        if (nResult == ERROR_SUCCESS) nResult = SetKeyDefault(strClassKey, strTitle);
        if (nResult == ERROR_SUCCESS) nResult = SetKeyDefault(strClassKey + "\\ProgID", app.szProgID);
        if (nResult == ERROR_SUCCESS)
            nResult = SetKeyDefault(strClassKey + "\\LocalServer32", strServer + " " + app.szName);
        if (nResult != ERROR_SUCCESS) return nResult;
    }
    return ERROR_SUCCESS;
}

}  // namespace office_standin
