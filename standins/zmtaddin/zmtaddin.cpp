// STAND-IN for the suite's add-in library "ZmtAddin.dll". It is not the real add-in: it exists only so
// that the setup program and the XTension can be run and tested. It keeps two contracts of the real one:
//
//  1. An in-process COM server's self-registration. DllRegisterServer writes real registry entries (the
//     class key, the ProgID key with its nested CLSID key, and the Office add-in keys of Excel,
//     PowerPoint and Word); DllUnregisterServer removes exactly those. The stand-in hands out no COM
//     object: DllGetClassObject answers CLASS_E_CLASSNOTAVAILABLE.
//  2. The add-in window functions that the XTension calls: "Show", "SetZmtOutputType", "SetCall".
//     There is no window. Each call is written as one line to a record (see below), and once a Show has
//     been followed by the three callbacks, the stand-in "picks" the files that a test listed and hands
//     each to its callback, one after the other, before SetCall returns.
//
// Switches a test sets:
//  - HKLM\SOFTWARE\LetterquarryStandins "FailRegistration" (DWORD, non-zero): DllRegisterServer writes
//    nothing and returns SELFREG_E_CLASS; "FailUnregistration" likewise for DllUnregisterServer.
//  - Every call of the two entry points adds one to the DWORD "ZmtAddin.dll DllRegisterServer" or
//    "ZmtAddin.dll DllUnregisterServer" under HKLM\SOFTWARE\LetterquarryStandins\Calls.
//  - The picks: the text file "ZmtAddin.picks" beside this library, one pick per line, "slot|text"
//    (slot 1 art, 2 short text, 3 font). "2|" hands over an empty text; a line without "|" ("2") hands
//    over a null pointer.
//  - The record: the file named by the environment variable LQ_STANDIN_RECORD (the stand-in XTension
//    host sets it to its own record, so both write one ordered record), else "ZmtAddin.calls.txt"
//    beside this library. Lines: "addin Show 1", "addin SetZmtOutputType 1",
//    "addin SetCall 3 <module>+0x<offset>", "addin pick 1 \"C:\\a.eps\"", "addin pick-done 1".
#include <windows.h>
#include <olectl.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

const char kClassKey[] = "CLSID\\{495EFEBF-FC21-4593-89A9-86D772C3636D}";
const char kClassId[] = "{495EFEBF-FC21-4593-89A9-86D772C3636D}";
const char kProgId[] = "ZmtAddin.MyAddin";
const char* const kOfficeApps[] = {"Excel", "PowerPoint", "Word"};
const char kSwitchKey[] = "SOFTWARE\\LetterquarryStandins";
const char kCallsKey[] = "SOFTWARE\\LetterquarryStandins\\Calls";

typedef void(__stdcall* RetDataProc)(const char* pszRetData);

HMODULE g_hModule = nullptr;
RetDataProc g_arrCallbacks[4] = {nullptr, nullptr, nullptr, nullptr};  // slots 1..3
bool g_bShown = false;

std::string ModuleFolder() {
    char szPath[MAX_PATH] = {0};
    GetModuleFileNameA(g_hModule, szPath, MAX_PATH);
    std::string strPath = szPath;
    size_t nSlash = strPath.find_last_of('\\');
    return nSlash == std::string::npos ? std::string() : strPath.substr(0, nSlash);
}

// One line per call, appended and closed at once, so that the host's own lines stay in order around it.
void Record(const std::string& strLine) {
    char szRecord[MAX_PATH] = {0};
    DWORD n = GetEnvironmentVariableA("LQ_STANDIN_RECORD", szRecord, MAX_PATH);
    std::string strFile = (n > 0 && n < MAX_PATH) ? std::string(szRecord) : ModuleFolder() + "\\ZmtAddin.calls.txt";
    HANDLE h = CreateFileA(strFile.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return;
    std::string strText = "addin " + strLine + "\r\n";
    DWORD nWritten = 0;
    WriteFile(h, strText.data(), static_cast<DWORD>(strText.size()), &nWritten, nullptr);
    CloseHandle(h);
}

DWORD ReadSwitch(const char* pszName) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kSwitchKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return 0;
    DWORD dwValue = 0, dwType = 0, cb = sizeof(dwValue);
    if (RegQueryValueExA(hKey, pszName, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cb) != ERROR_SUCCESS ||
        dwType != REG_DWORD)
        dwValue = 0;
    RegCloseKey(hKey);
    return dwValue;
}

