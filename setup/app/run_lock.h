// One run at a time. Every mode that changes the machine (both installs and both uninstalls) holds a mutex
// for its whole run; a second start finds it and changes nothing. The lock goes with the process, also when
// the process is killed, so a crashed run never blocks the next one.
//
// The mutex lives in a private namespace bound to the Administrators SID where Windows has one (Vista and
// later): only an administrator's process can create or open that namespace, so no ordinary user can take
// the lock first and keep every later run, deferred ones included, from running. Where Windows has none
// (XP), it is the named mutex "Global\LetterquarrySetupRun".
#pragma once

#include "util/scoped_handles.h"

#include <windows.h>

class SetupRunLock {
public:
    enum class State {
        Held,     // this run holds the lock
        Taken,    // another run of the setup program holds it
        Unknown,  // whether another run holds it cannot be told: this run must not go on either
    };

    // Takes the lock.
    SetupRunLock();
    ~SetupRunLock();
    SetupRunLock(const SetupRunLock&) = delete;
    SetupRunLock& operator=(const SetupRunLock&) = delete;

    State GetState() const { return m_state; }

private:
    HANDLE m_hNamespace = nullptr;
    ScopedHandle m_mutex;
    State m_state = State::Unknown;
};
