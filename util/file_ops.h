// The setup program's file operations that are more than one system call, each a free function named for
// what it does. Paths are ANSI text in the system code page. Everything that writes, deletes or reads for
// a decision acts through a proven handle (proven_file.h) and reports what happened as an OpResult:
// Done, InUse (another program holds the file), Refused (a link or another file than the one asked for
// stood there; nothing was changed) or Failed with the Windows error.
#pragma once

#include "util/op_result.h"
#include "util/proven_file.h"

#include <string>
#include <vector>

// Creates every folder along the path ("C:\a", "C:\a\b" ...). Folders already there are no error and other
// failures (a drive root, no access) are passed over; Refused, with nothing created below it, at a folder on
// the way that is a link or junction.
OpResult MakeFolderChain(const std::string& strPath);

// True when the path or wildcard pattern matches at least one entry that is not a directory.
bool FileExists(const std::string& strPath);

// The whole file at strPath, opened with dwShare and proven for reading. Failed with ERROR_FILE_TOO_LARGE,
// before anything is read, for a file of more than nMaxBytes.
OpResult ReadWholeFile(const std::string& strPath, DWORD dwShare, size_t nMaxBytes, std::string& strBytes);

// Gives strDestination exactly strBytes in one step, so a failure or a kill at any moment leaves the earlier
// file whole, byte for byte, or the new one:
//  - the destination's folder is held where it is (a link there is refused);
//  - an existing destination is opened for writing without sharing first, as a copy straight onto it
//    would be: one another program holds (a plug-in a running host loaded) is InUse before anything is
//    written; one that is a link or has other hard links is Refused;
//  - the bytes go to a temporary file beside it, created new under a name of this run's
//    (ReplacementNameOf), flushed to the disk, and renamed by its handle over the destination. A temporary
//    file that cannot be made is Failed, never InUse: waiting for the next start would not mend it. Any
//    failure removes it again. Leftovers of killed runs are removed first (RemoveLeftoverReplacements).
// The new file gets normal attributes, fresh time stamps and its access list from its folder. With pHeld,
// a Done file is handed back held (HoldFile) and checked to be the file just written, with these bytes.
OpResult ReplaceFileInOneStep(const std::string& strDestination, const std::string& strBytes,
                              ProvenFile* pHeld = nullptr);

// ReplaceFileInOneStep with the bytes of strSource, which is read whole first, opened without sharing (a
// program that holds it open blocks the copy). Failed with ERROR_FILE_TOO_LARGE for a source that memory
// cannot hold whole.
OpResult CopyFileInOneStep(const std::string& strSource, const std::string& strDestination,
                           ProvenFile* pHeld = nullptr);

// Where a replacement of strPath is written before it takes strPath's place: a name of this run,
// "<path>.lq<process>-<n>.new".
std::string ReplacementNameOf(const std::string& strPath);

// A replacement that a killed run left beside a file, and what became of it.
struct LeftoverReplacement {
    std::string strPath;
    OpResult result;  // Done: deleted; Refused: not a plain file of its own, left alone
};
// Removes what killed runs left beside strPath under the names replacements are given (of this version,
// "<path>.lq*.new", and of earlier ones, "<path>.new"): each only once it is proven a plain file of its own.
std::vector<LeftoverReplacement> RemoveLeftoverReplacements(const std::string& strPath);

// Deletes the file, proven, by its handle, trying up to 100 times in a row without pause. Done when deleted,
// and for an empty path (nothing to do); otherwise the last attempt's result (Failed with
// ERROR_FILE_NOT_FOUND for a file that is not there). A refusal is not tried again.
OpResult DeleteFileRetrying(const std::string& strPath);

// Whether the held file has exactly the bytes of the file at strOtherPath (read proven, shared for reading);
// false when either cannot be read whole.
bool HoldsBytesOf(const ProvenFile& file, const std::string& strOtherPath);

// Deletes a file or a whole folder through the shell, silently, to the Recycle Bin where the drive has one.
// The outcome is not reported. (For the user's own Start menu: not a place other users write.)
void DeleteToRecycleBin(const std::string& strPath);
