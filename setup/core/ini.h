// CIni: reads and writes one INI file through the Windows profile functions. One object per file and
// per use, on the stack. Texts are ANSI; a missing (null) section or key name reads the default and
// writes nothing.
#pragma once

#include "setup/core/suite_paths.h"

#include <cstdint>
#include <string>

class CIni {
public:
    // On Vista and later the file first gets the suite's standard access list (when it exists). A null
    // path leaves an empty path.
    explicit CIni(const char* szPath);
    virtual ~CIni() = default;

    const std::string& GetPathName() const { return m_strPath; }

    // The whole value, however long (the read buffer grows by 512 characters until the value fits);
    // szDefault (null: empty) when the key is missing.
    std::string GetString(const char* szSection, const char* szKey, const char* szDefault = nullptr) const;
    // The value copied into pBuffer of nSize bytes, always NUL-terminated and never cut inside a
    // double-byte character; returns the number of bytes copied (at most nSize - 1). pBuffer receives the
    // empty text first.
    int GetString(const char* szSection, const char* szKey, char* pBuffer, int nSize, const char* szDefault) const;
    // The value read as an unsigned number in base 2, 8 or 16 (any other base: 10); nDefault when it is
    // missing or empty.
    int32_t GetInt(const char* szSection, const char* szKey, int32_t nDefault, int nBase = 10) const;

    // False when the section or key name is missing or the write failed; a null value writes "".
    bool WriteString(const char* szSection, const char* szKey, const char* szValue) const;
    bool WriteInt(const char* szSection, const char* szKey, int32_t nValue, int nBase = 10) const;

private:
    std::string m_strPath;
};

// The one section of the suite's settings files (their paths: setup/core/suite_paths.h).
constexpr const char* kSettingsSection = "BrelFontPlugin";

// The server-list rule of the Install button: reads "BrelHome" and "ServerListFileName" from the file and
// writes what the edition asks for.
void ApplyServerListRule(const CIni& ini, int nEdition);
