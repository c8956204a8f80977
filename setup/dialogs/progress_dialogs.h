// The modeless progress windows of the install (LetterquarrySetupDlg, resource 129) and the uninstall
// (LetterquarryDeleteDlg, resource 130). They hold no logic: the sequences receive the four controls and
// write into them, always in the order stage line 1004, detail line 1003, bar 1001, bar 1002.
//
// Creation, by start-up and the main dialog: new the object, Create(its resource id, main window),
// ShowWindow(SW_SHOW), SetActiveWindow, UpdateData(true) to bind the controls. Destruction, after the
// sequence returned: DestroyWindow, then delete.
#pragma once

#include "framework/dialog.h"
#include "setup/dialogs/progress_resource.h"

#include <string>

class LetterquarrySetupDlg : public CDialog {
public:
    LetterquarrySetupDlg() : CDialog(IDD_LETTERQUARRY_SETUP) {}

    CProgressCtrl m_progressFile;   // 1002, the upper bar: the file bar of the first install step
    CProgressCtrl m_progressStage;  // 1001, the lower bar: the eight install steps
    CStatic m_staticDetail;         // 1003
    CStatic m_staticStage;          // 1004
    std::string m_strDetail;        // 1003 by data exchange; empty at construction

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};

class LetterquarryDeleteDlg : public CDialog {
public:
    LetterquarryDeleteDlg() : CDialog(IDD_LETTERQUARRY_DELETE) {}

    CProgressCtrl m_progressSecond;  // 1002, the lower bar on screen: never moved by the uninstall
    CProgressCtrl m_progressFile;    // 1001, the upper bar on screen: the uninstall's file bar
    CStatic m_staticDetail;          // 1003
    CStatic m_staticStage;           // 1004

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};
