#include "setup/core/ini.h"

#include "setup/core/file_access.h"
#include "setup/core/ini_rules.h"
#include "setup/core/setup_log.h"
#include "util/mbcs.h"

#include <windows.h>

#include <vector>

CIni::CIni(const char* szPath) {
    if (szPath && OsVersion().IsVistaOrLater()) SetStandardFileAccess(szPath);
    if (szPath) m_strPath = szPath;
}

std::string CIni::GetString(const char* szSection, const char* szKey, const char* szDefault) const {
    const char* szFallback = szDefault ? szDefault : "";
    if (!szSection || !szKey) return szFallback;
    std::vector<char> buffer(512, '\0');
    for (;;) {
        DWORD nLength = GetPrivateProfileStringA(szSection, szKey, szFallback, buffer.data(),
                                                 static_cast<DWORD>(buffer.size()), m_strPath.c_str());
        if (nLength + 1 < buffer.size()) return std::string(buffer.data(), nLength);
        buffer.assign(buffer.size() + 512, '\0');
    }
}

int CIni::GetString(const char* szSection, const char* szKey, char* pBuffer, int nSize, const char* szDefault) const {
    if (!pBuffer || nSize <= 0) return 0;
    pBuffer[0] = '\0';
    const std::string strValue = GetString(szSection, szKey, szDefault);
    // Room for the terminator, and no double-byte character cut in two.
    size_t nCopy = 0;
    while (nCopy < strValue.size()) {
        size_t nChar = mbcs::CharLength(strValue, nCopy);
        if (nCopy + nChar > static_cast<size_t>(nSize) - 1) break;
        nCopy += nChar;
    }
    strValue.copy(pBuffer, nCopy);
    pBuffer[nCopy] = '\0';
    return static_cast<int>(nCopy);
}

int32_t CIni::GetInt(const char* szSection, const char* szKey, int32_t nDefault, int nBase) const {
    if (!szSection || !szKey) return nDefault;
    char szValue[64] = {};
    GetPrivateProfileStringA(szSection, szKey, "", szValue, sizeof szValue, m_strPath.c_str());
    return ParseIniInteger(szValue, nDefault, nBase);
}

bool CIni::WriteString(const char* szSection, const char* szKey, const char* szValue) const {
    if (!szSection || !szKey) return false;
    const char* szText = szValue ? szValue : "";
    if (!WritePrivateProfileStringA(szSection, szKey, szText, m_strPath.c_str())) {
        LogEvent("Settings %s [%s] %s = %s not written: %s", m_strPath.c_str(), szSection, szKey, szText,
                 DescribeError(GetLastError()).c_str());
        return false;
    }
    LogEvent("Settings %s [%s] %s = %s", m_strPath.c_str(), szSection, szKey, szText);
    return true;
}

bool CIni::WriteInt(const char* szSection, const char* szKey, int32_t nValue, int nBase) const {
    return WriteString(szSection, szKey, FormatIniInteger(nValue, nBase).c_str());
}

void ApplyServerListRule(const CIni& ini, int nEdition) {
    const std::string strBrelHome = ini.GetString(kSettingsSection, "BrelHome", "");
    const std::string strServerList = ini.GetString(kSettingsSection, "ServerListFileName", "");
    const ServerListWrites writes = DecideServerListWrites(nEdition, strBrelHome, strServerList);
    if (!writes.strServerListFileName.empty())
        ini.WriteString(kSettingsSection, "ServerListFileName", writes.strServerListFileName.c_str());
    if (!writes.strHome.empty()) {
        ini.WriteString(kSettingsSection, "BrelHome", writes.strHome.c_str());
        ini.WriteString(kSettingsSection, "DefaultHome", writes.strHome.c_str());
    }
}
