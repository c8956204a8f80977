// The HTML subset of the setup program's dialog texts: markup in, text runs out. Portable (no window,
// no device context).
//
// Vocabulary: b/strong, i/em, u, br, p (align=left|center|right), center, a href=..., font face= size=
// color=, and the entities &quot; &lt; &gt; &amp;. Markup is never rejected: unknown tags, attributes and
// entities are dropped, an unmatched '<' is shown as text, unclosed tags last to the end of the text.
// Texts are ANSI bytes (code page 949 for the Korean texts); tags and entities are ASCII.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// 0x00BBGGRR, the layout of a Windows COLORREF.
using HtmlColor = std::uint32_t;

inline HtmlColor HtmlRgb(unsigned nRed, unsigned nGreen, unsigned nBlue) {
    return (nRed & 0xFF) | ((nGreen & 0xFF) << 8) | ((nBlue & 0xFF) << 16);
}

// Left and top inside, right and bottom outside, as a Windows RECT.
struct HtmlRect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    bool IsEmpty() const { return left >= right || top >= bottom; }
    bool Contains(std::int32_t x, std::int32_t y) const { return x >= left && x < right && y >= top && y < bottom; }
    bool operator==(const HtmlRect& other) const {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const HtmlRect& other) const { return !(*this == other); }
};

// A font description; the drawer turns it into a device font.
class CHTMLFont {
public:
    CHTMLFont() = default;
    CHTMLFont(const CHTMLFont&) = default;
    CHTMLFont& operator=(const CHTMLFont&) = default;
    virtual ~CHTMLFont() = default;

    std::string m_strFace = "Times New Roman";
    double m_dPointSize = 10.0;
    std::uint8_t m_bBold = 0;
    std::uint8_t m_bItalic = 0;
    std::uint8_t m_bUnderline = 0;
    std::uint8_t m_nCharSet = 0;  // passed to font creation unchanged; no tag changes it
    HtmlColor m_crColor = 0;
    std::uint8_t m_bColorSet = 0;  // the mark-up named m_crColor; otherwise it is the base font's
    std::int32_t m_nHtmlSize = 3;
};

// One run of text with its own font, alignment and link target. The rectangle, ascent and line number
// are filled by the layout; m_bHot by the label while the mouse is over a link run.
class CHTMLAtom {
public:
    // A line number that no text line has: the layout's blank-line placeholders carry it.
    static constexpr std::int32_t kNoLine = -1;

    CHTMLAtom() = default;
    CHTMLAtom(const CHTMLAtom&) = default;
    CHTMLAtom& operator=(const CHTMLAtom&) = default;
    virtual ~CHTMLAtom() = default;

    std::string m_strText;
    CHTMLFont m_font;
    HtmlRect m_rect;
    std::int32_t m_nAscent = 0;
    std::uint16_t m_nAlignment = 0;  // 0 left, 1 centre, 2 right
    std::int32_t m_nLine = kNoLine;
    std::string m_strURL;  // empty: no link
    std::uint8_t m_bHot = 0;
};

// An ordered list of runs; the list owns them.
using CHTMLAtomList = std::vector<std::unique_ptr<CHTMLAtom>>;
// Fonts saved by open font tags, innermost last.
using CHTMLFontStack = std::vector<std::unique_ptr<CHTMLFont>>;

enum HtmlAlignment : std::uint16_t { kAlignLeft = 0, kAlignCenter = 1, kAlignRight = 2 };

// Appends the runs of strHtml to arrAtoms. fntBase is copied, never changed. nDefaultAlignment is the
// alignment that /p and /center return to. A tag that asks for a line break appends a run whose text is
// "\r\n"; a carriage return and line feed inside the text stays inside its run.
void ParseHTML(const std::string& strHtml, const CHTMLFont& fntBase, CHTMLAtomList& arrAtoms,
               std::uint16_t nDefaultAlignment);

// The text that strHtml shows, for screen readers and other tools that read a window's text: the texts of
// its runs in order (entities decoded, unknown tags dropped, each line break of a tag or of the text as
// "\r\n"), without the blanks and line breaks at either end.
std::string HtmlPlainText(const std::string& strHtml);

// Decodes the entities of strText and appends one run with copies of the arguments. Returns false, and
// appends nothing, when strText is empty (tested before decoding: "&nbsp;" gives an empty run).
bool AddTextAtom(CHTMLAtomList& arrAtoms, const std::string& strText, const CHTMLFont& fnt,
                 std::uint16_t nAlignment, const std::string& strURL);

// Applies one tag (the text between '<' and '>') to the parse state. isNewLine is only ever set here,
// never cleared; the caller clears it before each tag.
void ProcessHTMLTag(const std::string& strTag, CHTMLFont& fntCurrent, CHTMLFontStack& arrFontStack,
                    bool& isNewLine, std::uint16_t& nAlignment, std::uint16_t nDefaultAlignment,
                    bool isAtLineStart, std::string& strURL);

// name=value pairs, in order; values may be in double quotes. arrNames and arrValues are appended to.
void SplitAttributes(const std::string& strAttributes, std::vector<std::string>& arrNames,
                     std::vector<std::string>& arrValues);

// Value of a hexadecimal digit string; characters that are no hexadecimal digit count 0 but keep their
// place. Wraps around beyond 32 bits.
std::uint32_t HexToInt(const std::string& strHex);

// Decimal number with optional sign, blanks and tabs around it; anything else gives 0. Values beyond the
// 32-bit range are clamped to it.
std::int32_t ParseHtmlInt(const std::string& strValue);

// Scale of HTML font size nSize against size 3.
double HtmlSizeFactor(std::int32_t nSize);