void CountCall(const char* pszEntry) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(HKEY_LOCAL_MACHINE, kCallsKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return;
    std::string strName = std::string("ZmtAddin.dll ") + pszEntry;
    DWORD dwCount = 0, dwType = 0, cb = sizeof(dwCount);
    if (RegQueryValueExA(hKey, strName.c_str(), nullptr, &dwType, reinterpret_cast<BYTE*>(&dwCount), &cb) !=
            ERROR_SUCCESS ||
        dwType != REG_DWORD)
        dwCount = 0;
    ++dwCount;
    RegSetValueExA(hKey, strName.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwCount), sizeof(dwCount));
    RegCloseKey(hKey);
}

bool SetString(HKEY hRoot, const std::string& strKey, const char* pszName, const std::string& strValue) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(hKey, pszName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                            static_cast<DWORD>(strValue.size() + 1));
    RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

bool SetDword(HKEY hRoot, const std::string& strKey, const char* pszName, DWORD dwValue) {
    HKEY hKey = nullptr;
    if (RegCreateKeyExA(hRoot, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG r = RegSetValueExA(hKey, pszName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwValue), sizeof(dwValue));
    RegCloseKey(hKey);
    return r == ERROR_SUCCESS;
}

// Depth first; RegDeleteTree does not exist on Windows XP. A missing key is no error.
LONG DeleteTree(HKEY hRoot, const std::string& strKey) {
    HKEY hKey = nullptr;
    LONG r = RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_ALL_ACCESS, &hKey);
    if (r == ERROR_FILE_NOT_FOUND) return ERROR_SUCCESS;
    if (r != ERROR_SUCCESS) return r;
    char szName[256];
    for (;;) {
        DWORD cch = sizeof(szName);
        // Always index 0: the child just deleted no longer occupies it.
        if (RegEnumKeyExA(hKey, 0, szName, &cch, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        r = DeleteTree(hKey, szName);
        if (r != ERROR_SUCCESS) {
            RegCloseKey(hKey);
            return r;
        }
    }
    RegCloseKey(hKey);
    return RegDeleteKeyA(hRoot, strKey.c_str());
}

std::string OfficeAddinKey(const char* pszApp) {
    return std::string("Software\\Microsoft\\Office\\") + pszApp + "\\Addins\\" + kProgId;
}

std::string DescribeCallback(RetDataProc pfn) {
    if (!pfn) return "null";
    HMODULE hOwner = nullptr;
    char szName[MAX_PATH] = "?";
    if (GetModuleHandleExA(GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
                           reinterpret_cast<LPCSTR>(pfn), &hOwner)) {
        char szPath[MAX_PATH] = {0};
        GetModuleFileNameA(hOwner, szPath, MAX_PATH);
        const char* pszBase = strrchr(szPath, '\\');
        lstrcpynA(szName, pszBase ? pszBase + 1 : szPath, MAX_PATH);
    }
    char szLine[MAX_PATH + 32];
    snprintf(szLine, sizeof(szLine), "%s+0x%lx", szName,
             static_cast<unsigned long>(reinterpret_cast<UINT_PTR>(pfn) - reinterpret_cast<UINT_PTR>(hOwner)));
    return szLine;
}

struct Pick {
    int nSlot;
    bool isNull;
    std::string strText;
};

std::vector<Pick> ReadPicks() {
    std::vector<Pick> arrPicks;
    std::string strFile = ModuleFolder() + "\\ZmtAddin.picks";
    HANDLE h = CreateFileA(strFile.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return arrPicks;
    std::string strAll;
    char buf[4096];
    DWORD n = 0;
    while (ReadFile(h, buf, sizeof(buf), &n, nullptr) && n > 0) strAll.append(buf, n);
    CloseHandle(h);
    size_t nPos = 0;
    while (nPos < strAll.size()) {
        size_t nEnd = strAll.find('\n', nPos);
        if (nEnd == std::string::npos) nEnd = strAll.size();
        std::string strLine = strAll.substr(nPos, nEnd - nPos);
        nPos = nEnd + 1;
        if (!strLine.empty() && strLine.back() == '\r') strLine.pop_back();
        if (strLine.empty()) continue;
        Pick pick;
        pick.nSlot = atoi(strLine.c_str());
        size_t nBar = strLine.find('|');
        pick.isNull = nBar == std::string::npos;
        if (!pick.isNull) pick.strText = strLine.substr(nBar + 1);
        arrPicks.push_back(pick);
    }
    return arrPicks;
}

// The user "chooses" the listed files in the add-in window.
void DeliverPicks() {
    for (const Pick& pick : ReadPicks()) {
        RetDataProc pfn = (pick.nSlot >= 1 && pick.nSlot <= 3) ? g_arrCallbacks[pick.nSlot] : nullptr;
        Record("pick " + std::to_string(pick.nSlot) + (pick.isNull ? " null" : " \"" + pick.strText + "\""));
        if (!pfn) continue;
        pfn(pick.isNull ? nullptr : pick.strText.c_str());
        Record("pick-done " + std::to_string(pick.nSlot));
    }
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        g_hModule = hInstance;
        DisableThreadLibraryCalls(hInstance);
    }
    return TRUE;
}

STDAPI DllRegisterServer() {
    CountCall("DllRegisterServer");
    if (ReadSwitch("FailRegistration")) return SELFREG_E_CLASS;

    char szPath[MAX_PATH] = {0};
    GetModuleFileNameA(g_hModule, szPath, MAX_PATH);
    bool bOk = SetString(HKEY_CLASSES_ROOT, kClassKey, nullptr, "Letterquarry add-in (stand-in)");
    bOk = SetString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\InprocServer32", nullptr, szPath) && bOk;
    bOk = SetString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\InprocServer32", "ThreadingModel", "Apartment") && bOk;
    bOk = SetString(HKEY_CLASSES_ROOT, std::string(kClassKey) + "\\ProgID", nullptr, kProgId) && bOk;
    bOk = SetString(HKEY_CLASSES_ROOT, kProgId, nullptr, "Letterquarry add-in (stand-in)") && bOk;
    bOk = SetString(HKEY_CLASSES_ROOT, std::string(kProgId) + "\\CLSID", nullptr, kClassId) && bOk;
    for (const char* pszApp : kOfficeApps) {
        bOk = SetString(HKEY_CURRENT_USER, OfficeAddinKey(pszApp), "FriendlyName", "Letterquarry") && bOk;
        bOk = SetString(HKEY_CURRENT_USER, OfficeAddinKey(pszApp), "Description", "Letterquarry add-in (stand-in)") && bOk;
        bOk = SetDword(HKEY_CURRENT_USER, OfficeAddinKey(pszApp), "LoadBehavior", 3) && bOk;
    }
    return bOk ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
    CountCall("DllUnregisterServer");
    if (ReadSwitch("FailUnregistration")) return SELFREG_E_CLASS;

    bool bOk = DeleteTree(HKEY_CLASSES_ROOT, kClassKey) == ERROR_SUCCESS;
    bOk = DeleteTree(HKEY_CLASSES_ROOT, kProgId) == ERROR_SUCCESS && bOk;
    for (const char* pszApp : kOfficeApps) bOk = DeleteTree(HKEY_CURRENT_USER, OfficeAddinKey(pszApp)) == ERROR_SUCCESS && bOk;
    return bOk ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllGetClassObject(REFCLSID, REFIID, LPVOID* ppv) {
    if (ppv) *ppv = nullptr;
    return CLASS_E_CLASSNOTAVAILABLE;
}

STDAPI DllCanUnloadNow() { return S_OK; }

int __stdcall Show(int nMode) {
    Record("Show " + std::to_string(nMode));
    g_bShown = true;
    g_arrCallbacks[1] = g_arrCallbacks[2] = g_arrCallbacks[3] = nullptr;
    return 1;
}

int __stdcall SetZmtOutputType(int nType) {
    Record("SetZmtOutputType " + std::to_string(nType));
    return 1;
}

int __stdcall SetCall(int nSlot, RetDataProc pfnCallback) {
    Record("SetCall " + std::to_string(nSlot) + " " + DescribeCallback(pfnCallback));
    if (nSlot < 1 || nSlot > 3) return 0;
    g_arrCallbacks[nSlot] = pfnCallback;
    if (g_bShown && g_arrCallbacks[1] && g_arrCallbacks[2] && g_arrCallbacks[3]) {
        g_bShown = false;
        DeliverPicks();
    }
    return 1;
}

}  // extern "C"
