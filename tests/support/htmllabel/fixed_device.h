// A device with fixed metrics for layout tests, so that every rectangle is an exact number.
//
// A font realised with height h (negative em height, as font creation takes it) measures e = |h|:
// every byte is e / 2 pixels wide (a double-byte character therefore twice that), a line is e + 2
// high, and the ascent is e. At 96 dots per inch a 10-point font is 13: 6 wide, 15 high, ascent 13;
// 15 points are 20: 10 wide, 22 high, ascent 20; 11.25 points are 15: 7 wide, 17 high, ascent 15.
//
// The device records what is done with it: fonts realised, selected and deleted, text colours, runs
// drawn, and how often text was measured.
#pragma once

#include "htmllabel/html_device.h"

#include <climits>
#include <cstdlib>
#include <string>
#include <vector>

class CFixedMetricDevice : public CHTMLDevice {
public:
    // The font the device had selected before anyone used it.
    static constexpr HtmlFontHandle kDeviceFont = 0xF0F0;
    static constexpr HtmlColor kDeviceColor = 0x00123456;

    struct RealisedFont {
        CHTMLFont fnt;
        int nHeight;
        bool isDeleted;
    };
    struct DrawnRun {
        std::string strText;
        HtmlRect rct;
        HtmlColor crText;
        CHTMLFont fnt;
        int nHeight;
    };

    int nLogPixelsY = 96;
    std::vector<RealisedFont> arrFonts;  // handle = index + 1
    HtmlFontHandle hSelected = kDeviceFont;
    HtmlColor crText = kDeviceColor;
    bool isTransparent = false;
    std::vector<DrawnRun> arrDrawn;
    long long nExtentCalls = 0;
    int nBadCalls = 0;  // selecting or deleting a font that is no longer there, deleting a selected one

    int GetLogPixelsY() override { return nLogPixelsY; }

    HtmlFontHandle RealiseFont(const CHTMLFont& fnt, int nHeight) override {
        arrFonts.push_back({fnt, nHeight, false});
        return arrFonts.size();
    }

    HtmlFontHandle SelectFont(HtmlFontHandle hFont) override {
        if (hFont != kDeviceFont && (hFont == 0 || hFont > arrFonts.size() || arrFonts[hFont - 1].isDeleted)) {
            ++nBadCalls;
        }
        HtmlFontHandle hPrevious = hSelected;
        hSelected = hFont;
        return hPrevious;
    }

    void DeleteFont(HtmlFontHandle hFont) override {
        if (hFont == 0 || hFont > arrFonts.size() || arrFonts[hFont - 1].isDeleted || hFont == hSelected) {
            ++nBadCalls;
            return;
        }
        arrFonts[hFont - 1].isDeleted = true;
    }

    // e of the selected font; the device's own font is a 10-point one.
    int Em() const {
        if (hSelected == kDeviceFont || hSelected == 0 || hSelected > arrFonts.size()) return 13;
        return std::abs(arrFonts[hSelected - 1].nHeight);
    }

    HtmlSize GetTextExtent(const char*, size_t nLength) override {
        ++nExtentCalls;
        long long nWidth = static_cast<long long>(nLength) * (Em() / 2);
        HtmlSize size;
        size.cx = nWidth > INT_MAX ? INT_MAX : static_cast<std::int32_t>(nWidth);
        size.cy = Em() + 2;
        return size;
    }

    int GetAscent() override { return Em(); }

    HtmlColor SetTextColor(HtmlColor cr) override {
        HtmlColor crPrevious = crText;
        crText = cr;
        return crPrevious;
    }

    void SetTransparentMode() override { isTransparent = true; }

    void DrawRun(const std::string& strText, const HtmlRect& rct) override {
        CHTMLFont fnt;
        int nHeight = 0;
        if (hSelected != kDeviceFont && hSelected != 0 && hSelected <= arrFonts.size()) {
            fnt = arrFonts[hSelected - 1].fnt;
            nHeight = arrFonts[hSelected - 1].nHeight;
        }
        arrDrawn.push_back({strText, rct, crText, fnt, nHeight});
    }

    int LiveFonts() const {
        int n = 0;
        for (const RealisedFont& font : arrFonts) n += font.isDeleted ? 0 : 1;
        return n;
    }
};
