#include "htmllabel/gdi_device.h"

#include <climits>

int CHTMLGdiDevice::GetLogPixelsY() { return m_hDC ? GetDeviceCaps(m_hDC, LOGPIXELSY) : 90; }

HtmlFontHandle CHTMLGdiDevice::RealiseFont(const CHTMLFont& fnt, int nHeight) {
    HFONT hFont = CreateFontA(nHeight, 0, 0, 0, fnt.m_bBold ? 700 : 400, fnt.m_bItalic, fnt.m_bUnderline, 0,
                              fnt.m_nCharSet, 0, 0, 0, 0, fnt.m_strFace.c_str());
    return reinterpret_cast<HtmlFontHandle>(hFont);
}

HtmlFontHandle CHTMLGdiDevice::SelectFont(HtmlFontHandle hFont) {
    if (!m_hDC || !hFont) return 0;
    return reinterpret_cast<HtmlFontHandle>(SelectObject(m_hDC, reinterpret_cast<HGDIOBJ>(hFont)));
}

void CHTMLGdiDevice::DeleteFont(HtmlFontHandle hFont) {
    if (hFont) DeleteObject(reinterpret_cast<HGDIOBJ>(hFont));
}

HtmlSize CHTMLGdiDevice::GetTextExtent(const char* pText, size_t nLength) {
    HtmlSize size;
    SIZE extent{};
    if (m_hDC && GetTextExtentPoint32A(m_hDC, pText, static_cast<int>(nLength > INT_MAX ? INT_MAX : nLength),
                                       &extent)) {
        size.cx = extent.cx;
        size.cy = extent.cy;
    }
    return size;
}

int CHTMLGdiDevice::GetAscent() {
    TEXTMETRICA tm{};
    if (!m_hDC || !GetTextMetricsA(m_hDC, &tm)) return 0;
    return tm.tmAscent;
}

HtmlColor CHTMLGdiDevice::SetTextColor(HtmlColor cr) { return m_hDC ? ::SetTextColor(m_hDC, cr) : 0; }

void CHTMLGdiDevice::SetTransparentMode() {
    if (m_hDC) SetBkMode(m_hDC, TRANSPARENT);
}

void CHTMLGdiDevice::DrawRun(const std::string& strText, const HtmlRect& rct) {
    if (!m_hDC) return;
    RECT rc{rct.left, rct.top, rct.right, rct.bottom};
    DrawTextA(m_hDC, strText.c_str(), static_cast<int>(strText.size()), &rc, DT_SINGLELINE | DT_NOPREFIX);
}
