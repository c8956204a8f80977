// The registry as the setup program uses it: keys that are only read are opened with read and write
// access (0x2001F, so a key that this account cannot write counts as absent), string values are read into
// 1024-byte buffers, subkeys are enumerated by index, trees are deleted depth first. Every function returns
// the Windows error code of what it did (ERROR_SUCCESS, or the reason) where a caller may need it.
#pragma once

#include "util/scoped_handles.h"

#include <windows.h>

#include <functional>
#include <string>

// KEY_READ | KEY_WRITE: the access every key the setup program reads is opened with.
constexpr REGSAM kReadKeyAccess = 0x2001F;

// Opens strSubKey of hParent with kReadKeyAccess into key; false (and key empty) when that fails.
bool OpenReadKey(ScopedRegKey& key, HKEY hParent, const std::string& strSubKey);

// The value's text, or the empty text when the value is missing, is of a type other than REG_SZ or
// REG_EXPAND_SZ (an expandable string is taken literally), does not end with its terminating NUL, or
// needs more than 1024 bytes including that NUL. Text after an embedded NUL is not part of the value.
std::string ReadRegistryString(HKEY hKey, const std::string& strValueName);

// Calls fnVisit with the name of every subkey of hKey, by index from 0 upwards, until the registry
// reports that no more subkeys exist. Names are read into a 1024-byte buffer; an empty name, or an index
// whose name cannot be read for any other reason, is skipped. Errors that concern the key itself (an
// invalid handle, no right to enumerate, a deleted key) end the enumeration. Each index is visited exactly once, so
// fnVisit must not delete subkeys of hKey (that would shift the indices).
void EnumerateSubkeys(HKEY hKey, const std::function<void(const std::string&)>& fnVisit);

// REG_SZ with its terminating NUL counted, and REG_DWORD; the result of RegSetValueExA.
LONG SetRegistryString(HKEY hKey, const char* szName, const std::string& strValue);
LONG SetRegistryDword(HKEY hKey, const char* szName, DWORD dwValue);

// Deletes hRoot\szSubKey with every subkey below it, depth first. Returns ERROR_SUCCESS, otherwise the
// Windows error code of the first step that failed (ERROR_FILE_NOT_FOUND when there is no such key); what
// was deleted before that stays deleted.
LONG DeleteRegistryTree(HKEY hRoot, const char* szSubKey);
