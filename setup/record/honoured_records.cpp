#include "setup/record/honoured_records.h"

#include "setup/core/setup_log.h"
#include "setup/core/suite_paths.h"
#include "setup/record/uninstall_log.h"
#include "util/file_ops.h"
#include "util/kernel32_functions.h"
#include "util/proven_file.h"
#include "util/scoped_handles.h"

#include <windows.h>

namespace {

std::string FolderFrom(UINT (WINAPI* pfnGet)(LPSTR, UINT)) {
    char szFolder[MAX_PATH + 1] = {};
    const UINT nLength = pfnGet(szFolder, sizeof szFolder);
    return (nLength > 0 && nLength < sizeof szFolder) ? std::string(szFolder, nLength) : std::string();
}

// Where the file or folder really is; empty when that cannot be told (it is not there, or cannot be opened
// even to read its attributes). Opened the way any program would reach it: through every link.
std::string RealLocationOfExisting(const std::string& strPath) {
    // Attribute access only: a host that holds the file open without sharing does not refuse it.
    ScopedHandle file(CreateFileA(strPath.c_str(), FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS, nullptr));
    return file.IsValid() ? RealLocationOf(file.Get(), strPath) : std::string();
}

// Where the file really is, or, for a file not there yet, where its folder really is, with the file's name.
std::string RealLocationOfPath(const std::string& strPath) {
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
    // A drive letter mapped to a share is refused before anything on it is opened.
    const std::string strRoot = strPath.substr(0, 2) + "\\";
    if (GetDriveTypeA(strRoot.c_str()) == DRIVE_REMOTE) {
        if (ppFile) *ppFile = nullptr;
        return RecordVerdict::NetworkPath;
    }
    const std::string strReal = RealLocationOfPath(strPath);
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

OpResult ReadHonouredUninstallLog(const std::string& strPath, HostFileList& arrItems) {
    std::string strLog;
    const OpResult result = ReadWholeFile(strPath, FILE_SHARE_READ, kMaxUninstallLogBytes, strLog);
    if (!result.IsDone()) return result;
    const size_t nBefore = arrItems.size();
    ParseUninstallLog(strLog, arrItems);
    KeepHonouredRecords(arrItems, nBefore);
    return result;
}
