// ProductPicture: the product picture at the left edge of the main install dialog, filling its place on a
// screen of any DPI.
//
// The template's picture control (SS_BITMAP | SS_REALSIZECONTROL) is created at the size of its place,
// which grows with the dialog's font, and shows bitmap 132, the art drawn for the place at 96 DPI. Show
// makes the picture as high as the place and as wide as the art's proportions make it (no wider than the
// place) and sizes the control to it. Where that is the art's own size, as on a 96-DPI screen, the control
// keeps bitmap 132 and shows it pixel for pixel. Anywhere else it gets a copy of the art made once for
// that size with a cubic filter (Catmull-Rom, widened when reducing), sharp enough for the letterforms.
// There is no larger art: a second bitmap would break the setup program's size target.
//
// The picture is decoration: Show gives the control an empty window text, so that screen readers, which
// name a control by its text, skip it.
//
// Use: a member of the dialog; Show(hDlg, nId) in OnInitDialog. The copy belongs to this object: the
// destructor gives the control its template bitmap back, if the control still exists, before freeing it.
#pragma once

#include "util/scoped_gdi.h"

#include <windows.h>

class ProductPicture {
public:
    ProductPicture() = default;
    ~ProductPicture();
    ProductPicture(const ProductPicture&) = delete;
    ProductPicture& operator=(const ProductPicture&) = delete;

    // True when control nId of hDlg shows the art at the control's own size (the template's bitmap or a
    // copy); false when the control is missing or the art could not be loaded or resampled, and the
    // control then stretches the template's bitmap over its place itself.
    bool Show(HWND hDlg, int nId);

private:
    HWND m_hControl = nullptr;
    HBITMAP m_hTemplate = nullptr;  // the control's own, never freed here
    ScopedBitmap m_scaled;
};
