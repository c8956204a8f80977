#include "util/shell_file_op.h"

CShellFileOp::CShellFileOp() { ZeroMemory(&m_fileOp, sizeof m_fileOp); }

void CShellFileOp::Grow(PathList& list, int nCapacity) {
    // Two NULs always fit, so an empty list is a valid double-NUL list.
    size_t nBytes = static_cast<size_t>(nCapacity < 2 ? 2 : nCapacity);
    if (list.buffer.size() < nBytes) list.buffer.resize(nBytes, '\0');
    list.nCapacity = nCapacity;
}

void CShellFileOp::ReserveList(bool bSourceList, int nSize) {
    Grow(List(bSourceList), nSize + 1);
}

void CShellFileOp::AddPath(bool bSourceList, const std::string& strPath) {
    PathList& list = List(bSourceList);
    int nPath = static_cast<int>(strPath.size());
    if (list.nLength + nPath + 2 > list.nCapacity) Grow(list, list.nLength + nPath + 2);
    strPath.copy(list.buffer.data() + list.nLength, strPath.size());
    list.nLength += nPath;
    list.buffer[static_cast<size_t>(list.nLength)] = '\0';
    ++list.nLength;
    list.buffer[static_cast<size_t>(list.nLength)] = '\0';
}

int CShellFileOp::DeleteAll() {
    if (m_source.buffer.empty()) Grow(m_source, 1);
    m_fileOp.fAnyOperationsAborted = FALSE;
    m_fileOp.wFunc = FO_DELETE;
    m_fileOp.pFrom = m_source.buffer.data();
    m_fileOp.pTo = m_target.buffer.empty() ? nullptr : m_target.buffer.data();
    return SHFileOperationA(&m_fileOp);
}

std::string CShellFileOp::ListBytes(bool bSourceList) const {
    const PathList& list = List(bSourceList);
    if (list.buffer.empty()) return std::string();
    return std::string(list.buffer.data(), static_cast<size_t>(list.nLength) + 1);
}
