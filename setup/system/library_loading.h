// Where the elevated setup program looks for DLLs. A DLL found in the program's own folder (the shipped
// folder holds runtime files named like system libraries), in the current folder or on PATH would run with
// the administrator's token; so the search is restricted to the system folder at start-up, and a suite DLL
// is loaded only by its full path, with its own folder searched first for what it needs.
#pragma once

#include <windows.h>

#include <string>

// How far RestrictDllSearchPath got.
enum class DllSearch {
    SystemFolderOnly,  // SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32)
    NoCurrentFolder,   // SetDllDirectoryA(""): the current folder is out, the program's folder still first
    Unrestricted,      // neither exists (Windows XP before SP1)
};

// The first thing start-up does, before anything is loaded by name. The functions are looked up, not
// imported: SetDefaultDllDirectories exists from Windows 8 on, and on Vista and 7 with update KB2533623.
DllSearch RestrictDllSearchPath();

// For the setup log: "system folder only" and so on.
const char* DescribeDllSearch(DllSearch search);

// Loads a library of Windows that the program's manifest names (the common controls, version 6) by its name
// alone: the manifest's side-by-side assembly takes that name before any folder is searched, and the search
// itself is restricted. Null on failure.
HMODULE LoadManifestLibrary(const char* szName);

// Loads the DLL at strFullPath, its dependencies searched in its own folder first, then in the system
// folder (LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR | LOAD_LIBRARY_SEARCH_SYSTEM32); where those flags do not
// exist, with LOAD_WITH_ALTERED_SEARCH_PATH, the older way to the same first folder. This is how the
// system's own registration tool loads a server. Null on failure, with GetLastError() set.
HMODULE LoadLibraryBesideItsDependencies(const std::string& strFullPath);

// Loads a library of the system by its bare name (szName, "oleaut32.dll") from the system folder only, never
// from the program's folder, which ships runtime files of such names. Null on failure.
HMODULE LoadSystemLibrary(const char* szName);
