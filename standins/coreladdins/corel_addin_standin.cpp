// Stand-in for a CorelDraw add-in (MyAddIn_V11.dll / MyAddIn_V12.dll): NOT the real add-in. An
// in-process COM server with one class whose objects do nothing; what matters to the setup program is
// its self-registration contract. DllRegisterServer writes, and DllUnregisterServer removes:
//   HKEY_CLASSES_ROOT\CLSID\{class}                 (default) = description
//   HKEY_CLASSES_ROOT\CLSID\{class}\InprocServer32  (default) = this DLL's path, ThreadingModel = Apartment
//   HKEY_CLASSES_ROOT\CLSID\{class}\ProgID          (default) = ProgID
//   HKEY_CLASSES_ROOT\<ProgID>\CLSID                (default) = {class}
// Test switch: HKEY_CURRENT_USER\Software\LetterquarryStandins\<DLL name>, DWORD "FailRegister" = 1 (or
// "FailUnregister" = 1) makes that entry point write or remove nothing and return SELFREG_E_CLASS.
// Every call of an entry point is counted in the same key (DWORD "RegisterCalls", "UnregisterCalls").
//
// Built twice: LQ_ADDIN_CLSID, LQ_ADDIN_PROGID and LQ_ADDIN_NAME give each build its own identity.
#include <windows.h>
#include <olectl.h>

#include <string>

namespace {

HMODULE g_hModule = nullptr;
LONG g_nLocks = 0;

const char kClassKey[] = "CLSID\\" LQ_ADDIN_CLSID;
const char kSwitchKey[] = "Software\\LetterquarryStandins\\" LQ_ADDIN_NAME;

DWORD ReadSwitch(const char* szName) {
    DWORD dwValue = 0, cbValue = sizeof dwValue, dwType = 0;
    HKEY hKey;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, KEY_READ, &hKey) != ERROR_SUCCESS) return 0;
    if (RegQueryValueExA(hKey, szName, nullptr, &dwType, reinterpret_cast<BYTE*>(&dwValue), &cbValue) != ERROR_SUCCESS ||
        dwType != REG_DWORD)
        dwValue = 0;
    RegCloseKey(hKey);
    return dwValue;
}

void CountCall(const char* szName) {
    DWORD dwCount = ReadSwitch(szName) + 1;
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CURRENT_USER, kSwitchKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) != ERROR_SUCCESS)
        return;
    RegSetValueExA(hKey, szName, 0, REG_DWORD, reinterpret_cast<const BYTE*>(&dwCount), sizeof dwCount);
    RegCloseKey(hKey);
}

bool SetDefault(const std::string& strKey, const char* szName, const std::string& strValue) {
    HKEY hKey;
    if (RegCreateKeyExA(HKEY_CLASSES_ROOT, strKey.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr) !=
        ERROR_SUCCESS)
        return false;
    LONG lResult = RegSetValueExA(hKey, szName, 0, REG_SZ, reinterpret_cast<const BYTE*>(strValue.c_str()),
                                  static_cast<DWORD>(strValue.size() + 1));
    RegCloseKey(hKey);
    return lResult == ERROR_SUCCESS;
}

class AddIn final : public IUnknown {
public:
    virtual ~AddIn() = default;

public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = IsEqualIID(riid, IID_IUnknown) ? this : nullptr;
        if (!*ppv) return E_NOINTERFACE;
        AddRef();
        return S_OK;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return InterlockedIncrement(&m_nRefs); }
    STDMETHODIMP_(ULONG) Release() override {
        LONG n = InterlockedDecrement(&m_nRefs);
        if (n == 0) delete this;
        return n;
    }

private:
    LONG m_nRefs = 1;
};

class Factory : public IClassFactory {
public:
    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (!ppv) return E_POINTER;
        *ppv = (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IClassFactory)) ? this : nullptr;
        return *ppv ? S_OK : E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return 2; }
    STDMETHODIMP_(ULONG) Release() override { return 1; }
    STDMETHODIMP CreateInstance(IUnknown* pOuter, REFIID riid, void** ppv) override {
        if (pOuter) return CLASS_E_NOAGGREGATION;
        AddIn* pAddIn = new AddIn;
        HRESULT hr = pAddIn->QueryInterface(riid, ppv);
        pAddIn->Release();
        return hr;
    }
    STDMETHODIMP LockServer(BOOL bLock) override {
        bLock ? InterlockedIncrement(&g_nLocks) : InterlockedDecrement(&g_nLocks);
        return S_OK;
    }
};

Factory g_factory;

}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
    if (dwReason == DLL_PROCESS_ATTACH) g_hModule = hInstance;
    return TRUE;
}

STDAPI DllGetClassObject(REFCLSID rclsid, REFIID riid, void** ppv) {
    CLSID clsid;
    CLSIDFromString(const_cast<LPOLESTR>(L"" LQ_ADDIN_CLSID_W), &clsid);
    if (!IsEqualCLSID(rclsid, clsid)) return CLASS_E_CLASSNOTAVAILABLE;
    return g_factory.QueryInterface(riid, ppv);
}

STDAPI DllCanUnloadNow() { return g_nLocks == 0 ? S_OK : S_FALSE; }

STDAPI DllRegisterServer() {
    CountCall("RegisterCalls");
    if (ReadSwitch("FailRegister") == 1) return SELFREG_E_CLASS;
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(g_hModule, szPath, MAX_PATH - 1);
    bool bOk = SetDefault(kClassKey, nullptr, "Letterquarry stand-in " LQ_ADDIN_NAME) &&
               SetDefault(std::string(kClassKey) + "\\InprocServer32", nullptr, szPath) &&
               SetDefault(std::string(kClassKey) + "\\InprocServer32", "ThreadingModel", "Apartment") &&
               SetDefault(std::string(kClassKey) + "\\ProgID", nullptr, LQ_ADDIN_PROGID) &&
               SetDefault(LQ_ADDIN_PROGID "\\CLSID", nullptr, LQ_ADDIN_CLSID);
    return bOk ? S_OK : SELFREG_E_CLASS;
}

STDAPI DllUnregisterServer() {
    CountCall("UnregisterCalls");
    if (ReadSwitch("FailUnregister") == 1) return SELFREG_E_CLASS;
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kClassKey) + "\\InprocServer32").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, (std::string(kClassKey) + "\\ProgID").c_str());
    RegDeleteKeyA(HKEY_CLASSES_ROOT, kClassKey);
    RegDeleteKeyA(HKEY_CLASSES_ROOT, LQ_ADDIN_PROGID "\\CLSID");
    RegDeleteKeyA(HKEY_CLASSES_ROOT, LQ_ADDIN_PROGID);
    return S_OK;
}
