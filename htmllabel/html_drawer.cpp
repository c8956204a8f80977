#include "htmllabel/html_drawer.h"

#include "util/mbcs.h"
#include "util/numbers.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace {

bool IsAsciiLetter(char c) { return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z'); }

// Byte offsets at which the characters of strText begin, plus its length at the end.
std::vector<size_t> CharBoundaries(const std::string& strText) {
    std::vector<size_t> arrBounds;
    arrBounds.reserve(strText.size() + 1);
    for (size_t i = 0; i < strText.size(); i += mbcs::CharLength(strText, i)) arrBounds.push_back(i);
    arrBounds.push_back(strText.size());
    return arrBounds;
}

// One TrimLastWord step on the first nChars characters; returns the number of characters left.
size_t TrimLastWordChars(const std::string& strText, const std::vector<size_t>& arrBounds, size_t nChars) {
    bool isLetterRemoved = false;
    while (nChars > 0) {
        size_t nBegin = arrBounds[nChars - 1];
        bool isLetter = arrBounds[nChars] - nBegin == 1 && IsAsciiLetter(strText[nBegin]);
        if (isLetter) {
            --nChars;
            isLetterRemoved = true;
            continue;
        }
        if (!isLetterRemoved) --nChars;
        break;
    }
    return nChars;
}

// Selects realised fonts one after the other and releases each when the next is in, keeping the font
// that was selected before the first to put back at the end.
class CFontSelection {
public:
    explicit CFontSelection(CHTMLDevice& dc) : m_dc(dc), m_nLogPixelsY(dc.GetLogPixelsY()) {}
    CFontSelection(const CFontSelection&) = delete;
    CFontSelection& operator=(const CFontSelection&) = delete;
    ~CFontSelection() {
        if (!m_hCurrent) return;
        m_dc.SelectFont(m_hOld);
        m_dc.DeleteFont(m_hCurrent);
    }

    void Select(const CHTMLFont& fnt) {
        HtmlFontHandle hFont = m_dc.RealiseFont(fnt, HtmlFontHeight(m_nLogPixelsY, fnt.m_dPointSize));
        HtmlFontHandle hPrevious = m_dc.SelectFont(hFont);
        if (m_hCurrent) m_dc.DeleteFont(m_hCurrent);
        else m_hOld = hPrevious;
        m_hCurrent = hFont;
    }

private:
    CHTMLDevice& m_dc;
    int m_nLogPixelsY;
    HtmlFontHandle m_hOld = 0;
    HtmlFontHandle m_hCurrent = 0;
};

}  // namespace

int HtmlFontHeight(int nLogPixelsY, double dPointSize) {
    const double kLargest = 16384.0;
    double dHeight = std::trunc(static_cast<double>(nLogPixelsY) * dPointSize / 72.0);
    if (std::isnan(dHeight)) return 0;
    dHeight = std::min(std::max(dHeight, -kLargest), kLargest);
    return -static_cast<int>(dHeight);
}

void CHTMLDrawer::TrimLastWord(std::string& strPiece) {
    std::vector<size_t> arrBounds = CharBoundaries(strPiece);
    size_t nChars = TrimLastWordChars(strPiece, arrBounds, arrBounds.size() - 1);
    strPiece.resize(arrBounds[nChars]);
}

void CHTMLDrawer::Clear() {
    m_arrLinks.clear();
    m_arrAtoms.clear();
}

int CHTMLDrawer::Layout(CHTMLDevice& dc, const std::string& strHtml, const CHTMLFont& fntBase,
                        const HtmlRect& rctLayout, std::uint16_t nDefaultAlignment) {
    Clear();
    CHTMLAtomList arrParsed;
    ParseHTML(strHtml, fntBase, arrParsed, nDefaultAlignment);
    if (arrParsed.empty()) return 0;
    WrapAtoms(dc, arrParsed, rctLayout);

    // B is an absolute coordinate and the height is not: with an inset rectangle the block sits a little
    // above the middle, as the label has always drawn it.
    long long nBottom = 0;
    for (const auto& pAtom : m_arrAtoms) nBottom = std::max<long long>(nBottom, pAtom->m_rect.bottom);
    long long nHeight = static_cast<long long>(rctLayout.bottom) - rctLayout.top;
    long long nOffsetY = nBottom < nHeight ? (nHeight - nBottom) / 2 : 0;
    AlignLines(nOffsetY, rctLayout.right);
    return ClampToInt32(nBottom + nOffsetY);
}

