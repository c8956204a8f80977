// The one place that adjusts the privileges of the process token.
#pragma once

// Enables (or disables) one privilege in the process token. True only when the token could be opened,
// the name looked up, the adjustment made and the privilege really assigned (not ERROR_NOT_ALL_ASSIGNED).
// A failure is written to the setup log with the step and the Windows error; the user is never shown one.
bool EnablePrivilege(const char* szPrivilege, bool bEnable);
