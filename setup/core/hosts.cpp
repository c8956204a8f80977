#include "setup/core/hosts.h"

#include "util/mbcs.h"

constexpr HostDefinition kHosts[kHostCount] = {
    {kHostBasicDlls, TextId::HostBasicDlls, TextId::StageBasicFiles, true, false, HostFolders::SuiteBin,
     {{0, 0, "ASYCFILT.DLL", false},
      {0, 0, "COMCAT.DLL", false},
      {0, 0, "CorelDraw.tlb", false},
      {0, 0, "msvbvm60.dll", false},
      {0, 0, "OLEAUT32.DLL", false},
      {0, 0, "OLEPRO32.DLL", false},
      {0, 0, "STDOLE2.TLB", false},
      {0, 0, "VB6STKIT.DLL", false}}},
    {kHostOffice, TextId::HostOffice, TextId::StageOffice, false, true, HostFolders::SuiteBin,
     {{1, 0, "ZmtAddin.dll", false}}},
    {kHostPhotoshop, TextId::HostPhotoshopBeforeCS2, TextId::StagePhotoshopBeforeCS2, false, true, HostFolders::Found,
     {{0, 0, "ZMT_P7.8bp", false}}},
    {kHostPhotoshopCS2, TextId::HostPhotoshopCS2, TextId::StagePhotoshopCS2, false, true, HostFolders::Found,
     {{0, 0, "ZMT_CS2.8bp", false}}},
    {kHostIllustrator, TextId::HostIllustrator, TextId::StageIllustrator, false, true, HostFolders::Found,
     {{0, 0, "zmt_i.aip", false}}},
    {kHostCorelDraw11, TextId::HostCorelDraw11, TextId::StageCorelDraw11, false, true, HostFolders::SuiteBin,
     {{1, 1, "MyAddIn_V11.dll", false}}},
    {kHostCorelDraw12, TextId::HostCorelDraw12, TextId::StageCorelDraw12, false, true, HostFolders::SuiteBin,
     {{1, 1, "MyAddIn_V12.dll", false}}},
    {kHostQuark, TextId::HostQuark, TextId::StageQuark, false, true, HostFolders::Found,
     {{0, 0, "ZmtLetterquarry.axt", true}}},
};

namespace {

constexpr bool EveryIndexHasOneRow() {
    for (int n = 0; n < kHostCount; ++n) {
        int nRows = 0;
        for (const HostDefinition& host : kHosts) nRows += host.nIndex == n ? 1 : 0;
        if (nRows != 1) return false;
    }
    return true;
}
static_assert(EveryIndexHasOneRow(), "one row per host record");

}  // namespace

const HostDefinition& HostAt(HostIndex nHost) {
    for (const HostDefinition& host : kHosts)
        if (host.nIndex == nHost) return host;
    return kHosts[0];  // never reached: every index has its row (checked above)
}

const HostDefinition* FindSuiteFile(const std::string& strName, const SuiteFile** ppFile) {
    if (ppFile) *ppFile = nullptr;
    for (const HostDefinition& host : kHosts) {
        for (const SuiteFile& file : host.arrFiles) {
            if (!mbcs::EqualNoCase(strName, file.szName)) continue;
            if (ppFile) *ppFile = &file;
            return &host;
        }
    }
    return nullptr;
}
