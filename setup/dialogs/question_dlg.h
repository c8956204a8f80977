// QuestionDlg: what the setup program's questions share. A question is a modal dialog with a label that
// shows the caller's text (HTML subset) and a row of buttons, each of which gives one answer. Its kinds,
// MessageBoxDlg, DeleteMessageBoxDlg and ProgramKillDlg, each name their answers in an enum of their own
// and ask with Ask(hOwner); this class runs the dialog and hands the answer over as that enum's number.
//
// Every question starts with the keyboard focus on its default button, so that Space and Enter both give
// the default answer; Escape and the close box give Cancel's (they send IDCANCEL). Its buttons carry the
// current language's texts with their access keys (ButtonText). A text that does not fit its control
// makes the control, and where needed the dialog, grow (FitControlsToTexts).
#pragma once

#include "framework/dialog.h"
#include "htmllabel/html_static.h"
#include "setup/core/texts.h"

#include <string>
#include <vector>

class QuestionDlg : public CDialog {
protected:
    // One button: its control id, its text and the number of the answer it gives (never 0).
    struct Button {
        int nId;
        TextId text;
        int nAnswer;
    };

    // The question of template nTemplate showing strText in its label nLabelId.
    QuestionDlg(UINT nTemplate, int nLabelId, std::string strText, std::vector<Button> arrButtons);

    // Runs the question modally with hOwner (may be null) as owner. Returns the answer of the button
    // pressed, 0 when the dialog could not be shown.
    int AskModal(HWND hOwner);

    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    const int m_nLabelId;
    const std::string m_strText;
    const std::vector<Button> m_arrButtons;
    CHTMLStatic m_htmlText;
    int m_nAnswer = 0;
};
