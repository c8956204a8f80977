#include "util/proven_file.h"

#include "util/kernel32_functions.h"
#include "util/mbcs.h"

#include <vector>

namespace {

bool IsSeparator(char c) { return c == '\\' || c == '/'; }

// '/' as '\', runs of separators as one, no trailing separator (but "C:\" keeps its own).
std::string Normalized(const std::string& strPath) {
    std::string strOut;
    for (size_t i = 0; i < strPath.size();) {
        const size_t n = mbcs::CharLength(strPath, i);
        if (n == 1 && IsSeparator(strPath[i])) {
            if (strOut.empty() || strOut.back() != '\\') strOut += '\\';
        } else {
            strOut.append(strPath, i, n);
        }
        i += n;
    }
    if (strOut.size() > 3 && strOut.back() == '\\') strOut.pop_back();
    return strOut;
}

// "\\?\C:\a" -> "C:\a", "\\?\UNC\server\share\a" -> "\\server\share\a".
std::string WithoutLongPrefix(const std::string& strPath) {
    if (strPath.compare(0, 8, "\\\\?\\UNC\\") == 0) return "\\\\" + strPath.substr(8);
    if (strPath.compare(0, 4, "\\\\?\\") == 0) return strPath.substr(4);
    return strPath;
}

// The path with the short (8.3) names of its existing part expanded; unchanged when nothing of it exists.
std::string LongFormOf(const std::string& strPath) {
    char szLong[MAX_PATH * 2] = {};
    const DWORD nLength = GetLongPathNameA(strPath.c_str(), szLong, sizeof szLong);
    return (nLength > 0 && nLength < sizeof szLong) ? std::string(szLong, nLength) : strPath;
}

// (A vector, not a std::wstring: the runtime's wide strings would bring its exception tables into the release.)
std::vector<wchar_t> Wide(const std::string& strAnsi) {
    const int nWide = MultiByteToWideChar(CP_ACP, 0, strAnsi.data(), static_cast<int>(strAnsi.size()), nullptr, 0);
    std::vector<wchar_t> wide(static_cast<size_t>(nWide > 0 ? nWide : 0));
    if (nWide > 0) MultiByteToWideChar(CP_ACP, 0, strAnsi.data(), static_cast<int>(strAnsi.size()), wide.data(), nWide);
    return wide;
}

std::string Ansi(const wchar_t* wsz, size_t nChars) {
    const int nAnsi = WideCharToMultiByte(CP_ACP, 0, wsz, static_cast<int>(nChars), nullptr, 0, nullptr, nullptr);
    std::string str(static_cast<size_t>(nAnsi > 0 ? nAnsi : 0), '\0');
    if (nAnsi > 0) WideCharToMultiByte(CP_ACP, 0, wsz, static_cast<int>(nChars), &str[0], nAnsi, nullptr, nullptr);
    return str;
}

// Windows Vista's SetFileInformationByHandle and two of its classes, which this build (aimed at XP too)
// does not declare.
constexpr int kFileRenameInfo = 3;
constexpr int kFileDispositionInfo = 4;
struct RenameInfo {
    BOOLEAN ReplaceIfExists;
    HANDLE RootDirectory;
    DWORD FileNameLength;
    WCHAR FileName[1];
};
struct DispositionInfo {
    BOOLEAN DeleteFile;
};
using SetInformationFunction = BOOL(WINAPI*)(HANDLE, int, LPVOID, DWORD);
SetInformationFunction SetInformationByHandle() {
    // Windows Vista and later; looked up, not imported, so that the program still starts on XP.
    static const auto pfn = Kernel32Function<SetInformationFunction>("SetFileInformationByHandle");
    return pfn;
}

}  // namespace

