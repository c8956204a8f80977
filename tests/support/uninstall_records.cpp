#include "tests/support/uninstall_records.h"

namespace lqtest {

std::string UninstallLogOf(const std::vector<LogRecord>& arrRecords) {
    std::string strLog = "[UnInstall][E]\r\r\n";
    for (const LogRecord& record : arrRecords)
        strLog += "[R:" + std::to_string(record.nRegister) + "][E],[U:" + std::to_string(record.nUnregister) +
                  "][E],[F:" + record.strPath + "][E]\r\r\n";
    return strLog + "[UnInstall End][E]\r\r\n";
}

HostFileList Items(std::initializer_list<HostFileEntry> entries) {
    HostFileList arrItems;
    for (const auto& entry : entries) arrItems.push_back(std::make_unique<HostFileEntry>(entry));
    return arrItems;
}

std::string Describe(const HostFileList& arrItems) {
    std::string strOut;
    for (const auto& p : arrItems)
        strOut += "{" + std::to_string(p->bRegister) + "," + std::to_string(p->bUnregister) + "," + p->strName + "}";
    return strOut;
}

}  // namespace lqtest
