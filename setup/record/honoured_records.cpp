#include "setup/record/honoured_records.h"

#include "setup/core/setup_log.h"
#include "setup/core/suite_paths.h"
#include "setup/record/uninstall_log.h"
#include "util/kernel32_functions.h"
#include "util/scoped_handles.h"

#include <windows.h>

namespace {

std::string FolderFrom(UINT (WINAPI* pfnGet)(LPSTR, UINT)) {
    char szFolder[MAX_PATH + 1] = {};
    const UINT nLength = pfnGet(szFolder, sizeof szFolder);
    return (nLength > 0 && nLength < sizeof szFolder) ? std::string(szFolder, nLength) : std::string();
}

// "\\?\C:\a" -> "C:\a", "\\?\UNC\server\share\a" -> "\\server\share\a".
std::string WithoutLongPrefix(const std::string& strPath) {
    if (strPath.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + strPath.substr(8);
    if (strPath.compare(0, 4, "\\\\?\\") == 0) return strPath.substr(4);
    return strPath;
}

// Where the file or folder really is; empty when that cannot be told (it is not there, or cannot be opened
// even to read its attributes).
std::string RealLocationOfExisting(const std::string& strPath) {
    using GetFinalPathFunction = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    // Windows Vista and later; looked up, not imported, so that the program still starts on XP.
    static const auto pfnFinalPath = Kernel32Function<GetFinalPathFunction>("GetFinalPathNameByHandleA");
    char szReal[MAX_PATH * 2] = {};
    if (pfnFinalPath) {
        // Attribute access only: a host that holds the file open without sharing does not refuse it.
        ScopedHandle file(CreateFileA(strPath.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_FLAG_BACKUP_SEMANTICS, nullptr));
        if (file.IsValid()) {
            const DWORD nLength = pfnFinalPath(file.Get(), szReal, sizeof szReal, 0);  // normalized, DOS volume name
            if (nLength > 0 && nLength < sizeof szReal) return WithoutLongPrefix(std::string(szReal, nLength));
        }
    }
    const DWORD nLength = GetLongPathNameA(strPath.c_str(), szReal, sizeof szReal);
    return (nLength > 0 && nLength < sizeof szReal) ? std::string(szReal, nLength) : std::string();
}

// Where the file really is, or, for a file not there yet, where its folder really is, with the file's name.
std::string RealLocationOf(const std::string& strPath) {
    const std::string strReal = RealLocationOfExisting(strPath);
    if (!strReal.empty() || GetFileAttributesA(strPath.c_str()) != INVALID_FILE_ATTRIBUTES) return strReal;
    // 0x5C is never a trail byte in the double-byte code page of Korean Windows, so the last one is a separator.
    const size_t nSlash = strPath.find_last_of("\\/");
    if (nSlash == std::string::npos) return std::string();
    size_t nFolderEnd = nSlash;
    while (nFolderEnd > 0 && (strPath[nFolderEnd - 1] == '\\' || strPath[nFolderEnd - 1] == '/')) --nFolderEnd;
    // A drive's root is where it is.
    if (nFolderEnd == 0 || strPath[nFolderEnd - 1] == ':') return std::string();
    const std::string strFolder = RealLocationOfExisting(strPath.substr(0, nFolderEnd));
    return strFolder.empty() ? std::string() : strFolder + "\\" + strPath.substr(nSlash + 1);
}

}  // namespace

RecordPlaces ThisMachinesRecordPlaces() {
    RecordPlaces places;
    places.strSuiteBin = kSuiteBinFolder;
    using FolderFunction = UINT(WINAPI*)(LPSTR, UINT);
    for (FolderFunction pfnFolder : {static_cast<FolderFunction>(GetWindowsDirectoryA),
                                     Kernel32Function<FolderFunction>("GetSystemWindowsDirectoryA"),
                                     static_cast<FolderFunction>(GetSystemDirectoryA),
                                     Kernel32Function<FolderFunction>("GetSystemWow64DirectoryA")}) {
        if (!pfnFolder) continue;
        const std::string strFolder = FolderFrom(pfnFolder);
        if (!strFolder.empty()) places.arrWindowsFolders.push_back(strFolder);
    }
    return places;
}

RecordVerdict JudgePlacement(const std::string& strPath, const RecordPlaces& places, const SuiteFile** ppFile,
                             std::string* pReal) {
    if (pReal) pReal->clear();
    const RecordVerdict verdict = JudgeRecordPath(strPath, places, ppFile);
    if (verdict != RecordVerdict::Honoured) return verdict;
    const std::string strReal = RealLocationOf(strPath);
    if (strReal.empty()) return verdict;
    if (pReal) *pReal = strReal;
    const RecordVerdict real = JudgeRecordPath(strReal, places);
    if (real != RecordVerdict::Honoured && ppFile) *ppFile = nullptr;
    return real;
}

void KeepHonouredRecords(HostFileList& arrItems, size_t nFirst) {
    const RecordPlaces places = ThisMachinesRecordPlaces();
    HostFileList arrKept;
    for (size_t i = 0; i < arrItems.size(); ++i) {
        auto& pItem = arrItems[i];
        if (i < nFirst || !pItem) {
            arrKept.push_back(std::move(pItem));
            continue;
        }
        const SuiteFile* pFile = nullptr;
        std::string strReal;
        const RecordVerdict verdict = JudgePlacement(pItem->strName, places, &pFile, &strReal);
        if (verdict != RecordVerdict::Honoured) {
            LogEvent("Uninstall log record refused, nothing is done with it: %s: %s%s", pItem->strName.c_str(),
                     DescribeVerdict(verdict), strReal.empty() ? "" : (" (really " + strReal + ")").c_str());
            continue;
        }
        pItem->bRegister = pFile->bRegister;
        pItem->bUnregister = pFile->bUnregister;
        arrKept.push_back(std::move(pItem));
    }
    arrItems = std::move(arrKept);
}

bool ReadHonouredUninstallLog(const std::string& strPath, HostFileList& arrItems) {
    const size_t nBefore = arrItems.size();
    if (!ReadUninstallLog(strPath, arrItems)) return false;
    KeepHonouredRecords(arrItems, nBefore);
    return true;
}
