// COM in-process server self-registration, the way a registration tool does it.
#pragma once

#include <windows.h>

#include <string>

// Loads the library by its full path, its own folder searched first for its dependencies
// (LoadLibraryBesideItsDependencies), and calls its exported "DllRegisterServer" (or, with bUnregister,
// "DllUnregisterServer") once, on the caller's thread, without COM initialisation; then unloads it.
// Returns the entry point's HRESULT, or, when the library cannot be loaded or lacks the entry point,
// HRESULT_FROM_WIN32 of the thread's last error (E_FAIL when that error is 0: a failure is never S_OK).
HRESULT RegisterServer(const std::string& strLibraryPath, bool bUnregister);
