// DeleteMessageBoxDlg: asks whether to uninstall.
//
// Use: construct, set m_strText (HTML subset), DoModal, read m_nResult: 1 delete (button 1, also
// Enter), 2 Cancel (button 2, Escape, close box). m_nResult stays 0 when the dialog could not be shown.
#pragma once

#include "framework/dialog.h"
#include "htmllabel/html_static.h"

#include <string>

class DeleteMessageBoxDlg : public CDialog {
public:
    DeleteMessageBoxDlg();

    // The values of m_nResult.
    enum Result { kNotShown = 0, kDelete = 1, kCancel = 2 };

    std::string m_strText;
    int m_nResult = kNotShown;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    bool OnCommand(WPARAM wParam, LPARAM lParam) override;

private:
    CHTMLStatic m_htmlText;  // control 1005
    CButton m_btnCancel;     // control 2
    CButton m_btnDelete;     // control 1
};
