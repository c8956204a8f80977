// Screenshots of what a test shows, for review: PNG files in the build folder's screenshots/ (ctest
// hands its path over in LQ_ARTIFACTS).
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// Saves hWnd's screen rectangle (null: the whole screen) as %LQ_ARTIFACTS%\<strName>.png once the
// windows had a moment to finish painting; does nothing when LQ_ARTIFACTS is not set.
void Screenshot(const std::string& strName, HWND hWnd = nullptr);

}  // namespace lqtest
