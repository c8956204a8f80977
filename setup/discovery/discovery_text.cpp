#include "setup/discovery/discovery_text.h"

#include "util/mbcs.h"

float MajorVersionOf(const std::string& strText) {
    const std::string strMajor = strText.substr(0, strText.find('.'));
    size_t i = 0;
    while (i < strMajor.size() && mbcs::IsSpace(strMajor[i])) ++i;
    bool bNegative = false;
    if (i < strMajor.size() && (strMajor[i] == '+' || strMajor[i] == '-')) bNegative = strMajor[i++] == '-';
    double dValue = 0;
    for (; i < strMajor.size() && strMajor[i] >= '0' && strMajor[i] <= '9'; ++i) {
        dValue = dValue * 10 + (strMajor[i] - '0');
        if (dValue > 1e30) dValue = 1e30;
    }
    return static_cast<float>(bNegative ? -dValue : dValue);
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
