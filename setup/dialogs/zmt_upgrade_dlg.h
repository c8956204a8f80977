// CZmtUpGradeDlg, the install dialog: the window of an interactive install. Shows the product banner and
// the host programs found on this machine with a check box each; Install updates the suite's settings,
// makes sure no host program runs, removes an earlier installation's traces, installs the checked hosts
// with a progress window, then closes. The work, its questions after a failure and what it says at the end
// are the engines'; the dialog reaches them through InstallActions (setup/core/install_actions.h), which the
// interactive install run mode provides, and only shows and asks.
//
// For the keyboard and screen readers: the dialog starts with the focus on the host list's first row, which is
// selected; a label that is not shown names the list (the list's column title); the buttons carry access
// keys; a text that does not fit its control makes it grow (FitControlsToTexts).
//
// Use: construct with the actions (the context is built empty), DoModal. DoModal returns IDCANCEL when
// the user closed the dialog without installing, IDOK after an install; GetOutcome() then tells how it
// ended (Cancelled until an install ran).
#pragma once

#include "framework/dialog.h"
#include "htmllabel/html_static.h"
#include "setup/core/country.h"
#include "setup/core/install_actions.h"
#include "setup/core/install_context.h"
#include "setup/core/outcome.h"
#include "setup/dialogs/product_picture.h"

#include <string>

class CZmtUpGradeDlg : public CDialog {
public:
    // The actions must outlive the dialog.
    explicit CZmtUpGradeDlg(InstallActions& actions);

    // After DoModal: the install's outcome, or Cancelled when the dialog was closed without installing.
    Outcome GetOutcome() const { return m_outcome; }

    // The banner markup of an edition.
    static std::string BannerText(Edition edition);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;  // the Install command
    void OnCancel() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    bool OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    // The host list in the system's tooltip colours of the moment.
    void ApplyHostListColors();
    void FillHostList();
    // Copies the check boxes into the records' selected flags, row by row from the first.
    void StoreHostChoice();
    // Runs the install in a progress window.
    void Install();
    void OnPaint();

    InstallActions& m_actions;
    HICON m_hIcon;
    InstallContext m_context;
    CListCtrl m_listHosts;   // control 1000
    CHTMLStatic m_htmlBanner;  // control 1003
    CHTMLStatic m_htmlHint;    // control 1004
    CHTMLStatic m_htmlPrompt;  // control 1005
    CButton m_btnInstall;    // control 1
    CButton m_btnCancel;     // control 2
    ProductPicture m_picture;  // the picture control on the left, filled at any DPI
    Outcome m_outcome = Outcome::Cancelled;
    // The guard's question and the closing message have no owner, so this dialog stays enabled while
    // they run their loops; a second Install click then must not start a second install inside the first.
    bool m_bInstalling = false;
};