void CHTMLDrawer::WrapAtoms(CHTMLDevice& dc, const CHTMLAtomList& arrInput, const HtmlRect& rctLayout) {
    WrapState state;
    state.nLeft = rctLayout.left;
    state.nRight = rctLayout.right;
    state.x = rctLayout.left;
    state.nY = rctLayout.top;
    CFontSelection selection(dc);

    for (const auto& pInput : arrInput) {
        const CHTMLAtom& atom = *pInput;
        selection.Select(atom.m_font);
        // A carriage return and line feed ends the line. Every piece before one ends with a hard break;
        // the piece after the last one is placed only when it is not empty.
        size_t nPieceBegin = 0;
        for (;;) {
            size_t nBreak = atom.m_strText.find("\r\n", nPieceBegin);
            if (nBreak == std::string::npos) {
                if (nPieceBegin < atom.m_strText.size()) {
                    WrapText(dc, atom, atom.m_strText.substr(nPieceBegin), state);
                }
                break;
            }
            WrapText(dc, atom, atom.m_strText.substr(nPieceBegin, nBreak - nPieceBegin), state);
            AlignBaselines(state);
            state.nLineAscent = 0;
            EndLine(dc, state);
            state.x = state.nLeft;
            ++state.nLine;
            nPieceBegin = nBreak + 2;
        }
    }
    AlignBaselines(state);
}

void CHTMLDrawer::WrapText(CHTMLDevice& dc, const CHTMLAtom& atom, const std::string& strText, WrapState& state) {
    std::string s = strText;
    while (!s.empty()) {
        std::vector<size_t> arrBounds = CharBoundaries(s);
        const size_t nChars = arrBounds.size() - 1;
        auto fnWidth = [&](size_t nCharCount) -> long long {
            return dc.GetTextExtent(s.data(), arrBounds[nCharCount]).cx;
        };

        // Word test: the longest of the successive TrimLastWord cuts with x + width < R. Widths grow with
        // the text, so a binary search over the cuts finds the cut that trying them one by one would.
        size_t nFitChars = nChars;
        bool isWrapping = false;
        if (state.x + fnWidth(nChars) >= state.nRight) {
            isWrapping = true;
            std::vector<size_t> arrCuts;  // decreasing, ends with 0
            for (size_t n = nChars; n > 0;) {
                n = TrimLastWordChars(s, arrBounds, n);
                arrCuts.push_back(n);
            }
            size_t nLow = 0, nHigh = arrCuts.size() - 1;  // arrCuts[nHigh] == 0 always ends the search
            while (nLow < nHigh) {
                size_t nMid = (nLow + nHigh) / 2;
                if (arrCuts[nMid] == 0 || state.x + fnWidth(arrCuts[nMid]) < state.nRight) nHigh = nMid;
                else nLow = nMid + 1;
            }
            nFitChars = arrCuts[nLow];
        }

        // Character fallback, only on a line that is still empty: as many whole characters as fit with
        // x + width <= R, and always the first.
        if (nFitChars == 0 && state.nStartLineAtom == m_arrAtoms.size()) {
            size_t nLow = 1, nHigh = nChars;
            while (nLow < nHigh) {
                size_t nMid = nLow + (nHigh - nLow + 1) / 2;
                if (state.x + fnWidth(nMid) <= state.nRight) nLow = nMid;
                else nHigh = nMid - 1;
            }
            nFitChars = nLow;
        }

        if (nFitChars > 0) {
            size_t nBytes = arrBounds[nFitChars];
            HtmlSize size = dc.GetTextExtent(s.data(), nBytes);
            auto pPiece = std::make_unique<CHTMLAtom>(atom);
            pPiece->m_strText = s.substr(0, nBytes);
            pPiece->m_rect.left = ClampToInt32(state.x);
            pPiece->m_rect.top = ClampToInt32(state.nY);
            pPiece->m_rect.right = ClampToInt32(state.x + size.cx);
            pPiece->m_rect.bottom = ClampToInt32(state.nY + size.cy);
            pPiece->m_nAscent = dc.GetAscent();
            pPiece->m_nLine = state.nLine;
            state.x = pPiece->m_rect.right;
            state.nLineAscent = std::max(state.nLineAscent, pPiece->m_nAscent);
            if (!pPiece->m_strURL.empty()) m_arrLinks.push_back(pPiece.get());
            m_arrAtoms.push_back(std::move(pPiece));
            s.erase(0, nBytes);
        }

        if (isWrapping) {
            AlignBaselines(state);
            EndLine(dc, state);
            state.x = state.nLeft;
            size_t nSpaces = 0;
            while (nSpaces < s.size() && mbcs::IsSpace(s[nSpaces])) ++nSpaces;
            s.erase(0, nSpaces);
            ++state.nLine;
        }
    }
}

void CHTMLDrawer::AlignBaselines(WrapState& state) {
    for (size_t i = state.nStartLineAtom; i < m_arrAtoms.size(); ++i) {
        CHTMLAtom& atom = *m_arrAtoms[i];
        if (atom.m_nAscent == state.nLineAscent) continue;
        long long nShift = static_cast<long long>(state.nLineAscent) - atom.m_nAscent;
        atom.m_rect.top = ClampToInt32(atom.m_rect.top + nShift);
        atom.m_rect.bottom = ClampToInt32(atom.m_rect.bottom + nShift);
    }
}

