#include "setup/dialogs/dialog_front_end.h"

#include "framework/winapp.h"
#include "setup/dialogs/message_box_dlg.h"
#include "setup/dialogs/program_kill_dlg.h"

DialogFrontEnd::DialogFrontEnd(LetterquarrySetupDlg& window)
    : DialogFrontEnd(&window.m_staticStage, &window.m_staticDetail, &window.m_progressStage, &window.m_progressFile) {}

DialogFrontEnd::DialogFrontEnd(LetterquarryDeleteDlg& window)
    : DialogFrontEnd(&window.m_staticStage, &window.m_staticDetail, nullptr, &window.m_progressFile) {}

DialogFrontEnd::DialogFrontEnd(CStatic* pStage, CStatic* pDetail, CProgressCtrl* pStageBar, CProgressCtrl* pFileBar)
    : m_pStage(pStage), m_pDetail(pDetail), m_pStageBar(pStageBar), m_pFileBar(pFileBar) {}

void DialogFrontEnd::ShowStage(const std::string& strText) {
    if (m_pStage) m_pStage->SetWindowText(strText);
}

void DialogFrontEnd::ShowDetail(const std::string& strText) {
    if (m_pDetail) m_pDetail->SetWindowText(strText);
}

void DialogFrontEnd::SetBarRange(ProgressBar bar, short nLower, short nUpper) {
    if (CProgressCtrl* pBar = Bar(bar)) pBar->SetRange(nLower, nUpper);
}

void DialogFrontEnd::SetBarPos(ProgressBar bar, int nPos) {
    if (CProgressCtrl* pBar = Bar(bar)) pBar->SetPos(nPos);
}

InUseAnswer DialogFrontEnd::AskFilesInUse(const std::string& strHtml) {
    MessageBoxDlg dlg;
    dlg.m_strText = strHtml;
    dlg.DoModal(nullptr);
    switch (dlg.m_nResult) {
    case MessageBoxDlg::kRestartWindows: return InUseAnswer::RestartWindows;
    case MessageBoxDlg::kGoOn: return InUseAnswer::CloseAndRetry;
    default: return InUseAnswer::Cancel;  // Cancel, or the dialog could not be shown
    }
}

RunningProgramAnswer DialogFrontEnd::AskCloseProgram(const std::string& strHtml) {
    ProgramKillDlg dlg;
    dlg.m_strMessage = strHtml;
    // -1: the question could not be shown. Asking again would spin without end, and going on would work
    // around a running program, so it counts as the user's cancel.
    return dlg.DoModal(nullptr) == IDOK ? RunningProgramAnswer::ForceClose : RunningProgramAnswer::Cancel;
}

void DialogFrontEnd::ShowMessage(MessageStyle style, const std::string& strText) {
    switch (style) {
    case MessageStyle::Product: MessageBoxA(nullptr, strText.c_str(), "Letterquarry", MB_OK); break;
    case MessageStyle::Program: AfxMessageBox(strText, MB_OK); break;
    case MessageStyle::Error: MessageBoxA(nullptr, strText.c_str(), "Error", MB_ICONERROR | MB_SETFOREGROUND); break;
    }
}
