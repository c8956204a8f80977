// File placement and access rights: copying one host record's files into one destination folder,
// opening each copy to all local users on Windows Vista and later, and registering COM servers.
#pragma once

#include "setup/core/file_access.h"
#include "setup/core/front_end.h"
#include "setup/core/install_context.h"
#include "util/op_result.h"

#include <string>

// Copies every file of arrFiles from strSourceFolder into strDestinationFolder (paths joined as
// "%s\%s", so a folder ending in "\" gives two backslashes, used and recorded unchanged). Per copy, in one
// step (CopyFileInOneStep), the copy then held so that nobody can change it before it is registered: the
// standard access list on Vista and later, COM registration when the entry's register flag is 1 (its
// result does not matter), and one new entry (both flags, full destination path) appended to
// arrUninstallItems. Entries with an empty name only advance the file bar.
// A destination the uninstall would refuse to take back (record_rule.h: a shared file outside the suite's
// folder, a plug-in in a system folder, also through a link) is not copied: Refused. So is a destination
// that is a link, or a folder on its way that is one (util/proven_file.h).
// Returns the first failed copy's result (nothing recorded for it, later files not copied, the file bar
// left where it is): InUse for a destination another program holds, Refused, or Failed with the Windows
// error; Done when every file was copied.
// The front end's detail line shows each bare file name; with bFileBar its file bar runs 0 .. number of
// entries.
OpResult InstallFilesIntoFolder(const std::string& strDestinationFolder, const std::string& strSourceFolder,
                                const HostFileList& arrFiles, HostFileList& arrUninstallItems, FrontEnd& frontEnd,
                                bool bFileBar);
