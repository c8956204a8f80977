#include "util/path_control.h"

#include "util/scoped_handles.h"
#include "util/shell_file_op.h"

#include <windows.h>

#include <vector>

namespace {

// A failure's own error code survives the handles closed on the way out.
int FailWith(DWORD dwError) {
    SetLastError(dwError);
    return 1;
}

}  // namespace

bool PathControl::MakeDirectories(const std::string& strPath) const {
    std::vector<char> buffer(strPath.size() + 100, '\0');
    strPath.copy(buffer.data(), strPath.size());
    for (char* p = buffer.data(); *p; ++p) {
        if (*p == '\\') {
            *p = '\0';
            CreateDirectoryA(buffer.data(), nullptr);
            *p = '\\';
        }
    }
    CreateDirectoryA(buffer.data(), nullptr);
    return true;
}

int PathControl::CopyWholeFile(const std::string& strSource, const std::string& strDestination) const {
    ScopedHandle source(CreateFileA(strSource.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!source.IsValid()) return FailWith(GetLastError());

    DWORD dwHigh = 0;
    DWORD dwLength = GetFileSize(source.Get(), &dwHigh);
    if (dwLength == INVALID_FILE_SIZE && GetLastError() != NO_ERROR) return FailWith(GetLastError());
    if (dwHigh != 0 || dwLength > 0x7FFFFF00u) return FailWith(ERROR_FILE_TOO_LARGE);  // not whole in memory

    std::vector<char> buffer(static_cast<size_t>(dwLength) + 100, '\0');
    DWORD dwRead = 0;
    if (!ReadFile(source.Get(), buffer.data(), dwLength, &dwRead, nullptr)) return FailWith(GetLastError());
    if (dwRead != dwLength) return FailWith(ERROR_HANDLE_EOF);
    source.Close();

    const std::string strTemp = ReplacementOf(strDestination);
    DeleteFileA(strTemp.c_str());  // what a killed run left
    {
        // The same open as a copy straight onto the destination would make, without its truncation: a file in
        // use, read-only or in a missing folder fails here, as it always did, and nothing is written.
        ScopedHandle existing(CreateFileA(strDestination.c_str(), GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!existing.IsValid() && GetLastError() != ERROR_FILE_NOT_FOUND) return FailWith(GetLastError());
    }

    ScopedHandle temp(CreateFileA(strTemp.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL,
                                  nullptr));
    if (!temp.IsValid()) return FailWith(GetLastError());
    const auto abandon = [&](DWORD dwError) {
        temp.Close();
        DeleteFileA(strTemp.c_str());
        return FailWith(dwError);
    };
    DWORD dwWritten = 0;
    if (dwLength != 0 && !WriteFile(temp.Get(), buffer.data(), dwLength, &dwWritten, nullptr))
        return abandon(GetLastError());
    if (dwLength != 0 && dwWritten != dwLength) return abandon(ERROR_DISK_FULL);
    // The disk must hold the bytes before the name moves to them; the last buffered write may fail only here.
    if (!FlushFileBuffers(temp.Get())) return abandon(GetLastError());
    if (!CloseHandle(temp.Release())) return abandon(GetLastError());
    if (!MoveFileExA(strTemp.c_str(), strDestination.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return abandon(GetLastError());
    return 0;
}

bool PathControl::DeleteFileRetrying(const std::string& strPath) const {
    if (strPath.empty()) return true;
    for (int nAttempt = 0; nAttempt < 100; ++nAttempt) {
        if (DeleteFileA(strPath.c_str())) return true;
    }
    return false;
}

void PathControl::DeleteToRecycleBin(const std::string& strPath) const {
    CShellFileOp fileOp;
    fileOp.SetFlags(FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO);  // 0x54
    fileOp.ReserveList(true, static_cast<int>(strPath.size()) + 1);
    fileOp.AddPath(true, strPath);
    fileOp.DeleteAll();
}

bool PathControl::FileExists(const std::string& strPath) const {
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA(strPath.c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE) return false;
    bool bFound = false;
    do {
        bool bDots = lstrcmpA(data.cFileName, ".") == 0 || lstrcmpA(data.cFileName, "..") == 0;
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && !bDots) {
            bFound = true;
            break;
        }
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
    return bFound;
}
