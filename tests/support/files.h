// Files and folders of the test machine, written and read as bytes.
#pragma once

#include <string>

namespace lqtest {

// Writes exactly strBytes to strPath, creating the folders on the way; false when the file could not be
// written whole (the folder is refused, the file is held open).
bool WriteFileBytes(const std::string& strPath, const std::string& strBytes);
// The file's bytes; "" when it is missing or cannot be opened. Opened with read and write sharing, so a
// file that the program under test holds open for writing can be read.
std::string ReadFileBytes(const std::string& strPath);
bool PathExists(const std::string& strPath);
// Whether a replacement of the file stands beside it ("<path>.new" or "<path>.<run>.new"), as a copy in one
// step writes it before it takes the file's place.
bool ReplacementBeside(const std::string& strPath);
bool IsFolder(const std::string& strPath);
// Creates each missing folder of strPath; false when strPath is no folder afterwards.
bool MakeFolders(const std::string& strPath);

// A link as any local user may make one, to strTarget (which need not exist): a symbolic link of the
// machine's own (Unix) file system, which Windows programs under Wine see as a reparse point on a folder and
// follow like a link on a file. False when it could not be made.
bool MakeSymbolicLink(const std::string& strLink, const std::string& strTarget);

// A file held open without sharing, as a running host holds its plug-in: no other program may write,
// replace or delete it until Release() or the end of the object. With szBytes, the file is written first.
class HeldFile {
public:
    explicit HeldFile(const std::string& strPath, const char* szBytes = nullptr);
    ~HeldFile() { Release(); }
    HeldFile(const HeldFile&) = delete;
    HeldFile& operator=(const HeldFile&) = delete;
    bool IsHeld() const;
    void Release();

private:
    void* m_h;
};

}  // namespace lqtest
