// The run modes: for each, in one row of one table, what it shows and who answers for it, and the one
// function that runs it. The one place that wires the engines to their front ends.
#pragma once

#include "setup/app/switches.h"

// Where a mode's progress goes.
enum class ProgressPlace {
    None,             // nothing is shown
    SetupWindow,      // the setup progress window (resource 129)
    DeleteWindow,     // the uninstall progress window (resource 130)
};

// Who answers a mode's questions and reads its messages.
enum class AnswerPolicy {
    User,        // the user, in the suite's dialogs and message boxes
    Nobody,      // nobody: every question is cancelled, no message is shown
    Deployment,  // a deployment tool: files in use wait for the next start (with "/QUIET"), nothing is shown
};

// Which work a mode does.
enum class Work {
    InstallDialog,  // the install dialog, which asks the user and runs the install
    Install,        // discovery, then the install with its failure policy
    Uninstall,      // the uninstall (after a confirmation and the running-program guard where the row says)
    UpgradeMessage, // "_DEF_PROCESS_UPGRADE" in a box
    Usage,          // the switches and exit codes in a box
};

struct RunModePolicy {
    ModeAction action;
    const char* szLogName;  // for the setup log's header
    Work work;
    ProgressPlace progress;
    AnswerPolicy answers;
    bool bConfirmAndGuard;  // the uninstall confirmation, then the running-program guard
    bool bChangesMachine;   // holds the run lock, and protects the shipped folder before anything is read there
};

// The row of a mode.
const RunModePolicy& PolicyOf(ModeAction action);

// Runs the mode to its end; returns the process exit code.
int RunMode(const RunModePolicy& policy);
