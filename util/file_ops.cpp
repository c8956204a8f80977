#include "util/file_ops.h"

#include "util/mbcs.h"
#include "util/shell_file_op.h"

#include <windows.h>

#include <cstdio>

namespace {

// Whole in memory: the files this program copies are small plug-ins and libraries.
constexpr size_t kMaxCopiedBytes = 0x7FFFFF00u;

// Reads the open file from its start, a piece at a time, handing each piece to fnPiece until it returns
// false; true when the whole file was read and every piece accepted.
template <typename OnPiece>
bool ReadInPieces(HANDLE hFile, OnPiece fnPiece) {
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(hFile, start, nullptr, FILE_BEGIN)) return false;
    std::string strPiece(64u << 10, '\0');
    for (;;) {
        DWORD dwRead = 0;
        if (!ReadFile(hFile, &strPiece[0], static_cast<DWORD>(strPiece.size()), &dwRead, nullptr)) return false;
        if (dwRead == 0) return true;
        if (!fnPiece(strPiece.data(), static_cast<size_t>(dwRead))) return false;
    }
}

// Whether the open file holds exactly strBytes, compared a piece at a time (the file may be large).
bool HoldsBytes(HANDLE hFile, const std::string& strBytes) {
    size_t nAt = 0;
    return ReadInPieces(hFile,
                        [&](const char* pPiece, size_t nPiece) {
                            if (nAt + nPiece > strBytes.size() || strBytes.compare(nAt, nPiece, pPiece, nPiece) != 0)
                                return false;
                            nAt += nPiece;
                            return true;
                        }) &&
           nAt == strBytes.size();
}

std::string NameOf(const std::string& strPath) {
    const size_t nSlash = strPath.find_last_of("\\/");
    return nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
}

// Writes every byte and flushes them to the disk: the disk must hold them before the name moves to them.
OpResult WriteAndFlush(HANDLE hFile, const std::string& strBytes) {
    DWORD dwWritten = 0;
    if (!strBytes.empty() && !WriteFile(hFile, strBytes.data(), static_cast<DWORD>(strBytes.size()), &dwWritten, nullptr))
        return OpResult::FailedWith(GetLastError());
    if (dwWritten != strBytes.size()) return OpResult::FailedWith(ERROR_DISK_FULL);
    // The last buffered write may fail only here.
    if (!FlushFileBuffers(hFile)) return OpResult::FailedWith(GetLastError());
    return OpResult::Done();
}

}  // namespace

OpResult MakeFolderChain(const std::string& strPath) {
    const std::string strLink = FirstLinkOnChain(strPath, true);
    if (!strLink.empty()) return OpResult::Refused(strLink + " is a link or junction");
    std::string strPrefix;
    // 0x5C is never a trail byte in the double-byte code page of Korean Windows: each '\' separates.
    for (size_t i = 0; i <= strPath.size(); ++i) {
        if (i == strPath.size() || strPath[i] == '\\') {
            CreateDirectoryA(strPrefix.c_str(), nullptr);
            // A folder made just now by someone else, as a link, is not gone into.
            if (!FirstLinkOnChain(strPrefix, true).empty()) return OpResult::Refused(strPrefix + " is a link or junction");
        }
        if (i < strPath.size()) strPrefix += strPath[i];
    }
    return OpResult::Done();
}