std::string RealLocationByFileName(HANDLE hFile, const std::string& strAskedPath) {
    // Only a drive letter names a volume that the serial number can be checked against.
    if (strAskedPath.size() < 3 || strAskedPath[1] != ':' || !IsSeparator(strAskedPath[2])) return std::string();
    struct IoStatusBlock {
        LONG_PTR nStatus;
        ULONG_PTR nInformation;
    };
    using QueryFunction = LONG(WINAPI*)(HANDLE, IoStatusBlock*, PVOID, ULONG, ULONG);
    static const auto pfnQuery = reinterpret_cast<QueryFunction>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("ntdll.dll"), "NtQueryInformationFile")));
    if (!pfnQuery) return std::string();
    constexpr ULONG kFileNameInformation = 9;
    std::vector<BYTE> buffer(sizeof(ULONG) + MAX_PATH * 4 * sizeof(wchar_t));
    IoStatusBlock status{};
    if (pfnQuery(hFile, &status, buffer.data(), static_cast<ULONG>(buffer.size()), kFileNameInformation) < 0)
        return std::string();
    ULONG cbName = 0;
    memcpy(&cbName, buffer.data(), sizeof cbName);
    if (cbName > buffer.size() - sizeof(ULONG)) return std::string();

    BY_HANDLE_FILE_INFORMATION info;
    DWORD dwSerial = 0;
    const std::string strRoot = strAskedPath.substr(0, 2) + "\\";
    if (!GetFileInformationByHandle(hFile, &info) ||
        !GetVolumeInformationA(strRoot.c_str(), nullptr, 0, &dwSerial, nullptr, nullptr, nullptr, 0) ||
        dwSerial != info.dwVolumeSerialNumber)
        return std::string();
    return strAskedPath.substr(0, 2) +
           Ansi(reinterpret_cast<const wchar_t*>(buffer.data() + sizeof(ULONG)), cbName / sizeof(wchar_t));
}

std::string RealLocationOf(HANDLE hFile, const std::string& strAskedPath) {
    using GetFinalPathFunction = DWORD(WINAPI*)(HANDLE, LPSTR, DWORD, DWORD);
    static const auto pfnFinalPath = Kernel32Function<GetFinalPathFunction>("GetFinalPathNameByHandleA");
    if (!pfnFinalPath) return RealLocationByFileName(hFile, strAskedPath);
    char szReal[MAX_PATH * 4] = {};
    const DWORD nLength = pfnFinalPath(hFile, szReal, sizeof szReal, 0);  // normalized, with the DOS volume name
    return (nLength > 0 && nLength < sizeof szReal) ? WithoutLongPrefix(std::string(szReal, nLength)) : std::string();
}

bool IsSamePlace(const std::string& strAsked, const std::string& strReal) {
    const std::string strA = Normalized(strAsked), strB = Normalized(strReal);
    return mbcs::EqualNoCase(strA, strB) || mbcs::EqualNoCase(Normalized(LongFormOf(strA)), strB);
}

std::string FolderOfPath(const std::string& strPath) {
    const size_t nSlash = strPath.find_last_of("\\/");
    if (nSlash == std::string::npos) return std::string();
    // A drive's root keeps its backslash: "C:" alone is the current folder of that drive.
    return (nSlash == 2 && strPath[1] == ':') ? strPath.substr(0, 3) : strPath.substr(0, nSlash);
}

std::string FirstLinkOnChain(const std::string& strPath, bool bLast) {
    const std::string strNormal = Normalized(strPath);
    // Past the root: "C:\" or "\\server\share\".
    size_t nPos = 0;
    if (strNormal.size() >= 3 && strNormal[1] == ':') {
        nPos = 3;
    } else if (strNormal.compare(0, 2, "\\\\") == 0) {
        nPos = strNormal.find('\\', 2);
        nPos = nPos == std::string::npos ? strNormal.size() : strNormal.find('\\', nPos + 1);
        nPos = nPos == std::string::npos ? strNormal.size() : nPos + 1;
    }
    while (nPos < strNormal.size()) {
        // 0x5C is never a trail byte in the double-byte code page of Korean Windows: each '\' separates.
        size_t nEnd = strNormal.find('\\', nPos);
        const bool bIsLast = nEnd == std::string::npos;
        if (bIsLast) nEnd = strNormal.size();
        if (bIsLast && !bLast) break;
        const std::string strPrefix = strNormal.substr(0, nEnd);
        const DWORD dwAttributes = GetFileAttributesA(strPrefix.c_str());
        if (dwAttributes == INVALID_FILE_ATTRIBUTES) break;
        if (dwAttributes & FILE_ATTRIBUTE_REPARSE_POINT) return strPrefix;
        nPos = nEnd + 1;
    }
    return std::string();
}

