#include "htmllabel/html_static.h"

#include "htmllabel/gdi_device.h"
#include "util/scoped_gdi.h"
#include "util/scoped_handles.h"

#include <shellapi.h>

namespace {

const size_t kCommandBufferSize = 520;   // the fallback command line, its terminating zero included
const DWORD kClassesValueSize = 260;     // a value read below HKEY_CLASSES_ROOT, its zero included

// The system's colours now. A high-contrast scheme also turns the mark-up's colours off where Windows says
// so; Wine always says it is off, and the contrast rule of HtmlRunColor then does the work.
HtmlColorScheme SystemColorScheme() {
    HtmlColorScheme scheme;
    scheme.crText = GetSysColor(COLOR_BTNTEXT);
    scheme.crBackground = GetSysColor(COLOR_BTNFACE);
    scheme.crLink = GetSysColor(COLOR_HOTLIGHT);
    HIGHCONTRASTA highContrast{};
    highContrast.cbSize = sizeof highContrast;
    scheme.bHighContrast = SystemParametersInfoA(SPI_GETHIGHCONTRAST, sizeof highContrast, &highContrast, 0) &&
                           (highContrast.dwFlags & HCF_HIGHCONTRASTON) != 0;
    return scheme;
}

}  // namespace

CHTMLStatic::CHTMLStatic() { LoadHandCursor(); }

CHTMLStatic::~CHTMLStatic() {
    if (m_hWnd) KillTimer(m_hWnd, kHoverTimerId);
    if (m_hHandCursor) DestroyCursor(m_hHandCursor);
}

void CHTMLStatic::SetHtmlText(const std::string& strHtml) {
    m_strHtml = strHtml;
    m_bLayoutValid = 0;
    if (!m_hWnd) return;
    SetPlainWindowText();
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHTMLStatic::SetPlainWindowText() {
    // Stored as any window stores its text, past the static control's own handling, which would draw the
    // plain text over the label before the label's next paint.
    const std::string strPlain = HtmlPlainText(m_strHtml);
    DefWindowProcA(m_hWnd, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(strPlain.c_str()));
}

void CHTMLStatic::PreSubclassWindow() {
    // Without SS_NOTIFY a static control lets clicks through to its parent and never reports them.
    LONG nStyle = GetWindowLongA(m_hWnd, GWL_STYLE);
    SetWindowLongA(m_hWnd, GWL_STYLE, nStyle | SS_NOTIFY | SS_NOPREFIX);
    if (!m_strHtml.empty()) SetPlainWindowText();
    CStatic::PreSubclassWindow();
}

bool CHTMLStatic::OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    switch (nMsg) {
    case WM_PAINT:
        OnPaint();
        *pResult = 0;
        return true;
    case WM_TIMER:
        OnTimer(static_cast<UINT_PTR>(wParam));
        *pResult = Default(nMsg, wParam, lParam);
        return true;
    case WM_SETCURSOR:
        *pResult = OnSetCursor();
        return true;
    case WM_SIZE:
        *pResult = Default(nMsg, wParam, lParam);
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        return true;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
        // The colours, or whether high contrast is on, may have changed: the next paint reads them anew.
        *pResult = Default(nMsg, wParam, lParam);
        InvalidateRect(m_hWnd, nullptr, TRUE);
        return true;
    default:
        return CStatic::OnWndMsg(nMsg, wParam, lParam, pResult);
    }
}

bool CHTMLStatic::OnChildNotify(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) {
    if (nMsg == WM_COMMAND && HIWORD(wParam) == STN_CLICKED) {
        OnClicked();
        *pResult = 0;
        return true;
    }
    return CStatic::OnChildNotify(nMsg, wParam, lParam, pResult);
}

