#include "setup/app/run_lock.h"

#include "setup/core/setup_log.h"

namespace {
// In the global namespace of the system, so that a run in another logon session counts too.
const char kRunMutexName[] = "Global\\LetterquarrySetupRun";
}  // namespace

SetupRunLock::SetupRunLock() {
    m_mutex.Reset(CreateMutexA(nullptr, FALSE, kRunMutexName));
    if (!m_mutex.IsValid()) {
        LogEvent("Run lock %s not available: %s; going on", kRunMutexName, DescribeError(GetLastError()).c_str());
        return;
    }
    // The name existed already: another run created it and holds it until its process ends.
    m_bHeld = GetLastError() != ERROR_ALREADY_EXISTS;
}
