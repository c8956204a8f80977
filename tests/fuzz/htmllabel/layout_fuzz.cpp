// CHTMLDrawer::Layout, Draw and the link marks on any markup in any rectangle, on the fixed-metric
// device: no crash, no hang, no sanitizer report; every realised font released and the device's own
// font selected again; no run empty or cut inside a double-byte character.
#include "htmllabel/html_drawer.h"
#include "tests/support/htmllabel/fixed_device.h"
#include "util/mbcs.h"

#include <cstddef>
#include <cstdint>
#include <string>

namespace {
std::int32_t ReadInt16(const std::uint8_t* p) { return static_cast<std::int16_t>(p[0] | (p[1] << 8)); }
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, size_t nSize) {
    const size_t kHeader = 10;
    if (nSize < kHeader) return 0;
    HtmlRect rct;
    rct.left = ReadInt16(pData);
    rct.top = ReadInt16(pData + 2);
    rct.right = ReadInt16(pData + 4);
    rct.bottom = ReadInt16(pData + 6);
    CFixedMetricDevice dc;
    dc.nLogPixelsY = 1 + pData[8];
    std::uint16_t nDefaultAlignment = static_cast<std::uint16_t>(pData[9] % 3);
    std::string strHtml(reinterpret_cast<const char*>(pData + kHeader), nSize - kHeader);

    CHTMLDrawer drawer;
    drawer.Layout(dc, strHtml, CHTMLFont(), rct, nDefaultAlignment);
    for (const auto& pAtom : drawer.GetAtoms()) {
        const std::string& s = pAtom->m_strText;
        if (s.empty()) __builtin_trap();
        size_t i = 0;
        while (i < s.size()) i += mbcs::CharLength(s, i);
        if (i != s.size()) __builtin_trap();
    }

    CHTMLAtom* pLink = nullptr;
    HtmlRect rctChanged;
    for (const auto& pAtom : drawer.GetAtoms()) {
        if (drawer.HitTestLink(pAtom->m_rect.left, pAtom->m_rect.top, &pLink)) {
            drawer.SetHotLink(pLink, rctChanged);
            break;
        }
    }
    drawer.Draw(dc, 0x0000FF, 1);
    if (dc.arrDrawn.size() != drawer.GetAtoms().size()) __builtin_trap();
    drawer.SetHotLink(nullptr, rctChanged);

    if (dc.hSelected != CFixedMetricDevice::kDeviceFont || dc.LiveFonts() != 0 || dc.nBadCalls != 0) {
        __builtin_trap();
    }
    if (dc.crText != CFixedMetricDevice::kDeviceColor) __builtin_trap();
    return 0;
}
