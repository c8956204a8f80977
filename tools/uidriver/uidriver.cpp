#include "tools/uidriver/uidriver.h"

#include "tools/uidriver/png_writer.h"
#include "util/scoped_gdi.h"
#include "util/scoped_handles.h"

#include <commctrl.h>
#include <oleacc.h>

namespace uidriver {
namespace {

struct FindRequest {
    const std::string* pCaption;
    const std::string* pClass;
    DWORD dwProcessId;
    HWND hFound;
};

std::string ClassOf(HWND hWnd) {
    char szClass[256] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    return szClass;
}

WindowInfo Describe(HWND hWnd, bool bChild) {
    WindowInfo info{};
    info.hWnd = hWnd;
    info.nId = bChild ? GetDlgCtrlID(hWnd) : 0;
    info.strClass = ClassOf(hWnd);
    info.strText = WindowText(hWnd);
    GetWindowRect(hWnd, &info.rect);
    info.bVisible = IsWindowVisible(hWnd) != FALSE;
    info.bEnabled = IsWindowEnabled(hWnd) != FALSE;
    return info;
}

BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam) {
    auto* pRequest = reinterpret_cast<FindRequest*>(lParam);
    if (!IsWindowVisible(hWnd)) return TRUE;
    if (pRequest->dwProcessId) {
        DWORD dwPid = 0;
        GetWindowThreadProcessId(hWnd, &dwPid);
        if (dwPid != pRequest->dwProcessId) return TRUE;
    }
    if (!pRequest->pClass->empty() && ClassOf(hWnd) != *pRequest->pClass) return TRUE;
    if (!pRequest->pCaption->empty() && WindowText(hWnd) != *pRequest->pCaption) return TRUE;
    pRequest->hFound = hWnd;
    return FALSE;
}

// Memory inside another process, for the list-view messages whose pointers must be valid there.
class RemoteBuffer {
public:
    RemoteBuffer(HWND hWnd, SIZE_T nSize) : m_nSize(nSize) {
        DWORD dwPid = 0;
        GetWindowThreadProcessId(hWnd, &dwPid);
        m_hProcess = OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE, FALSE, dwPid);
        if (m_hProcess) m_pRemote = VirtualAllocEx(m_hProcess, nullptr, nSize, MEM_COMMIT, PAGE_READWRITE);
    }
    ~RemoteBuffer() {
        if (m_pRemote) VirtualFreeEx(m_hProcess, m_pRemote, 0, MEM_RELEASE);
        if (m_hProcess) CloseHandle(m_hProcess);
    }
    RemoteBuffer(const RemoteBuffer&) = delete;
    RemoteBuffer& operator=(const RemoteBuffer&) = delete;
    bool Valid() const { return m_pRemote != nullptr; }
    char* Address() const { return static_cast<char*>(m_pRemote); }
    bool Write(SIZE_T nOffset, const void* pData, SIZE_T nSize) const {
        return nOffset + nSize <= m_nSize && WriteProcessMemory(m_hProcess, Address() + nOffset, pData, nSize, nullptr);
    }
    bool Read(SIZE_T nOffset, void* pData, SIZE_T nSize) const {
        return nOffset + nSize <= m_nSize && ReadProcessMemory(m_hProcess, Address() + nOffset, pData, nSize, nullptr);
    }

private:
    HANDLE m_hProcess = nullptr;
    void* m_pRemote = nullptr;
    SIZE_T m_nSize;
};

bool CaptureRect(const RECT& rect, const std::string& strPath) {
    int nWidth = rect.right - rect.left, nHeight = rect.bottom - rect.top;
    if (nWidth <= 0 || nHeight <= 0) return false;
    const ScopedWindowDC screen(nullptr);
    const ScopedMemoryDC memory(screen.Get());
    const ScopedBitmap shot(CreateCompatibleBitmap(screen.Get(), nWidth, nHeight));
    {
        const ScopedSelection selection(memory.Get(), shot.Get());
        BitBlt(memory.Get(), 0, 0, nWidth, nHeight, screen.Get(), rect.left, rect.top, SRCCOPY);
    }

    BITMAPINFO bmi{};
    bmi.bmiHeader.biSize = sizeof bmi.bmiHeader;
    bmi.bmiHeader.biWidth = nWidth;
    bmi.bmiHeader.biHeight = -nHeight;  // top-down rows
    bmi.bmiHeader.biPlanes = 1;
    bmi.bmiHeader.biBitCount = 32;
    bmi.bmiHeader.biCompression = BI_RGB;
    std::vector<unsigned char> bgra(static_cast<size_t>(nWidth) * nHeight * 4);
    if (GetDIBits(memory.Get(), shot.Get(), 0, nHeight, bgra.data(), &bmi, DIB_RGB_COLORS) != nHeight) return false;

    std::vector<unsigned char> rgb(static_cast<size_t>(nWidth) * nHeight * 3);
    for (size_t i = 0, n = static_cast<size_t>(nWidth) * nHeight; i < n; ++i) {
        rgb[i * 3] = bgra[i * 4 + 2];
        rgb[i * 3 + 1] = bgra[i * 4 + 1];
        rgb[i * 3 + 2] = bgra[i * 4];
    }
    std::string strPng = EncodePng(nWidth, nHeight, rgb);
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (hFile == INVALID_HANDLE_VALUE) return false;
    DWORD dwWritten = 0;
    BOOL bOk = WriteFile(hFile, strPng.data(), static_cast<DWORD>(strPng.size()), &dwWritten, nullptr);
    CloseHandle(hFile);
    return bOk && dwWritten == strPng.size();
}

}  // namespace

