#include "setup/uninstall/office_addin.h"

#include <ole2.h>
#include <oleauto.h>

#include <string>

namespace {

constexpr const char* kAddinClassKey = "CLSID\\{495EFEBF-FC21-4593-89A9-86D772C3636D}";
constexpr const char* kAddinProgID = "ZmtAddin.MyAddin";
constexpr const char* kOfficeKeyPrefix = "Software\\Microsoft\\Office\\";
constexpr const wchar_t* kCommandBarName = L"Letterquarry";

class CRegKey {
public:
    CRegKey() = default;
    ~CRegKey() { Close(); }
    CRegKey(const CRegKey&) = delete;
    CRegKey& operator=(const CRegKey&) = delete;
    LONG Open(HKEY hRoot, const char* szSubKey, REGSAM nAccess) {
        Close();
        return RegOpenKeyExA(hRoot, szSubKey, 0, nAccess, &m_hKey);
    }
    void Close() {
        if (m_hKey) RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
    HKEY Get() const { return m_hKey; }

private:
    HKEY m_hKey = nullptr;
};

// The OLE automation helpers, bound at run time from the system's own oleaut32.dll. The setup program's
// folder ships a runtime file of that very name (for the add-ins), and the folder of a program comes
// first in the library search: a load-time import would bind the setup program to that file, whatever it
// is. Once the system's library is loaded, COM's own loads of "oleaut32.dll" (the IDispatch marshalling)
// find it by name and use it too.
class OleAutomation {
public:
    OleAutomation() {
        char szPath[MAX_PATH] = {};
        const UINT nLength = GetSystemDirectoryA(szPath, MAX_PATH);
        if (nLength == 0 || nLength >= MAX_PATH - 16) return;
        lstrcatA(szPath, "\\oleaut32.dll");
        m_hLibrary = LoadLibraryA(szPath);
        if (!m_hLibrary) return;
        Bind(m_pfnVariantInit, "VariantInit");
        Bind(m_pfnVariantClear, "VariantClear");
        Bind(m_pfnSysAllocString, "SysAllocString");
    }
    ~OleAutomation() {
        if (m_hLibrary) FreeLibrary(m_hLibrary);
    }
    OleAutomation(const OleAutomation&) = delete;
    OleAutomation& operator=(const OleAutomation&) = delete;

    bool IsReady() const { return m_pfnVariantInit && m_pfnVariantClear && m_pfnSysAllocString; }
    void VariantInit(VARIANT* pvt) const { m_pfnVariantInit(pvt); }
    void VariantClear(VARIANT* pvt) const { m_pfnVariantClear(pvt); }
    BSTR SysAllocString(const OLECHAR* wsz) const { return m_pfnSysAllocString(wsz); }

private:
    template <typename Function>
    void Bind(Function& pfn, const char* szName) {
        // Through the generic function pointer type, as the exported function's type is known here only.
        pfn = reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(m_hLibrary, szName)));
    }

    HMODULE m_hLibrary = nullptr;
    void(WINAPI* m_pfnVariantInit)(VARIANTARG*) = nullptr;
    HRESULT(WINAPI* m_pfnVariantClear)(VARIANTARG*) = nullptr;
    BSTR(WINAPI* m_pfnSysAllocString)(const OLECHAR*) = nullptr;
};

void ShowAutomationError(const char* szText) {
    MessageBoxA(nullptr, szText, "Error", MB_ICONERROR | MB_SETFOREGROUND);
}

// The object a VARIANT holds, or null when it holds none (also for a non-object result, which must not
// be taken for a pointer).
IDispatch* ObjectOf(const VARIANT& vt) {
    return V_VT(&vt) == VT_DISPATCH ? V_DISPATCH(&vt) : nullptr;
}

}  // namespace

