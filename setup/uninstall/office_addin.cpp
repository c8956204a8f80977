#include "setup/uninstall/office_addin.h"

#include "setup/core/setup_log.h"
#include "setup/system/library_loading.h"
#include "util/registry.h"
#include "util/scoped_handles.h"

#include <ole2.h>
#include <oleauto.h>

#include <string>

namespace {

constexpr const char* kAddinClassKey = "CLSID\\{495EFEBF-FC21-4593-89A9-86D772C3636D}";
constexpr const char* kAddinProgID = "ZmtAddin.MyAddin";
constexpr const char* kOfficeKeyPrefix = "Software\\Microsoft\\Office\\";
constexpr const wchar_t* kCommandBarName = L"Letterquarry";

// The OLE automation helpers, bound at run time from the system's own oleaut32.dll. The setup program's
// folder ships a runtime file of that very name (for the add-ins), and the folder of a program comes
// first in the library search: a load-time import would bind the setup program to that file, whatever it
// is. Once the system's library is loaded, COM's own loads of "oleaut32.dll" (the IDispatch marshalling)
// find it by name and use it too.
class OleAutomation {
public:
    OleAutomation() {
        m_library.Reset(LoadSystemLibrary("oleaut32.dll"));
        m_pfnVariantInit = m_library.Export<decltype(m_pfnVariantInit)>("VariantInit");
        m_pfnVariantClear = m_library.Export<decltype(m_pfnVariantClear)>("VariantClear");
        m_pfnSysAllocString = m_library.Export<decltype(m_pfnSysAllocString)>("SysAllocString");
    }
    OleAutomation(const OleAutomation&) = delete;
    OleAutomation& operator=(const OleAutomation&) = delete;

    bool IsReady() const { return m_pfnVariantInit && m_pfnVariantClear && m_pfnSysAllocString; }
    void VariantInit(VARIANT* pvt) const { m_pfnVariantInit(pvt); }
    void VariantClear(VARIANT* pvt) const { m_pfnVariantClear(pvt); }
    BSTR SysAllocString(const OLECHAR* wsz) const { return m_pfnSysAllocString(wsz); }

private:
    ScopedLibrary m_library;
    void(WINAPI* m_pfnVariantInit)(VARIANTARG*) = nullptr;
    HRESULT(WINAPI* m_pfnVariantClear)(VARIANTARG*) = nullptr;
    BSTR(WINAPI* m_pfnSysAllocString)(const OLECHAR*) = nullptr;
};

// The object a VARIANT holds, or null when it holds none (also for a non-object result, which must not
// be taken for a pointer).
IDispatch* ObjectOf(const VARIANT& vt) {
    return V_VT(&vt) == VT_DISPATCH ? V_DISPATCH(&vt) : nullptr;
}

// The application's name for the log, from its ProgID ("Excel.Application" -> "Excel").
std::string ApplicationName(const wchar_t* wszProgID) {
    std::string strName;
    for (const wchar_t* p = wszProgID; *p && *p != L'.'; ++p) strName += static_cast<char>(*p < 0x80 ? *p : '?');
    return strName;
}

// Deletes one of the add-in's registry trees; notes what happened.
void DeleteAddinTree(HKEY hRoot, const char* szRootName, const std::string& strSubKey) {
    const LONG lResult = DeleteRegistryTree(hRoot, strSubKey.c_str());
    if (lResult == ERROR_SUCCESS)
        LogEvent("Office add-in: deleted %s\\%s", szRootName, strSubKey.c_str());
    else if (lResult == ERROR_FILE_NOT_FOUND)
        LogEvent("Office add-in: %s\\%s is not there", szRootName, strSubKey.c_str());
    else
        LogEvent("Office add-in: could not delete %s\\%s: %s", szRootName, strSubKey.c_str(),
                 DescribeError(static_cast<DWORD>(lResult)).c_str());
}

}  // namespace

