#include "htmllabel/html_parser.h"

#include "htmllabel/html_colors.h"
#include "util/mbcs.h"
#include "util/numbers.h"

#include <climits>
#include <cstdio>

namespace {

void ApplyFontSize(CHTMLFont& fnt, const std::string& strValue) {
    std::int32_t nCurrent = fnt.m_nHtmlSize;
    long long nNew;
    if (strValue[0] == '+') nNew = static_cast<long long>(nCurrent) + ParseHtmlInt(strValue.substr(1));
    else if (strValue[0] == '-') nNew = static_cast<long long>(nCurrent) - ParseHtmlInt(strValue.substr(1));
    else nNew = ParseHtmlInt(strValue);
    fnt.m_nHtmlSize = ClampToInt32(nNew);
    fnt.m_dPointSize = HtmlSizeFactor(fnt.m_nHtmlSize) * (fnt.m_dPointSize / HtmlSizeFactor(nCurrent));
}

void ApplyFontColor(CHTMLFont& fnt, std::string strValue) {
    if (const char* pszNamed = LookupHtmlColor(strValue)) strValue = pszNamed;
    if (strValue[0] != '#') return;
    strValue.erase(0, 1);
    if (strValue.size() < 6) strValue = std::string(6 - strValue.size(), '0') + strValue;
    std::uint32_t nRed = HexToInt(strValue.substr(0, 2));
    std::uint32_t nGreen = HexToInt(strValue.substr(2, 2));
    std::uint32_t nBlue = HexToInt(strValue.substr(4, 2));
    fnt.m_crColor = nRed + nGreen * 256 + nBlue * 65536;
    fnt.m_bColorSet = 1;
}

void ApplyFontAttributes(CHTMLFont& fnt, const std::string& strAttributes) {
    std::vector<std::string> arrNames, arrValues;
    SplitAttributes(strAttributes, arrNames, arrValues);
    for (size_t i = 0; i < arrNames.size(); ++i) {
        const std::string& strValue = arrValues[i];
        if (strValue.empty()) continue;
        if (mbcs::EqualNoCase(arrNames[i], "face")) fnt.m_strFace = strValue;
        else if (mbcs::EqualNoCase(arrNames[i], "size")) ApplyFontSize(fnt, strValue);
        else if (mbcs::EqualNoCase(arrNames[i], "color")) ApplyFontColor(fnt, strValue);
    }
}

// Text after the first nSkip characters of the tag, or nothing when the tag is not longer than that.
std::string AttributeText(const std::string& strTag, size_t nSkip) {
    return strTag.size() > nSkip ? strTag.substr(nSkip) : std::string();
}

}  // namespace

std::uint32_t HexToInt(const std::string& strHex) {
    std::string str = mbcs::Trim(strHex);
    std::uint32_t nValue = 0, nWeight = 1;
    for (size_t i = str.size(); i-- > 0;) {
        char c = str[i];
        std::uint32_t nDigit = 0;
        if (c >= '0' && c <= '9') nDigit = static_cast<std::uint32_t>(c - '0');
        else if (c >= 'A' && c <= 'F') nDigit = static_cast<std::uint32_t>(c - 'A' + 10);
        else if (c >= 'a' && c <= 'f') nDigit = static_cast<std::uint32_t>(c - 'a' + 10);
        nValue += nDigit * nWeight;
        nWeight *= 16;
    }
    return nValue;
}

std::int32_t ParseHtmlInt(const std::string& strValue) {
    size_t i = 0, n = strValue.size();
    while (i < n && (strValue[i] == ' ' || strValue[i] == '\t')) ++i;
    bool isNegative = false;
    if (i < n && (strValue[i] == '+' || strValue[i] == '-')) isNegative = strValue[i++] == '-';
    size_t nDigitsBegin = i;
    long long nValue = 0;
    for (; i < n && strValue[i] >= '0' && strValue[i] <= '9'; ++i) {
        if (nValue <= INT32_MAX) nValue = nValue * 10 + (strValue[i] - '0');  // stays clear of overflow
    }
    if (i == nDigitsBegin) return 0;
    for (; i < n; ++i) {
        if (strValue[i] != ' ' && strValue[i] != '\t') return 0;
    }
    return ClampToInt32(isNegative ? -nValue : nValue);
}

double HtmlSizeFactor(std::int32_t nSize) {
    switch (nSize) {
    case 1: return 0.625;
    case 2: return 0.8;
    case 3: return 1.0;
    case 4: return 1.125;
    case 5: return 1.5;
    case 6: return 2.0;
    case 7: return 3.0;
    default: return nSize > 7 ? static_cast<double>(nSize) / 7.0 * 3.0 : 1.0;
    }
}

