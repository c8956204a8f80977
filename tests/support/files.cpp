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
