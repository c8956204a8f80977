#include "setup/dialogs/program_kill_dlg.h"

#include "setup/core/texts.h"
#include "setup/dialogs/resource.h"

ProgramKillDlg::ProgramKillDlg() : CDialog(IDD_PROGRAM_KILL) {}

void ProgramKillDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_PROGRAM_KILL_TEXT, m_htmlMessage);
    DDX_Control(pDX, IDOK, m_btnKill);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL ProgramKillDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_htmlMessage.SetHtmlText(m_strMessage);
    m_btnKill.SetWindowText(Text(TextId::ForceCloseButton));
    m_btnCancel.SetWindowText(Text(TextId::CancelButton));
    return TRUE;
}
