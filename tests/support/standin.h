// Stand-in host processes for the guard's tests: the stand-in program copied under a host program's
// executable name and started, so that Toolhelp sees a real process of that name.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// The stand-in program to start: the one that LQ_STANDIN names (a Windows path: the runs on a 64-bit
// machine name the 64-bit build of the stand-in there), otherwise strDefault.
std::string StandInSource(const std::string& strDefault);
// The same, by default the stand-in beside the running test binary.
std::string StandInSource();

// Copies the stand-in (strSource, by default the one beside the test binary) to
// C:\lqguard\<n>\<strExeName>, a new folder each time, and starts it; the constructor returns when the
// process runs. The destructor terminates it when it still runs.
class StandInProcess {
public:
    explicit StandInProcess(const std::string& strExeName, const std::string& strSource = StandInSource());
    ~StandInProcess();
    StandInProcess(const StandInProcess&) = delete;
    StandInProcess& operator=(const StandInProcess&) = delete;

    bool Started() const { return m_pi.hProcess != nullptr; }
    DWORD ProcessId() const { return m_pi.dwProcessId; }
    // True when the process ended within dwTimeoutMs.
    bool HasEnded(DWORD dwTimeoutMs = 0) const;
    // True when it runs as a 32-bit program on 64-bit Windows.
    bool IsWow64() const;
    // Gives the process an access list that denies everyone dwDenied and allows every other right, as a
    // program that guards itself does; handles opened before, this object's among them, keep their rights.
    bool DenyAccess(DWORD dwDenied);

private:
    PROCESS_INFORMATION m_pi{};
};

}  // namespace lqtest
