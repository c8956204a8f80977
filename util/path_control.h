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

    // Copies the whole source over the destination (created or truncated, opened without sharing, normal
    // attributes, fresh time stamps). Returns 0 on success, 1 when the source cannot be opened
    // exclusively, the destination cannot be created, or fewer bytes than the file holds were read or
    // written (a short read, a full disk): a copy that is not whole is a failure. After a failure
    // GetLastError() tells why (the failing call's error; ERROR_HANDLE_EOF for a short read,
    // ERROR_DISK_FULL for a short write, ERROR_FILE_TOO_LARGE for a file that cannot be held whole).
    int CopyWholeFile(const std::string& strSource, const std::string& strDestination) const;

    // Deletes the file, trying up to 100 times in a row without pause. True when deleted, and for an
    // empty path (nothing to do); false when every attempt failed, also for a file that does not exist.
    bool DeleteFileRetrying(const std::string& strPath) const;

    // Deletes a file or a whole folder through the shell, silently, to the Recycle Bin where the drive
    // has one. The outcome is not reported.
    void DeleteToRecycleBin(const std::string& strPath) const;

    // True when the path or wildcard pattern matches at least one entry that is not a directory.
    bool FileExists(const std::string& strPath) const;
};