void CHTMLStatic::OnPaint() {
    PAINTSTRUCT ps;
    HDC hDC = BeginPaint(m_hWnd, &ps);
    RECT rctClient;
    GetClientRect(m_hWnd, &rctClient);
    RECT rctClip;
    GetClipBox(hDC, &rctClip);

    const ScopedRegion rgnClient(CreateRectRgnIndirect(&rctClient));
    SelectClipRgn(hDC, rgnClient.Get());
    const HtmlColorScheme scheme = SystemColorScheme();
    const ScopedBrush brushBackground(CreateSolidBrush(scheme.crBackground));
    FillRect(hDC, &rctClient, brushBackground.Get());

    CHTMLGdiDevice dc(hDC);
    if (!m_bLayoutValid) {
        LayOut(m_drawer, dc, rctClient.right, rctClient.bottom);
        m_bLayoutValid = 1;
    }
    m_drawer.Draw(dc, m_crHover, m_bHoverUnderline, scheme);

    const ScopedRegion rgnClip(CreateRectRgnIndirect(&rctClip));
    SelectClipRgn(hDC, rgnClip.Get());
    EndPaint(m_hWnd, &ps);

    if (m_drawer.GetLinkCount() > 0) SetTimer(m_hWnd, kHoverTimerId, kHoverTimerPeriod, nullptr);
}

int CHTMLStatic::LayOut(CHTMLDrawer& drawer, CHTMLDevice& dc, int cx, int cy) const {
    HtmlRect rctWhole;
    rctWhole.right = cx;
    rctWhole.bottom = cy;
    HtmlRect rctInset = rctWhole;
    rctInset.left += kMargin;
    rctInset.top += kMargin;
    rctInset.right -= kMargin;
    rctInset.bottom -= kMargin;
    int nBottom = drawer.Layout(dc, m_strHtml, m_fntBase, rctInset, kAlignLeft);
    // Some labels are hardly higher than one line of their text (the banner's 15-point line in a
    // 15-dialog-unit label): the margin would push the text out at the bottom, so it is given up.
    if (nBottom > rctWhole.bottom) nBottom = drawer.Layout(dc, m_strHtml, m_fntBase, rctWhole, kAlignLeft);
    // At some DPIs the font's height and the label's, rounded apart, leave such a line a pixel or two
    // taller than the whole label; it moves up by that much, into the blank leading at the top of its
    // first line (an eighth of the line's height at most), rather than losing its descenders.
    const int nOver = nBottom - rctWhole.bottom;
    if (nOver > 0 && !drawer.GetAtoms().empty()) {
        const HtmlRect& rctFirst = drawer.GetAtoms().front()->m_rect;
        if (nOver <= (rctFirst.bottom - rctFirst.top) / 8) {
            HtmlRect rctLifted = rctWhole;
            rctLifted.top -= nOver;
            rctLifted.bottom -= nOver;
            nBottom = drawer.Layout(dc, m_strHtml, m_fntBase, rctLifted, kAlignLeft);
        }
    }
    return nBottom;
}

int CHTMLStatic::GetHeightForText() const {
    RECT rctClient{};
    if (!m_hWnd || !GetClientRect(m_hWnd, &rctClient)) return 0;
    const ScopedWindowDC windowDC(m_hWnd);
    CHTMLGdiDevice dc(windowDC.Get());
    CHTMLDrawer drawer;
    if (LayOut(drawer, dc, rctClient.right, rctClient.bottom) <= rctClient.bottom) return rctClient.bottom;
    // Laid out from the top margin in a rectangle of no height, the text is not centred: its bottom is its height
    // below the margin.
    const HtmlRect rctFromTop{kMargin, kMargin, rctClient.right - kMargin, kMargin};
    return drawer.Layout(dc, m_strHtml, m_fntBase, rctFromTop, kAlignLeft) + kMargin;
}

