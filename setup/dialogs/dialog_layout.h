// Making room for the texts of a dialog: no text of a label or a push button is cut off, in either language
// and at any DPI, and a control whose text fits stays where its template puts it.
#pragma once

#include <windows.h>

// Grows what hDlg shows where a text does not fit its control. A label (CHTMLStatic) whose text is taller
// than it grows downwards, and the controls below it and the dialog's bottom edge move down as much. A push
// button whose text (in its own font, with its edges) is wider than it grows to the right by the text's
// excess and a character's room on either side; the controls to its right on its row move along as far as
// they would come closer to it than a button's gap, and the dialog's right edge moves out as far as the row
// would come closer to it than before. Call once the texts are set, before the dialog is shown.
void FitControlsToTexts(HWND hDlg);
