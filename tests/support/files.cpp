#include "tests/support/files.h"

#include <windows.h>

namespace lqtest {

bool MakeFolders(const std::string& strPath) {
    // Each prefix ending at a backslash, then the whole path; the drive ("C:") fails and does no harm.
    for (size_t i = 0; i <= strPath.size(); ++i) {
        if (i == strPath.size() || strPath[i] == '\\') CreateDirectoryA(strPath.substr(0, i).c_str(), nullptr);
    }
    return IsFolder(strPath);
}

bool WriteFileBytes(const std::string& strPath, const std::string& strBytes) {
    size_t nSlash = strPath.find_last_of('\\');
    if (nSlash != std::string::npos) MakeFolders(strPath.substr(0, nSlash));
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    DWORD n = 0;
    BOOL bWritten = strBytes.empty() || WriteFile(h, strBytes.data(), static_cast<DWORD>(strBytes.size()), &n, nullptr);
    CloseHandle(h);
    return bWritten && n == strBytes.size();
}

std::string ReadFileBytes(const std::string& strPath) {
    HANDLE h = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                           0, nullptr);
    if (h == INVALID_HANDLE_VALUE) return "";
    std::string bytes(GetFileSize(h, nullptr), '\0');
    DWORD n = 0;
    if (!bytes.empty()) ReadFile(h, &bytes[0], static_cast<DWORD>(bytes.size()), &n, nullptr);
    CloseHandle(h);
    bytes.resize(n);
    return bytes;
}

bool PathExists(const std::string& strPath) { return GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES; }

bool ReplacementBeside(const std::string& strPath) {
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strPath + "*.new").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE) return false;
    FindClose(hFind);
    return true;
}

namespace {

// The file's name on the machine's own file system, through Wine's own export; quoted for a command line.
std::wstring QuotedUnixPath(const std::string& strPath) {
    using UnixNameFunction = char*(CDECL*)(const wchar_t*);
    const auto pfnUnixName = reinterpret_cast<UnixNameFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), "wine_get_unix_file_name")));
    wchar_t wszPath[MAX_PATH * 2] = {};
    MultiByteToWideChar(CP_ACP, 0, strPath.c_str(), -1, wszPath, MAX_PATH * 2);
    char* pUnix = pfnUnixName ? pfnUnixName(wszPath) : nullptr;
    if (!pUnix) return std::wstring();
    wchar_t wszUnix[MAX_PATH * 4] = {};
    MultiByteToWideChar(CP_UTF8, 0, pUnix, -1, wszUnix, MAX_PATH * 4);
    HeapFree(GetProcessHeap(), 0, pUnix);
    return L"\"" + std::wstring(wszUnix) + L"\"";
}

}  // namespace

bool MakeSymbolicLink(const std::string& strLink, const std::string& strTarget) {
    const std::wstring wstrLink = QuotedUnixPath(strLink), wstrTarget = QuotedUnixPath(strTarget);
    if (wstrLink.empty() || wstrTarget.empty()) return false;
    // Wine starts a program of the machine's own system like any other.
    std::wstring wstrCommand = L"Z:\\bin\\ln -sfn " + wstrTarget + L" " + wstrLink;
    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(nullptr, &wstrCommand[0], nullptr, nullptr, FALSE, 0, nullptr, nullptr, &startup, &process))
        return false;
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    // Wine does not wait for a program of the machine's own system: watch for the link instead.
    for (int i = 0; i < 200; ++i) {
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA(strLink.c_str(), &data);
        if (hFind != INVALID_HANDLE_VALUE) {
            FindClose(hFind);
            return true;
        }
        Sleep(25);
    }
    return false;
}

bool IsFolder(const std::string& strPath) {
    DWORD dw = GetFileAttributesA(strPath.c_str());
    return dw != INVALID_FILE_ATTRIBUTES && (dw & FILE_ATTRIBUTE_DIRECTORY);
}

HeldFile::HeldFile(const std::string& strPath, const char* szBytes) {
    if (szBytes) WriteFileBytes(strPath, szBytes);
    m_h = CreateFileA(strPath.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
}

bool HeldFile::IsHeld() const { return m_h != INVALID_HANDLE_VALUE; }

void HeldFile::Release() {
    if (m_h != INVALID_HANDLE_VALUE) CloseHandle(m_h);
    m_h = INVALID_HANDLE_VALUE;
}

}  // namespace lqtest
