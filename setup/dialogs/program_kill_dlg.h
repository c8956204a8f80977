// ProgramKillDlg: tells the user that a host program runs and offers to force it closed.
//
// Use: ProgramKillDlg(strMessage).Ask(hOwner), strMessage in the HTML subset: the force-close button
// (button 1, the default) ForceClose, Cancel (button 2, Escape, close box) Cancel; NotShown when the
// dialog could not be shown. QuestionDlg says what every question shares.
#pragma once

#include "setup/dialogs/question_dlg.h"

#include <string>

class ProgramKillDlg : public QuestionDlg {
public:
    enum class Answer { NotShown = 0, ForceClose = 1, Cancel = 2 };

    explicit ProgramKillDlg(const std::string& strMessage);
    Answer Ask(HWND hOwner) { return static_cast<Answer>(AskModal(hOwner)); }
};