void SplitAttributes(const std::string& strAttributes, std::vector<std::string>& arrNames,
                     std::vector<std::string>& arrValues) {
    std::string strRest = strAttributes;
    for (;;) {
        size_t nEquals = strRest.find('=');
        if (nEquals == std::string::npos) break;
        std::string strName = mbcs::Trim(strRest.substr(0, nEquals));
        size_t nValue = nEquals + 1;
        while (nValue < strRest.size() && strRest[nValue] == ' ') ++nValue;
        strRest.erase(0, nValue);
        std::string strValue;
        if (!strRest.empty() && strRest[0] == '"') {
            size_t nClose = strRest.find('"', 1);
            if (nClose != std::string::npos) {
                strValue = strRest.substr(1, nClose - 1);
                strRest.erase(0, nClose + 1);
            }
            // Without a closing quote the value is empty and the quote stays; the next round still
            // makes progress because this round's '=' is gone.
        } else {
            size_t nBlank = strRest.find(' ');
            if (nBlank != std::string::npos) {
                strValue = strRest.substr(0, nBlank);
                strRest.erase(0, nBlank + 1);
            } else {
                strValue = strRest;
                strRest.clear();
            }
        }
        arrNames.push_back(strName);
        arrValues.push_back(strValue);
    }
}

bool AddTextAtom(CHTMLAtomList& arrAtoms, const std::string& strText, const CHTMLFont& fnt,
                 std::uint16_t nAlignment, const std::string& strURL) {
    if (strText.empty()) return false;

    // Each entity is replaced and the search begins again at the start of the text. The text before the
    // replaced entity holds no '&', so starting again at the replacement gives the same result in one
    // pass: an '&' made from "amp" is examined again with the next ';' after it.
    std::string strDecoded;
    strDecoded.reserve(strText.size());
    size_t i = 0;
    bool isPendingAmpersand = false;  // an '&' from "amp" that starts the next candidate entity
    for (;;) {
        size_t nNameBegin;
        if (isPendingAmpersand) {
            nNameBegin = i;
        } else {
            size_t nAmpersand = strText.find('&', i);
            if (nAmpersand == std::string::npos) break;
            strDecoded.append(strText, i, nAmpersand - i);
            i = nAmpersand;
            nNameBegin = nAmpersand + 1;
        }
        size_t nSemicolon = strText.find(';', nNameBegin);
        if (nSemicolon == std::string::npos) break;
        std::string strName = strText.substr(nNameBegin, nSemicolon - nNameBegin);
        i = nSemicolon + 1;
        isPendingAmpersand = false;
        if (mbcs::EqualNoCase(strName, "quot")) strDecoded += '"';
        else if (mbcs::EqualNoCase(strName, "lt")) strDecoded += '<';
        else if (mbcs::EqualNoCase(strName, "gt")) strDecoded += '>';
        else if (mbcs::EqualNoCase(strName, "amp")) isPendingAmpersand = true;
    }
    if (isPendingAmpersand) strDecoded += '&';
    strDecoded.append(strText, i, std::string::npos);

    auto pAtom = std::make_unique<CHTMLAtom>();
    pAtom->m_strText = strDecoded;
    pAtom->m_font = fnt;
    pAtom->m_nAlignment = nAlignment;
    pAtom->m_strURL = strURL;
    arrAtoms.push_back(std::move(pAtom));
    return true;
}

