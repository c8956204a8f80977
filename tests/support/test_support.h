// Screenshots of dialogs by language.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// Saves hWnd as %LQ_ARTIFACTS%\<strName>-korean.png or -english.png (by countryCode); does nothing
// when the variable is not set.
void Screenshot(HWND hWnd, const std::string& strName);

}  // namespace lqtest
