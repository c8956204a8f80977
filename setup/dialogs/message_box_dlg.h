// MessageBoxDlg: an install or uninstall was refused because a related program runs. Offers to restart
// Windows (the work then runs at the next start), to close the programs and go on, or to cancel.
//
// Use: MessageBoxDlg(strText).Ask(hOwner), strText in the HTML subset: "ReStart Windows" (button 3)
// RestartWindows, the go-on button (button 1, the default) GoOn, Cancel (button 2, Escape, close box)
// Cancel; NotShown when the dialog could not be shown. QuestionDlg says what every question shares.
#pragma once

#include "setup/dialogs/question_dlg.h"

#include <string>

class MessageBoxDlg : public QuestionDlg {
public:
    enum class Answer { NotShown = 0, RestartWindows = 1, GoOn = 2, Cancel = 3 };

    explicit MessageBoxDlg(const std::string& strText);
    Answer Ask(HWND hOwner) { return static_cast<Answer>(AskModal(hOwner)); }
};
