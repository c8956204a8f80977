// CDialog: a dialog built from a dialog resource, run modally (DoModal) or created modeless (Create).
//
// The dialog procedure stores `this` at WM_INITDIALOG and forwards every later message to virtual
// handlers; the destructor destroys a window that is still there. Control members are bound to their
// child windows by DoDataExchange (DDX_Control), which the framework runs in OnInitDialog and the
// owner runs again with UpdateData.
//
// The modal loop is the application's PumpMessage, as in the class framework this program was designed
// against: messages are taken one by one, offered to IsDialogMessage for keyboard navigation, and
// dispatched. The owner window is disabled while the dialog runs. Escape and the close box send
// IDCANCEL, which reaches OnCancel. A change of the system's colours or settings (WM_SYSCOLORCHANGE,
// WM_SETTINGCHANGE) is passed on to every child control before the dialog's own OnWndMsg sees it.
#pragma once

#include "framework/wnd.h"

#include <string>

class CDataExchange {
public:
    CDataExchange(HWND hDlg, bool bSaveAndValidate) : m_hDlg(hDlg), m_bSaveAndValidate(bSaveAndValidate) {}
    HWND m_hDlg;
    bool m_bSaveAndValidate;  // true: controls to members; false: members to controls
};

// Binds rControl to the dialog's child nID (subclassing it) the first time; later calls do nothing.
void DDX_Control(CDataExchange* pDX, int nID, CWnd& rControl);
// Copies the child's window text into strValue (save direction) or strValue into the child.
void DDX_Text(CDataExchange* pDX, int nID, std::string& strValue);

class CDialog : public CWnd {
public:
    explicit CDialog(UINT nIDTemplate) : m_nIDTemplate(nIDTemplate) {}
    ~CDialog() override;

    // Runs the dialog modally with hParent (may be null) as owner; returns the EndDialog result, or -1
    // when the window could not be created.
    INT_PTR DoModal(HWND hParent = nullptr);
    // Creates the window modeless from resource nIDTemplate (not shown unless the template says so).
    bool Create(UINT nIDTemplate, HWND hParent);
    void DestroyWindow();
    void EndDialog(int nResult);
    bool UpdateData(bool bSaveAndValidate = true);
    // Moves the keyboard focus to hControl as the dialog manager moves it (WM_NEXTDLGCTL): a push button
    // that gets it shows as the default. From OnInitDialog, return FALSE after it.
    void GotoDlgCtrl(HWND hControl);

protected:
    // Runs the data exchange in the load direction (binding the controls); returns true so that the
    // dialog manager sets the focus to the first control.
    virtual BOOL OnInitDialog();
    virtual void DoDataExchange(CDataExchange* /*pDX*/) {}
    virtual void OnOK();
    virtual void OnCancel();
    // WM_COMMAND that no child consumed; return true when handled. The default sends IDOK and
    // IDCANCEL to OnOK and OnCancel.
    virtual bool OnCommand(WPARAM wParam, LPARAM lParam);
    // WM_NOTIFY that no child consumed; return true when handled, with *pResult set.
    virtual bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult);

    UINT m_nIDTemplate;

private:
    static INT_PTR CALLBACK DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam);
    bool m_bModal = false;
    bool m_bModalDone = false;
    int m_nModalResult = -1;
};
