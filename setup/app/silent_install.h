// "/B" and "/B /QUIET": the silent install and the quiet one. Each returns the process exit code.
#pragma once

// The setup progress window and the install with its failure policy; no question, no message, no
// running-program check.
int RunSilentInstall();
// No window at all and nothing waited for (QuietFrontEnd): for the tools that deploy to many PCs.
int RunQuietInstall();