bool FileExists(const std::string& strPath) {
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

OpResult ReadWholeFile(const std::string& strPath, DWORD dwShare, size_t nMaxBytes, std::string& strBytes) {
    strBytes.clear();
    ProvenFile file;
    const OpResult result = OpenProven(strPath, GENERIC_READ, dwShare, OPEN_EXISTING, Proof::Read, file);
    if (!result.IsDone()) return result;
    return ReadAllOf(file, nMaxBytes, strBytes);
}

std::string ReplacementNameOf(const std::string& strPath) {
    static unsigned nCount = 0;
    char szTag[40];
    std::snprintf(szTag, sizeof szTag, ".lq%lx-%u.new", static_cast<unsigned long>(GetCurrentProcessId()), ++nCount);
    return strPath + szTag;
}

std::vector<LeftoverReplacement> RemoveLeftoverReplacements(const std::string& strPath) {
    std::vector<LeftoverReplacement> arrFound;
    const std::string strFolder = FolderOfPath(strPath);
    const std::string strName = NameOf(strPath);
    for (const std::string& strPattern : {strPath + ".new", strPath + ".lq*.new"}) {
        WIN32_FIND_DATAA data;
        HANDLE hFind = FindFirstFileA(strPattern.c_str(), &data);
        if (hFind == INVALID_HANDLE_VALUE) continue;
        do {
            const std::string strFound = data.cFileName;
            // A pattern also matches short (8.3) names: only the long name of our own forms counts.
            const bool bOurs = mbcs::EqualNoCase(strFound, strName + ".new") ||
                               (strFound.size() > strName.size() + 7 &&
                                mbcs::StartsWithNoCase(strFound, strName + ".lq") &&
                                mbcs::EqualNoCase(strFound.substr(strFound.size() - 4), ".new"));
            if (!bOurs) continue;
            const std::string strLeftover = strFolder + "\\" + strFound;
            if (data.dwFileAttributes & (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_REPARSE_POINT)) {
                arrFound.push_back({strLeftover, OpResult::Refused("not a plain file")});
                continue;
            }
            ProvenFile leftover;
            OpResult result = OpenProven(strLeftover, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING,
                                         Proof::Write, leftover);
            if (result.IsDone()) result = DeleteByHandle(leftover);
            arrFound.push_back({strLeftover, result});
        } while (FindNextFileA(hFind, &data));
        FindClose(hFind);
    }
    return arrFound;
}

OpResult ReplaceFileInOneStep(const std::string& strDestination, const std::string& strBytes, ProvenFile* pHeld) {
    if (pHeld) pHeld->Close();
    // Held until the end, so that the folder stays the one proven: it can be neither renamed nor swapped.
    ProvenFile folder;
    OpResult result = OpenProven(FolderOfPath(strDestination), FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, Proof::Read, folder);
    if (!result.IsDone()) return result;
    {
        // The same open as a copy straight onto the destination would make, without its truncation: a file in
        // use or read-only fails here, as it always did, and nothing is written.
        ProvenFile existing;
        result = OpenProven(strDestination, GENERIC_WRITE, 0, OPEN_EXISTING, Proof::Write, existing);
        if (!result.IsDone() && !(result.status == OpStatus::Failed && result.dwError == ERROR_FILE_NOT_FOUND))
            return result;
    }
    RemoveLeftoverReplacements(strDestination);

    ProvenFile temp;
    result = OpenProven(ReplacementNameOf(strDestination), GENERIC_READ | GENERIC_WRITE | DELETE, 0, CREATE_NEW,
                        Proof::Write, temp);
    if (result.status == OpStatus::InUse) result = OpResult::FailedWith(result.dwError);
    if (!result.IsDone()) return result;
    result = WriteAndFlush(temp.Handle(), strBytes);
    if (result.IsDone()) result = RenameByHandle(temp, strDestination);
    if (!result.IsDone()) {
        if (temp.IsOpen()) DeleteByHandle(temp);
        return result;
    }
    const ULONGLONG nWritten = temp.FileId();
    temp.Close();
    if (!pHeld) return result;

    // Proven again and held: the file now at the destination must be the one just written, with its bytes.
    result = HoldFile(strDestination, *pHeld);
    if (!result.IsDone()) return result;
    if (pHeld->FileId() != nWritten || !HoldsBytes(pHeld->Handle(), strBytes)) {
        pHeld->Close();
        return OpResult::Refused("it was changed before it could be held");
    }
    return result;
}

OpResult CopyFileInOneStep(const std::string& strSource, const std::string& strDestination, ProvenFile* pHeld) {
    std::string strBytes;
    const OpResult result = ReadWholeFile(strSource, 0, kMaxCopiedBytes, strBytes);
    if (!result.IsDone()) return result;
    return ReplaceFileInOneStep(strDestination, strBytes, pHeld);
}

OpResult DeleteFileRetrying(const std::string& strPath) {
    if (strPath.empty()) return OpResult::Done();
    OpResult result;
    for (int nAttempt = 0; nAttempt < 100; ++nAttempt) {
        ProvenFile file;
        result = OpenProven(strPath, DELETE | FILE_READ_ATTRIBUTES | SYNCHRONIZE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING, Proof::Read, file);
        if (result.IsDone()) result = DeleteByHandle(file);
        if (result.IsDone() || result.status == OpStatus::Refused) return result;
    }
    return result;
}

bool HoldsBytesOf(const ProvenFile& file, const std::string& strOtherPath) {
    ProvenFile other;
    if (!OpenProven(strOtherPath, GENERIC_READ, FILE_SHARE_READ, OPEN_EXISTING, Proof::Read, other).IsDone()) return false;
    LARGE_INTEGER ownSize{}, otherSize{};
    if (!GetFileSizeEx(file.Handle(), &ownSize) || !GetFileSizeEx(other.Handle(), &otherSize) ||
        ownSize.QuadPart != otherSize.QuadPart)
        return false;
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(other.Handle(), start, nullptr, FILE_BEGIN)) return false;
    std::string strOther;
    return ReadInPieces(file.Handle(), [&](const char* pPiece, size_t nPiece) {
        strOther.resize(nPiece);
        DWORD dwRead = 0;
        return ReadFile(other.Handle(), &strOther[0], static_cast<DWORD>(nPiece), &dwRead, nullptr) && dwRead == nPiece &&
               strOther.compare(0, nPiece, pPiece, nPiece) == 0;
    });
}

void DeleteToRecycleBin(const std::string& strPath) {
    CShellFileOp fileOp;
    fileOp.SetFlags(FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO);  // 0x54
    fileOp.ReserveList(true, static_cast<int>(strPath.size()) + 1);
    fileOp.AddPath(true, strPath);
    fileOp.DeleteAll();
}
