// The front ends of the run modes that show windows. DialogFrontEnd: progress goes into the controls of a
// progress window (when there is one), questions are the suite's own dialogs (MessageBoxDlg for files in
// use, owned by the main window when there is one; ProgramKillDlg for a running program, without an owner),
// messages are standard message boxes; every text comes from the text table in the current language.
// ProgressOnlyFrontEnd: the progress window and nothing else, for the silent install.
//
// The objects borrow the controls; the progress window must outlive them.
#pragma once

#include "framework/wnd.h"
#include "setup/core/front_end.h"
#include "setup/dialogs/progress_dialogs.h"

class DialogFrontEnd : public FrontEnd {
public:
    // No progress window: progress is not shown; questions and messages are.
    DialogFrontEnd() = default;
    // The install's progress window: stage bar 1001, file bar 1002. Null: no progress window.
    explicit DialogFrontEnd(LetterquarrySetupDlg* pWindow);
    // The uninstall's progress window: file bar 1001; bar 1002 is never moved. Null: no progress window.
    explicit DialogFrontEnd(LetterquarryDeleteDlg* pWindow);
    // Single controls; each may be null and is then not updated.
    DialogFrontEnd(CStatic* pStage, CStatic* pDetail, CProgressCtrl* pStageBar, CProgressCtrl* pFileBar);

    void ShowStage(TextId stage) override;
    void ShowDetail(const std::string& strFile) override;
    void SetBarRange(ProgressBar bar, short nLower, short nUpper) override;
    void SetBarPos(ProgressBar bar, int nPos) override;
    // A dialog that cannot be shown counts as Cancel.
    // Asked whatever the failure was, as the suite always asked.
    InUseAnswer AskFilesInUse(TextId question, bool bFilesHeld) override;
    RunningProgramAnswer AskCloseProgram(const std::string& strDisplayName) override;
    void ShowMessage(MessageStyle style, TextId message) override;

private:
    CProgressCtrl* Bar(ProgressBar bar) const { return bar == ProgressBar::Stage ? m_pStageBar : m_pFileBar; }

    CStatic* m_pStage = nullptr;
    CStatic* m_pDetail = nullptr;
    CProgressCtrl* m_pStageBar = nullptr;
    CProgressCtrl* m_pFileBar = nullptr;
};

// "/B": the progress window shows the install, and that is all. No question is asked (each is answered with
// its cancel) and no message is shown: the deferred install runs at a logon, with nobody there to answer.
class ProgressOnlyFrontEnd : public DialogFrontEnd {
public:
    using DialogFrontEnd::DialogFrontEnd;
    InUseAnswer AskFilesInUse(TextId, bool) override { return InUseAnswer::Cancel; }
    RunningProgramAnswer AskCloseProgram(const std::string&) override { return RunningProgramAnswer::Cancel; }
    void ShowMessage(MessageStyle, TextId) override {}
};