std::string WindowText(HWND hWnd) {
    // WM_GETTEXT works across processes (the system marshals it), unlike GetWindowText on controls.
    char szText[4096] = {};
    SendMessageTimeoutA(hWnd, WM_GETTEXT, sizeof szText, reinterpret_cast<LPARAM>(szText), SMTO_ABORTIFHUNG, 2000,
                        nullptr);
    return szText;
}

std::string AccessibleName(HWND hWnd) {
    const ScopedComInitializer com;  // the proxy of another process's window comes through COM
    ComPtr<IAccessible> pAccessible;
    if (FAILED(AccessibleObjectFromWindow(hWnd, static_cast<DWORD>(OBJID_CLIENT), IID_IAccessible,
                                          pAccessible.ReceiveVoid())) || !pAccessible)
        return "";
    VARIANT varSelf;
    VariantInit(&varSelf);
    varSelf.vt = VT_I4;
    varSelf.lVal = CHILDID_SELF;
    BSTR bstrName = nullptr;
    if (pAccessible->get_accName(varSelf, &bstrName) != S_OK || !bstrName) return "";
    char szName[4096] = {};
    WideCharToMultiByte(CP_ACP, 0, bstrName, static_cast<int>(SysStringLen(bstrName)), szName, sizeof szName - 1,
                        nullptr, nullptr);
    SysFreeString(bstrName);
    return szName;
}

HWND WaitForWindow(const std::string& strCaption, const std::string& strClass, DWORD dwTimeoutMs, DWORD dwProcessId) {
    DWORD dwStart = GetTickCount();
    for (;;) {
        FindRequest request{&strCaption, &strClass, dwProcessId, nullptr};
        EnumWindows(&FindProc, reinterpret_cast<LPARAM>(&request));
        if (request.hFound) return request.hFound;
        if (GetTickCount() - dwStart >= dwTimeoutMs) return nullptr;
        Sleep(50);
    }
}

bool WaitForWindowGone(HWND hWnd, DWORD dwTimeoutMs) {
    DWORD dwStart = GetTickCount();
    while (IsWindow(hWnd) && IsWindowVisible(hWnd)) {
        if (GetTickCount() - dwStart >= dwTimeoutMs) return false;
        Sleep(50);
    }
    return true;
}

namespace {
struct Collect {
    DWORD dwProcessId;
    std::vector<WindowInfo> arrWindows;
};

BOOL CALLBACK CollectProc(HWND hWnd, LPARAM lParam) {
    auto* pCollect = reinterpret_cast<Collect*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    if (IsWindowVisible(hWnd) && (!pCollect->dwProcessId || dwPid == pCollect->dwProcessId))
        pCollect->arrWindows.push_back(Describe(hWnd, false));
    return TRUE;
}
}  // namespace

std::vector<WindowInfo> TopLevelWindows(DWORD dwProcessId) {
    Collect collect{dwProcessId, {}};
    EnumWindows(&CollectProc, reinterpret_cast<LPARAM>(&collect));
    return collect.arrWindows;
}

std::vector<WindowInfo> Children(HWND hParent) {
    std::vector<WindowInfo> arrChildren;
    for (HWND hChild = GetWindow(hParent, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
        arrChildren.push_back(Describe(hChild, true));
    return arrChildren;
}

std::vector<ListRow> ReadListView(HWND hList) {
    std::vector<ListRow> arrRows;
    const SIZE_T nText = 1024;
    RemoteBuffer remote(hList, sizeof(LVITEMA) + nText);
    if (!remote.Valid()) return arrRows;
    int nCount = static_cast<int>(SendMessageA(hList, LVM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < nCount; ++i) {
        LVITEMA item{};
        item.iSubItem = 0;
        item.cchTextMax = static_cast<int>(nText);
        item.pszText = remote.Address() + sizeof(LVITEMA);
        char szText[nText] = {};
        remote.Write(0, &item, sizeof item);
        remote.Write(sizeof(LVITEMA), szText, 1);
        SendMessageA(hList, LVM_GETITEMTEXTA, i, reinterpret_cast<LPARAM>(remote.Address()));
        remote.Read(sizeof(LVITEMA), szText, nText - 1);
        UINT nState = static_cast<UINT>(SendMessageA(hList, LVM_GETITEMSTATE, i, LVIS_STATEIMAGEMASK));
        arrRows.push_back({szText, ((nState & LVIS_STATEIMAGEMASK) >> 12) == 2});
    }
    return arrRows;
}

bool SetListViewCheck(HWND hList, int nRow, bool bChecked) {
    RemoteBuffer remote(hList, sizeof(LVITEMA));
    if (!remote.Valid()) return false;
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(bChecked ? 2 : 1);
    remote.Write(0, &item, sizeof item);
    return SendMessageA(hList, LVM_SETITEMSTATE, nRow, reinterpret_cast<LPARAM>(remote.Address())) != 0;
}

bool ClickButton(HWND hDlg, int nId) {
    HWND hButton = GetDlgItem(hDlg, nId);
    if (!hButton) return false;
    // Posted, not sent: a click that opens a modal loop must not block the driver.
    return PostMessageA(hButton, BM_CLICK, 0, 0) != FALSE;
}

std::string MessageBoxText(HWND hBox) { return WindowText(GetDlgItem(hBox, 0xFFFF)); }

bool SaveScreenshot(const std::string& strPath) {
    RECT rect{0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)};
    return CaptureRect(rect, strPath);
}

bool SaveWindowShot(HWND hWnd, const std::string& strPath) {
    RECT rect;
    if (!GetWindowRect(hWnd, &rect)) return false;
    return CaptureRect(rect, strPath);
}

COLORREF ScreenPixel(int x, int y) {
    const ScopedWindowDC screen(nullptr);
    return GetPixel(screen.Get(), x, y);
}

}  // namespace uidriver
