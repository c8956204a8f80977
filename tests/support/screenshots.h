// Screenshots of what a test shows, for review: PNG files in the build folder's screenshots/, which
// ctest hands over in LQ_ARTIFACTS.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// Saves hWnd's screen rectangle (null: the whole screen) as <strName>.png in %LQ_ARTIFACTS%, or in the
// current folder when it is not set. The windows of other threads get a moment to finish painting first;
// a test paints its own. False when the file could not be written.
bool Screenshot(const std::string& strName, HWND hWnd = nullptr);
// strName + "-korean" or "-english", after the seeded locale: one file name per language.
std::string InMachineLanguage(const std::string& strName);

}  // namespace lqtest
