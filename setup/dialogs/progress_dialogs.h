// The modeless progress windows of the install (LetterquarrySetupDlg, resource 129) and the uninstall
// (LetterquarryDeleteDlg, resource 130). They hold no logic: the engines write into their four controls
// through DialogFrontEnd, always in the order stage line 1004, detail line 1003, bar 1001, bar 1002.
//
// Created by CreateProgressWindow (below), by the run modes and the install dialog; destroyed with the
// object, after the engine returned.
#pragma once

#include "framework/dialog.h"
#include "setup/dialogs/resource.h"

#include <memory>
#include <string>

class LetterquarrySetupDlg : public CDialog {
public:
    enum { IDD = IDD_LETTERQUARRY_SETUP };
    LetterquarrySetupDlg() : CDialog(IDD) {}

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
    enum { IDD = IDD_LETTERQUARRY_DELETE };
    LetterquarryDeleteDlg() : CDialog(IDD) {}

    CProgressCtrl m_progressSecond;  // 1002, the lower bar on screen: never moved by the uninstall
    CProgressCtrl m_progressFile;    // 1001, the upper bar on screen: the uninstall's file bar
    CStatic m_staticDetail;          // 1003
    CStatic m_staticStage;           // 1004

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnInitDialog() override;
};

// A progress window as every mode shows it: the object on the heap, its window created modeless from its
// resource with hParent (may be null) as the parent, shown (SW_SHOW), made the active window, its controls
// bound. Null when the window cannot be created; the work then goes on without one.
template <class ProgressDlg>
std::unique_ptr<ProgressDlg> CreateProgressWindow(HWND hParent) {
    auto pDlg = std::make_unique<ProgressDlg>();
    if (!pDlg->Create(pDlg->IDD, hParent)) return nullptr;
    ShowWindow(pDlg->GetSafeHwnd(), SW_SHOW);
    SetActiveWindow(pDlg->GetSafeHwnd());
    pDlg->UpdateData(true);
    return pDlg;
}
