#include "framework/winapp.h"

namespace {
CWinApp* g_pApp = nullptr;

std::string ModuleBaseName() {
    char szPath[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, szPath, MAX_PATH);
    std::string strPath(szPath);
    size_t nSlash = strPath.find_last_of("\\/");
    std::string strName = nSlash == std::string::npos ? strPath : strPath.substr(nSlash + 1);
    size_t nDot = strName.rfind('.');
    return nDot == std::string::npos ? strName : strName.substr(0, nDot);
}
}  // namespace

CWinApp* AfxGetApp() { return g_pApp; }

HWND AfxGetMainWnd() { return g_pApp ? g_pApp->m_hMainWnd : nullptr; }

void AfxSetMainWnd(HWND hWnd) {
    if (g_pApp) g_pApp->m_hMainWnd = hWnd;
}

int AfxMessageBox(const std::string& strText, UINT nType) {
    if (g_pApp) return g_pApp->DoMessageBox(strText, nType);
    return MessageBoxA(nullptr, strText.c_str(), ModuleBaseName().c_str(), nType);
}

CWinApp::CWinApp() { g_pApp = this; }

CWinApp::~CWinApp() {
    if (g_pApp == this) g_pApp = nullptr;
}

BOOL CWinApp::PumpMessage() {
    MSG msg;
    if (!GetMessageA(&msg, nullptr, 0, 0)) return FALSE;
    // Characters are deliberately not translated: no TranslateMessage here.
    if (!PreTranslateMessage(&msg)) DispatchMessageA(&msg);
    return TRUE;
}

BOOL CWinApp::PreTranslateMessage(MSG* pMsg) {
    if (!pMsg->hwnd) return FALSE;
    HWND hRoot = GetAncestor(pMsg->hwnd, GA_ROOT);
    char szClass[16] = {};
    if (hRoot && GetClassNameA(hRoot, szClass, sizeof szClass) && lstrcmpA(szClass, "#32770") == 0)
        return IsDialogMessageA(hRoot, pMsg);
    return FALSE;
}

int CWinApp::Run() {
    while (PumpMessage()) {
    }
    return m_nExitCode;
}

int CWinApp::DoMessageBox(const std::string& strText, UINT nType) const {
    return MessageBoxA(m_hMainWnd, strText.c_str(), m_strAppName.c_str(), nType);
}

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR, int) {
    CWinApp* pApp = AfxGetApp();
    if (!pApp) return 1;
    pApp->m_hInstance = hInstance;
    pApp->m_strAppName = ModuleBaseName();
    if (pApp->InitInstance()) return pApp->Run();
    return pApp->m_nExitCode;
}