void RemoveAddinKey(const char* szPrefix, const char* szApplication, const char* szProgID) {
    const std::string strPath = std::string(szPrefix) + szApplication + "\\Addins\\" + szProgID;
    DeleteAddinTree(HKEY_CURRENT_USER, "HKCU", strPath);
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

CommandBarRemoval RemoveCommandBar(const wchar_t* wszProgID, FrontEnd& frontEnd) {
    // Loaded before COM starts, so that every later load of the library by name finds this one. Declared
    // first, so COM ends (and the application is released) before the library goes.
    const OleAutomation ole;
    const ScopedComInitializer com;
    const std::string strApplication = ApplicationName(wszProgID);
    CLSID clsid;
    HRESULT hr = CLSIDFromProgID(wszProgID, &clsid);
    if (FAILED(hr)) {
        LogEvent("Office %s: not registered (CLSIDFromProgID %s)", strApplication.c_str(), DescribeResult(hr).c_str());
        frontEnd.ShowMessage(MessageStyle::Error, TextId::ClsidFromProgIdFailed);
        return CommandBarRemoval::ApplicationNotInstalled;
    }
    ComPtr<IDispatch> application;
    hr = CoCreateInstance(clsid, nullptr, CLSCTX_LOCAL_SERVER, IID_IDispatch, application.ReceiveVoid());
    if (FAILED(hr) || !application) {
        LogEvent("Office %s: could not be started (CoCreateInstance %s)", strApplication.c_str(),
                 DescribeResult(hr).c_str());
        frontEnd.ShowMessage(MessageStyle::Error, TextId::OfficeNotRegistered);
        return CommandBarRemoval::ApplicationNotStarted;
    }
    LogEvent("Office %s: started", strApplication.c_str());
    IDispatch* const pApplication = application.Get();

    // Without the automation helpers no call can be made: as for any failed call on the bar.
    if (!ole.IsReady()) return CommandBarRemoval::Done;
    VARIANT vtCmdBars, vtParam, vtCmdBar;
    ole.VariantInit(&vtCmdBars);
    ole.VariantInit(&vtParam);
    ole.VariantInit(&vtCmdBar);
    hr = DispatchGet(pApplication, L"CommandBars", &vtCmdBars);
    if (SUCCEEDED(hr)) {
        V_VT(&vtParam) = VT_BSTR;
        V_BSTR(&vtParam) = ole.SysAllocString(kCommandBarName);
        hr = DispatchCall(ObjectOf(vtCmdBars), L"Item", &vtCmdBar, 1, &vtParam);
        ole.VariantClear(&vtParam);
        if (IDispatch* pCmdBar = ObjectOf(vtCmdBar)) {
            pCmdBar->AddRef();
            hr = DispatchCall(pCmdBar, L"Delete", nullptr, 0, nullptr);
            pCmdBar->Release();
            LogEvent("Office %s: command bar Letterquarry deleted: %s", strApplication.c_str(), DescribeResult(hr).c_str());
            hr = DispatchCall(pApplication, L"Quit", nullptr, 0, nullptr);
            LogEvent("Office %s: asked to quit: %s", strApplication.c_str(), DescribeResult(hr).c_str());
        } else {
            LogEvent("Office %s: no command bar Letterquarry (%s); not asked to quit", strApplication.c_str(),
                     DescribeResult(hr).c_str());
        }
    } else {
        LogEvent("Office %s: no CommandBars: %s", strApplication.c_str(), DescribeResult(hr).c_str());
    }
    // Each VARIANT releases the object it holds exactly once.
    ole.VariantClear(&vtCmdBars);
    ole.VariantClear(&vtCmdBar);
    return CommandBarRemoval::Done;
}

void RemoveOfficeAddin(FrontEnd& frontEnd) {
    LogEvent("Office add-in: removing its registration and command bars");
    DeleteAddinTree(HKEY_CLASSES_ROOT, "HKCR", kAddinClassKey);
    DeleteAddinTree(HKEY_CLASSES_ROOT, "HKCR", kAddinProgID);
    RemoveAddinKey(kOfficeKeyPrefix, "Excel", kAddinProgID);
    RemoveAddinKey(kOfficeKeyPrefix, "PowerPoint", kAddinProgID);
    RemoveAddinKey(kOfficeKeyPrefix, "Word", kAddinProgID);
    RemoveCommandBars(frontEnd);
}

CommandBarRemoval RemoveCommandBars(FrontEnd& frontEnd) {
    CommandBarRemoval result = CommandBarRemoval::Done;
    for (const wchar_t* wszProgID : {L"Excel.Application", L"PowerPoint.Application", L"Word.Application"})
        result = RemoveCommandBar(wszProgID, frontEnd);
    return result;
}
