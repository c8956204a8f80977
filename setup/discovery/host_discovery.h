// Host discovery: which files go into which folders on this machine.
//
// FillHostRecords fills the eight host records of a freshly constructed InstallContext: names, source
// folder "C:\ZmtPlugin\install", the files each host receives, and every destination folder found. The
// runtime files, the Office add-in and the two CorelDraw add-ins always go to "C:\ZmtPlugin\bin"; the
// Photoshop, Illustrator and QuarkXPress folders come from HKEY_LOCAL_MACHINE (keys opened with 0x2001F).
// Discovery reads the registry and the file system only, creates "C:\ZmtPlugin\bin" and nothing else,
// never fails and shows nothing. A host that is not found ends with an empty folder list.
//
// Folders found in the registry end with a backslash; the fixed "C:\ZmtPlugin\bin" has none.
#pragma once

#include "setup/core/install_context.h"

#include <string>

void FillHostRecords(InstallContext& context);

// Appends the folders of Photoshop installations whose major version v lies in fLowest <= v <= fHighest
// (vendor key "SOFTWARE\Adobe"), then, whatever the range, those of uninstall entries with a major
// "DisplayVersion" 7 < v < 9 whose "InstallLocation" names a Photoshop folder. Version = v.
void FindPhotoshopFolders(HostRecord& record, float fLowest, float fHighest);
// The same two passes for Illustrator, without any version test; every folder with version 0.
void FindIllustratorFolders(HostRecord& record);
// "SOFTWARE\Quark" values "QXP65KPath" then "QXP65KDemoPath": each existing folder + "XTension\".
void FindQuarkFolders(HostRecord& record);

// Appends a new file entry at the end of the record's file list (no duplicate test).
void AddHostFile(HostRecord& record, uint8_t bRegister, uint8_t bUnregister, const std::string& strName);
// Appends a new folder entry unless one with an equal version (exact) and an equal path (exact,
// case-sensitive) is already there.
void AddHostFolder(HostRecord& record, float fVersion, const std::string& strFolder);

// True when the file system reports attributes for the path and they include the directory attribute.
bool IsFolder(const std::string& strPath);

// The first of the three candidates strApplicationFolder + name (each name ends with "\"; the names are
// kAdobePluginFolderNames of setup/core/texts.h) that is an existing folder; empty when none is.
std::string PluginFolderOf(const std::string& strApplicationFolder, const char* const (&arrNames)[3]);
