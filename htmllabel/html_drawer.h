// CHTMLDrawer: lays markup out into a rectangle and draws it. Portable over CHTMLDevice.
//
// Layout parses the markup, breaks its runs into lines that fit the rectangle (at word ends, or between
// characters when not even one word fits), puts the runs of a line on one baseline, aligns each line by
// the alignment of its first run, and centres the whole block vertically. The result is kept until the
// next Layout: Draw, HitTestLink and SetHotLink work on the stored rectangles and measure nothing.
//
// Double-byte text (code page 949) is cut only between whole characters.
#pragma once

#include "htmllabel/html_colors.h"
#include "htmllabel/html_device.h"
#include "htmllabel/html_parser.h"

#include <cstdint>
#include <string>
#include <vector>

class CHTMLDrawer {
public:
    CHTMLDrawer() = default;
    CHTMLDrawer(const CHTMLDrawer&) = delete;
    CHTMLDrawer& operator=(const CHTMLDrawer&) = delete;
    virtual ~CHTMLDrawer() = default;

    // Replaces the whole content with the layout of strHtml in rctLayout (device coordinates). The fonts
    // that the layout selects are released, and the device's selected font restored, before it returns.
    // Returns the lowest bottom edge of the laid-out runs after vertical centring, 0 when the markup
    // yields no runs.
    int Layout(CHTMLDevice& dc, const std::string& strHtml, const CHTMLFont& fntBase, const HtmlRect& rctLayout,
               std::uint16_t nDefaultAlignment);

    // Draws every run in its rectangle with a transparent background, in the colour that HtmlRunColor
    // gives it on the scheme; a hot run takes crHover (the scheme's link colour in high contrast) and,
    // when bHoverUnderline is set, an underline. The device's font and text colour are restored afterwards.
    void Draw(CHTMLDevice& dc, HtmlColor crHover, std::uint8_t bHoverUnderline,
              const HtmlColorScheme& scheme = HtmlColorScheme());

    // The first link run whose rectangle holds (x, y); *ppAtom (may be null) receives it.
    bool HitTestLink(std::int32_t x, std::int32_t y, CHTMLAtom** ppAtom) const;

    // Marks pAtom (a link run of this drawer, or null for none) hot and every other link run not hot.
    // The rectangle of each run whose mark changes is united into rctChanged. True when a mark changed.
    bool SetHotLink(const CHTMLAtom* pAtom, HtmlRect& rctChanged);

    int GetLinkCount() const { return static_cast<int>(m_arrLinks.size()); }

    // The laid-out runs in text order; a line is a run of consecutive atoms with the same m_nLine.
    const CHTMLAtomList& GetAtoms() const { return m_arrAtoms; }

    // Cuts the end of a piece of text for the word-wrap test: a trailing run of ASCII letters goes as a
    // whole; otherwise exactly one character (one or two bytes) goes.
    static void TrimLastWord(std::string& strPiece);

private:
    struct WrapState {
        long long x = 0;
        long long nY = 0;
        long long nLeft = 0;
        long long nRight = 0;
        size_t nStartLineAtom = 0;
        int nLineAscent = 0;
        std::int32_t nLine = 0;
    };

    void Clear();
    void WrapAtoms(CHTMLDevice& dc, const CHTMLAtomList& arrInput, const HtmlRect& rctLayout);
    // Places the text of one hard-break-free piece of an input run; returns when the piece is used up.
    void WrapText(CHTMLDevice& dc, const CHTMLAtom& atom, const std::string& strText, WrapState& state);
    void AlignBaselines(WrapState& state);
    void EndLine(CHTMLDevice& dc, WrapState& state);
    void AlignLines(long long nOffsetY, long long nRight);

    CHTMLAtomList m_arrAtoms;
    std::vector<CHTMLAtom*> m_arrLinks;  // the link runs of m_arrAtoms, not owned
};