LONG DeleteRegistryTree(HKEY hRoot, const char* szSubKey) {
    CRegKey key;
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

long RemoveAddinKey(const char* szPrefix, const char* szApplication, const char* szProgID) {
    const std::string strPath = std::string(szPrefix) + szApplication + "\\Addins\\" + szProgID;
    DeleteRegistryTree(HKEY_CURRENT_USER, strPath.c_str());
    return 0;
}

HRESULT DispatchGet(IDispatch* pObject, const wchar_t* wszName, VARIANT* pResult) {
    if (!pObject) return E_POINTER;
    LPOLESTR wszNames[1] = {const_cast<LPOLESTR>(wszName)};
    DISPID nId = 0;
    HRESULT hr = pObject->GetIDsOfNames(IID_NULL, wszNames, 1, LOCALE_USER_DEFAULT, &nId);
    if (FAILED(hr)) return hr;
    DISPPARAMS params = {nullptr, nullptr, 0, 0};
    return pObject->Invoke(nId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                           pResult, nullptr, nullptr);
}

HRESULT DispatchCall(IDispatch* pObject, const wchar_t* wszName, VARIANT* pResult, int nArgs, VARIANT* arrArgs) {
    if (!pObject) return E_POINTER;
    LPOLESTR wszNames[1] = {const_cast<LPOLESTR>(wszName)};
    DISPID nId = 0;
    HRESULT hr = pObject->GetIDsOfNames(IID_NULL, wszNames, 1, LOCALE_USER_DEFAULT, &nId);
    if (FAILED(hr)) return hr;
    DISPPARAMS params = {arrArgs, nullptr, static_cast<UINT>(nArgs), 0};
    hr = pObject->Invoke(nId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD, &params, pResult, nullptr, nullptr);
    if (FAILED(hr))
        hr = pObject->Invoke(nId, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD | DISPATCH_PROPERTYGET, &params,
                             pResult, nullptr, nullptr);
    return hr;
}

long RemoveCommandBar(const wchar_t* wszProgID) {
    // Loaded before COM starts, so that every later load of the library by name finds this one.
    const OleAutomation ole;
    // Only a successful initialisation (S_OK or S_FALSE) is balanced by an uninitialisation: undoing a
    // refused one would tear down the caller's own COM apartment.
    const bool bComReady = SUCCEEDED(CoInitialize(nullptr));
    CLSID clsid;
    if (FAILED(CLSIDFromProgID(wszProgID, &clsid))) {
        ShowAutomationError("CLSIDFromProgID() failed");
        if (bComReady) CoUninitialize();
        return -1;
    }
    IDispatch* pApplication = nullptr;
    if (FAILED(CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch,
                                reinterpret_cast<void**>(&pApplication))) ||
        !pApplication) {
        ShowAutomationError("Excel not registered properly");
        if (bComReady) CoUninitialize();
        return -2;
    }

    if (!ole.IsReady()) {
        // Without the automation helpers no call can be made: as for any failed call, status 0.
        pApplication->Release();
        if (bComReady) CoUninitialize();
        return 0;
    }
    VARIANT vtCmdBars, vtParam, vtCmdBar;
    ole.VariantInit(&vtCmdBars);
    ole.VariantInit(&vtParam);
    ole.VariantInit(&vtCmdBar);
    if (SUCCEEDED(DispatchGet(pApplication, L"CommandBars", &vtCmdBars))) {
        V_VT(&vtParam) = VT_BSTR;
        V_BSTR(&vtParam) = ole.SysAllocString(kCommandBarName);
        DispatchCall(ObjectOf(vtCmdBars), L"Item", &vtCmdBar, 1, &vtParam);
        ole.VariantClear(&vtParam);
        if (IDispatch* pCmdBar = ObjectOf(vtCmdBar)) {
            pCmdBar->AddRef();
            DispatchCall(pCmdBar, L"Delete", nullptr, 0, nullptr);
            pCmdBar->Release();
            DispatchCall(pApplication, L"Quit", nullptr, 0, nullptr);
        }
    }
    // Each VARIANT releases the object it holds exactly once.
    ole.VariantClear(&vtCmdBars);
    ole.VariantClear(&vtCmdBar);
    pApplication->Release();
    if (bComReady) CoUninitialize();
    return 0;
}

bool RemoveOfficeAddin() {
    DeleteRegistryTree(HKEY_CLASSES_ROOT, kAddinClassKey);
    DeleteRegistryTree(HKEY_CLASSES_ROOT, kAddinProgID);
    RemoveAddinKey(kOfficeKeyPrefix, "Excel", kAddinProgID);
    RemoveAddinKey(kOfficeKeyPrefix, "PowerPoint", kAddinProgID);
    RemoveAddinKey(kOfficeKeyPrefix, "Word", kAddinProgID);
    RemoveCommandBar(L"Excel.Application");
    RemoveCommandBar(L"PowerPoint.Application");
    RemoveCommandBar(L"Word.Application");
    return false;
}
