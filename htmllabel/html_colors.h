// The colours of the mark-up (portable): its colour keywords, and the rule that decides which colour a
// run is drawn in on a screen of a given colour scheme.
#pragma once

#include "htmllabel/html_parser.h"

#include <string>
#include <vector>

// The named-colour table: name and "#RRGGBB" text.
struct HtmlNamedColor {
    const char* pszName;
    const char* pszValue;
};
// The whole table, in its fixed order.
const std::vector<HtmlNamedColor>& HtmlNamedColors();
// The "#RRGGBB" text of a colour name (whole name, letter case ignored), or nullptr.
const char* LookupHtmlColor(const std::string& strName);

// The colours of the screen a label draws on, as the system gives them at the time of drawing.
struct HtmlColorScheme {
    HtmlColor crText = 0;                         // text whose mark-up names no colour
    HtmlColor crBackground = 0xFFFFFF;            // what the text is drawn on
    HtmlColor crLink = HtmlRgb(0, 102, 204);      // a link, where the mark-up's colours give way
    bool bHighContrast = false;                   // the user's high-contrast scheme is on
};

// The least contrast a colour of the mark-up must have against the background to be drawn: the ratio
// that makes ordinary text readable for people with low vision.
const double kHtmlMinimumContrast = 4.5;

// The contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) of their relative luminances, the lighter
// one's first: from 1 (the same) to 21 (black and white).
double HtmlContrastRatio(HtmlColor crOne, HtmlColor crOther);

// The colour a run of font fnt is drawn in: the scheme's text colour where the mark-up names none; the
// mark-up's colour where it stands out from the background by kHtmlMinimumContrast; otherwise, and always
// in high contrast, the scheme's colours win: the link colour for a link, the text colour for the rest.
HtmlColor HtmlRunColor(const CHTMLFont& fnt, bool bLink, const HtmlColorScheme& scheme);
