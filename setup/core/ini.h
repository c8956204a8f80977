// CIni: reads and writes one INI file through the Windows profile functions. One object per file and
// per use, on the stack. Texts are ANSI; a missing (null) section or key name reads the default and
// writes nothing.
//
// The settings files lie in a folder every local user may write, and the program runs elevated: the file is
// proven (util/proven_file.h) and held for the object's lifetime, its folder too, so that the profile
// functions, which take a path, reach exactly that file. The hold shares reading and writing (the profile
// functions open the file themselves) but not deletion: nobody can swap the file for a link meanwhile.
#pragma once

#include "setup/core/country.h"
#include "setup/core/suite_paths.h"
#include "util/proven_file.h"

#include <cstdint>
#include <string>

class CIni {
public:
    // Proves and holds the file when it exists, and on Vista and later gives it the suite's standard access
    // list through that handle. A file not there yet is created (proven, and held) by the first write. A
    // file that cannot be proven (a link, or a folder on its way that is one; another file than the one
    // named; a file with other hard links) is refused, in one line of the setup log: it gets no access list,
    // every value reads as its default and every write is skipped. A null path leaves an empty path.
    explicit CIni(const char* szPath);
    virtual ~CIni() = default;

    const std::string& GetPathName() const { return m_strPath; }

    // Values are read only from a file proven and held; a file that is not there reads as defaults.
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

    // False when the section or key name is missing, the file was refused or the write failed; a null value
    // writes "".
    bool WriteString(const char* szSection, const char* szKey, const char* szValue) const;
    bool WriteInt(const char* szSection, const char* szKey, int32_t nValue, int nBase = 10) const;

private:
    // Proves and holds the file (bCreate: creating it when it is not there). A refusal is logged once and
    // sticks.
    OpResult Hold(bool bCreate) const;

    std::string m_strPath;
    mutable ProvenFile m_folder;
    mutable ProvenFile m_file;
    mutable bool m_bRefused = false;
};

// The one section of the suite's settings files (their paths: setup/core/suite_paths.h).
constexpr const char* kSettingsSection = "BrelFontPlugin";

// The server-list rule of the Install button: reads "BrelHome" and "ServerListFileName" from the file and
// writes what the edition asks for.
void ApplyServerListRule(const CIni& ini, Edition edition);
