#include "framework/dialog.h"

#include "framework/winapp.h"

#include <vector>

void DDX_Control(CDataExchange* pDX, int nID, CWnd& rControl) {
    if (!rControl.GetSafeHwnd()) rControl.SubclassDlgItem(static_cast<UINT>(nID), pDX->m_hDlg);
}

void DDX_Text(CDataExchange* pDX, int nID, std::string& strValue) {
    HWND hControl = GetDlgItem(pDX->m_hDlg, nID);
    if (!hControl) return;
    if (pDX->m_bSaveAndValidate) {
        int nLength = GetWindowTextLengthA(hControl);
        std::vector<char> buffer(static_cast<size_t>(nLength) + 1, '\0');
        GetWindowTextA(hControl, buffer.data(), nLength + 1);
        strValue = buffer.data();
    } else {
        SetWindowTextA(hControl, strValue.c_str());
    }
}

CDialog::~CDialog() { DestroyWindow(); }

INT_PTR CALLBACK CDialog::DialogProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam) {
    CDialog* pDlg;
    if (nMsg == WM_INITDIALOG) {
        pDlg = reinterpret_cast<CDialog*>(lParam);
        SetWindowLongPtrA(hWnd, DWLP_USER, lParam);
        SetPropA(hWnd, kObjectProperty, pDlg);
        pDlg->m_hWnd = hWnd;
        return pDlg->OnInitDialog();
    }
    pDlg = reinterpret_cast<CDialog*>(GetWindowLongPtrA(hWnd, DWLP_USER));
    if (!pDlg) return FALSE;

    LRESULT lResult = 0;
    bool bHandled = false;
    switch (nMsg) {
    case WM_COMMAND:
        bHandled = ReflectToChild(nMsg, wParam, lParam, &lResult) || pDlg->OnCommand(wParam, lParam);
        break;
    case WM_NOTIFY:
        bHandled = ReflectToChild(nMsg, wParam, lParam, &lResult) || pDlg->OnNotify(wParam, lParam, &lResult);
        break;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // Windows tells top-level windows only; the controls that draw with the system's colours must hear it.
        for (HWND hChild = GetWindow(hWnd, GW_CHILD); hChild; hChild = GetWindow(hChild, GW_HWNDNEXT))
            ::SendMessageA(hChild, nMsg, wParam, lParam);
        bHandled = pDlg->OnWndMsg(nMsg, wParam, lParam, &lResult);
        break;
    case WM_NCDESTROY:
        RemovePropA(hWnd, kObjectProperty);
        SetWindowLongPtrA(hWnd, DWLP_USER, 0);
        pDlg->m_hWnd = nullptr;
        return FALSE;
    default:
        bHandled = pDlg->OnWndMsg(nMsg, wParam, lParam, &lResult);
        break;
    }
    if (!bHandled) return FALSE;
    // Messages that return their value directly from a dialog procedure.
    switch (nMsg) {
    case WM_CTLCOLORMSGBOX: case WM_CTLCOLOREDIT: case WM_CTLCOLORLISTBOX: case WM_CTLCOLORBTN:
    case WM_CTLCOLORDLG: case WM_CTLCOLORSCROLLBAR: case WM_CTLCOLORSTATIC: case WM_QUERYDRAGICON:
    case WM_COMPAREITEM: case WM_VKEYTOITEM: case WM_CHARTOITEM: case WM_INITDIALOG:
        return static_cast<INT_PTR>(lResult);
    default:
        SetWindowLongPtrA(hWnd, DWLP_MSGRESULT, lResult);
        return TRUE;
    }
}

bool CDialog::Create(UINT nIDTemplate, HWND hParent) {
    m_nIDTemplate = nIDTemplate;
    m_bModal = false;
    HWND hWnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(nIDTemplate), hParent,
                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    return hWnd != nullptr;
}

INT_PTR CDialog::DoModal(HWND hParent) {
    CWinApp* pApp = AfxGetApp();
    bool bParentEnabled = hParent && IsWindowEnabled(hParent);
    if (bParentEnabled) EnableWindow(hParent, FALSE);

    m_bModal = true;
    m_bModalDone = false;
    m_nModalResult = -1;
    HWND hWnd = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(m_nIDTemplate), hParent,
                                   &CDialog::DialogProc, reinterpret_cast<LPARAM>(this));
    if (hWnd) {
        if (!m_bModalDone) ShowWindow(hWnd, SW_SHOWNORMAL);
        while (!m_bModalDone) {
            if (!(pApp ? pApp->PumpMessage() : FALSE)) {
                PostQuitMessage(0);  // leave the quit for the outer loop
                break;
            }
            if (!m_hWnd) break;  // destroyed behind our back
        }
    }
    if (bParentEnabled) {
        EnableWindow(hParent, TRUE);
        SetActiveWindow(hParent);
    }
    DestroyWindow();
    m_bModal = false;
    return m_nModalResult;
}

void CDialog::DestroyWindow() {
    if (m_hWnd) ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}

void CDialog::EndDialog(int nResult) {
    m_nModalResult = nResult;
    if (m_bModal) {
        m_bModalDone = true;
        if (m_hWnd) ShowWindow(m_hWnd, SW_HIDE);
    } else {
        DestroyWindow();
    }
}

bool CDialog::UpdateData(bool bSaveAndValidate) {
    if (!m_hWnd) return false;
    CDataExchange dx(m_hWnd, bSaveAndValidate);
    DoDataExchange(&dx);
    return true;
}

void CDialog::GotoDlgCtrl(HWND hControl) {
    if (m_hWnd && hControl) ::SendMessageA(m_hWnd, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(hControl), TRUE);
}

BOOL CDialog::OnInitDialog() {
    UpdateData(false);
    return TRUE;
}

void CDialog::OnOK() {
    UpdateData(true);
    EndDialog(IDOK);
}

void CDialog::OnCancel() { EndDialog(IDCANCEL); }

bool CDialog::OnCommand(WPARAM wParam, LPARAM) {
    switch (LOWORD(wParam)) {
    case IDOK: OnOK(); return true;
    case IDCANCEL: OnCancel(); return true;
    default: return false;
    }
}

bool CDialog::OnNotify(WPARAM, LPARAM, LRESULT*) { return false; }
