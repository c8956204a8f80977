#include "setup/system/com_registration.h"

#include "setup/core/setup_log.h"
#include "setup/system/library_loading.h"
#include "util/file_ops.h"
#include "util/proven_file.h"
#include "util/scoped_handles.h"

namespace {

HRESULT HresultFromLastError() {
    const DWORD dwError = GetLastError();
    // The bare rule would turn a failure without an error code into S_OK.
    if (dwError == 0) return E_FAIL;
    if (static_cast<LONG>(dwError) < 0) return static_cast<HRESULT>(dwError);
    return static_cast<HRESULT>(0x80070000u | (dwError & 0xFFFFu));
}

HRESULT CallEntryPoint(const std::string& strLibraryPath, const char* szEntryPoint) {
    const ScopedLibrary library(LoadLibraryBesideItsDependencies(strLibraryPath));
    if (!library.IsLoaded()) return HresultFromLastError();
    using EntryPoint = HRESULT(STDAPICALLTYPE*)();
    const auto pfnEntry = library.Export<EntryPoint>(szEntryPoint);
    if (!pfnEntry) return HresultFromLastError();
    return pfnEntry();
}

}  // namespace

HRESULT RegisterServer(const std::string& strLibraryPath, bool bUnregister) {
    const char* szEntryPoint = bUnregister ? "DllUnregisterServer" : "DllRegisterServer";
    const HRESULT hr = CallEntryPoint(strLibraryPath, szEntryPoint);
    LogEvent("%s %s: %s %s", bUnregister ? "Unregistration of" : "Registration of", strLibraryPath.c_str(),
             SUCCEEDED(hr) ? "done," : "FAILED,", DescribeResult(hr).c_str());
    return hr;
}

OpResult UnregisterShippedServer(const std::string& strPlaced, const std::string& strShipped) {
    ProvenFile placed;
    const OpResult held = HoldFile(strPlaced, placed);
    if (!held.IsDone()) {
        LogEvent("Unregistration of %s: not done now: %s", strPlaced.c_str(), DescribeResult(held).c_str());
        return held;
    }
    if (HoldsBytesOf(placed, strShipped)) {
        RegisterServer(strPlaced, true);
        return OpResult::Done();
    }
    placed.Close();
    LogEvent("Unregistration of %s: not loaded, it is not the shipped copy %s; the suite's registration is removed "
             "with the shipped copy",
             strPlaced.c_str(), strShipped.c_str());
    ProvenFile shipped;
    const OpResult shippedHeld = HoldFile(strShipped, shipped);
    if (shippedHeld.IsDone())
        RegisterServer(strShipped, true);
    else
        LogEvent("Unregistration with %s: not done: %s", strShipped.c_str(), DescribeResult(shippedHeld).c_str());
    return OpResult::Done();
}
