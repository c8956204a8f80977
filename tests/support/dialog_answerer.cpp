#include "tests/support/dialog_answerer.h"

#include <utility>

namespace lqtest {

namespace {

struct FindRequest {
    const std::string* pCaption;
    HWND hFound;
};

BOOL CALLBACK FindProc(HWND hWnd, LPARAM lParam) {
    FindRequest* pRequest = reinterpret_cast<FindRequest*>(lParam);
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    if (dwProcessId != GetCurrentProcessId() || !IsWindowVisible(hWnd)) return TRUE;
    char szClass[16] = {}, szCaption[256] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    GetWindowTextA(hWnd, szCaption, sizeof szCaption);
    if (lstrcmpA(szClass, "#32770") != 0 || *pRequest->pCaption != szCaption) return TRUE;
    pRequest->hFound = hWnd;
    return FALSE;
}

BOOL CALLBACK ReadChildProc(HWND hChild, LPARAM lParam) {
    SeenDialog* pSeen = reinterpret_cast<SeenDialog*>(lParam);
    int nId = GetDlgCtrlID(hChild);
    char szText[2048] = {};
    GetWindowTextA(hChild, szText, sizeof szText);
    pSeen->texts[nId] = szText;
    pSeen->styles[nId] = static_cast<DWORD>(GetWindowLongA(hChild, GWL_STYLE));
    return TRUE;
}

}  // namespace

HWND FindOwnDialog(const std::string& strCaption) {
    FindRequest request{&strCaption, nullptr};
    EnumWindows(FindProc, reinterpret_cast<LPARAM>(&request));
    return request.hFound;
}

DialogAnswerer::DialogAnswerer(const std::string& strCaption, std::vector<Answer> arrAnswers, DWORD dwTimeoutMs,
                               std::function<void(HWND, int)> fnOnFound)
    : m_strCaption(strCaption), m_arrAnswers(std::move(arrAnswers)), m_dwTimeoutMs(dwTimeoutMs),
      m_fnOnFound(std::move(fnOnFound)), m_thread([this] { Run(); }) {}

DialogAnswerer::~DialogAnswerer() {
    if (m_thread.joinable()) m_thread.join();
}

const std::vector<SeenDialog>& DialogAnswerer::Seen() {
    if (m_thread.joinable()) m_thread.join();
    return m_arrSeen;
}

void DialogAnswerer::Run() {
    for (size_t i = 0; i < m_arrAnswers.size(); ++i) {
        HWND hDlg = nullptr;
        for (DWORD dwStart = GetTickCount(); !hDlg && GetTickCount() - dwStart < m_dwTimeoutMs; Sleep(20))
            hDlg = FindOwnDialog(m_strCaption);
        if (!hDlg) return;
        SeenDialog seen;
        seen.dwTick = GetTickCount();
        Sleep(200);  // let the dialog finish its first paint, as a person would look before clicking
        EnumChildWindows(hDlg, ReadChildProc, reinterpret_cast<LPARAM>(&seen));
        GetClientRect(hDlg, &seen.rectClient);
        if (m_fnOnFound) m_fnOnFound(hDlg, static_cast<int>(i));
        m_arrSeen.push_back(seen);

        const Answer& answer = m_arrAnswers[i];
        switch (answer.kind) {
        case Answer::Click: PostMessageA(GetDlgItem(hDlg, answer.nId), BM_CLICK, 0, 0); break;
        case Answer::Escape: PostMessageA(hDlg, WM_KEYDOWN, VK_ESCAPE, 0); break;
        case Answer::CloseBox: PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0); break;
        }
        // The modal loop hides the dialog when it ends; wait for that before looking for the next one.
        for (DWORD dwStart = GetTickCount(); IsWindow(hDlg) && IsWindowVisible(hDlg) && GetTickCount() - dwStart < 5000;)
            Sleep(10);
    }
}

}  // namespace lqtest
