// How a run of an engine ended. The run modes turn it into the process exit code, in one place
// (setup/app/exit_codes.h).
#pragma once

enum class Outcome {
    Done,       // installed, or removed
    Cancelled,  // the user stopped it before anything was done (a confirmation, the running-program guard)
    Failed,     // it failed, also when the user gave up after a failure; what was done stays done
    Deferred,   // files were in use: the work runs at the next Windows start
};
