#include "setup/dialogs/delete_message_box_dlg.h"

#include "setup/core/texts.h"
#include "setup/dialogs/resource.h"

DeleteMessageBoxDlg::DeleteMessageBoxDlg() : CDialog(IDD_DELETE_MESSAGE_BOX) {}

void DeleteMessageBoxDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_MESSAGE_TEXT, m_htmlText);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
    DDX_Control(pDX, IDOK, m_btnDelete);
}

BOOL DeleteMessageBoxDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_htmlText.SetHtmlText(m_strText);
    m_btnDelete.SetWindowText(Text(TextId::DeleteButton));
    m_btnCancel.SetWindowText(Text(TextId::CancelButton));
    return TRUE;
}

bool DeleteMessageBoxDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    switch (LOWORD(wParam)) {
    case IDOK: m_nResult = kDelete; OnOK(); return true;
    case IDCANCEL: m_nResult = kCancel; OnCancel(); return true;
    default: return CDialog::OnCommand(wParam, lParam);
    }
}
