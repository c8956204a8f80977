#include "framework/wnd.h"

#include <vector>

CWnd::~CWnd() { UnsubclassWindow(); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) {
    return hWnd ? static_cast<CWnd*>(GetPropA(hWnd, kObjectProperty)) : nullptr;
}

bool CWnd::SubclassDlgItem(UINT nID, HWND hParent) {
    if (m_hWnd) return false;
    HWND hChild = GetDlgItem(hParent, static_cast<int>(nID));
    if (!hChild || FromHandlePermanent(hChild)) return false;
    m_hWnd = hChild;
    PreSubclassWindow();
    SetPropA(hChild, kObjectProperty, this);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(hChild, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
    return true;
}

void CWnd::UnsubclassWindow() {
    if (m_hWnd && m_pfnSuper) {
        SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
        RemovePropA(m_hWnd, kObjectProperty);
    }
    m_pfnSuper = nullptr;
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CWnd* pWnd = FromHandlePermanent(hWnd);
    if (!pWnd) return DefWindowProcA(hWnd, nMsg, wParam, lParam);
    LRESULT lResult = 0;
    if (nMsg == WM_COMMAND || nMsg == WM_NOTIFY) {
        // Our own children's notifications go to them first, as for a dialog.
        if (ReflectToChild(nMsg, wParam, lParam, &lResult)) return lResult;
    }
    if (nMsg == WM_NCDESTROY) {
        WNDPROC pfnSuper = pWnd->m_pfnSuper;
        pWnd->UnsubclassWindow();
        return CallWindowProcA(pfnSuper, hWnd, nMsg, wParam, lParam);
    }
    if (pWnd->OnWndMsg(nMsg, wParam, lParam, &lResult)) return lResult;
    return pWnd->Default(nMsg, wParam, lParam);
}

LRESULT CWnd::Default(UINT nMsg, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper) return CallWindowProcA(m_pfnSuper, m_hWnd, nMsg, wParam, lParam);
    return DefWindowProcA(m_hWnd, nMsg, wParam, lParam);
}

bool CWnd::OnWndMsg(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CWnd::OnChildNotify(UINT, WPARAM, LPARAM, LRESULT*) { return false; }

bool CWnd::ReflectToChild(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    HWND hChild = nullptr;
    if (nMsg == WM_COMMAND) hChild = reinterpret_cast<HWND>(lParam);
    else if (nMsg == WM_NOTIFY && lParam) hChild = reinterpret_cast<const NMHDR*>(lParam)->hwndFrom;
    CWnd* pChild = FromHandlePermanent(hChild);
    return pChild && pChild->OnChildNotify(nMsg, wParam, lParam, pResult);
}

void CWnd::SetWindowText(const std::string& strText) const { ::SetWindowTextA(m_hWnd, strText.c_str()); }

std::string CWnd::GetWindowText() const {
    int nLength = GetWindowTextLengthA(m_hWnd);
    std::vector<char> buffer(static_cast<size_t>(nLength) + 1, '\0');
    ::GetWindowTextA(m_hWnd, buffer.data(), nLength + 1);
    return std::string(buffer.data());
}

LRESULT CWnd::SendMessage(UINT nMsg, WPARAM wParam, LPARAM lParam) const {
    return ::SendMessageA(m_hWnd, nMsg, wParam, lParam);
}

void CProgressCtrl::SetRange(short nLower, short nUpper) const {
    SendMessage(PBM_SETRANGE, 0, MAKELPARAM(nLower, nUpper));
}

int CProgressCtrl::SetPos(int nPos) const { return static_cast<int>(SendMessage(PBM_SETPOS, nPos, 0)); }

int CListCtrl::InsertColumn(int nCol, const std::string& strHeading, int nFormat, int nWidth) const {
    LVCOLUMNA column{};
    column.mask = LVCF_TEXT | LVCF_FMT | LVCF_WIDTH;
    column.fmt = nFormat;
    column.cx = nWidth;
    column.pszText = const_cast<char*>(strHeading.c_str());
    return static_cast<int>(SendMessage(LVM_INSERTCOLUMNA, nCol, reinterpret_cast<LPARAM>(&column)));
}

DWORD CListCtrl::SetExtendedStyle(DWORD dwNewStyle) const {
    return static_cast<DWORD>(SendMessage(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, dwNewStyle));
}

int CListCtrl::InsertItem(int nItem, const std::string& strText, LPARAM lParam) const {
    LVITEMA item{};
    item.mask = LVIF_TEXT | LVIF_PARAM;
    item.iItem = nItem;
    item.pszText = const_cast<char*>(strText.c_str());
    item.lParam = lParam;
    return static_cast<int>(SendMessage(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

bool CListCtrl::SetItemState(int nItem, UINT nState, UINT nMask) const {
    LVITEMA item{};
    item.stateMask = nMask;
    item.state = nState;
    return SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListCtrl::EnsureVisible(int nItem) const { return SendMessage(LVM_ENSUREVISIBLE, nItem, FALSE) != 0; }

bool CListCtrl::SetCheck(int nItem, bool bCheck) const {
    LVITEMA item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(bCheck ? 2 : 1);
    return SendMessage(LVM_SETITEMSTATE, nItem, reinterpret_cast<LPARAM>(&item)) != 0;
}

bool CListCtrl::GetCheck(int nItem) const {
    UINT nState = static_cast<UINT>(SendMessage(LVM_GETITEMSTATE, nItem, LVIS_STATEIMAGEMASK));
    return ((nState >> 12) - 1) == 1;
}

LPARAM CListCtrl::GetItemData(int nItem) const {
    LVITEMA item{};
    item.mask = LVIF_PARAM;
    item.iItem = nItem;
    return SendMessage(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

int CListCtrl::GetNextItem(int nItem, int nFlags) const {
    return static_cast<int>(SendMessage(LVM_GETNEXTITEM, nItem, MAKELPARAM(nFlags, 0)));
}

int CListCtrl::GetItemCount() const { return static_cast<int>(SendMessage(LVM_GETITEMCOUNT)); }

bool CListCtrl::SetBkColor(COLORREF cr) const { return SendMessage(LVM_SETBKCOLOR, 0, cr) != 0; }

bool CListCtrl::SetTextBkColor(COLORREF cr) const { return SendMessage(LVM_SETTEXTBKCOLOR, 0, cr) != 0; }

bool CListCtrl::SetTextColor(COLORREF cr) const { return SendMessage(LVM_SETTEXTCOLOR, 0, cr) != 0; }
