#include "setup/discovery/discovery_text.h"

#include "util/mbcs.h"

float MajorVersionOf(const std::string& strText) {
    const std::string strMajor = strText.substr(0, strText.find('.'));
    size_t i = 0;
    while (i < strMajor.size() && (strMajor[i] == ' ' || (strMajor[i] >= '\t' && strMajor[i] <= '\r'))) ++i;
    bool bNegative = false;
    if (i < strMajor.size() && (strMajor[i] == '+' || strMajor[i] == '-')) bNegative = strMajor[i++] == '-';
    double dValue = 0;
    for (; i < strMajor.size() && strMajor[i] >= '0' && strMajor[i] <= '9'; ++i) {
        dValue = dValue * 10 + (strMajor[i] - '0');
        if (dValue > 1e30) dValue = 1e30;
    }
    return static_cast<float>(bNegative ? -dValue : dValue);
}

std::string LowerAscii(const std::string& strText) {
    std::string strLower = strText;
    for (size_t i = 0; i < strLower.size();) {
        size_t n = mbcs::CharLength(strLower, i);
        if (n == 1 && strLower[i] >= 'A' && strLower[i] <= 'Z') strLower[i] = static_cast<char>(strLower[i] + 32);
        i += n;
    }
    return strLower;
}

bool EndsWithBackslash(const std::string& strText) {
    bool bBackslash = false;
    for (size_t i = 0; i < strText.size();) {
        size_t n = mbcs::CharLength(strText, i);
        bBackslash = n == 1 && strText[i] == '\\';
        i += n;
    }
    return bBackslash;
}

std::string AppendFolderName(const std::string& strFolder, const std::string& strName) {
    return EndsWithBackslash(strFolder) ? strFolder + strName : strFolder + "\\" + strName;
}
