// DeleteMessageBoxDlg: asks whether to uninstall.
//
// Use: DeleteMessageBoxDlg(strText).Ask(hOwner), strText in the HTML subset: the delete button (button 1,
// the default) Delete, Cancel (button 2, Escape, close box) Cancel; NotShown when the dialog could not be
// shown. QuestionDlg says what every question shares.
#pragma once

#include "setup/dialogs/question_dlg.h"

#include <string>

class DeleteMessageBoxDlg : public QuestionDlg {
public:
    enum class Answer { NotShown = 0, Delete = 1, Cancel = 2 };

    explicit DeleteMessageBoxDlg(const std::string& strText);
    Answer Ask(HWND hOwner) { return static_cast<Answer>(AskModal(hOwner)); }
};
