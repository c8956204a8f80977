#include "setup/core/suite_files.h"

#include "util/mbcs.h"

const SuiteFile kSuiteFiles[] = {
    {kHostBasicDlls, 0, 0, "ASYCFILT.DLL", false},
    {kHostBasicDlls, 0, 0, "COMCAT.DLL", false},
    {kHostBasicDlls, 0, 0, "CorelDraw.tlb", false},
    {kHostBasicDlls, 0, 0, "msvbvm60.dll", false},
    {kHostBasicDlls, 0, 0, "OLEAUT32.DLL", false},
    {kHostBasicDlls, 0, 0, "OLEPRO32.DLL", false},
    {kHostBasicDlls, 0, 0, "STDOLE2.TLB", false},
    {kHostBasicDlls, 0, 0, "VB6STKIT.DLL", false},
    {kHostOffice, 1, 0, "ZmtAddin.dll", false},
    {kHostPhotoshop, 0, 0, "ZMT_P7.8bp", false},
    {kHostPhotoshopCS2, 0, 0, "ZMT_CS2.8bp", false},
    {kHostIllustrator, 0, 0, "zmt_i.aip", false},
    {kHostQuark, 0, 0, "ZmtLetterquarry.axt", true},
    {kHostCorelDraw11, 1, 1, "MyAddIn_V11.dll", false},
    {kHostCorelDraw12, 1, 1, "MyAddIn_V12.dll", false},
};
const size_t kSuiteFileCount = sizeof kSuiteFiles / sizeof kSuiteFiles[0];

bool IsPlacedInSuiteBin(HostIndex nHost) {
    return nHost == kHostBasicDlls || nHost == kHostOffice || nHost == kHostCorelDraw11 || nHost == kHostCorelDraw12;
}

const SuiteFile* FindSuiteFile(const std::string& strName) {
    for (size_t i = 0; i < kSuiteFileCount; ++i)
        if (mbcs::EqualNoCase(strName, kSuiteFiles[i].szName)) return &kSuiteFiles[i];
    return nullptr;
}
