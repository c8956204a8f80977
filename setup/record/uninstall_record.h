// The product's entry in the Windows list of installed programs (HKEY_LOCAL_MACHINE
// "SOFTWARE\Microsoft\Windows\CurrentVersion\Uninstall\LetterquarryUnInstall").
#pragma once

#include "setup/core/install_context.h"
#include "setup/core/suite_paths.h"
#include "util/op_result.h"

#include <string>

// Creates or opens the key kUninstallRecordKey (non-volatile, KEY_ALL_ACCESS) and writes "DisplayName" (its
// text, in the language of this run) and "UninstallString" = strCommandLine, then what the Windows list of
// programs and deployment tools read: "DisplayVersion" (the file version, 5.9.8.1), "Publisher",
// "DisplayIcon" (the setup program), "InstallLocation" (c:\ZmtPlugin\), "InstallDate" (yyyymmdd, today),
// "QuietUninstallString" (kQuietUninstallCommand), each REG_SZ with the NUL counted, and the REG_DWORDs
// "EstimatedSize" (nEstimatedSizeKB) and "NoModify" = "NoRepair" = 1. The writes are not checked. Done when
// the key could be created or opened, Failed with the registry's error when not. A command line over
// kMaxStoredCommandLine characters is not written: Refused.
OpResult WriteUninstallRecord(const std::string& strCommandLine, unsigned long nEstimatedSizeKB);

// The size the entry gives for these files, in KB rounded up: each existing file counted once, however
// often it is listed.
unsigned long EstimatedSizeKB(const HostFileList& arrItems);

// Deletes the key (it holds no subkeys): Done, or Failed with the registry's error.
OpResult DeleteUninstallRecord();
