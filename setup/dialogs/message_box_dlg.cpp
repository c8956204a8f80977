#include "setup/dialogs/message_box_dlg.h"

#include "setup/core/texts.h"
#include "setup/dialogs/resource.h"

MessageBoxDlg::MessageBoxDlg() : CDialog(IDD_MESSAGE_BOX) {}

void MessageBoxDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MESSAGE_TEXT, m_htmlText);
    DDX_Control(pDX, IDC_MESSAGE_RESTART, m_btnRestart);
    DDX_Control(pDX, IDOK, m_btnGoOn);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL MessageBoxDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_htmlText.SetHtmlText(m_strText);
    m_btnRestart.SetWindowText(Text(TextId::RestartWindowsButton));
    m_btnGoOn.SetWindowText(Text(TextId::GoOnButton));
    m_btnCancel.SetWindowText(Text(TextId::CancelButton));
    return TRUE;
}

bool MessageBoxDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDC_MESSAGE_RESTART: m_nResult = kRestartWindows; OnOK(); return true;
    case IDOK: m_nResult = kGoOn; OnOK(); return true;
    case IDCANCEL: m_nResult = kCancel; OnCancel(); return true;
    default: return CDialog::OnCommand(wParam, lParam);
    }
}
