// CZmtUpGradeDlg: the window of an interactive install. Shows the product banner and the host programs
// found on this machine with a check box each; Install updates the suite's settings, makes sure no host
// program runs, removes an earlier installation's traces, installs the checked hosts with a progress
// window and reports the outcome, then closes. The work itself is the engines'; the dialog reaches them
// through InstallActions, which the interactive install run mode provides.
//
// Use: construct with the actions (the context is built empty), DoModal. DoModal returns IDCANCEL when
// the user closed the dialog without installing, IDOK after an install attempt; ExitCode() then tells
// how it ended.
#pragma once

#include "framework/dialog.h"
#include "htmllabel/html_static.h"
#include "setup/core/front_end.h"
#include "setup/core/install_context.h"
#include "setup/dialogs/product_picture.h"

#include <string>

// What the dialog asks of the engines, in the order the Install command needs it.
class InstallActions {
public:
    virtual ~InstallActions() = default;
    // At the dialog's initialisation, before the list is filled: the host records (discovery).
    virtual void FindHosts(InstallContext& context) = 0;
    // The Install command's steps before the install: the settings, the running-program guard (asking
    // through frontEnd), an earlier installation's traces. False when the user cancelled in the guard;
    // the dialog then stays open.
    virtual bool PrepareInstall(InstallContext& context, FrontEnd& frontEnd) = 0;
    // One run of the install sequence over the chosen records; true when it succeeded.
    virtual bool Install(InstallContext& context, FrontEnd& frontEnd) = 0;
    // The user chose to restart Windows after a failed install: the install runs at the next logon.
    virtual void DeferToRestart(FrontEnd& frontEnd) = 0;
};

class CZmtUpGradeDlg : public CDialog {
public:
    // The actions must outlive the dialog.
    explicit CZmtUpGradeDlg(InstallActions& actions);

    // After DoModal: kExitSuccess (installed, also on a retry), kExitRestart (deferred to the next
    // Windows start), kExitFailed (the install failed and the user gave up), kExitCancelled (closed
    // without installing).
    int ExitCode() const { return m_nExitCode; }

    // The banner markup of an edition (1 Quobbin, 2 Tessaly, any other the standard edition).
    static std::string BannerText(int nEdition);

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
    void OnOK() override;  // the Install command
    void OnCancel() override;
    bool OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    bool OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

private:
    void FillHostList();
    // Copies the check boxes into the records' selected flags, row by row from the first.
    void StoreHostChoice();
    // Runs the install sequence with the progress window's controls; after a failure asks the user.
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
    int m_nExitCode;
    // The guard's question and the closing message have no owner, so this dialog stays enabled while
    // they run their loops; a second Install click then must not start a second install inside the first.
    bool m_bInstalling = false;
};
