// The machine after an action, compared with what a test expects: files with their bytes, keys, values
// with their type and bytes; and snapshots for "nothing else changed".
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace lqtest {

// Each expectation compares one thing on the machine; Check() returns one line per mismatch with the
// expected and the actual value, empty when the machine is as expected.
class ExpectedState {
public:
    ExpectedState& File(const std::string& strPath, const std::string& strBytes);  // present, these bytes
    ExpectedState& FileLike(const std::string& strPath, const std::string& strSourcePath);  // same bytes
    ExpectedState& NoFile(const std::string& strPath);
    ExpectedState& Folder(const std::string& strPath);
    ExpectedState& Key(HKEY hRoot, const std::string& strKey);
    ExpectedState& NoKey(HKEY hRoot, const std::string& strKey);
    ExpectedState& Value(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwType,
                         const std::string& bytes);
    ExpectedState& StringValue(HKEY hRoot, const std::string& strKey, const std::string& strName,
                               const std::string& strText);  // REG_SZ with its NUL counted
    ExpectedState& NoValue(HKEY hRoot, const std::string& strKey, const std::string& strName);
    std::vector<std::string> Check() const;

private:
    std::vector<std::function<std::string()>> m_checks;  // each: "" or one mismatch line
};

// Use: EXPECT_MACHINE(expected) prints every mismatch.
#define EXPECT_MACHINE(state)                                                   \
    do {                                                                        \
        std::vector<std::string> lq_mismatches = (state).Check();               \
        for (const std::string& m : lq_mismatches) ADD_FAILURE() << m;          \
    } while (0)

// Registry and file snapshots, for "nothing else changed" checks: every value under the keys, every
// file (with its bytes' hash) under the folders.
struct Snapshot {
    std::map<std::string, std::string> entries;  // "HKLM\key|name" or "C:\path" -> type and bytes / hash
};
// Roots like "HKLM\\SOFTWARE" (HKLM, HKCU or HKCR, then the key) and folders like "C:\\ZmtPlugin".
Snapshot TakeSnapshot(const std::vector<std::string>& arrRegistryRoots, const std::vector<std::string>& arrFolders);
// Lines "+ x", "- x", "~ x" for what was added, removed, changed between two snapshots.
std::vector<std::string> Difference(const Snapshot& before, const Snapshot& after);

}  // namespace lqtest
