#include "setup/dialogs/zmt_upgrade_dlg.h"

#include "framework/winapp.h"
#include "setup/core/country.h"  // kEdition
#include "setup/core/texts.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/dialog_layout.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/dialogs/resource.h"
#include "setup/res/version.h"

namespace {

const char kProductName[] = "Letterquarry " LQ_PRODUCT_VERSION_TEXT;  // "Letterquarry 5.981"

}  // namespace

CZmtUpGradeDlg::CZmtUpGradeDlg(InstallActions& actions)
    : CDialog(IDD_ZMT_UPGRADE),
      m_actions(actions),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))) {}

std::string CZmtUpGradeDlg::BannerText(Edition edition) {
    const TextId banner = edition == Edition::Quobbin   ? TextId::BannerQuobbin
                          : edition == Edition::Tessaly ? TextId::BannerTessaly
                                                        : TextId::BannerStandard;
    return Text(banner, kProductName);
}

void CZmtUpGradeDlg::DoDataExchange(CDataExchange* pDX) {
    DDX_Control(pDX, IDC_HOST_LIST, m_listHosts);
    DDX_Control(pDX, IDC_BANNER, m_htmlBanner);
    DDX_Control(pDX, IDC_HINT, m_htmlHint);
    DDX_Control(pDX, IDC_PROMPT, m_htmlPrompt);
    DDX_Control(pDX, IDOK, m_btnInstall);
    DDX_Control(pDX, IDCANCEL, m_btnCancel);
}

BOOL CZmtUpGradeDlg::OnInitDialog() {
    CDialog::OnInitDialog();
    SendMessage(WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(m_hIcon));
    SendMessage(WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(m_hIcon));
    AfxSetMainWnd(m_hWnd);
    m_picture.Show(m_hWnd, IDC_PRODUCT_PICTURE);

    m_htmlBanner.SetHtmlText(BannerText(kEdition));
    m_htmlPrompt.SetHtmlText(Text(TextId::Prompt));
    m_htmlHint.SetHtmlText(Text(TextId::Hint));
    m_btnInstall.SetWindowText(ButtonText(TextId::InstallButton));
    m_btnCancel.SetWindowText(ButtonText(TextId::CancelButton));

    ApplyHostListColors();

    m_actions.FindHosts(m_context);

    m_listHosts.InsertColumn(0, Text(TextId::HostListColumn), LVCFMT_LEFT, 300);
    SetDlgItemTextA(m_hWnd, IDC_HOST_LIST_LABEL, Text(TextId::HostListColumn).c_str());
    m_listHosts.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
    FillHostList();
    FitControlsToTexts(m_hWnd);

    // The keyboard starts in the list, on its first row, selected so that it shows where the keyboard is
    // and so that the first Space checks or clears it.
    const UINT nMark = LVIS_FOCUSED | LVIS_SELECTED;
    if (m_listHosts.GetItemCount() > 0 && m_listHosts.SetItemState(0, nMark, nMark)) m_listHosts.EnsureVisible(0);
    GotoDlgCtrl(m_listHosts);
    return FALSE;  // the focus is set
}

void CZmtUpGradeDlg::ApplyHostListColors() {
    // The tooltip colours, text and background as one pair of the scheme: a light text on a dark background
    // where the user's scheme has one.
    m_listHosts.SetBkColor(GetSysColor(COLOR_INFOBK));
    m_listHosts.SetTextBkColor(GetSysColor(COLOR_INFOBK));
    m_listHosts.SetTextColor(GetSysColor(COLOR_INFOTEXT));
}

void CZmtUpGradeDlg::FillHostList() {
    // Each row goes in at the top, so the hosts go in from the last: the screen shows them in install order.
    for (auto it = std::rbegin(kHosts); it != std::rend(kHosts); ++it) {
        HostRecord& record = m_context.arrHosts[it->nIndex];
        if (!it->bChoosable || record.arrFolders.empty()) continue;
        int nItem = m_listHosts.InsertItem(0, Text(it->name), reinterpret_cast<LPARAM>(&record));
        if (nItem >= 0) m_listHosts.SetCheck(nItem, true);
    }
}

void CZmtUpGradeDlg::StoreHostChoice() {
    UpdateData(true);
    for (int nItem = m_listHosts.GetNextItem(-1, LVNI_ALL); nItem != -1;
         nItem = m_listHosts.GetNextItem(nItem, LVNI_ALL)) {
        HostRecord* pRecord = reinterpret_cast<HostRecord*>(m_listHosts.GetItemData(nItem));
        if (!pRecord) break;
        pRecord->bSelected = m_listHosts.GetCheck(nItem) ? 1 : 0;
    }
}

void CZmtUpGradeDlg::OnOK() {
    if (m_bInstalling) return;
    m_bInstalling = true;
    DialogFrontEnd questions;  // the guard asks before there is a progress window
    if (!m_actions.PrepareInstall(m_context, questions)) {
        m_bInstalling = false;  // the guard has told the user; the dialog stays open
        return;
    }
    Install();
    CDialog::OnOK();
}

void CZmtUpGradeDlg::Install() {
    std::unique_ptr<LetterquarrySetupDlg> pProgress = CreateProgressWindow<LetterquarrySetupDlg>(m_hWnd);
    StoreHostChoice();
    DialogFrontEnd frontEnd(pProgress.get());
    m_outcome = m_actions.Install(m_context, frontEnd);
}

void CZmtUpGradeDlg::OnCancel() {
    m_outcome = Outcome::Cancelled;
    CDialog::OnCancel();
}

bool CZmtUpGradeDlg::OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    const NMHDR* pHeader = reinterpret_cast<const NMHDR*>(lParam);
    if (wParam == IDC_HOST_LIST && pHeader && pHeader->code == static_cast<UINT>(NM_CLICK)) {
        *pResult = 0;
        return true;
    }
    return CDialog::OnNotify(wParam, lParam, pResult);
}

bool CZmtUpGradeDlg::OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (nMsg) {
    case WM_PAINT:
        if (!IsIconic(m_hWnd)) return false;  // the dialog's own painting
        OnPaint();
        *pResult = 0;
        return true;
    case WM_QUERYDRAGICON: *pResult = reinterpret_cast<LRESULT>(m_hIcon); return true;
    case WM_SYSCOLORCHANGE:
        // A list view keeps the colours it was given: it must be given the new ones.
        ApplyHostListColors();
        return false;
    default: return CDialog::OnWndMsg(nMsg, wParam, lParam, pResult);
    }
}

void CZmtUpGradeDlg::OnPaint() {
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(m_hWnd, &ps);
    SendMessage(WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(hDC), 0);
    int cxIcon = GetSystemMetrics(SM_CXICON);
    int cyIcon = GetSystemMetrics(SM_CYICON);
    RECT rct;
    GetClientRect(m_hWnd, &rct);
    int x = (rct.right - rct.left - cxIcon + 1) / 2;
    int y = (rct.bottom - rct.top - cyIcon + 1) / 2;
    DrawIcon(hDC, x, y, m_hIcon);
    EndPaint(m_hWnd, &ps);
}