ULONGLONG ProvenFile::FileId() const {
    return (static_cast<ULONGLONG>(m_info.nFileIndexHigh) << 32) | m_info.nFileIndexLow;
}

void ProvenFile::Close() {
    m_file.Close();
    m_folder.Close();
    m_strPath.clear();
    m_info = BY_HANDLE_FILE_INFORMATION{};
}

OpResult OpenProven(const std::string& strPath, DWORD dwAccess, DWORD dwShare, DWORD dwDisposition, Proof proof,
                    ProvenFile& file) {
    file.Close();
    // The folders first: a file must not even be created through a link.
    const std::string strLink = FirstLinkOnChain(strPath, dwDisposition != CREATE_NEW);
    if (!strLink.empty()) return OpResult::Refused(strLink + " is a link or junction");
    // Reading the attributes is what the proof itself needs; it shares with everything.
    ScopedHandle handle(CreateFileA(strPath.c_str(), dwAccess | FILE_READ_ATTRIBUTES, dwShare, nullptr, dwDisposition,
                                    FILE_ATTRIBUTE_NORMAL | FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                    nullptr));
    if (!handle.IsValid()) return OpResult::FromError(GetLastError());

    OpResult refusal;
    BY_HANDLE_FILE_INFORMATION info;
    std::string strReal;
    if (!GetFileInformationByHandle(handle.Get(), &info)) {
        refusal = OpResult::Refused("what it is cannot be read");
    } else if (info.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) {
        refusal = OpResult::Refused("it is a link or junction");
    } else if (proof == Proof::Write && !(info.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) && info.nNumberOfLinks > 1) {
        refusal = OpResult::Refused("it has " + std::to_string(info.nNumberOfLinks) + " hard links");
    } else if ((strReal = RealLocationOf(handle.Get(), strPath)).empty()) {
        refusal = OpResult::Refused("where it really is cannot be read");
    } else if (!IsSamePlace(strPath, strReal)) {
        refusal = OpResult::Refused("it really is " + strReal);
    }
    if (!refusal.IsDone()) {
        if (dwDisposition == CREATE_NEW && (dwAccess & DELETE)) {
            file.m_file = std::move(handle);
            file.m_strPath = strPath;
            DeleteByHandle(file);
            file.Close();
        }
        return refusal;
    }
    file.m_file = std::move(handle);
    file.m_strPath = strPath;
    file.m_info = info;
    return OpResult::Done();
}

OpResult HoldFile(const std::string& strPath, ProvenFile& file) {
    file.Close();
    const std::string strFolder = FolderOfPath(strPath);
    if (strFolder.empty()) return OpResult::Refused("not a full path");
    ProvenFile folder;
    // Listing access with deletion not shared: the folder can be neither renamed nor removed meanwhile.
    OpResult result = OpenProven(strFolder, FILE_LIST_DIRECTORY | SYNCHRONIZE,
                                 FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, Proof::Read, folder);
    if (!result.IsDone()) return result;
    // Read and delete access, shared for reading only: a loader may still map the file (it shares reading and
    // deletion with us), nobody may write, rename or delete it.
    result = OpenProven(strPath, GENERIC_READ | DELETE | READ_CONTROL | WRITE_DAC, FILE_SHARE_READ, OPEN_EXISTING,
                        Proof::Write, file);
    if (result.IsDone()) file.m_folder.Reset(folder.m_file.Release());
    return result;
}

