// "/?": a box that lists the switches and the exit codes in the system's language. Returns the process
// exit code (0).
#pragma once

int RunUsage();
