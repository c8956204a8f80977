// CHTMLStatic: the formatted label of the setup program's dialogs (Win32).
//
// Use: a dialog holds one as a member and binds it to a static control of its template with
// DDX_Control(pDX, nID, m_label) in DoDataExchange; then it calls SetHtmlText with markup of the HTML
// subset (htmllabel/html_parser.h), in the system's ANSI code page, before or after the binding. The
// label keeps the markup (GetHtmlText) and makes its window text the plain text that the markup shows
// (HtmlPlainText), which screen readers and other tools read through the system's default proxies; the
// window text is never drawn. The control gets SS_NOPREFIX, so that an '&' of the text is read as itself.
//
// The label fills its client area with the system's button-face colour and draws the text inside a
// 5-pixel margin, laid out once after each text change or resize (a text too high for the margin goes
// without it; a line a pixel or two too high even then moves up into its leading, keeping its descenders).
// Font heights follow the device's LOGPIXELSY, so the text grows with the screen's DPI. The colours are the
// system's of the moment, read at every paint, and the label repaints on WM_SYSCOLORCHANGE and
// WM_SETTINGCHANGE (which its dialog must pass on to it): text without colour mark-up in the button-text
// colour; a colour of the mark-up only where it stands out from the background (HtmlRunColor), and never
// in a high-contrast scheme, where links take the hot-tracking colour. Link runs (<a href=...>) turn red
// and underlined while the mouse is over them (polled every 100 ms with timer 101, started on the first
// paint that shows a link), show the hand cursor, and a click on one opens its target with the shell.
#pragma once

#include "framework/wnd.h"
#include "htmllabel/html_drawer.h"
#include "htmllabel/html_parser.h"

#include <windows.h>

#include <string>

class CHTMLStatic : public CStatic {
public:
    static const UINT_PTR kHoverTimerId = 101;
    static const UINT kHoverTimerPeriod = 100;  // milliseconds

    CHTMLStatic();
    ~CHTMLStatic() override;

    // Stores the markup, makes its plain text the window text and repaints the whole control; the layout
    // is made on the next paint.
    void SetHtmlText(const std::string& strHtml);
    // The markup last set; empty before the first SetHtmlText.
    const std::string& GetHtmlText() const { return m_strHtml; }

    // Opens strURL with the shell ("open" verb) and the show command nShowCmd. When the shell cannot,
    // starts the program registered for ".htm" with strURL appended, unless that command line would be
    // longer than 519 characters. Returns what ShellExecuteA returned (above 32: success).
    HINSTANCE OpenURL(const std::string& strURL, int nShowCmd);

    // Default value of HKEY_CLASSES_ROOT\strKey, at most 259 characters. Returns 0 on success, else the
    // registry error (a value that is longer, or cannot be read, fails and leaves strValue empty).
    static LONG QueryClassesRootValue(const std::string& strKey, std::string& strValue);

    // The client height that shows the whole text at the label's current width: the current height when
    // the text shows there already (as the painting lays it out), else the text's own height with the
    // margin above and below. 0 without a window. For the owner that grows a label whose text does not fit.
    int GetHeightForText() const;

    // The current layout, for the owner's tests and diagnostics.
    const CHTMLDrawer& GetDrawer() const { return m_drawer; }
    bool IsOverLink() const { return m_bOverLink != 0; }
    bool HasHandCursor() const { return m_hHandCursor != nullptr; }
    // The label's own copy of the hand cursor (cursor 106 of <windows>\winhlp32.exe, else the system's
    // IDC_HAND), destroyed with the label; null when neither could be loaded.
    HCURSOR GetHandCursor() const { return m_hHandCursor; }

protected:
    void PreSubclassWindow() override;
    bool OnWndMsg(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;
    bool OnChildNotify(UINT nMsg, WPARAM wParam, LPARAM lParam, LRESULT* pResult) override;

    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnTimer(UINT_PTR nIDEvent);
    BOOL OnSetCursor();
    void OnClicked();
    void LoadHandCursor();

private:
    static const int kMargin = 5;  // pixels between the client area's edges and the text

    void SetPlainWindowText();
    // Lays the text out into drawer for a client area of cx by cy pixels, as the label paints it; returns
    // the bottom of the laid-out text.
    int LayOut(CHTMLDrawer& drawer, CHTMLDevice& dc, int cx, int cy) const;

    COLORREF m_crHover = RGB(255, 0, 0);
    BYTE m_bHoverUnderline = 1;
    BYTE m_bLayoutValid = 0;
    CHTMLDrawer m_drawer;
    CHTMLFont m_fntBase;
    std::string m_strHtml;
    HCURSOR m_hHandCursor = nullptr;
    HCURSOR m_hPrevCursor = nullptr;
    BYTE m_bOverLink = 0;
};
