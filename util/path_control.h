// PathControl: the setup program's file operations that are more than one system call.
// Paths are ANSI text in the system code page. The object holds no state; one lives in every
// InstallContext so that all stages share the same helper.
#pragma once

#include <string>

class PathControl {
public:
    virtual ~PathControl() = default;

    // Creates every directory along the path ("C:", "C:\a", "C:\a\b" ...). Errors (already there, a
    // drive root, no access) are ignored; always returns true.
    bool MakeDirectories(const std::string& strPath) const;

    // Copies the whole source over the destination in one step: the bytes go to a temporary file beside the
    // destination (ReplacementOf), are flushed to the disk, and the temporary file then takes the
    // destination's place (MoveFileExA, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH). So a failure
    // or a kill at any moment leaves the earlier destination whole, byte for byte, or the new one. A failure
    // removes the temporary file; one left by a killed run is removed first. The source is opened without
    // sharing; a destination that another program holds open (a plug-in a running host loaded) is refused
    // before anything is written, with the error of that open (ERROR_SHARING_VIOLATION). The copy gets
    // normal attributes and fresh time stamps, and its access list from its folder until the caller sets one.
    // Returns 0 on success, 1 on failure; GetLastError() then tells why (the failing call's error;
    // ERROR_HANDLE_EOF for a short read, ERROR_DISK_FULL for a short write, ERROR_FILE_TOO_LARGE for a file
    // that cannot be held whole).
    int CopyWholeFile(const std::string& strSource, const std::string& strDestination) const;

    // Where a file's replacement is written before it takes the file's place: the path + ".new".
    static std::string ReplacementOf(const std::string& strPath) { return strPath + ".new"; }

    // Deletes the file, trying up to 100 times in a row without pause. True when deleted, and for an
    // empty path (nothing to do); false when every attempt failed, also for a file that does not exist.
    bool DeleteFileRetrying(const std::string& strPath) const;

    // Deletes a file or a whole folder through the shell, silently, to the Recycle Bin where the drive
    // has one. The outcome is not reported.
    void DeleteToRecycleBin(const std::string& strPath) const;

    // True when the path or wildcard pattern matches at least one entry that is not a directory.
    bool FileExists(const std::string& strPath) const;
};
