// MessageBoxDlg: an install or uninstall was refused because a related program runs. Offers to restart
// Windows (the work then runs at the next start), to close the programs and go on, or to cancel.
//
// Use: construct, set m_strText (HTML subset), DoModal, read m_nResult:
//   1 "ReStart Windows" (button 3), 2 go on (button 1, also Enter), 3 Cancel (button 2, Escape, close box).
// m_nResult stays 0 when the dialog could not be shown.
#pragma once

#include "framework/dialog.h"
#include "htmllabel/html_static.h"

#include <string>

class MessageBoxDlg : public CDialog {
public:
    MessageBoxDlg();

    // The values of m_nResult.
    enum Result { kNotShown = 0, kRestartWindows = 1, kGoOn = 2, kCancel = 3 };

    int m_nResult = kNotShown;
    std::string m_strText;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CHTMLStatic m_htmlText;  // control 1005
    CButton m_btnRestart;    // control 3
    CButton m_btnGoOn;       // control 1
    CButton m_btnCancel;     // control 2
};
