// CWinApp: the application object. The program defines exactly one (a global), and the framework's
// WinMain runs it: InitInstance, then, only when it returned TRUE, a message loop of PumpMessage calls
// until WM_QUIT. The process exit code is m_nExitCode (the framework's default is 0).
#pragma once

#include <windows.h>

#include <string>

class CWinApp {
public:
    CWinApp();
    virtual ~CWinApp();
    CWinApp(const CWinApp&) = delete;
    CWinApp& operator=(const CWinApp&) = delete;

    virtual BOOL InitInstance() { return TRUE; }
    // Takes and handles one message; FALSE on WM_QUIT. Modal dialog loops call it too.
    virtual BOOL PumpMessage();
    // Keyboard navigation of the dialog the message belongs to; TRUE when the message was consumed.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    int Run();

    // A standard message box owned by the main window, with the program's default caption.
    int DoMessageBox(const std::string& strText, UINT nType = MB_OK) const;

    HINSTANCE m_hInstance = nullptr;
    HWND m_hMainWnd = nullptr;
    std::string m_strAppName;  // the executable's file name without extension
    int m_nExitCode = 0;
};

// The application object, or null in a process without one (a test binary). Code that only needs the
// main window or a message box uses the two functions below, which work in either case.
CWinApp* AfxGetApp();
// The application's main window; null when there is none or no application object.
HWND AfxGetMainWnd();
// Makes hWnd the main window (owner of the program's message boxes); nothing without an application.
void AfxSetMainWnd(HWND hWnd);
// The application's DoMessageBox; without an application object a box with no owner and the
// executable's file name (without extension) as caption, as DoMessageBox would show.
int AfxMessageBox(const std::string& strText, UINT nType = MB_OK);
