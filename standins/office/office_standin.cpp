// OfficeStandin.exe: see office_standin.h.
//
//   OfficeStandin.exe /RegServer      registers the three classes with this program as their local server
//   OfficeStandin.exe /UnregServer    removes them
//   OfficeStandin.exe <application> -Embedding
//                                     how COM starts it: serves one Application object of that application
#include "standins/office/office_standin.h"

#include <ole2.h>
#include <oleauto.h>

#include <cstdio>
#include <cstring>
#include <string>

namespace office_standin {

namespace {

const Application* g_pApp = nullptr;
DWORD g_nMainThread = 0;
LONG g_nObjects = 0;  // live objects and server locks; the process ends when it falls to 0
bool g_bQuitCalled = false;

void AppendCallLog(const std::string& strLine) {
    CreateDirectoryA("C:\\OfficeStandin", nullptr);
    HANDLE hFile = CreateFileA(kCallLogPath, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return;
    const std::string strText = std::string(g_pApp ? g_pApp->szName : "?") + " " + strLine + "\r\n";
    DWORD nWritten = 0;
    WriteFile(hFile, strText.data(), static_cast<DWORD>(strText.size()), &nWritten, nullptr);
    CloseHandle(hFile);
}

void ObjectCreated() { InterlockedIncrement(&g_nObjects); }
void ObjectGone() {
    if (InterlockedDecrement(&g_nObjects) == 0) PostThreadMessageA(g_nMainThread, WM_QUIT, 0, 0);
}

std::string Narrow(const wchar_t* wsz) {
    if (!wsz) return std::string();
    char sz[512] = {};
    WideCharToMultiByte(CP_ACP, 0, wsz, -1, sz, sizeof sz - 1, nullptr, nullptr);
    return sz;
}

std::string BarKey(const std::string& strBar) {
    return std::string(kSettingsKey) + "\\" + g_pApp->szName + "\\CommandBars\\" + strBar;
}

bool BarExists(const std::string& strBar) {
    HKEY hKey = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, BarKey(strBar).c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return false;
    RegCloseKey(hKey);
    return true;
}

// The members a stand-in object answers to. Properties need DISPATCH_PROPERTYGET in the invoke flags and
// methods DISPATCH_METHOD, as an object model described by a type library would insist.
struct Member {
    const wchar_t* wszName;
    DISPID nId;
    bool bProperty;
};

class DispatchObject : public IDispatch {
public:
    DispatchObject() { ObjectCreated(); }
    virtual ~DispatchObject() { ObjectGone(); }

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDispatch)) {
            *ppv = static_cast<IDispatch*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_nRefs); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG nRefs = InterlockedDecrement(&m_nRefs);
        if (nRefs == 0) delete this;
        return nRefs;
    }
    STDMETHODIMP GetTypeInfoCount(UINT* pnInfo) override {
        if (pnInfo) *pnInfo = 0;
        return S_OK;
    }
    STDMETHODIMP GetTypeInfo(UINT, LCID, ITypeInfo** ppInfo) override {
        if (ppInfo) *ppInfo = nullptr;
        return E_NOTIMPL;
    }
    STDMETHODIMP GetIDsOfNames(REFIID, LPOLESTR* pwszNames, UINT nNames, LCID, DISPID* pIds) override {
        if (!pwszNames || !pIds || nNames == 0) return E_INVALIDARG;
        HRESULT hr = S_OK;
        for (UINT i = 0; i < nNames; ++i) {
            pIds[i] = DISPID_UNKNOWN;
            if (i == 0) {
                for (const Member* p = Members(); p->wszName; ++p)
                    if (lstrcmpiW(p->wszName, pwszNames[0]) == 0) pIds[0] = p->nId;
            }
            if (pIds[i] == DISPID_UNKNOWN) hr = DISP_E_UNKNOWNNAME;
        }
        if (hr != S_OK) AppendCallLog("GetIDsOfNames " + Narrow(pwszNames[0]) + " -> unknown-member");
        return hr;
    }
    STDMETHODIMP Invoke(DISPID nId, REFIID, LCID, WORD nFlags, DISPPARAMS* pParams, VARIANT* pResult,
                        EXCEPINFO* pExcepInfo, UINT*) override {
        const Member* pMember = nullptr;
        for (const Member* p = Members(); p->wszName; ++p)
            if (p->nId == nId) pMember = p;
        std::string strCall = "Invoke " + (pMember ? Narrow(pMember->wszName) : std::to_string(nId)) +
                              " flags=" + std::to_string(nFlags);
        std::string strArg;
        if (pParams && pParams->cArgs > 0) {
            VARIANT vtText;
            VariantInit(&vtText);
            if (SUCCEEDED(VariantChangeType(&vtText, &pParams->rgvarg[pParams->cArgs - 1], 0, VT_BSTR)))
                strArg = Narrow(V_BSTR(&vtText));
            VariantClear(&vtText);
            strCall += " arg=" + strArg;
        }
        HRESULT hr;
        std::string strOutcome;
        if (!pMember) {
            hr = DISP_E_MEMBERNOTFOUND;
            strOutcome = "unknown-member";
        } else if (!(nFlags & (pMember->bProperty ? DISPATCH_PROPERTYGET : DISPATCH_METHOD))) {
            hr = DISP_E_MEMBERNOTFOUND;
            strOutcome = "member-not-found";
        } else {
            hr = Call(nId, pParams, strArg, pResult, strOutcome);
            if (hr == DISP_E_EXCEPTION && pExcepInfo) {
                memset(pExcepInfo, 0, sizeof *pExcepInfo);
                pExcepInfo->scode = DISP_E_BADINDEX;
                pExcepInfo->bstrDescription = SysAllocString(L"The index into the specified collection is out of bounds.");
            }
        }
        AppendCallLog(strCall + " -> " + strOutcome);
        return hr;
    }

protected:
    virtual const Member* Members() const = 0;
    // Carries out a member whose flags fit. Sets strOutcome to "ok" or the reason of the failure.
    virtual HRESULT Call(DISPID nId, DISPPARAMS* pParams, const std::string& strArg, VARIANT* pResult,
                         std::string& strOutcome) = 0;

