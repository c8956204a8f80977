// COM in-process server self-registration, the way a registration tool does it. The program runs elevated:
// what it loads must be what it shipped, held unchanged while it is loaded.
#pragma once

#include "util/op_result.h"

#include <windows.h>

#include <string>

// Loads the library by its full path, its own folder searched first for its dependencies
// (LoadLibraryBesideItsDependencies), and calls its exported "DllRegisterServer" (or, with bUnregister,
// "DllUnregisterServer") once, on the caller's thread, without COM initialisation; then unloads it.
// Returns the entry point's HRESULT, or, when the library cannot be loaded or lacks the entry point,
// HRESULT_FROM_WIN32 of the thread's last error (E_FAIL when that error is 0: a failure is never S_OK).
// The caller holds the file (HoldFile, util/proven_file.h) and has proven its bytes: the path is only how
// the loader is told where the held file is.
HRESULT RegisterServer(const std::string& strLibraryPath, bool bUnregister);

// Takes the suite's add-in at strPlaced out of the registry, loading only the shipped copy's bytes: the file
// there is held and, when its bytes are strShipped's, unregistered from there (RegisterServer). When they
// are not (someone replaced the file), it is not loaded: the suite's registration is removed with the
// shipped copy instead, held likewise. Every step goes to the setup log. InUse (or Failed) when the placed
// file cannot be held: nothing was loaded, a later attempt may; Refused when it is not what lies at its path
// (a link); Done otherwise, whatever the entry point returned.
OpResult UnregisterShippedServer(const std::string& strPlaced, const std::string& strShipped);
