#include "setup/record/uninstall_log.h"

#include "util/mbcs.h"

#include <climits>
#include <memory>

namespace {

const char kStartLine[] = "[UnInstall][E]";
const char kEndLine[] = "[UnInstall End][E]";
const char kRecordPrefix[] = "[R:";
const char kFieldEnd[] = "][E]";
// What "\r\n" through a text-mode stream puts on disk.
const char kLineEnd[] = "\r\r\n";

bool StartsWith(const std::string& strLine, const char* szPrefix) {
    return strLine.compare(0, std::char_traits<char>::length(szPrefix), szPrefix) == 0;
}

}  // namespace

std::string FormatUninstallLog(const HostFileList& arrItems) {
    std::string strLog;
    strLog += kStartLine;
    strLog += kLineEnd;
    for (const auto& pItem : arrItems) {
        if (!pItem || pItem->strName.empty()) continue;
        strLog += "[R:" + std::to_string(pItem->bRegister) + "][E],[U:" + std::to_string(pItem->bUnregister) +
                  "][E],[F:" + pItem->strName + "][E]";
        strLog += kLineEnd;
    }
    strLog += kEndLine;
    strLog += kLineEnd;
    return strLog;
}

HostFileList MergeWithPreviousLog(const HostFileList& arrThisRun, const HostFileList& arrPrevious,
                                  const std::function<bool(const std::string&)>& fnFileExists) {
    HostFileList arrMerged;
    auto copyOf = [](const HostFileEntry& entry) { return std::make_unique<HostFileEntry>(entry); };
    for (const auto& pItem : arrThisRun)
        if (pItem) arrMerged.push_back(copyOf(*pItem));
    for (const auto& pOld : arrPrevious) {
        if (!pOld || pOld->strName.empty()) continue;
        // Against everything taken so far: this run's records and the previous ones already carried over,
        // so that a record repeated in the previous log is carried over once.
        bool bTaken = false;
        for (const auto& pItem : arrMerged)
            if (mbcs::EqualNoCase(pItem->strName, pOld->strName)) bTaken = true;
        if (!bTaken && fnFileExists(pOld->strName)) arrMerged.push_back(copyOf(*pOld));
    }
    return arrMerged;
}

long ReadLogInteger(const std::string& strValue) {
    size_t i = 0;
    while (i < strValue.size() && mbcs::IsSpace(strValue[i])) ++i;
    bool bNegative = false;
    if (i < strValue.size() && (strValue[i] == '+' || strValue[i] == '-')) bNegative = strValue[i++] == '-';
    long nValue = 0;
    for (; i < strValue.size() && strValue[i] >= '0' && strValue[i] <= '9'; ++i) {
        int nDigit = strValue[i] - '0';
        if (nValue > (LONG_MAX - nDigit) / 10) {
            nValue = LONG_MAX;
            // Skip the rest of the digits; the value is out of range whatever they are.
            continue;
        }
        nValue = nValue * 10 + nDigit;
    }
    return bNegative ? -nValue : nValue;
}

std::string ExtractLogField(const std::string& strLine, const std::string& strOpen, const std::string& strClose) {
    // A line without the marker has no such field. (Counting from "not found" as if it were an index
    // would take a value from the wrong place of the line.)
    size_t nOpen = strLine.find(strOpen);
    if (nOpen == std::string::npos) return std::string();
    size_t nStart = nOpen + strOpen.size();
    size_t nEnd = strLine.find(strClose, nStart);
    if (nEnd == std::string::npos) return std::string();
    return mbcs::Trim(strLine.substr(nStart, nEnd - nStart));
}

namespace {

void ParseLine(const std::string& strLine, bool& bInSection, HostFileList& arrItems) {
    if (!bInSection) {
        bInSection = StartsWith(strLine, kStartLine);
        return;
    }
    if (StartsWith(strLine, kRecordPrefix)) {
        auto pEntry = std::make_unique<HostFileEntry>();
        pEntry->bRegister = ReadLogInteger(ExtractLogField(strLine, "[R:", kFieldEnd)) == 1 ? 1 : 0;
        pEntry->bUnregister = ReadLogInteger(ExtractLogField(strLine, "[U:", kFieldEnd)) == 1 ? 1 : 0;
        pEntry->strName = ExtractLogField(strLine, "[F:", kFieldEnd);
        arrItems.push_back(std::move(pEntry));
    } else if (StartsWith(strLine, kEndLine)) {
        bInSection = false;
    }
}

}  // namespace

void ParseUninstallLog(const std::string& strText, HostFileList& arrItems) {
    bool bInSection = false;
    size_t nPos = 0;
    while (nPos < strText.size()) {
        size_t nEnd = strText.find('\n', nPos);
        if (nEnd == std::string::npos) nEnd = strText.size();
        // The carriage returns before the line feed stay: lines are classified by their beginning and
        // every field ends at "][E]", and trimming removes them from a value.
        ParseLine(strText.substr(nPos, nEnd - nPos), bInSection, arrItems);
        nPos = nEnd + 1;
    }
}