void CHTMLStatic::OnSize(UINT, int, int) {
    m_bLayoutValid = 0;
    InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CHTMLStatic::OnTimer(UINT_PTR nIDEvent) {
    if (nIDEvent != kHoverTimerId) return;
    POINT pt{};
    bool hasPosition = GetCursorPos(&pt) && ScreenToClient(m_hWnd, &pt);

    CHTMLAtom* pLink = nullptr;
    HtmlRect rctChanged;
    bool isOverLink = hasPosition && m_drawer.HitTestLink(pt.x, pt.y, &pLink);
    if (m_drawer.SetHotLink(isOverLink ? pLink : nullptr, rctChanged)) {
        RECT rc{rctChanged.left, rctChanged.top, rctChanged.right, rctChanged.bottom};
        InvalidateRect(m_hWnd, &rc, TRUE);
    }
    if (isOverLink) {
        if (!m_bOverLink && m_hHandCursor) m_hPrevCursor = SetCursor(m_hHandCursor);
        m_bOverLink = 1;
    } else {
        // Only a cursor that the hand replaced is put back: without a hand cursor nothing was replaced,
        // and setting the empty m_hPrevCursor would hide the mouse over the label.
        if (m_bOverLink && m_hHandCursor) SetCursor(m_hPrevCursor);
        m_bOverLink = 0;
    }
}

BOOL CHTMLStatic::OnSetCursor() {
    if (m_bOverLink && m_hHandCursor) {
        SetCursor(m_hHandCursor);
        return TRUE;
    }
    return FALSE;
}

void CHTMLStatic::OnClicked() {
    POINT pt{};
    if (!GetCursorPos(&pt) || !ScreenToClient(m_hWnd, &pt)) return;
    CHTMLAtom* pLink = nullptr;
    if (m_drawer.HitTestLink(pt.x, pt.y, &pLink)) OpenURL(pLink->m_strURL, SW_SHOW);
}

HINSTANCE CHTMLStatic::OpenURL(const std::string& strURL, int nShowCmd) {
    HINSTANCE hResult = ShellExecuteA(nullptr, "open", strURL.c_str(), nullptr, nullptr, nShowCmd);
    if (reinterpret_cast<INT_PTR>(hResult) > 32) return hResult;

    std::string strType;
    if (QueryClassesRootValue(".htm", strType) != 0) return hResult;
    std::string strCommand;
    if (QueryClassesRootValue(strType + "\\shell\\open\\command", strCommand) != 0) return hResult;

    size_t nPlaceholder = strCommand.find("\"%1\"");
    if (nPlaceholder == std::string::npos) nPlaceholder = strCommand.find("%1");
    if (nPlaceholder != std::string::npos) strCommand.erase(nPlaceholder);
    strCommand += ' ';
    strCommand += strURL;
    // The command line has always been limited to this buffer; a longer one is not cut short (that would
    // open another target) but not started at all.
    if (strCommand.size() + 1 > kCommandBufferSize) return hResult;
    WinExec(strCommand.c_str(), static_cast<UINT>(nShowCmd));
    return hResult;
}

LONG CHTMLStatic::QueryClassesRootValue(const std::string& strKey, std::string& strValue) {
    strValue.clear();
    ScopedRegKey key;
    LONG nError = key.Open(HKEY_CLASSES_ROOT, strKey, KEY_QUERY_VALUE);
    if (nError != ERROR_SUCCESS) return nError;
    char szValue[kClassesValueSize + 1] = {};
    DWORD nSize = kClassesValueSize;
    nError = RegQueryValueExA(key.Get(), nullptr, nullptr, nullptr, reinterpret_cast<BYTE*>(szValue), &nSize);
    if (nError != ERROR_SUCCESS) return nError;
    // A stored value need not end in a zero; the extra byte of the buffer always does.
    strValue.assign(szValue, strnlen(szValue, kClassesValueSize));
    return 0;
}

void CHTMLStatic::LoadHandCursor() {
    if (m_hHandCursor) return;
    char szPath[MAX_PATH + 32] = {};
    UINT nLength = GetWindowsDirectoryA(szPath, MAX_PATH);
    if (nLength != 0 && nLength < MAX_PATH) {
        lstrcatA(szPath, "\\winhlp32.exe");
        // Only a resource of the help program is wanted: mapped as a data file its imports are not
        // resolved and none of its code is mapped to run. Windows XP knows no image-resource mapping and
        // refuses the pair of flags; the data file alone serves there.
        HMODULE hHelp = LoadLibraryExA(szPath, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
        if (!hHelp) hHelp = LoadLibraryExA(szPath, nullptr, LOAD_LIBRARY_AS_DATAFILE);
        const ScopedLibrary helpProgram(hHelp);
        HCURSOR hCursor = helpProgram.IsLoaded() ? LoadCursorA(helpProgram.Get(), MAKEINTRESOURCEA(106)) : nullptr;
        if (hCursor) m_hHandCursor = CopyIcon(hCursor);
    }
    // The help program of Windows 10 (a stub) and Wine's have no hand: the system's own, copied, since the
    // destructor destroys the cursor it holds and a shared system cursor must never be destroyed.
    if (!m_hHandCursor) {
        HCURSOR hSystemHand = LoadCursorA(nullptr, IDC_HAND);
        if (hSystemHand) m_hHandCursor = CopyIcon(hSystemHand);
    }
}
