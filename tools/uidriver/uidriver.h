// uidriver: drives another process's windows the way a Windows test team would, from inside the same
// machine. Used by uidriver.exe (command line) and linked into the end-to-end scenarios and the
// Windows tests that answer their own modal dialogs from a helper thread.
//
// Every wait polls every 50 ms up to its time-out and returns null/false when it runs out. Texts are
// ANSI (code page 949 on a Korean machine).
#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace uidriver {

// A visible top-level window whose caption equals strCaption (empty: any caption) and whose class
// equals strClass (empty: any class), optionally of process dwProcessId (0: any). Null on time-out.
HWND WaitForWindow(const std::string& strCaption, const std::string& strClass = "", DWORD dwTimeoutMs = 10000,
                   DWORD dwProcessId = 0);
// Waits until hWnd is gone (destroyed or hidden); false on time-out.
bool WaitForWindowGone(HWND hWnd, DWORD dwTimeoutMs = 10000);
// The visible top-level windows of a process (0: all), as (handle, caption, class).
struct WindowInfo {
    HWND hWnd;
    int nId;  // control id for children, 0 for top-level windows
    std::string strClass;
    std::string strText;
    RECT rect;  // screen coordinates
    bool bVisible;
    bool bEnabled;
};
std::vector<WindowInfo> TopLevelWindows(DWORD dwProcessId = 0);
// Direct children of a window, in z-order, with id, class and text.
std::vector<WindowInfo> Children(HWND hParent);
std::string WindowText(HWND hWnd);
// The name that screen readers give hWnd: what the system's accessibility proxy of its client area
// (oleacc, IAccessible::get_accName of CHILDID_SELF) answers, ANSI; empty when it names none. Under Wine the
// proxy names every control by its window text without the first '&'; it looks for no label before a control
// that has none, as Windows does for list views and edit controls.
std::string AccessibleName(HWND hWnd);

// A list view's rows (possibly in another process): text of column 0 and the check box state.
struct ListRow {
    std::string strText;
    bool bChecked;
};
std::vector<ListRow> ReadListView(HWND hList);
bool SetListViewCheck(HWND hList, int nRow, bool bChecked);

// Presses the button nId of dialog hDlg (BM_CLICK, as a user's click). False when there is none.
bool ClickButton(HWND hDlg, int nId);
// A standard message box: its text (the static control 0xFFFF) and a press of one of its buttons.
std::string MessageBoxText(HWND hBox);

// Saves the whole screen as a PNG file; false when it could not be written.
bool SaveScreenshot(const std::string& strPath);
// Saves one window's screen rectangle as a PNG file.
bool SaveWindowShot(HWND hWnd, const std::string& strPath);
// Reads back a pixel of the screen (for checks of colours that a control drew).
COLORREF ScreenPixel(int x, int y);

}  // namespace uidriver