OpResult ReadAllOf(const ProvenFile& file, size_t nMaxBytes, std::string& strBytes) {
    strBytes.clear();
    LARGE_INTEGER size{};
    if (!GetFileSizeEx(file.Handle(), &size)) return OpResult::FromError(GetLastError());
    if (size.QuadPart < 0 || static_cast<ULONGLONG>(size.QuadPart) > nMaxBytes)
        return OpResult::FailedWith(ERROR_FILE_TOO_LARGE);
    LARGE_INTEGER start{};
    if (!SetFilePointerEx(file.Handle(), start, nullptr, FILE_BEGIN)) return OpResult::FromError(GetLastError());
    strBytes.resize(static_cast<size_t>(size.QuadPart));
    DWORD dwRead = 0;
    if (!strBytes.empty() &&
        !ReadFile(file.Handle(), &strBytes[0], static_cast<DWORD>(strBytes.size()), &dwRead, nullptr))
        return OpResult::FromError(GetLastError());
    if (dwRead != strBytes.size()) return OpResult::FailedWith(ERROR_HANDLE_EOF);
    return OpResult::Done();
}

OpResult DeleteByHandle(ProvenFile& file) {
    if (const auto pfnSet = SetInformationByHandle()) {
        DispositionInfo disposition;
        disposition.DeleteFile = TRUE;
        if (!pfnSet(file.Handle(), kFileDispositionInfo, &disposition, sizeof disposition))
            return OpResult::FromError(GetLastError());
        return OpResult::Done();
    }
    const std::string strPath = file.Path();
    file.Close();
    if (!DeleteFileA(strPath.c_str())) return OpResult::FromError(GetLastError());
    return OpResult::Done();
}

OpResult RenameByHandle(ProvenFile& file, const std::string& strNewPath) {
    if (const auto pfnSet = SetInformationByHandle()) {
        // The name in the form the file system takes it (no doubled backslash), whatever the caller's own
        // conversion does with it.
        std::vector<wchar_t> wstrName = {L'\\', L'?', L'?', L'\\'};
        const std::vector<wchar_t> wstrPath = Wide(Normalized(strNewPath));
        wstrName.insert(wstrName.end(), wstrPath.begin(), wstrPath.end());
        std::vector<BYTE> buffer(sizeof(RenameInfo) + wstrName.size() * sizeof(wchar_t));
        RenameInfo* pRename = reinterpret_cast<RenameInfo*>(buffer.data());
        pRename->ReplaceIfExists = TRUE;
        pRename->RootDirectory = nullptr;
        pRename->FileNameLength = static_cast<DWORD>(wstrName.size() * sizeof(wchar_t));
        memcpy(pRename->FileName, wstrName.data(), pRename->FileNameLength);
        if (!pfnSet(file.Handle(), kFileRenameInfo, pRename, static_cast<DWORD>(buffer.size())))
            return OpResult::FromError(GetLastError());
        file.m_strPath = strNewPath;
        return OpResult::Done();
    }
    const std::string strPath = file.Path();
    file.Close();
    if (!MoveFileExA(strPath.c_str(), strNewPath.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return OpResult::FromError(GetLastError());
    return OpResult::Done();
}

OpResult SetAccessListOf(const ProvenFile& file, PACL pAcl, bool bProtected) {
    // The descriptor as given, nothing inherited from the folder added: the handle's counterpart of
    // SetFileSecurityA.
    SECURITY_DESCRIPTOR descriptor;
    if (!InitializeSecurityDescriptor(&descriptor, SECURITY_DESCRIPTOR_REVISION) ||
        !SetSecurityDescriptorDacl(&descriptor, TRUE, pAcl, FALSE) ||
        (bProtected && !SetSecurityDescriptorControl(&descriptor, SE_DACL_PROTECTED, SE_DACL_PROTECTED)))
        return OpResult::FailedWith(GetLastError());
    if (!SetKernelObjectSecurity(file.Handle(), DACL_SECURITY_INFORMATION, &descriptor))
        return OpResult::FailedWith(GetLastError());
    return OpResult::Done();
}
