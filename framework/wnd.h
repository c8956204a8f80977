// CWnd and the thin control wrappers of our small dialog framework.
//
// A CWnd holds a window handle it does not own unless it created the window. A control member of a
// dialog is bound to its child window by data exchange (DDX_Control), which subclasses the child: from
// then on the child's messages reach the object's OnWndMsg first, and the notifications that the child
// sends to its parent (WM_COMMAND, WM_NOTIFY) are first offered back to the child as reflected messages
// (OnChildNotify), so a control class can handle its own clicks.
#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

class CWnd {
public:
    CWnd() = default;
    virtual ~CWnd();
    CWnd(const CWnd&) = delete;
    CWnd& operator=(const CWnd&) = delete;

    HWND GetSafeHwnd() const { return m_hWnd; }
    operator HWND() const { return m_hWnd; }

    // Subclasses the child control nID of pParent and attaches it to this object. Calls
    // PreSubclassWindow first. Returns false when there is no such child or this object is attached.
    bool SubclassDlgItem(UINT nID, HWND hParent);
    // Gives the window back its own procedure and detaches it; safe when not subclassed.
    void UnsubclassWindow();

    void SetWindowText(const std::string& strText) const;
    std::string GetWindowText() const;
    LRESULT SendMessage(UINT nMsg, WPARAM wParam = 0, LPARAM lParam = 0) const;

    // The object attached to a subclassed window, or nullptr.
    static CWnd* FromHandlePermanent(HWND hWnd);

protected:
    // Called with the window handle set, before the new window procedure is installed.
    virtual void PreSubclassWindow() {}
    // Every message of a subclassed window; return true when handled (with *pResult set).
    virtual bool OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // A notification that this control sent to its parent (WM_COMMAND or WM_NOTIFY), reflected back.
    // Return true to consume it; the parent then does not see it.
    virtual bool OnChildNotify(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);
    // The window's own procedure, for messages this object does not handle.
    LRESULT Default(UINT nMsg, WPARAM wParam, LPARAM lParam);

    // Offers a parent's WM_COMMAND / WM_NOTIFY to the subclassed child that sent it.
    static bool ReflectToChild(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    HWND m_hWnd = nullptr;

    // The window property that ties a window to the object that handles it.
    static constexpr const char* kObjectProperty = "LqFrameworkWnd";

private:
    static LRESULT CALLBACK SubclassProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    WNDPROC m_pfnSuper = nullptr;

    friend class CDialog;
};

class CStatic : public CWnd {};

class CButton : public CWnd {};

class CProgressCtrl : public CWnd {
public:
    void SetRange(short nLower, short nUpper) const;
    int SetPos(int nPos) const;
};

class CListCtrl : public CWnd {
public:
    int InsertColumn(int nCol, const std::string& strHeading, int nFormat, int nWidth) const;
    DWORD SetExtendedStyle(DWORD dwNewStyle) const;
    // Inserts at row nItem with the given text and item data; returns the row index or -1.
    int InsertItem(int nItem, const std::string& strText, LPARAM lParam) const;
    // Sets the state bits of nMask (LVIS_FOCUSED, LVIS_SELECTED, ...) of row nItem to those of nState.
    bool SetItemState(int nItem, UINT nState, UINT nMask) const;
    bool EnsureVisible(int nItem) const;
    bool SetCheck(int nItem, bool bCheck) const;
    bool GetCheck(int nItem) const;
    LPARAM GetItemData(int nItem) const;
    int GetNextItem(int nItem, int nFlags) const;
    int GetItemCount() const;
    bool SetBkColor(COLORREF cr) const;
    bool SetTextBkColor(COLORREF cr) const;
    bool SetTextColor(COLORREF cr) const;
};
