// ProgramKillDlg: tells the user that a host program runs and offers to force it closed.
//
// Constructed without a parent; the caller fills m_strMessage (HTML subset) and runs it modally.
// DoModal returns IDOK (1) for the force-close button, IDCANCEL (2) for Cancel, Escape or the close box.
#pragma once

#include "framework/dialog.h"
#include "htmllabel/html_static.h"

#include <string>

class ProgramKillDlg : public CDialog {
public:
    ProgramKillDlg();

    std::string m_strMessage;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;

private:
    CHTMLStatic m_htmlMessage;  // control 1005
    CButton m_btnKill;          // control 1, the OK command
    CButton m_btnCancel;        // control 2, the Cancel command
};
