// The registry of the test machine: seeding keys and values, and reading them back as bytes. Keys are
// given below a root, like (HKEY_LOCAL_MACHINE, "SOFTWARE\\Adobe\\Photoshop\\7.0"); a value name ""
// is the key's default value.
#pragma once

#include <windows.h>

#include <string>

namespace lqtest {

// samView: KEY_WOW64_32KEY or KEY_WOW64_64KEY to look in that view of a 64-bit Windows' registry (a
// 32-bit Windows has one view and ignores both); 0, the view of this 32-bit program.
bool KeyExists(HKEY hRoot, const std::string& strKey, REGSAM samView = 0);
// The value's type and raw bytes (a string's terminating NUL counted); false when the key or the value
// is missing.
bool ReadValue(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD* pType, std::string* pBytes);
// The value's raw bytes, or "<missing>"; *pType, when given, gets the type of a value that is there.
std::string ValueBytes(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD* pType = nullptr);
// A value as text, up to its first NUL; "" when the key or the value is missing.
std::string RegString(HKEY hRoot, const std::string& strKey, const std::string& strName);
// A REG_DWORD value; dwMissing when it is missing or of another type.
DWORD RegDword(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwMissing);

// Seeding: each creates the key and the keys above it; false when the machine refused.
// szDefault, when given, becomes the key's default value (REG_SZ).
bool CreateKey(HKEY hRoot, const std::string& strKey, const char* szDefault = nullptr);
bool SetRegRaw(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwType, const std::string& bytes);
// REG_SZ with its terminating NUL.
bool SetRegString(HKEY hRoot, const std::string& strKey, const std::string& strName, const std::string& strValue);
bool SetRegDword(HKEY hRoot, const std::string& strKey, const std::string& strName, DWORD dwValue);

// Makes the key a place where nothing can be stored: it becomes a registry link to a key that does not exist,
// so that creating or opening it fails, as it would on a registry that refuses the write. False when the
// machine refused.
bool MakeKeyUnwritable(HKEY hRoot, const std::string& strKey);

}  // namespace lqtest
