// What the layout and drawing of markup runs need from a device context, and nothing more, so that the
// drawer is portable: a GDI device context on Windows, a device with fixed metrics in tests.
#pragma once

#include "htmllabel/html_parser.h"

#include <cstddef>
#include <cstdint>

// A realised font of a device; 0 is no font.
using HtmlFontHandle = std::uintptr_t;

struct HtmlSize {
    std::int32_t cx = 0;
    std::int32_t cy = 0;
};

class CHTMLDevice {
public:
    virtual ~CHTMLDevice() = default;

    // Vertical resolution in dots per inch (LOGPIXELSY).
    virtual int GetLogPixelsY() = 0;
    // Realises fnt with the given character height (negative: em height, as font creation takes it).
    // The caller deletes the result with DeleteFont once it is no longer selected.
    virtual HtmlFontHandle RealiseFont(const CHTMLFont& fnt, int nHeight) = 0;
    // Selects a font; returns the font that was selected before.
    virtual HtmlFontHandle SelectFont(HtmlFontHandle hFont) = 0;
    virtual void DeleteFont(HtmlFontHandle hFont) = 0;
    // Extent of nLength bytes of text in the selected font.
    virtual HtmlSize GetTextExtent(const char* pText, size_t nLength) = 0;
    // Ascent of the selected font.
    virtual int GetAscent() = 0;
    // Returns the colour that was set before.
    virtual HtmlColor SetTextColor(HtmlColor cr) = 0;
    virtual void SetTransparentMode() = 0;
    // Draws one line of text into rct, left and top aligned, without prefix processing.
    virtual void DrawRun(const std::string& strText, const HtmlRect& rct) = 0;
};

// Character height for font creation: -trunc(LOGPIXELSY x points / 72). Sizes far beyond anything a
// label can show are capped (to 16384 pixels), so that font creation and the layout's arithmetic stay
// within range for any markup.
int HtmlFontHeight(int nLogPixelsY, double dPointSize);
