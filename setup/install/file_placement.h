// File placement and access rights: copying one host record's files into one destination folder,
// opening each copy to all local users on Windows Vista and later, and registering COM servers.
#pragma once

#include "setup/core/file_access.h"
#include "setup/core/front_end.h"
#include "setup/core/install_context.h"

#include <windows.h>

#include <string>

// Copies every file of arrFiles from strSourceFolder into strDestinationFolder (paths joined as
// "%s\%s", so a folder ending in "\" gives two backslashes, used and recorded unchanged). Per copy: the
// standard access list on Vista and later, COM registration when the entry's register flag is 1 (its
// result does not matter), and one new entry (both flags, full destination path) appended to
// arrUninstallItems. Entries with an empty name only advance the file bar.
// A destination the uninstall would refuse to take back (record_rule.h: a shared file outside the suite's
// folder, a plug-in in a system folder, also through a link) is not copied: that is a failed copy too, with
// GetLastError() ERROR_BAD_PATHNAME.
// Returns false at the first file that could not be copied (nothing recorded for it, later files not
// copied, the file bar left where it is); true when every file was copied.
// The front end's detail line shows each bare file name; with bFileBar its file bar runs 0 .. number of
// entries.
bool InstallFilesIntoFolder(const std::string& strDestinationFolder, const std::string& strSourceFolder,
                            const HostFileList& arrFiles, HostFileList& arrUninstallItems, FrontEnd& frontEnd,
                            bool bFileBar);

