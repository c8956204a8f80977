// One run at a time. Every mode that changes the machine (both installs and both uninstalls) holds a named
// mutex for its whole run; a second start finds it and changes nothing. The lock goes with the process,
// also when the process is killed, so a crashed run never blocks the next one.
#pragma once

#include "util/scoped_handles.h"

class SetupRunLock {
public:
    // Takes the lock. When it cannot be created at all, the run goes on as if it held it: a failed lock
    // must not keep anyone from installing.
    SetupRunLock();
    SetupRunLock(const SetupRunLock&) = delete;
    SetupRunLock& operator=(const SetupRunLock&) = delete;

    // False when another run of the setup program holds the lock.
    bool IsHeld() const { return m_bHeld; }

private:
    ScopedHandle m_mutex;
    bool m_bHeld = true;
};
