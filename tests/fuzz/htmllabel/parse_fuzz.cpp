// ParseHTML on any bytes: no crash, no hang, no sanitizer report, and runs that make sense.
#include "htmllabel/html_colors.h"
#include "htmllabel/html_parser.h"

#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* pData, size_t nSize) {
    if (nSize == 0) return 0;
    std::uint16_t nDefaultAlignment = static_cast<std::uint16_t>(pData[0] % 3);
    std::string strHtml(reinterpret_cast<const char*>(pData + 1), nSize - 1);
    CHTMLAtomList arrAtoms;
    ParseHTML(strHtml, CHTMLFont(), arrAtoms, nDefaultAlignment);

    size_t nTextBytes = 0;
    for (const auto& pAtom : arrAtoms) {
        if (pAtom->m_nAlignment > 2) __builtin_trap();
        if (std::isnan(pAtom->m_font.m_dPointSize)) __builtin_trap();
        if (pAtom->m_strText != "\r\n") nTextBytes += pAtom->m_strText.size();
    }
    // Decoding only ever shortens text, and tags are never shown.
    if (nTextBytes > strHtml.size()) __builtin_trap();

    std::vector<std::string> arrNames, arrValues;
    SplitAttributes(strHtml, arrNames, arrValues);
    if (arrNames.size() != arrValues.size()) __builtin_trap();
    HexToInt(strHtml);
    ParseHtmlInt(strHtml);
    LookupHtmlColor(strHtml);
    HtmlPlainText(strHtml);
    return 0;
}
