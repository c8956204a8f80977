// Any bytes as an uninstall log: the reader must never crash, flags come back as 0 or 1, and every record
// whose name holds no bracket (so no text the format cannot carry, such as "][E") survives a write and a
// second read unchanged. The record rule judges every record without crashing, and never honours a path
// with a ".." step or outside a full path.
#include "setup/record/record_rule.h"
#include "setup/record/uninstall_log.h"

#include <cstdint>
#include <cstdlib>
#include <string>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* pData, size_t nSize) {
    const std::string strText(reinterpret_cast<const char*>(pData), nSize);
    HostFileList arrItems;
    ParseUninstallLog(strText, arrItems);
    for (const auto& p : arrItems) {
        if (p->bRegister > 1 || p->bUnregister > 1) abort();
        if (p->strName.find('\n') != std::string::npos || p->strName.find("][E]") != std::string::npos) abort();
        const RecordPlaces places = {"C:\\ZmtPlugin\\bin", {"C:\\windows"}};
        if (JudgeRecordPath(p->strName, places) == RecordVerdict::Honoured &&
            (p->strName.find("\\..\\") != std::string::npos || p->strName.size() < 3))
            abort();
    }
    HostFileList arrAgain;
    ParseUninstallLog(FormatUninstallLog(arrItems), arrAgain);
    size_t nNonEmpty = 0;
    for (const auto& p : arrItems) {
        if (p->strName.empty()) continue;
        if (nNonEmpty >= arrAgain.size()) abort();
        const auto& q = arrAgain[nNonEmpty++];
        if (p->strName.find_first_of("[]") != std::string::npos) continue;
        if (q->bRegister != p->bRegister || q->bUnregister != p->bUnregister || q->strName != p->strName) abort();
    }
    if (nNonEmpty != arrAgain.size()) abort();
    return 0;
}
