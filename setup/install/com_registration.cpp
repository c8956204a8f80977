#include "setup/install/com_registration.h"

namespace {

HRESULT HresultFromLastError() {
    const DWORD dwError = GetLastError();
    // The bare rule would turn a failure without an error code into S_OK.
    if (dwError == 0) return E_FAIL;
    if (static_cast<LONG>(dwError) < 0) return static_cast<HRESULT>(dwError);
    return static_cast<HRESULT>(0x80070000u | (dwError & 0xFFFFu));
}

}  // namespace

HRESULT RegisterServer(const std::string& strLibraryPath, bool bUnregister) {
    const char* szEntryPoint = bUnregister ? "DllUnregisterServer" : "DllRegisterServer";
    HMODULE hLibrary = LoadLibraryA(strLibraryPath.c_str());
    if (!hLibrary) return HresultFromLastError();
    HRESULT hr;
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();
    auto pfnEntry = reinterpret_cast<EntryPoint>(reinterpret_cast<void*>(GetProcAddress(hLibrary, szEntryPoint)));
    if (!pfnEntry)
        hr = HresultFromLastError();
    else
        hr = pfnEntry();
    FreeLibrary(hLibrary);
    return hr;
}
