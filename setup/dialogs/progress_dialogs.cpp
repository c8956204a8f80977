#include "setup/dialogs/progress_dialogs.h"

void LetterquarrySetupDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_1002, m_progressFile);
    DDX_Control(pDX, IDC_PROGRESS_1001, m_progressStage);
    DDX_Control(pDX, IDC_DETAIL_LINE, m_staticDetail);
    DDX_Control(pDX, IDC_STAGE_LINE, m_staticStage);
    DDX_Text(pDX, IDC_DETAIL_LINE, m_strDetail);
}

BOOL LetterquarrySetupDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}

void LetterquarryDeleteDlg::DoDataExchange(CDataExchange* pDX) {
    CDialog::DoDataExchange(pDX);
    DDX_Control(pDX, IDC_PROGRESS_1002, m_progressSecond);
    DDX_Control(pDX, IDC_PROGRESS_1001, m_progressFile);
    DDX_Control(pDX, IDC_DETAIL_LINE, m_staticDetail);
    DDX_Control(pDX, IDC_STAGE_LINE, m_staticStage);
}

BOOL LetterquarryDeleteDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    return TRUE;
}
