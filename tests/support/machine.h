// End-to-end scenario harness: runs the real programs on this test machine and compares the machine
// with an expected state. A scenario is a GoogleTest binary registered with lq_e2e_scenario (see
// tests/e2e/CMakeLists.txt); it runs on its own fresh Wine machine with dist/ZmtPlugin/install placed
// at C:\ZmtPlugin\install.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <vector>

namespace e2e {

// --- seeding -------------------------------------------------------------------------------------
void WriteFileBytes(const std::string& strPath, const std::string& strBytes);  // creates folders too
std::string ReadFileBytes(const std::string& strPath);                          // "" when missing
bool PathExists(const std::string& strPath);
// A string value as text (up to its first NUL); "" when the key or value is missing.
std::string RegString(HKEY hRoot, const std::string& strKey, const std::string& strName);
// A value of the suite's settings section "BrelFontPlugin" in an INI file; "<missing>" when absent.
std::string IniValue(const std::string& strFile, const std::string& strKey);
void MakeFolders(const std::string& strPath);
// Registry seeding under HKLM/HKCU; strKey like "SOFTWARE\\Adobe\\Photoshop\\7.0".
void SetRegString(HKEY hRoot, const std::string& strKey, const std::string& strName, const std::string& strValue);
void SetRegDword(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwValue);
void SetRegRaw(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwType, const std::string& bytes);

// --- running -------------------------------------------------------------------------------------
// A running program; the destructor waits briefly and then terminates it if still running.
class Program {
public:
    // Starts strExe with the command-line tail strArgs (e.g. "/D /B"); strExe defaults to the setup
    // program in C:\ZmtPlugin\install.
    explicit Program(const std::string& strArgs, const std::string& strExe = "");
    ~Program();
    Program(const Program&) = delete;
    Program& operator=(const Program&) = delete;
    bool Started() const { return m_pi.hProcess != nullptr; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    // Waits for the end; returns the exit code, or -1 on time-out.
    int Wait(DWORD dwTimeoutMs = 60000);

private:
    PROCESS_INFORMATION m_pi{};
};

// Runs a program to its end; returns its exit code, or -1 when it did not start or end in time.
int RunToEnd(const std::string& strArgs, DWORD dwTimeoutMs = 120000, const std::string& strExe = "");

// A screenshot into the build folder's screenshots/ (from %LQ_ARTIFACTS%), named strName + ".png".
void Screenshot(const std::string& strName, HWND hWnd = nullptr);

// --- expected state ------------------------------------------------------------------------------
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

// Registry and file snapshots, for "nothing else changed" checks: every value under the keys, every
// file (with its bytes' hash) under the folders.
struct Snapshot {
    std::map<std::string, std::string> entries;  // "HKLM\key|name" or "C:\path" -> type and bytes / hash
};
Snapshot TakeSnapshot(const std::vector<std::string>& arrRegistryRoots, const std::vector<std::string>& arrFolders);
// Lines "+ x", "- x", "~ x" for what was added, removed, changed between two snapshots.
std::vector<std::string> Difference(const Snapshot& before, const Snapshot& after);

// Use: EXPECT_MACHINE(expected) prints every mismatch.
#define EXPECT_MACHINE(state)                                                   \
    do {                                                                        \
        std::vector<std::string> lq_mismatches = (state).Check();               \
        for (const std::string& m : lq_mismatches) ADD_FAILURE() << m;          \
    } while (0)

}  // namespace e2e
