// The colour keywords of the mark-up (portable).
#pragma once

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
