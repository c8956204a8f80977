#include "tests/support/file_access.h"

#include "tests/support/machine_facts.h"

#include <sddl.h>

#include <sstream>

namespace lqtest {

std::string DescribeAcl(PACL pAcl) {
    std::ostringstream out;
    for (DWORD i = 0; i < pAcl->AceCount; ++i) {
        void* pAce = nullptr;
        if (!GetAce(pAcl, i, &pAce)) return out.str() + "<bad ace>";
        // Every entry kind starts with the header, the mask and the SID in this layout.
        auto pAllowed = static_cast<ACCESS_ALLOWED_ACE*>(pAce);
        char* szSid = nullptr;
        ConvertSidToStringSidA(reinterpret_cast<PSID>(&pAllowed->SidStart), &szSid);
        out << (szSid ? szSid : "?") << ":" << std::hex << pAllowed->Mask << ":" << int(pAllowed->Header.AceType)
            << ":" << int(pAllowed->Header.AceFlags) << ";";
        if (szSid) LocalFree(szSid);
    }
    return out.str();
}

std::string DaclOf(const std::string& strPath) {
    DWORD cbNeeded = 0;
    GetFileSecurityA(strPath.c_str(), DACL_SECURITY_INFORMATION, nullptr, 0, &cbNeeded);
    if (cbNeeded == 0) return "<unreadable>";
    std::string buffer(cbNeeded, '\0');
    auto pDescriptor = reinterpret_cast<PSECURITY_DESCRIPTOR>(&buffer[0]);
    if (!GetFileSecurityA(strPath.c_str(), DACL_SECURITY_INFORMATION, pDescriptor, cbNeeded, &cbNeeded))
        return "<unreadable>";
    BOOL bPresent = FALSE, bDefaulted = FALSE;
    PACL pAcl = nullptr;
    if (!GetSecurityDescriptorDacl(pDescriptor, &bPresent, &pAcl, &bDefaulted)) return "<unreadable>";
    if (!bPresent || !pAcl) return "no DACL";
    return DescribeAcl(pAcl);
}

std::string ExpectedDaclOfInstalledFile() {
    return IsVistaOrLater() ? kWineDaclAfterStandardAccess : kWineDaclOfNewFile;
}

}  // namespace lqtest
