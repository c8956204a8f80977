// CShellFileOp: a shell file operation (SHFileOperationA) over owned, double-NUL-terminated path lists.
// The request's source-list field always points at the source buffer; the buffers are released by the
// destructor.
#pragma once

#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

class CShellFileOp {
public:
    CShellFileOp();
    virtual ~CShellFileOp() = default;
    CShellFileOp(const CShellFileOp&) = delete;
    CShellFileOp& operator=(const CShellFileOp&) = delete;

    void SetFlags(FILEOP_FLAGS fFlags) { m_fileOp.fFlags = fFlags; }
    // Sets the capacity of the source (bSourceList) or target list to nSize + 1 bytes, growing its
    // buffer; a new buffer starts as an empty list.
    void ReserveList(bool bSourceList, int nSize);
    // Appends the path with its NUL and keeps the list ended by a second NUL, growing when needed.
    void AddPath(bool bSourceList, const std::string& strPath);
    // Runs FO_DELETE over the source list; returns SHFileOperationA's result.
    int DeleteAll();

    // The list as the shell sees it (paths, NULs and the final NUL), for inspection.
    std::string ListBytes(bool bSourceList) const;

private:
    struct PathList {
        int nCapacity = 0;
        int nLength = 0;
        std::vector<char> buffer;
    };
    PathList& List(bool bSourceList) { return bSourceList ? m_source : m_target; }
    const PathList& List(bool bSourceList) const { return bSourceList ? m_source : m_target; }
    void Grow(PathList& list, int nCapacity);

    PathList m_source;
    PathList m_target;
    SHFILEOPSTRUCTA m_fileOp;
};
