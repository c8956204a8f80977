// The front-end halves of the run modes that show windows (setup/core/front_end.h).
//
// ProgressWindowView: progress goes into the controls of a progress window, when there is one.
// DialogAnswers: the user answers, in the suite's own dialogs (MessageBoxDlg for files in use, owned by the
// main window when there is one; ProgramKillDlg for a running program, without an owner); messages are
// standard message boxes; every text comes from the text table in the current language.
// DialogFrontEnd: the two together, for the modes where the user sees the progress and answers.
//
// The objects borrow the controls; the progress window must outlive them.
#pragma once

#include "framework/wnd.h"
#include "setup/core/front_end.h"
#include "setup/dialogs/progress_dialogs.h"

class ProgressWindowView : public ProgressView {
public:
    // No progress window: progress is not shown.
    ProgressWindowView() = default;
    // The install's progress window: stage bar 1001, file bar 1002. Null: no progress window.
    explicit ProgressWindowView(LetterquarrySetupDlg* pWindow);
    // The uninstall's progress window: file bar 1001; bar 1002 is never moved. Null: no progress window.
    explicit ProgressWindowView(LetterquarryDeleteDlg* pWindow);
    // Single controls; each may be null and is then not updated.
    ProgressWindowView(CStatic* pStage, CStatic* pDetail, CProgressCtrl* pStageBar, CProgressCtrl* pFileBar);

    void ShowStage(TextId stage) override;
    void ShowDetail(const std::string& strFile) override;
    void SetBarRange(ProgressBar bar, short nLower, short nUpper) override;
    void SetBarPos(ProgressBar bar, int nPos) override;

private:
    CProgressCtrl* Bar(ProgressBar bar) const { return bar == ProgressBar::Stage ? m_pStageBar : m_pFileBar; }

    CStatic* m_pStage = nullptr;
    CStatic* m_pDetail = nullptr;
    CProgressCtrl* m_pStageBar = nullptr;
    CProgressCtrl* m_pFileBar = nullptr;
};

class DialogAnswers : public Answerer {
public:
    // Asked whatever the failure was, as the suite always asked. A dialog that cannot be shown counts as
    // Cancel.
    InUseAnswer AskFilesInUse(TextId question, bool bFilesHeld) override;
    RunningProgramAnswer AskCloseProgram(const std::string& strDisplayName) override;
    void ShowMessage(MessageStyle style, TextId message) override;
};

class DialogFrontEnd : public FrontEnd {
public:
    // As ProgressWindowView's constructors take them.
    template <typename... Window>
    explicit DialogFrontEnd(Window... window) : FrontEnd(m_view, m_answers), m_view(window...) {}

private:
    ProgressWindowView m_view;
    DialogAnswers m_answers;
};