void CHTMLDrawer::EndLine(CHTMLDevice& dc, WrapState& state) {
    if (state.nStartLineAtom == m_arrAtoms.size()) {
        HtmlSize size = dc.GetTextExtent(" ", 1);
        auto pBlank = std::make_unique<CHTMLAtom>();
        pBlank->m_strText = " ";
        pBlank->m_rect.left = 0;
        pBlank->m_rect.top = ClampToInt32(state.nY);
        pBlank->m_rect.right = size.cx;
        pBlank->m_rect.bottom = ClampToInt32(state.nY + size.cy);
        state.nY = static_cast<long long>(pBlank->m_rect.bottom) + 1;
        m_arrAtoms.push_back(std::move(pBlank));
    } else {
        long long nBottom = state.nY;
        for (size_t i = state.nStartLineAtom; i < m_arrAtoms.size(); ++i) {
            nBottom = std::max<long long>(nBottom, m_arrAtoms[i]->m_rect.bottom);
        }
        state.nY = nBottom + 1;
    }
    state.nStartLineAtom = m_arrAtoms.size();
}

void CHTMLDrawer::AlignLines(long long nOffsetY, long long nRight) {
    long long nOffsetX = 0;
    for (size_t i = 0; i < m_arrAtoms.size(); ++i) {
        CHTMLAtom& atom = *m_arrAtoms[i];
        if (i == 0 || atom.m_nLine != m_arrAtoms[i - 1]->m_nLine) {
            nOffsetX = 0;
            if (atom.m_nAlignment != kAlignLeft) {
                size_t nLast = i;
                while (nLast + 1 < m_arrAtoms.size() && m_arrAtoms[nLast + 1]->m_nLine == atom.m_nLine) ++nLast;
                long long nEnd = m_arrAtoms[nLast]->m_rect.right;
                nOffsetX = atom.m_nAlignment == kAlignCenter ? (nRight - nEnd) / 2 : nRight - nEnd - 1;
            }
        }
        atom.m_rect.left = ClampToInt32(atom.m_rect.left + nOffsetX);
        atom.m_rect.right = ClampToInt32(atom.m_rect.right + nOffsetX);
        atom.m_rect.top = ClampToInt32(atom.m_rect.top + nOffsetY);
        atom.m_rect.bottom = ClampToInt32(atom.m_rect.bottom + nOffsetY);
    }
}

void CHTMLDrawer::Draw(CHTMLDevice& dc, HtmlColor crHover, std::uint8_t bHoverUnderline,
                       const HtmlColorScheme& scheme) {
    dc.SetTransparentMode();
    if (m_arrAtoms.empty()) return;
    CFontSelection selection(dc);
    HtmlColor rgbOldColor = 0;
    bool isFirst = true;
    for (const auto& pAtom : m_arrAtoms) {
        CHTMLFont fnt = pAtom->m_font;
        HtmlColor crRun = HtmlRunColor(fnt, !pAtom->m_strURL.empty(), scheme);
        if (pAtom->m_bHot) {
            crRun = scheme.bHighContrast ? scheme.crLink : crHover;
            fnt.m_bUnderline = bHoverUnderline;
        }
        selection.Select(fnt);
        HtmlColor rgbPrevious = dc.SetTextColor(crRun);
        if (isFirst) rgbOldColor = rgbPrevious;
        isFirst = false;
        dc.DrawRun(pAtom->m_strText, pAtom->m_rect);
    }
    dc.SetTextColor(rgbOldColor);
}

bool CHTMLDrawer::HitTestLink(std::int32_t x, std::int32_t y, CHTMLAtom** ppAtom) const {
    for (CHTMLAtom* pLink : m_arrLinks) {
        if (pLink->m_rect.Contains(x, y)) {
            if (ppAtom) *ppAtom = pLink;
            return true;
        }
    }
    return false;
}

bool CHTMLDrawer::SetHotLink(const CHTMLAtom* pAtom, HtmlRect& rctChanged) {
    bool isChanged = false;
    for (CHTMLAtom* pLink : m_arrLinks) {
        std::uint8_t bHot = pLink == pAtom ? 1 : 0;
        if (pLink->m_bHot == bHot) continue;
        pLink->m_bHot = bHot;
        isChanged = true;
        const HtmlRect& rct = pLink->m_rect;
        if (rct.IsEmpty()) continue;
        if (rctChanged.IsEmpty()) {
            rctChanged = rct;
        } else {
            rctChanged.left = std::min(rctChanged.left, rct.left);
            rctChanged.top = std::min(rctChanged.top, rct.top);
            rctChanged.right = std::max(rctChanged.right, rct.right);
            rctChanged.bottom = std::max(rctChanged.bottom, rct.bottom);
        }
    }
    return isChanged;
}
