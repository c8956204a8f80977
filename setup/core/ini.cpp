#include "setup/core/ini.h"

#include "setup/core/file_access.h"
#include "setup/core/ini_rules.h"
#include "setup/core/setup_log.h"
#include "util/mbcs.h"

#include <windows.h>

#include <vector>

CIni::CIni(const char* szPath) {
    if (!szPath) return;
    m_strPath = szPath;
    if (Hold(false).IsDone() && OsVersion().IsVistaOrLater()) SetStandardFileAccess(m_file);
}

OpResult CIni::Hold(bool bCreate) const {
    if (m_file.IsOpen()) return OpResult::Done();
    if (m_bRefused) return OpResult::Refused("refused before");
    const std::string strFolder = FolderOfPath(m_strPath);
    OpResult result = strFolder.empty() ? OpResult::Refused("not a full path") : OpResult::Done();
    if (result.IsDone())
        result = OpenProven(strFolder, FILE_LIST_DIRECTORY | SYNCHRONIZE,
                            FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING, Proof::Read, m_folder);
    const DWORD dwAccess = GENERIC_READ | READ_CONTROL | WRITE_DAC;
    const DWORD dwShare = FILE_SHARE_READ | FILE_SHARE_WRITE;
    if (result.IsDone()) {
        result = OpenProven(m_strPath, dwAccess, dwShare, OPEN_EXISTING, Proof::Write, m_file);
        // A new file is made as new, so that nothing already standing at its name (a link) is followed.
        if (bCreate && result.status == OpStatus::Failed && result.dwError == ERROR_FILE_NOT_FOUND)
            result = OpenProven(m_strPath, dwAccess, dwShare, CREATE_NEW, Proof::Write, m_file);
    }
    if (result.status == OpStatus::Refused) {
        m_bRefused = true;
        LogEvent("Settings %s refused, neither read nor written: %s", m_strPath.c_str(), result.strWhy.c_str());
    }
    if (!result.IsDone()) m_folder.Close();
    return result;
}

std::string CIni::GetString(const char* szSection, const char* szKey, const char* szDefault) const {
    const char* szFallback = szDefault ? szDefault : "";
    // Read only from the file proven and held: a file that is not there has nothing but defaults.
    if (!szSection || !szKey || !Hold(false).IsDone()) return szFallback;
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
    if (!szSection || !szKey || !Hold(false).IsDone()) return nDefault;
    char szValue[64] = {};
    GetPrivateProfileStringA(szSection, szKey, "", szValue, sizeof szValue, m_strPath.c_str());
    return ParseIniInteger(szValue, nDefault, nBase);
}

bool CIni::WriteString(const char* szSection, const char* szKey, const char* szValue) const {
    if (!szSection || !szKey) return false;
    const char* szText = szValue ? szValue : "";
    // A refusal has its line already.
    const OpResult held = Hold(true);
    if (!held.IsDone()) {
        if (held.status != OpStatus::Refused)
            LogEvent("Settings %s [%s] %s = %s not written: %s", m_strPath.c_str(), szSection, szKey, szText,
                     DescribeResult(held).c_str());
        return false;
    }
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

void ApplyServerListRule(const CIni& ini, Edition edition) {
    const std::string strBrelHome = ini.GetString(kSettingsSection, "BrelHome", "");
    const std::string strServerList = ini.GetString(kSettingsSection, "ServerListFileName", "");
    const ServerListWrites writes = DecideServerListWrites(edition, strBrelHome, strServerList);
    if (!writes.strServerListFileName.empty())
        ini.WriteString(kSettingsSection, "ServerListFileName", writes.strServerListFileName.c_str());
    if (!writes.strHome.empty()) {
        ini.WriteString(kSettingsSection, "BrelHome", writes.strHome.c_str());
        ini.WriteString(kSettingsSection, "DefaultHome", writes.strHome.c_str());
    }
}
