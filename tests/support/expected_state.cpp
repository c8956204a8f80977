#include "tests/support/expected_state.h"

#include "tests/support/files.h"
#include "tests/support/registry.h"

#include <cstdio>

namespace lqtest {
namespace {

std::string RootName(HKEY hRoot) {
    if (hRoot == HKEY_LOCAL_MACHINE) return "HKLM";
    if (hRoot == HKEY_CURRENT_USER) return "HKCU";
    if (hRoot == HKEY_CLASSES_ROOT) return "HKCR";
    return "HK?";
}

HKEY RootOf(const std::string& strName) {
    if (strName == "HKLM") return HKEY_LOCAL_MACHINE;
    if (strName == "HKCU") return HKEY_CURRENT_USER;
    if (strName == "HKCR") return HKEY_CLASSES_ROOT;
    return nullptr;
}

// Printable form of bytes: text as is where it is plain, hex elsewhere.
std::string Show(const std::string& bytes) {
    std::string out = "\"";
    for (unsigned char c : bytes) {
        if (c >= 0x20 && c != '\\' && c != '"') {
            out += static_cast<char>(c);
        } else {
            char sz[8];
            snprintf(sz, sizeof sz, "\\x%02X", c);
            out += sz;
        }
    }
    return out + "\" (" + std::to_string(bytes.size()) + " bytes)";
}

std::string TypeName(DWORD dwType) {
    switch (dwType) {
    case REG_SZ: return "REG_SZ";
    case REG_EXPAND_SZ: return "REG_EXPAND_SZ";
    case REG_DWORD: return "REG_DWORD";
    case REG_BINARY: return "REG_BINARY";
    case REG_MULTI_SZ: return "REG_MULTI_SZ";
    default: return "type " + std::to_string(dwType);
    }
}

std::string Fnv1a(const std::string& bytes) {
    unsigned long long h = 1469598103934665603ULL;
    for (unsigned char c : bytes) h = (h ^ c) * 1099511628211ULL;
    char sz[32];
    snprintf(sz, sizeof sz, "%016llx", h);
    return sz;
}

void SnapshotKey(HKEY hRoot, const std::string& strPrefix, const std::string& strKey, Snapshot& snapshot) {
    HKEY hKey;
    if (RegOpenKeyExA(hRoot, strKey.c_str(), 0, KEY_READ, &hKey) != ERROR_SUCCESS) return;
    snapshot.entries[strPrefix + "\\" + strKey] = "(key)";
    for (DWORD i = 0;; ++i) {
        char szName[16384];
        DWORD dwName = sizeof szName, dwType = 0, dwData = 0;
        if (RegEnumValueA(hKey, i, szName, &dwName, nullptr, &dwType, nullptr, &dwData) != ERROR_SUCCESS) break;
        std::string bytes;
        DWORD dwReadType = 0;
        ReadValue(hRoot, strKey, szName, &dwReadType, &bytes);
        snapshot.entries[strPrefix + "\\" + strKey + "|" + szName] = TypeName(dwReadType) + " " + Show(bytes);
    }
    for (DWORD i = 0;; ++i) {
        char szName[1024];
        DWORD dwName = sizeof szName;
        if (RegEnumKeyExA(hKey, i, szName, &dwName, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
        SnapshotKey(hRoot, strPrefix, strKey.empty() ? szName : strKey + "\\" + szName, snapshot);
    }
    RegCloseKey(hKey);
}

void SnapshotFolder(const std::string& strFolder, Snapshot& snapshot) {
    WIN32_FIND_DATAA data;
    HANDLE hFind = FindFirstFileA((strFolder + "\\*").c_str(), &data);
    if (hFind == INVALID_HANDLE_VALUE) return;
    do {
        std::string strName = data.cFileName;
        if (strName == "." || strName == "..") continue;
        std::string strPath = strFolder + "\\" + strName;
        if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
            snapshot.entries[strPath + "\\"] = "(folder)";
            SnapshotFolder(strPath, snapshot);
        } else {
            snapshot.entries[strPath] = Fnv1a(ReadFileBytes(strPath));
        }
    } while (FindNextFileA(hFind, &data));
    FindClose(hFind);
}

}  // namespace

ExpectedState& ExpectedState::File(const std::string& strPath, const std::string& strBytes) {
    m_checks.push_back([strPath, strBytes]() -> std::string {
        if (!PathExists(strPath)) return "file " + strPath + ": expected present, actual absent";
        std::string actual = ReadFileBytes(strPath);
        if (actual != strBytes) return "file " + strPath + ": expected " + Show(strBytes) + ", actual " + Show(actual);
        return "";
    });
    return *this;
}

ExpectedState& ExpectedState::FileLike(const std::string& strPath, const std::string& strSourcePath) {
    m_checks.push_back([strPath, strSourcePath]() -> std::string {
        if (!PathExists(strPath)) return "file " + strPath + ": expected present, actual absent";
        std::string expected = ReadFileBytes(strSourcePath), actual = ReadFileBytes(strPath);
        if (actual != expected)
            return "file " + strPath + ": expected the bytes of " + strSourcePath + " (" + std::to_string(expected.size()) +
                   " bytes, hash " + Fnv1a(expected) + "), actual " + std::to_string(actual.size()) + " bytes, hash " +
                   Fnv1a(actual);
        return "";
    });
    return *this;
}

ExpectedState& ExpectedState::NoFile(const std::string& strPath) {
    m_checks.push_back([strPath]() -> std::string {
        return PathExists(strPath) ? "file " + strPath + ": expected absent, actual present" : "";
    });
    return *this;
}

ExpectedState& ExpectedState::Folder(const std::string& strPath) {
    m_checks.push_back([strPath]() -> std::string {
        return IsFolder(strPath) ? "" : "folder " + strPath + ": expected present, actual absent";
    });
    return *this;
}

ExpectedState& ExpectedState::Key(HKEY hRoot, const std::string& strKey) {
    m_checks.push_back([hRoot, strKey]() -> std::string {
        return KeyExists(hRoot, strKey) ? "" : "key " + RootName(hRoot) + "\\" + strKey + ": expected present, actual absent";
    });
    return *this;
}

ExpectedState& ExpectedState::NoKey(HKEY hRoot, const std::string& strKey) {
    m_checks.push_back([hRoot, strKey]() -> std::string {
        return KeyExists(hRoot, strKey) ? "key " + RootName(hRoot) + "\\" + strKey + ": expected absent, actual present" : "";
    });
    return *this;
}

ExpectedState& ExpectedState::Value(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwType,
                                    const std::string& bytes) {
    m_checks.push_back([hRoot, strKey, strName, dwType, bytes]() -> std::string {
        std::string strWhere = "value " + RootName(hRoot) + "\\" + strKey + " \"" + strName + "\"";
        DWORD dwActualType = 0;
        std::string actual;
        if (!ReadValue(hRoot, strKey, strName, &dwActualType, &actual))
            return strWhere + ": expected " + TypeName(dwType) + " " + Show(bytes) + ", actual absent";
        if (dwActualType != dwType || actual != bytes)
            return strWhere + ": expected " + TypeName(dwType) + " " + Show(bytes) + ", actual " + TypeName(dwActualType) +
                   " " + Show(actual);
        return "";
    });
    return *this;
}

ExpectedState& ExpectedState::StringValue(HKEY hRoot, const std::string& strKey, const std::string& strName,
                                          const std::string& strText) {
    return Value(hRoot, strKey, strName, REG_SZ, std::string(strText.c_str(), strText.size() + 1));
}

ExpectedState& ExpectedState::NoValue(HKEY hRoot, const std::string& strKey, const std::string& strName) {
    m_checks.push_back([hRoot, strKey, strName]() -> std::string {
        DWORD dwType = 0;
        std::string actual;
        if (!ReadValue(hRoot, strKey, strName, &dwType, &actual)) return "";
        return "value " + RootName(hRoot) + "\\" + strKey + " \"" + strName + "\": expected absent, actual " +
               TypeName(dwType) + " " + Show(actual);
    });
    return *this;
}

std::vector<std::string> ExpectedState::Check() const {
    std::vector<std::string> arrMismatches;
    for (const auto& check : m_checks) {
        std::string strLine = check();
        if (!strLine.empty()) arrMismatches.push_back(strLine);
    }
    return arrMismatches;
}

Snapshot TakeSnapshot(const std::vector<std::string>& arrRegistryRoots, const std::vector<std::string>& arrFolders) {
    Snapshot snapshot;
    for (const std::string& strRoot : arrRegistryRoots) {
        // "HKLM\\SOFTWARE\\Adobe": root name, then the key path.
        size_t nSlash = strRoot.find('\\');
        std::string strRootName = strRoot.substr(0, nSlash);
        std::string strKey = nSlash == std::string::npos ? "" : strRoot.substr(nSlash + 1);
        if (HKEY hRoot = RootOf(strRootName)) SnapshotKey(hRoot, strRootName, strKey, snapshot);
    }
    for (const std::string& strFolder : arrFolders) SnapshotFolder(strFolder, snapshot);
    return snapshot;
}

std::vector<std::string> Difference(const Snapshot& before, const Snapshot& after) {
    std::vector<std::string> arrLines;
    for (const auto& entry : before.entries) {
        auto it = after.entries.find(entry.first);
        if (it == after.entries.end()) arrLines.push_back("- " + entry.first + " = " + entry.second);
        else if (it->second != entry.second)
            arrLines.push_back("~ " + entry.first + ": " + entry.second + " -> " + it->second);
    }
    for (const auto& entry : after.entries) {
        if (!before.entries.count(entry.first)) arrLines.push_back("+ " + entry.first + " = " + entry.second);
    }
    return arrLines;
}

}  // namespace lqtest
