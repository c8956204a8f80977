#include "setup/dialogs/dialog_front_end.h"

#include "framework/winapp.h"
#include "setup/dialogs/message_box_dlg.h"
#include "setup/dialogs/program_kill_dlg.h"

ProgressWindowView::ProgressWindowView(LetterquarrySetupDlg* pWindow)
    : ProgressWindowView(pWindow ? &pWindow->m_staticStage : nullptr, pWindow ? &pWindow->m_staticDetail : nullptr,
                     pWindow ? &pWindow->m_progressStage : nullptr, pWindow ? &pWindow->m_progressFile : nullptr) {}

ProgressWindowView::ProgressWindowView(LetterquarryDeleteDlg* pWindow)
    : ProgressWindowView(pWindow ? &pWindow->m_staticStage : nullptr, pWindow ? &pWindow->m_staticDetail : nullptr, nullptr,
                     pWindow ? &pWindow->m_progressFile : nullptr) {}

ProgressWindowView::ProgressWindowView(CStatic* pStage, CStatic* pDetail, CProgressCtrl* pStageBar, CProgressCtrl* pFileBar)
    : m_pStage(pStage), m_pDetail(pDetail), m_pStageBar(pStageBar), m_pFileBar(pFileBar) {}

void ProgressWindowView::ShowStage(TextId stage) {
    if (m_pStage) m_pStage->SetWindowText(Text(stage));
}

void ProgressWindowView::ShowDetail(const std::string& strFile) {
    if (m_pDetail) m_pDetail->SetWindowText(strFile);
}

void ProgressWindowView::SetBarRange(ProgressBar bar, short nLower, short nUpper) {
    if (CProgressCtrl* pBar = Bar(bar)) pBar->SetRange(nLower, nUpper);
}

void ProgressWindowView::SetBarPos(ProgressBar bar, int nPos) {
    if (CProgressCtrl* pBar = Bar(bar)) pBar->SetPos(nPos);
}

InUseAnswer DialogAnswers::AskFilesInUse(TextId question, bool /*bFilesHeld*/) {
    // The install's question belongs to its dialog; the uninstall has no main window.
    switch (MessageBoxDlg(Text(question)).Ask(AfxGetMainWnd())) {
    case MessageBoxDlg::Answer::RestartWindows: return InUseAnswer::RestartWindows;
    case MessageBoxDlg::Answer::GoOn: return InUseAnswer::CloseAndRetry;
    default: return InUseAnswer::Cancel;  // Cancel, or the dialog could not be shown
    }
}

RunningProgramAnswer DialogAnswers::AskCloseProgram(const std::string& strDisplayName) {
    // A question that could not be shown: asking again would spin without end, and going on would work
    // around a running program, so it counts as the user's cancel.
    return ProgramKillDlg(Text(TextId::ProgramRunning, strDisplayName)).Ask(nullptr) == ProgramKillDlg::Answer::ForceClose
               ? RunningProgramAnswer::ForceClose
               : RunningProgramAnswer::Cancel;
}

void DialogAnswers::ShowMessage(MessageStyle style, TextId message) {
    const std::string strText = Text(message);
    switch (style) {
    case MessageStyle::Product:
        MessageBoxA(nullptr, strText.c_str(), Text(TextId::ProductCaption).c_str(), MB_OK);
        break;
    case MessageStyle::Program: AfxMessageBox(strText, MB_OK); break;
    case MessageStyle::Error:
        MessageBoxA(nullptr, strText.c_str(), Text(TextId::ErrorCaption).c_str(), MB_ICONERROR | MB_SETFOREGROUND);
        break;
    }
}
