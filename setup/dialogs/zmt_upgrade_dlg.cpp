#include "setup/dialogs/zmt_upgrade_dlg.h"

#include "framework/winapp.h"
#include "setup/core/country.h"
#include "setup/core/exit_codes.h"
#include "setup/core/setup_log.h"
#include "setup/dialogs/dialog_front_end.h"
#include "setup/dialogs/main_dialog_resource.h"
#include "setup/dialogs/message_box_dlg.h"
#include "setup/dialogs/progress_dialogs.h"
#include "setup/res/version.h"

#include <cstdio>
#include <memory>

namespace {

const char kProductName[] = "Letterquarry " LQ_PRODUCT_VERSION_TEXT;  // "Letterquarry 5.981"

std::string InstallFailedText() {
    if (IsKorean()) {
        return std::string("<center><b><font color=blue size=4>현재 Letterquarry 프로그램이 실행중에 있어\r\n") +
               "설치 또는 업그레이드를 할수 없습니다..</font></b>" +
               "실행중인 관련 프로그램을 모두 종료하시고\r\n" +
               "다시 설치 또는 업그레이드를 하시거나\r\n" +
               "윈도우를 다시 시작하시면 자동으로 설치 또는 업그레이드를 합니다.\r\n" +
               "감사합니다.\r\n</center>";
    }
    return std::string(
               "<center><b><font color=blue size=4>Now, It can't be installed or upgraded because the program "
               "with Letterquarry is running.\r\n") +
           "Please exit the program with Letterquarry and install or upgrade Letterquarry program.\r\n" +
           "If you restart window, It's automaticaly installed or upgraded the Letterquarry program.\r\n" +
           "Thank you.\r\n";
}

// The label never draws its window text; it carries the mark-up for screen readers and test tools.
void SetLabelText(CHTMLStatic& label, const std::string& strHtml) {
    label.SetWindowText(strHtml);
    label.SetHtmlText(strHtml);
}

}  // namespace

CZmtUpGradeDlg::CZmtUpGradeDlg(InstallActions& actions)
    : CDialog(IDD_ZMTUPGRADE_DIALOG),
      m_actions(actions),
      m_hIcon(LoadIconA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDR_MAINFRAME))),
      m_nExitCode(kExitCancelled) {}

std::string CZmtUpGradeDlg::BannerText(int nEdition) {
    const char* szFormat;
    switch (nEdition) {
    case 1:
        szFormat = "<center><b><font size=5 color=blue>%s</font><font size=4 color=blue>-Quobbin</font></b></center>";
        break;
    case 2:
        szFormat = "<center><b><font size=5 color=blue>%s</font><font size=4 color=blue>-Tessaly</font></b></center>";
        break;
    default: szFormat = "<center><b><font size=5 color=blue>%s</font></b></center>"; break;
    }
    char szBanner[256];
    std::snprintf(szBanner, sizeof szBanner, szFormat, kProductName);
    return szBanner;
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

    SetLabelText(m_htmlBanner, BannerText(edition));
    SetLabelText(m_htmlPrompt, ByLanguage("<center><b>레터쿼리</b>를 설치하고자 하는 프로그램을 선택해 주세요.</center>",
                                          "<center> </center>"));
    SetLabelText(m_htmlHint, ByLanguage("설치를 시작하시려면 \"설치하기\"버튼을 눌러 주세요.",
                                        "Please Click install button to start installation."));
    m_btnInstall.SetWindowText(ByLanguage("설치하기", "Install"));
    m_btnCancel.SetWindowText(ByLanguage("취소", "Cancel"));

    m_listHosts.SetBkColor(GetSysColor(COLOR_INFOBK));
    m_listHosts.SetTextBkColor(GetSysColor(COLOR_INFOBK));

    m_actions.FindHosts(m_context);

    m_listHosts.InsertColumn(0, ByLanguage("설치파일", "Install File"), LVCFMT_LEFT, 300);
    m_listHosts.SetExtendedStyle(LVS_EX_FULLROWSELECT | LVS_EX_CHECKBOXES | LVS_EX_GRIDLINES);
    FillHostList();
    return TRUE;
}

void CZmtUpGradeDlg::FillHostList() {
    // Each row goes in at the top, so the screen shows them in the reverse of this order.
    struct Row {
        int nHost;
        bool bOnlyWithFolders;
    } const rows[] = {
        {kHostQuark, true},        {kHostCorelDraw12, false}, {kHostCorelDraw11, false}, {kHostIllustrator, true},
        {kHostPhotoshopCS2, true}, {kHostPhotoshop, true},    {kHostOffice, false},
    };
    for (const Row& row : rows) {
        HostRecord& record = m_context.arrHosts[row.nHost];
        if (row.bOnlyWithFolders && record.arrFolders.empty()) continue;
        const std::string& strName = IsKorean() ? record.strKoreanName : record.strEnglishName;
        int nItem = m_listHosts.InsertItem(0, strName, reinterpret_cast<LPARAM>(&record));
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
    std::unique_ptr<LetterquarrySetupDlg> pProgress(new LetterquarrySetupDlg);
    pProgress->Create(IDD_LETTERQUARRY_SETUP, m_hWnd);
    ShowWindow(*pProgress, SW_SHOW);
    SetActiveWindow(*pProgress);
    pProgress->UpdateData(true);

    StoreHostChoice();

    DialogFrontEnd frontEnd(*pProgress);
    if (m_actions.Install(m_context, frontEnd)) {
        MessageBoxA(nullptr, ByLanguage("Letterquarry 프로그램을 설치 하였습니다.", "It's Installed Letterquarry program."),
                    "Letterquarry", MB_OK);
        m_nExitCode = kExitSuccess;
    } else {
        // A retry that fails again asks again rather than ending silently as if it had worked.
        for (;;) {
            MessageBoxDlg dlgFailed;
            dlgFailed.m_strText = InstallFailedText();
            dlgFailed.DoModal(m_hWnd);
            LogEvent("Asked after the failed install; answer %d (1 restart, 2 retry, 3 or 0 cancel)", dlgFailed.m_nResult);
            if (dlgFailed.m_nResult == MessageBoxDlg::kRestartWindows) {
                m_actions.DeferToRestart(frontEnd);
                m_nExitCode = kExitRestart;
                break;
            }
            if (dlgFailed.m_nResult != MessageBoxDlg::kGoOn) {
                m_nExitCode = kExitFailed;
                break;
            }
            if (m_actions.Install(m_context, frontEnd)) {
                m_nExitCode = kExitSuccess;
                break;
            }
        }
    }
    pProgress->DestroyWindow();
}

void CZmtUpGradeDlg::OnCancel() {
    m_nExitCode = kExitCancelled;
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
