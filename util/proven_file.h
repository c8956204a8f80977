// Acting on what is really at a path. The elevated setup program reads, writes, deletes and re-permissions
// files in folders that every local user may write (C:\ZmtPlugin and below, the host plug-in folders, a
// /LOG path). A user there can make a name a link (a symbolic link, a junction on a folder of the path, a
// hard link) that leads an administrator's write somewhere else. So such a file is opened by handle without
// following a reparse point at its end, proven to be what really lies at the path asked for, and the
// decision and the action are made on that same handle.
//
// A proof fails closed: when where the file really is cannot be read, it counts as refused.
#pragma once

#include "util/op_result.h"
#include "util/scoped_handles.h"

#include <windows.h>

#include <string>

// Where the open file or folder really is, as "X:\a\b" in the system code page: links, junctions and short
// names resolved. From Vista on, GetFinalPathNameByHandleA; before it, the file system's own name of the
// file on the volume the handle reports, which must be the volume of strAskedPath's drive. Empty when it
// cannot be read.
std::string RealLocationOf(HANDLE hFile, const std::string& strAskedPath);

// The same as above through the name Windows XP offers (the file system's name of the file and the volume's
// serial number); exposed so that both ways can be held against each other.
std::string RealLocationByFileName(HANDLE hFile, const std::string& strAskedPath);

// Whether two paths name the same place: compared without regard to case (double-byte aware), with '/' taken
// for '\', runs of '\' for one and a trailing '\' dropped, and short (8.3) names of what exists expanded.
bool IsSamePlace(const std::string& strAsked, const std::string& strReal);

// The folder strPath lies in ("C:\a" for "C:\a\b", "C:\" for "C:\b"); empty for a bare name.
std::string FolderOfPath(const std::string& strPath);

// The first existing name on strPath's chain, below its drive's root, that is a link or a junction (a
// reparse point); with bLast the last name counts too. Empty when there is none; the walk ends at the first
// name that does not exist.
std::string FirstLinkOnChain(const std::string& strPath, bool bLast);

// What is proven beyond where a file lies: Write also refuses a file with more than one hard link, since
// writing to it, or setting its access list, would change every other name of it too.
enum class Proof { Read, Write };

// A file or folder opened by OpenProven: the handle, the path it was proven at, and what Windows reports
// of it. It closes its handles when it goes; moving hands them on.
class ProvenFile {
public:
    ProvenFile() = default;
    ProvenFile(ProvenFile&&) = default;
    ProvenFile& operator=(ProvenFile&&) = default;

    bool IsOpen() const { return m_file.IsValid(); }
    HANDLE Handle() const { return m_file.Get(); }
    const std::string& Path() const { return m_strPath; }
    // The file's identity on its volume: equal for two handles of the same file.
    ULONGLONG FileId() const;
    DWORD Links() const { return m_info.nNumberOfLinks; }
    void Close();

private:
    friend OpResult OpenProven(const std::string&, DWORD, DWORD, DWORD, Proof, ProvenFile&);
    friend OpResult HoldFile(const std::string&, ProvenFile&);
    friend OpResult RenameByHandle(ProvenFile&, const std::string&);
    ScopedHandle m_file;
    ScopedHandle m_folder;  // HoldFile: the folder, held so that the path keeps leading to the file
    std::string m_strPath;
    BY_HANDLE_FILE_INFORMATION m_info{};
};

// Opens strPath with CreateFileA(dwAccess, dwShare, dwDisposition), a folder too, without following a
// reparse point at its end, and proves it: no folder on its chain and not the file itself is a link or a
// junction, its real location is strPath (IsSamePlace), and for Proof::Write it has one link. Done with
// the file in `file`; InUse or Failed with the open's error; Refused, with nothing open, when a check fails
// or the real location cannot be read (a file this call created is then deleted again, when dwAccess
// allows it).
OpResult OpenProven(const std::string& strPath, DWORD dwAccess, DWORD dwShare, DWORD dwDisposition, Proof proof,
                    ProvenFile& file);

// Holds an existing file where it is, proven for writing: read access, its access list writable, and other
// programs may only read it (a loader may map it) but neither change, replace, rename nor delete it, nor its
// folder. While held, the path leads to exactly this file with exactly these bytes.
OpResult HoldFile(const std::string& strPath, ProvenFile& file);

// The whole content of an open file, read from its start; Failed with ERROR_FILE_TOO_LARGE, before anything
// is read, for a file of more than nMaxBytes.
OpResult ReadAllOf(const ProvenFile& file, size_t nMaxBytes, std::string& strBytes);

// Deletes the open file by its handle (its delete disposition); the handle needs DELETE access. Where
// Windows has no such call (XP), the handle is closed and the proven path deleted (the caller holds its
// folder).
OpResult DeleteByHandle(ProvenFile& file);

// Gives the open file the name strNewPath in one step, replacing a file there (a rename by the handle,
// which needs DELETE access); the file keeps its handle. Where Windows has no such call (XP), the handle is
// closed and the proven path moved (MoveFileExA; the caller holds both folders).
OpResult RenameByHandle(ProvenFile& file, const std::string& strNewPath);

// Replaces the access list of the open file (WRITE_DAC needed) by pAcl; bProtected: no entries inherited
// from its folder. The owner, the group and the audit entries stay.
OpResult SetAccessListOf(const ProvenFile& file, PACL pAcl, bool bProtected);