    static HRESULT ReturnObject(IDispatch* pObject, VARIANT* pResult) {
        if (!pResult) {
            pObject->Release();
            return S_OK;
        }
        VariantInit(pResult);
        V_VT(pResult) = VT_DISPATCH;
        V_DISPATCH(pResult) = pObject;
        return S_OK;
    }

private:
    LONG m_nRefs = 1;
};

class CommandBar : public DispatchObject {
public:
    explicit CommandBar(std::string strName) : m_strName(std::move(strName)) {}

protected:
    const Member* Members() const override {
        static const Member kMembers[] = {{L"Delete", 20, false}, {L"Name", 21, true}, {nullptr, 0, false}};
        return kMembers;
    }
    HRESULT Call(DISPID nId, DISPPARAMS*, const std::string&, VARIANT* pResult, std::string& strOutcome) override {
        if (nId == 21) {
            if (pResult) {
                VariantInit(pResult);
                V_VT(pResult) = VT_BSTR;
                wchar_t wsz[256] = {};
                MultiByteToWideChar(CP_ACP, 0, m_strName.c_str(), -1, wsz, 255);
                V_BSTR(pResult) = SysAllocString(wsz);
            }
            strOutcome = "ok";
            return S_OK;
        }
        RegDeleteKeyA(HKEY_CURRENT_USER, BarKey(m_strName).c_str());
        strOutcome = "ok " + m_strName;
        return S_OK;
    }

private:
    std::string m_strName;
};

class CommandBars : public DispatchObject {
protected:
    const Member* Members() const override {
        static const Member kMembers[] = {{L"Item", 10, true}, {nullptr, 0, false}};
        return kMembers;
    }
    HRESULT Call(DISPID, DISPPARAMS* pParams, const std::string& strArg, VARIANT* pResult,
                 std::string& strOutcome) override {
        if (!pParams || pParams->cArgs != 1) {
            strOutcome = "bad-args";
            return DISP_E_BADPARAMCOUNT;
        }
        if (strArg.empty() || !BarExists(strArg)) {
            strOutcome = "missing";
            return DISP_E_EXCEPTION;
        }
        strOutcome = "ok";
        return ReturnObject(new CommandBar(strArg), pResult);
    }
};

