// DialogFrontEnd: the front end of every run mode that shows windows. Progress goes into the controls of
// a progress window (when there is one), questions are the suite's own dialogs (MessageBoxDlg for files
// in use, ProgramKillDlg for a running program), messages are standard message boxes.
//
// The object borrows the controls; the progress window must outlive it.
#pragma once

#include "framework/wnd.h"
#include "setup/core/front_end.h"
#include "setup/dialogs/progress_dialogs.h"

class DialogFrontEnd : public FrontEnd {
public:
    // No progress window: progress is not shown; questions and messages are.
    DialogFrontEnd() = default;
    // The install's progress window: stage bar 1001, file bar 1002.
    explicit DialogFrontEnd(LetterquarrySetupDlg& window);
    // The uninstall's progress window: file bar 1001; bar 1002 is never moved.
    explicit DialogFrontEnd(LetterquarryDeleteDlg& window);
    // Single controls; each may be null and is then not updated.
    DialogFrontEnd(CStatic* pStage, CStatic* pDetail, CProgressCtrl* pStageBar, CProgressCtrl* pFileBar);

    void ShowStage(const std::string& strText) override;
    void ShowDetail(const std::string& strText) override;
    void SetBarRange(ProgressBar bar, short nLower, short nUpper) override;
    void SetBarPos(ProgressBar bar, int nPos) override;
    // MessageBoxDlg without an owner; a dialog that cannot be shown counts as Cancel.
    InUseAnswer AskFilesInUse(const std::string& strHtml) override;
    // ProgramKillDlg without an owner; a dialog that cannot be shown counts as Cancel.
    RunningProgramAnswer AskCloseProgram(const std::string& strHtml) override;
    void ShowMessage(MessageStyle style, const std::string& strText) override;

private:
    CProgressCtrl* Bar(ProgressBar bar) const { return bar == ProgressBar::Stage ? m_pStageBar : m_pFileBar; }

    CStatic* m_pStage = nullptr;
    CStatic* m_pDetail = nullptr;
    CProgressCtrl* m_pStageBar = nullptr;
    CProgressCtrl* m_pFileBar = nullptr;
};
