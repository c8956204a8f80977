#include "setup/core/ini_rules.h"

#include "util/mbcs.h"

#include <cstdio>

const char kQuobbinHome[] = "http://www.quobbin.example/";
const char kTessalyHome[] = "http://www.tessaly.example/";

std::string FormatIniInteger(int32_t nValue, int nBase) {
    char szText[40];
    const uint32_t nBits = static_cast<uint32_t>(nValue);
    switch (nBase) {
    case 2: {
        std::string strDigits;
        for (uint32_t n = nBits; n != 0; n >>= 1) strDigits.insert(strDigits.begin(), static_cast<char>('0' + (n & 1)));
        return strDigits.empty() ? "0" : strDigits;
    }
    case 8: snprintf(szText, sizeof szText, "%o", static_cast<unsigned>(nBits)); break;
    case 16: snprintf(szText, sizeof szText, "%X", static_cast<unsigned>(nBits)); break;
    default: snprintf(szText, sizeof szText, "%d", static_cast<int>(nValue)); break;
    }
    return szText;
}

int32_t ParseIniInteger(const std::string& strText, int32_t nDefault, int nBase) {
    if (strText.empty()) return nDefault;
    if (nBase != 2 && nBase != 8 && nBase != 16) nBase = 10;
    size_t i = 0;
    while (i < strText.size() && mbcs::IsSpace(strText[i])) ++i;
    bool bNegative = false;
    if (i < strText.size() && (strText[i] == '+' || strText[i] == '-')) bNegative = strText[i++] == '-';
    if (nBase == 16 && i + 1 < strText.size() && strText[i] == '0' && (strText[i + 1] == 'x' || strText[i + 1] == 'X'))
        i += 2;
    // Unsigned arithmetic wraps; only the low 32 bits count, as for a 32-bit result of an unsigned read.
    uint32_t nValue = 0;
    for (; i < strText.size(); ++i) {
        char c = strText[i];
        int nDigit = (c >= '0' && c <= '9') ? c - '0'
                     : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                     : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                              : 99;
        if (nDigit >= nBase) break;
        nValue = nValue * static_cast<uint32_t>(nBase) + static_cast<uint32_t>(nDigit);
    }
    if (bNegative) nValue = 0u - nValue;
    return static_cast<int32_t>(nValue);
}

int ClassifyServerList(const std::string& strServerListFileName) {
    if (mbcs::EqualNoCase(strServerListFileName, "SvrLst.cfg")) return 1;
    if (mbcs::EqualNoCase(strServerListFileName, "SvrLstTessly.cfg")) return 2;
    if (mbcs::EqualNoCase(strServerListFileName, "SvrLstQuobbTessly.cfg")) return 3;
    return -1;
}

ServerListWrites DecideServerListWrites(Edition edition, const std::string& strBrelHome,
                                        const std::string& strServerListFileName) {
    ServerListWrites writes;
    const int nKind = ClassifyServerList(strServerListFileName);
    switch (edition) {
    case Edition::Quobbin:
        if (nKind == -1) writes.strServerListFileName = "SvrLst.cfg";
        if (nKind == 2) writes.strServerListFileName = "SvrLstQuobbTessly.cfg";
        writes.strHome = kQuobbinHome;
        break;
    case Edition::Tessaly:
        if (nKind == -1) writes.strServerListFileName = strBrelHome.empty() ? "SvrLstTessly.cfg" : "SvrLstQuobbTessly.cfg";
        if (nKind == 1) writes.strServerListFileName = "SvrLstQuobbTessly.cfg";
        writes.strHome = kTessalyHome;
        break;
    case Edition::Standard:
        writes.strServerListFileName = "SvrLstQuobbTessly.cfg";
        break;
    }
    return writes;
}
