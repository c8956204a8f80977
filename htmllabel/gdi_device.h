// CHTMLGdiDevice: the drawer's device over a GDI device context (Win32).
#pragma once

#include "htmllabel/html_device.h"

#include <windows.h>

class CHTMLGdiDevice : public CHTMLDevice {
public:
    // hDC stays the caller's; it may be null, which only measures nothing and draws nothing.
    explicit CHTMLGdiDevice(HDC hDC) : m_hDC(hDC) {}

    // LOGPIXELSY of the device context; 90 without a device context.
    int GetLogPixelsY() override;
    // CreateFontA with the given height, width/escapement/orientation 0, weight 700 or 400, the font's
    // italic and underline flags, no strike-out, its character set, and precisions, quality and
    // pitch-and-family 0.
    HtmlFontHandle RealiseFont(const CHTMLFont& fnt, int nHeight) override;
    HtmlFontHandle SelectFont(HtmlFontHandle hFont) override;
    void DeleteFont(HtmlFontHandle hFont) override;
    HtmlSize GetTextExtent(const char* pText, size_t nLength) override;
    int GetAscent() override;
    HtmlColor SetTextColor(HtmlColor cr) override;
    void SetTransparentMode() override;
    // DrawTextA with DT_SINGLELINE | DT_NOPREFIX.
    void DrawRun(const std::string& strText, const HtmlRect& rct) override;

private:
    HDC m_hDC;
};
