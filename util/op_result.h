// What a file, registry or system operation did, handed to the caller as a value: the engines' failure
// policies decide on it, and nothing travels through the thread's last error.
#pragma once

#include <windows.h>

#include <string>
#include <utility>

enum class OpStatus {
    Done,
    InUse,    // another program holds the file: waiting for it (the next Windows start) may help
    Refused,  // not done on purpose, nothing changed: what is there is not what may be acted on (strWhy)
    Failed,   // Windows refused it for another reason (dwError)
};

struct OpResult {
    OpStatus status = OpStatus::Done;
    DWORD dwError = ERROR_SUCCESS;  // InUse and Failed: the Windows error
    std::string strWhy;             // Refused: why, in words for the setup log

    static OpResult Done() { return OpResult(); }
    static OpResult Refused(std::string strWhy) { return {OpStatus::Refused, ERROR_SUCCESS, std::move(strWhy)}; }
    // InUse for the errors of a file that another program holds open or has loaded (a sharing or lock
    // violation, a mapped section, access denied to a file in use), Failed for any other error. A failure
    // without an error code is never taken for success: ERROR_SUCCESS becomes ERROR_GEN_FAILURE.
    static OpResult FromError(DWORD dwError) {
        if (dwError == ERROR_SUCCESS) dwError = ERROR_GEN_FAILURE;
        const bool bHeld = dwError == ERROR_SHARING_VIOLATION || dwError == ERROR_LOCK_VIOLATION ||
                           dwError == ERROR_USER_MAPPED_FILE || dwError == ERROR_ACCESS_DENIED;
        return {bHeld ? OpStatus::InUse : OpStatus::Failed, dwError, std::string()};
    }
    // The same error, but never a file in use: for a step whose failure waiting cannot mend (a temporary
    // file of our own that cannot be made).
    static OpResult FailedWith(DWORD dwError) {
        return {OpStatus::Failed, dwError == ERROR_SUCCESS ? ERROR_GEN_FAILURE : dwError, std::string()};
    }

    bool IsDone() const { return status == OpStatus::Done; }
};
