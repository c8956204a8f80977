// "/B": the silent install. Returns the process exit code.
#pragma once

// The setup progress window and the install with its failure policy; no question, no message, no
// running-program check.
int RunSilentInstall();