void ProcessHTMLTag(const std::string& strRawTag, CHTMLFont& fntCurrent, CHTMLFontStack& arrFontStack,
                    bool& isNewLine, std::uint16_t& nAlignment, std::uint16_t nDefaultAlignment,
                    bool isAtLineStart, std::string& strURL) {
    std::string strTag = mbcs::Trim(strRawTag);
    if (mbcs::EqualNoCase(strTag, "b") || mbcs::EqualNoCase(strTag, "strong")) {
        fntCurrent.m_bBold = 1;
    } else if (mbcs::EqualNoCase(strTag, "/b") || mbcs::EqualNoCase(strTag, "/strong")) {
        fntCurrent.m_bBold = 0;
    } else if (mbcs::EqualNoCase(strTag, "i") || mbcs::EqualNoCase(strTag, "em")) {
        fntCurrent.m_bItalic = 1;
    } else if (mbcs::EqualNoCase(strTag, "/i") || mbcs::EqualNoCase(strTag, "/em")) {
        fntCurrent.m_bItalic = 0;
    } else if (mbcs::EqualNoCase(strTag, "u")) {
        fntCurrent.m_bUnderline = 1;
    } else if (mbcs::EqualNoCase(strTag, "/u")) {
        fntCurrent.m_bUnderline = 0;
    } else if (mbcs::EqualNoCase(strTag, "br")) {
        isNewLine = true;
    } else if (mbcs::StartsWithNoCase(strTag, "p")) {
        if (!isAtLineStart) isNewLine = true;
        std::vector<std::string> arrNames, arrValues;
        SplitAttributes(AttributeText(strTag, 2), arrNames, arrValues);
        for (size_t i = 0; i < arrNames.size(); ++i) {
            if (!mbcs::EqualNoCase(arrNames[i], "align")) continue;
            if (mbcs::EqualNoCase(arrValues[i], "left")) nAlignment = kAlignLeft;
            else if (mbcs::EqualNoCase(arrValues[i], "center")) nAlignment = kAlignCenter;
            else if (mbcs::EqualNoCase(arrValues[i], "right")) nAlignment = kAlignRight;
        }
    } else if (mbcs::EqualNoCase(strTag, "/p")) {
        if (!isAtLineStart) isNewLine = true;
        nAlignment = nDefaultAlignment;
    } else if (mbcs::EqualNoCase(strTag, "center")) {
        if (!isAtLineStart) isNewLine = true;
        nAlignment = kAlignCenter;
    } else if (mbcs::EqualNoCase(strTag, "/center")) {
        if (!isAtLineStart) isNewLine = true;
        nAlignment = nDefaultAlignment;
    } else if (mbcs::StartsWithNoCase(strTag, "a")) {
        std::vector<std::string> arrNames, arrValues;
        SplitAttributes(AttributeText(strTag, 2), arrNames, arrValues);
        for (size_t i = 0; i < arrNames.size(); ++i) {
            if (mbcs::EqualNoCase(arrNames[i], "href")) strURL = arrValues[i];
        }
    } else if (mbcs::StartsWithNoCase(strTag, "/a")) {
        strURL.clear();
    } else if (mbcs::StartsWithNoCase(strTag, "font")) {
        arrFontStack.push_back(std::make_unique<CHTMLFont>(fntCurrent));
        ApplyFontAttributes(fntCurrent, AttributeText(strTag, 4));
    } else if (mbcs::StartsWithNoCase(strTag, "/font")) {
        if (!arrFontStack.empty()) {
            fntCurrent = *arrFontStack.back();
            arrFontStack.pop_back();
        }
    }
}

void ParseHTML(const std::string& strHtml, const CHTMLFont& fntBase, CHTMLAtomList& arrAtoms,
               std::uint16_t nDefaultAlignment) {
    CHTMLFont fntCurrent = fntBase;
    CHTMLFontStack arrFontStack;
    std::uint16_t nAlignment = nDefaultAlignment;
    std::string strURL;
    bool isAtLineStart = true;
    bool isNewLine = false;

    size_t nPos = 0;  // the working text is strHtml from here on
    for (;;) {
        size_t nOpen = strHtml.find('<', nPos);
        if (nOpen == std::string::npos) break;
        size_t nClose = strHtml.find('>', nOpen);
        if (nClose == std::string::npos) break;
        if (AddTextAtom(arrAtoms, strHtml.substr(nPos, nOpen - nPos), fntCurrent, nAlignment, strURL)) {
            isAtLineStart = false;
        }
        isNewLine = false;
        ProcessHTMLTag(strHtml.substr(nOpen + 1, nClose - nOpen - 1), fntCurrent, arrFontStack, isNewLine,
                       nAlignment, nDefaultAlignment, isAtLineStart, strURL);
        nPos = nClose + 1;
        if (isNewLine) {
            AddTextAtom(arrAtoms, "\r\n", fntCurrent, nAlignment, strURL);
            isAtLineStart = true;
        }
    }
    if (nPos < strHtml.size()) AddTextAtom(arrAtoms, strHtml.substr(nPos), fntCurrent, nAlignment, strURL);
    // arrFontStack releases the fonts of unclosed font tags.
}

std::string HtmlPlainText(const std::string& strHtml) {
    CHTMLAtomList arrAtoms;
    ParseHTML(strHtml, CHTMLFont(), arrAtoms, kAlignLeft);
    std::string strText;
    for (const auto& pAtom : arrAtoms) strText += pAtom->m_strText;
    const char kBlanks[] = " \t\r\n";
    const size_t nFirst = strText.find_first_not_of(kBlanks);
    if (nFirst == std::string::npos) return std::string();
    return strText.substr(nFirst, strText.find_last_not_of(kBlanks) - nFirst + 1);
}