class ApplicationObject : public DispatchObject {
protected:
    const Member* Members() const override {
        static const Member kMembers[] = {{L"CommandBars", 1, true}, {L"Quit", 2, false}, {nullptr, 0, false}};
        return kMembers;
    }
    HRESULT Call(DISPID nId, DISPPARAMS*, const std::string&, VARIANT* pResult, std::string& strOutcome) override {
        strOutcome = "ok";
        if (nId == 2) {
            // Office closes its windows on Quit but stays until its clients let go of their references;
            // so does the stand-in: the process ends when the last object is released.
            g_bQuitCalled = true;
            return S_OK;
        }
        return ReturnObject(new CommandBars, pResult);
    }
};

class ClassFactory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) {
            *ppv = static_cast<IClassFactory*>(this);
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    // The factory is a static object; COM's references to it do not keep the process alive.
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = nullptr;
        if (pOuter) return CLASS_E_NOAGGREGATION;
        ApplicationObject* pApplication = new ApplicationObject;
        const HRESULT hr = pApplication->QueryInterface(riid, ppv);
        pApplication->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL bLock) override {
        if (bLock)
            ObjectCreated();
        else
            ObjectGone();
        return S_OK;
    }
};

int Serve(const Application& app) {
    g_pApp = &app;
    g_nMainThread = GetCurrentThreadId();
    if (FAILED(CoInitialize(nullptr))) return 1;
    AppendCallLog("Start");
    static ClassFactory factory;
    DWORD nCookie = 0;
    // The client's reference arrives after registration; until then the server counts as in use, and a
    // timer ends a server that no client ever reached.
    ObjectCreated();
    HRESULT hr = CoRegisterClassObject(app.clsid, &factory, CLSCTX_LOCAL_SERVER, REGCLS_SINGLEUSE, &nCookie);
    if (FAILED(hr)) {
        AppendCallLog("End register-failed");
        CoUninitialize();
        return 1;
    }
    const UINT_PTR nTimer = SetTimer(nullptr, 0, 60000, nullptr);
    bool bFirstCreateSeen = false;
    MSG msg;
    while (GetMessageA(&msg, nullptr, 0, 0) > 0) {
        if (msg.message == WM_TIMER && msg.wParam == nTimer) break;
        DispatchMessageA(&msg);
        if (!bFirstCreateSeen && g_nObjects > 1) {
            bFirstCreateSeen = true;
            ObjectGone();  // from now on the client's references alone keep the server alive
        }
    }
    KillTimer(nullptr, nTimer);
    CoRevokeClassObject(nCookie);
    AppendCallLog(std::string("End quit=") + (g_bQuitCalled ? "1" : "0"));
    CoUninitialize();
    return 0;
}

}  // namespace
}  // namespace office_standin

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR szCommandLine, int) {
    using namespace office_standin;
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    char szArgs[1024] = {};
    lstrcpynA(szArgs, szCommandLine ? szCommandLine : "", sizeof szArgs);
    for (char* pToken = strtok(szArgs, " \t"); pToken; pToken = strtok(nullptr, " \t")) {
        if (lstrcmpiA(pToken, "/RegServer") == 0 || lstrcmpiA(pToken, "-RegServer") == 0)
            return RegisterApplications(szPath, true) == ERROR_SUCCESS ? 0 : 1;
        if (lstrcmpiA(pToken, "/UnregServer") == 0 || lstrcmpiA(pToken, "-UnregServer") == 0)
            return RegisterApplications(szPath, false) == ERROR_SUCCESS ? 0 : 1;
        for (const Application& app : kApplications)
            if (lstrcmpiA(pToken, app.szName) == 0) return Serve(app);
    }
    return 2;
}
