#include "setup/core/setup_log.h"

#include "setup/core/log_text.h"
#include "util/proven_file.h"
#include "util/scoped_handles.h"

#include <cstdarg>
#include <cstdio>
#include <vector>

namespace {

struct OpenLog {
    ProvenFile file;
    std::string strSwitch;
};
OpenLog g_log;

// ANSI (the system code page) to UTF-8, through UTF-16. A text that cannot be converted is kept as it is:
// a line with a wrong character beats a line left out.
std::string AnsiToUtf8(const std::string& strAnsi) {
    if (strAnsi.empty()) return strAnsi;
    const int nWide = MultiByteToWideChar(CP_ACP, 0, strAnsi.data(), static_cast<int>(strAnsi.size()), nullptr, 0);
    if (nWide <= 0) return strAnsi;
    std::vector<wchar_t> wide(static_cast<size_t>(nWide));
    MultiByteToWideChar(CP_ACP, 0, strAnsi.data(), static_cast<int>(strAnsi.size()), wide.data(), nWide);
    const int nUtf8 = WideCharToMultiByte(CP_UTF8, 0, wide.data(), nWide, nullptr, 0, nullptr, nullptr);
    if (nUtf8 <= 0) return strAnsi;
    std::string strUtf8(static_cast<size_t>(nUtf8), '\0');
    WideCharToMultiByte(CP_UTF8, 0, wide.data(), nWide, &strUtf8[0], nUtf8, nullptr, nullptr);
    return strUtf8;
}

void Append(const std::string& strBytes) {
    DWORD dwWritten = 0;
    // With FILE_APPEND_DATA every write lands at the end, also when another run appends at the same time.
    WriteFile(g_log.file.Handle(), strBytes.data(), static_cast<DWORD>(strBytes.size()), &dwWritten, nullptr);
}

std::string SystemMessage(DWORD dwCode) {
    char* pBuffer = nullptr;
    const DWORD nLength = FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM |
                                             FORMAT_MESSAGE_IGNORE_INSERTS,
                                         nullptr, dwCode, 0, reinterpret_cast<char*>(&pBuffer), 0, nullptr);
    std::string strMessage = nLength && pBuffer ? std::string(pBuffer, nLength) : std::string();
    if (pBuffer) LocalFree(pBuffer);
    while (!strMessage.empty() && (strMessage.back() == '\r' || strMessage.back() == '\n' || strMessage.back() == ' '))
        strMessage.pop_back();
    return strMessage;
}

}  // namespace

bool OpenSetupLog(const std::string& strPath, bool bDefaultPlace) {
    CloseSetupLog();
    char szFull[MAX_PATH * 2] = {};
    const DWORD nFull = GetFullPathNameA(strPath.c_str(), sizeof szFull, szFull, nullptr);
    const std::string strFullPath = (nFull > 0 && nFull < sizeof szFull) ? std::string(szFull, nFull) : strPath;
    // Only the run that creates the file writes the byte-order mark. The place may be one every user can
    // write (the temporary folder of SYSTEM is): the file is proven, never appended to through a link.
    bool bNew = true;
    const DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    OpResult result = OpenProven(strFullPath, FILE_APPEND_DATA | SYNCHRONIZE, dwShare, CREATE_NEW, Proof::Write, g_log.file);
    if (result.status == OpStatus::Failed && result.dwError == ERROR_FILE_EXISTS) {
        bNew = false;
        result = OpenProven(strFullPath, FILE_APPEND_DATA | SYNCHRONIZE, dwShare, OPEN_EXISTING, Proof::Write, g_log.file);
    }
    if (!result.IsDone()) return false;
    if (bNew) Append(kUtf8ByteOrderMark);
    g_log.strSwitch = LogSwitchText(strFullPath, bDefaultPlace);
    return true;
}

void CloseSetupLog() {
    g_log.file.Close();
    g_log.strSwitch.clear();
}

bool IsSetupLogOpen() { return g_log.file.IsOpen(); }

std::string DefaultSetupLogPath() {
    char szFolder[MAX_PATH + 1] = {};
    const DWORD nLength = GetTempPathA(sizeof szFolder, szFolder);
    std::string strFolder = (nLength > 0 && nLength < sizeof szFolder) ? std::string(szFolder, nLength) : "C:\\";
    if (strFolder.back() != '\\') strFolder += '\\';
    return strFolder + "Letterquarry Setup.log";
}

void LogEvent(const char* szFormat, ...) {
    if (!IsSetupLogOpen()) return;
    va_list args;
    va_start(args, szFormat);
    va_list argsAgain;
    va_copy(argsAgain, args);
    const int nLength = std::vsnprintf(nullptr, 0, szFormat, args);
    va_end(args);
    std::string strText;
    if (nLength > 0) {
        strText.resize(static_cast<size_t>(nLength) + 1);
        std::vsnprintf(&strText[0], strText.size(), szFormat, argsAgain);
        strText.resize(static_cast<size_t>(nLength));
    }
    va_end(argsAgain);

    SYSTEMTIME now;
    GetLocalTime(&now);
    LogTime time;
    time.nYear = now.wYear;
    time.nMonth = now.wMonth;
    time.nDay = now.wDay;
    time.nHour = now.wHour;
    time.nMinute = now.wMinute;
    time.nSecond = now.wSecond;
    time.nMilliseconds = now.wMilliseconds;
    Append(AnsiToUtf8(FormatLogLine(time, strText)));
}

std::string DescribeError(DWORD dwError) {
    const std::string strMessage = SystemMessage(dwError);
    std::string strText = "error " + std::to_string(dwError);
    if (!strMessage.empty()) strText += " (" + strMessage + ")";
    return strText;
}

std::string DescribeResult(HRESULT hr) {
    char szCode[16];
    std::snprintf(szCode, sizeof szCode, "0x%08lX", static_cast<unsigned long>(hr));
    const std::string strMessage = SystemMessage(static_cast<DWORD>(hr));
    return strMessage.empty() ? std::string(szCode) : std::string(szCode) + " (" + strMessage + ")";
}

std::string DescribeResult(const OpResult& result) {
    switch (result.status) {
    case OpStatus::Done: return "done";
    case OpStatus::Refused: return "refused: " + result.strWhy;
    case OpStatus::InUse:
    case OpStatus::Failed: break;
    }
    return DescribeError(result.dwError);
}

std::string CommandWithLogSwitch(const std::string& strCommand) {
    return AppendLogSwitch(strCommand, IsSetupLogOpen() ? g_log.strSwitch : std::string());
}
