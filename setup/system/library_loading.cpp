#include "setup/system/library_loading.h"

#include "util/kernel32_functions.h"

namespace {

// Not in every SDK this program is built with.
constexpr DWORD kSearchDllLoadDir = 0x00000100;  // LOAD_LIBRARY_SEARCH_DLL_LOAD_DIR
constexpr DWORD kSearchSystem32 = 0x00000800;    // LOAD_LIBRARY_SEARCH_SYSTEM32

using SetDefaultFunction = BOOL(WINAPI*)(DWORD);
using SetDllDirectoryFunction = BOOL(WINAPI*)(LPCSTR);

// The LOAD_LIBRARY_SEARCH_ flags came with SetDefaultDllDirectories; a system without it refuses them.
bool HasSearchFlags() { return Kernel32Function<SetDefaultFunction>("SetDefaultDllDirectories") != nullptr; }

}  // namespace

DllSearch RestrictDllSearchPath() {
    const auto pfnSetDefault = Kernel32Function<SetDefaultFunction>("SetDefaultDllDirectories");
    if (pfnSetDefault && pfnSetDefault(kSearchSystem32)) return DllSearch::SystemFolderOnly;
    const auto pfnSetDllDirectory = Kernel32Function<SetDllDirectoryFunction>("SetDllDirectoryA");
    if (pfnSetDllDirectory && pfnSetDllDirectory("")) return DllSearch::NoCurrentFolder;
    return DllSearch::Unrestricted;
}

const char* DescribeDllSearch(DllSearch search) {
    switch (search) {
    case DllSearch::SystemFolderOnly: return "system folder only";
    case DllSearch::NoCurrentFolder: return "current folder removed";
    case DllSearch::Unrestricted: return "unrestricted (no way to restrict it on this Windows)";
    }
    return "?";
}

HMODULE LoadManifestLibrary(const char* szName) { return LoadLibraryA(szName); }

HMODULE LoadLibraryBesideItsDependencies(const std::string& strFullPath) {
    if (HasSearchFlags()) return LoadLibraryExA(strFullPath.c_str(), nullptr, kSearchDllLoadDir | kSearchSystem32);
    return LoadLibraryExA(strFullPath.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH);
}

HMODULE LoadSystemLibrary(const char* szName) {
    if (HasSearchFlags()) return LoadLibraryExA(szName, nullptr, kSearchSystem32);
    char szPath[MAX_PATH] = {};
    const UINT nLength = GetSystemDirectoryA(szPath, MAX_PATH);
    if (nLength == 0 || nLength + 1 + lstrlenA(szName) >= MAX_PATH) return nullptr;
    lstrcatA(szPath, "\\");
    lstrcatA(szPath, szName);
    return LoadLibraryA(szPath);
}
