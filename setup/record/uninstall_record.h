// The product's entry in the Windows list of installed programs (HKEY_LOCAL_MACHINE
// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LetterquarryUnInstall").
#pragma once

#include "setup/core/suite_paths.h"

#include <string>

// Creates or opens the key kUninstallRecordKey (non-volatile, KEY_ALL_ACCESS) and writes "DisplayName" (its
// text, in the language of this run) and "UninstallString" = strCommandLine, both REG_SZ
// with the NUL counted; the two writes are not checked. True when the key could be created or opened.
// A command line over kMaxStoredCommandLine characters is not written and gives false.
bool WriteUninstallRecord(const std::string& strCommandLine);

// Deletes the key (it holds no subkeys); true when the deletion succeeded.
bool DeleteUninstallRecord();
