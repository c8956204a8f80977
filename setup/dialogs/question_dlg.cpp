#include "setup/dialogs/question_dlg.h"

#include "setup/dialogs/dialog_layout.h"

#include <utility>

QuestionDlg::QuestionDlg(UINT nTemplate, int nLabelId, std::string strText, std::vector<Button> arrButtons)
    : CDialog(nTemplate), m_nLabelId(nLabelId), m_strText(std::move(strText)), m_arrButtons(std::move(arrButtons)) {}

int QuestionDlg::AskModal(HWND hOwner) {
    m_nAnswer = 0;
    DoModal(hOwner);
    return m_nAnswer;
}

void QuestionDlg::DoDataExchange(CDataExchange* pDX) { DDX_Control(pDX, m_nLabelId, m_htmlText); }

BOOL QuestionDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    m_htmlText.SetHtmlText(m_strText);
    for (const Button& button : m_arrButtons) SetDlgItemTextA(m_hWnd, button.nId, ButtonText(button.text).c_str());
    FitControlsToTexts(m_hWnd);
    // The dialog manager would focus the first button of the row, which need not be the default one: Enter
    // would then give one answer and Space another.
    const LRESULT lDefault = SendMessage(DM_GETDEFID);
    if (HIWORD(lDefault) == DC_HASDEFID) GotoDlgCtrl(GetDlgItem(m_hWnd, LOWORD(lDefault)));
    return FALSE;  // the focus is set
}

bool QuestionDlg::OnCommand(WPARAM wParam, LPARAM lParam) {
    for (const Button& button : m_arrButtons) {
        if (LOWORD(wParam) != button.nId) continue;
        m_nAnswer = button.nAnswer;
        if (button.nId == IDCANCEL) OnCancel();
        else OnOK();
        return true;
    }
    return CDialog::OnCommand(wParam, lParam);
}
