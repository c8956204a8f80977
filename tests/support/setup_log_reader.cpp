#include "tests/support/setup_log_reader.h"

#include "tests/support/files.h"

#include <windows.h>

#include <cstdlib>

namespace lqtest {

std::string SetupLogPath() {
    const char* sz = getenv("LQ_SETUP_LOG");
    return sz ? sz : "";
}

std::string SetupLogSwitch() {
    const std::string strPath = SetupLogPath();
    if (strPath.empty()) return "";
    // The folder must be there: the setup program never creates one for its log.
    const size_t nSlash = strPath.rfind('\\');
    if (nSlash != std::string::npos && nSlash > 2) MakeFolders(strPath.substr(0, nSlash));
    // As a user types a path with blanks; the runtime takes the quotes away.
    return strPath.find(' ') == std::string::npos ? " /LOG=" + strPath : " /LOG=\"" + strPath + "\"";
}

namespace {

std::string Utf8ToAnsi(const std::string& strUtf8) {
    if (strUtf8.empty()) return strUtf8;
    const int nWide = MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(nWide), L'\0');
    MultiByteToWideChar(CP_UTF8, 0, strUtf8.data(), static_cast<int>(strUtf8.size()), &wide[0], nWide);
    const int nAnsi = WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    std::string strAnsi(static_cast<size_t>(nAnsi), '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), nWide, &strAnsi[0], nAnsi, nullptr, nullptr);
    return strAnsi;
}

}  // namespace

std::vector<std::string> SetupLogLines(const std::string& strPath) {
    std::string strText = ReadFileBytes(strPath);
    if (strText.compare(0, 3, "\xEF\xBB\xBF") == 0) strText.erase(0, 3);
    std::vector<std::string> arrLines;
    size_t nPos = 0;
    while (nPos < strText.size()) {
        size_t nEnd = strText.find("\r\n", nPos);
        if (nEnd == std::string::npos) nEnd = strText.size();
        std::string strLine = strText.substr(nPos, nEnd - nPos);
        // "YYYY-MM-DD hh:mm:ss.mmm " is 24 characters.
        arrLines.push_back(Utf8ToAnsi(strLine.size() > 24 ? strLine.substr(24) : strLine));
        nPos = nEnd + 2;
    }
    return arrLines;
}

bool IsWellFormedSetupLog(const std::string& strPath) {
    const std::string strText = ReadFileBytes(strPath);
    if (strText.compare(0, 3, "\xEF\xBB\xBF") != 0) return false;
    if (strText.size() < 5 || strText.compare(strText.size() - 2, 2, "\r\n") != 0) return false;
    for (size_t i = 0; i < strText.size(); ++i) {
        if (strText[i] == '\n' && (i == 0 || strText[i - 1] != '\r')) return false;
        if (strText[i] == '\r' && (i + 1 >= strText.size() || strText[i + 1] != '\n')) return false;
    }
    return true;
}

std::vector<std::string> LinesWith(const std::vector<std::string>& arrLines, const std::string& strPart) {
    std::vector<std::string> arrFound;
    for (const std::string& strLine : arrLines)
        if (strLine.find(strPart) != std::string::npos) arrFound.push_back(strLine);
    return arrFound;
}

std::string SystemErrorMessage(unsigned long dwError) {
    char* pBuffer = nullptr;
    const DWORD nLength = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                             FORMAT_MESSAGE_IGNORE_INSERTS,
                                         nullptr, dwError, 0, reinterpret_cast<char*>(&pBuffer), 0, nullptr);
    std::string strMessage = nLength && pBuffer ? std::string(pBuffer, nLength) : std::string();
    if (pBuffer) LocalFree(pBuffer);
    while (!strMessage.empty() && (strMessage.back() == '\r' || strMessage.back() == '\n' || strMessage.back() == ' '))
        strMessage.pop_back();
    return strMessage;
}

}  // namespace lqtest
