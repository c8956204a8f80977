// Checks of a dialog template's geometry, and screenshots of dialogs by language.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// The child nId's rectangle in dialog units of hDlg (converted back from pixels, so each side may be
// off by the rounding of one unit).
RECT ChildRectInDialogUnits(HWND hDlg, int nId);

// Saves hWnd as %LQ_ARTIFACTS%\<strName>-korean.png or -english.png (by countryCode); does nothing
// when the variable is not set.
void Screenshot(HWND hWnd, const std::string& strName);

// "x,y wxh" of a rectangle in dialog units, for messages.
std::string Describe(const RECT& rct);

}  // namespace lqtest
