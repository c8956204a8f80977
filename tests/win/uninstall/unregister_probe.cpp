// A COM self-registration probe for the uninstall tests: it registers nothing and only notes each call of
// its entry points, with its own file name, in C:\probe\calls.log, and each time it is loaded in
// C:\probe\loads.log. Copied under several names, it shows which files the uninstall loaded and
// unregistered.
#include <windows.h>

#include <string>

namespace {
HMODULE g_hModule = nullptr;

void Note(const char* szWhat, const char* szLog = "C:\\probe\\calls.log") {
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(g_hModule, szPath, MAX_PATH);
    CreateDirectoryA("C:\\probe", nullptr);
    HANDLE hFile = CreateFileA(szLog, FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                               OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return;
    const std::string strLine = std::string(szWhat) + " " + szPath + "\r\n";
    DWORD nWritten = 0;
    WriteFile(hFile, strLine.data(), static_cast<DWORD>(strLine.size()), &nWritten, nullptr);
    CloseHandle(hFile);
}
}  // namespace

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD nReason, LPVOID) {
    if (nReason == DLL_PROCESS_ATTACH) {
        g_hModule = hInstance;
        Note("load", "C:\\probe\\loads.log");
    }
    return TRUE;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() {
    Note("register");
    return S_OK;
}

extern "C" __declspec(dllexport) HRESULT WINAPI DllUnregisterServer() {
    Note("unregister");
    return S_OK;
}
