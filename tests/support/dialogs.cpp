#include "tests/support/dialogs.h"

#include "tools/uidriver/uidriver.h"

#include <algorithm>
#include <utility>

namespace lqtest {
namespace {

DWORD ProcessOrSelf(DWORD dwProcessId) { return dwProcessId ? dwProcessId : GetCurrentProcessId(); }

// The caption as the system stores it, without a message to the window: a program that is busy and
// pumps nothing (the silent install while it copies, the test's own thread outside its modal loop) is
// still found, and the reader never waits for it.
std::string CaptionOf(HWND hWnd) {
    wchar_t szWide[256] = {};
    int nWide = InternalGetWindowText(hWnd, szWide, 256);
    char szCaption[512] = {};
    WideCharToMultiByte(CP_ACP, 0, szWide, nWide, szCaption, sizeof szCaption - 1, nullptr, nullptr);
    return szCaption;
}

struct DialogList {
    DWORD dwProcessId;
    std::vector<HWND> arrDialogs;
};

BOOL CALLBACK CollectDialog(HWND hWnd, LPARAM lParam) {
    auto* pList = reinterpret_cast<DialogList*>(lParam);
    DWORD dwProcessId = 0;
    GetWindowThreadProcessId(hWnd, &dwProcessId);
    char szClass[16] = {};
    GetClassNameA(hWnd, szClass, sizeof szClass);
    if (dwProcessId == pList->dwProcessId && IsWindowVisible(hWnd) && lstrcmpA(szClass, "#32770") == 0)
        pList->arrDialogs.push_back(hWnd);
    return TRUE;
}

// The visible top-level dialogs of a process, in z-order.
std::vector<HWND> VisibleDialogs(DWORD dwProcessId) {
    DialogList list{dwProcessId, {}};
    EnumWindows(CollectDialog, reinterpret_cast<LPARAM>(&list));
    return list.arrDialogs;
}

}  // namespace

HWND WaitForDialog(const std::string& strCaption, DWORD dwProcessId, DWORD dwTimeoutMs) {
    const DWORD dwStart = GetTickCount();
    for (;;) {
        for (HWND hDlg : VisibleDialogs(ProcessOrSelf(dwProcessId)))
            if (CaptionOf(hDlg) == strCaption) return hDlg;
        if (GetTickCount() - dwStart >= dwTimeoutMs) return nullptr;
        Sleep(20);
    }
}

SeenDialog ReadDialog(HWND hDlg) {
    SeenDialog seen;
    seen.hWnd = hDlg;
    seen.strCaption = CaptionOf(hDlg);
    for (const uidriver::WindowInfo& child : uidriver::Children(hDlg)) {
        seen.texts[child.nId] = child.strText;
        // A message box's icon is a static control without text; its message is the one with text.
        if (lstrcmpiA(child.strClass.c_str(), "Static") == 0 && !child.strText.empty())
            seen.strText += (seen.strText.empty() ? "" : "\n") + child.strText;
    }
    return seen;
}

bool AnswerDialog(HWND hDlg, const Answer& answer) {
    switch (answer.kind) {
    case Answer::Click:
        return uidriver::ClickButton(hDlg, answer.nId);
    case Answer::Key:
    case Answer::AccessKey: {
        // A key press reaches the control that has the focus; the dialog's keyboard handling does the rest.
        GUITHREADINFO info{};
        info.cbSize = sizeof info;
        HWND hTarget = hDlg;
        if (GetGUIThreadInfo(GetWindowThreadProcessId(hDlg, nullptr), &info) && info.hwndFocus &&
            IsChild(hDlg, info.hwndFocus))
            hTarget = info.hwndFocus;
        // With Alt held a letter comes as WM_SYSCHAR (context bit 29 set), which the dialog matches to the
        // control whose text marks it.
        if (answer.kind == Answer::AccessKey)
            return PostMessageA(hTarget, WM_SYSCHAR, static_cast<WPARAM>(answer.nId), 1 << 29) != FALSE;
        // A button acts when its key is released.
        return PostMessageA(hTarget, WM_KEYDOWN, answer.nId, 0) &&
               PostMessageA(hTarget, WM_KEYUP, answer.nId, 0xC0000001);
    }
    case Answer::CloseBox:
        return PostMessageA(hDlg, WM_SYSCOMMAND, SC_CLOSE, 0) != FALSE;
    }
    return false;
}

SeenDialog AnswerNextDialog(const std::string& strCaption, DWORD dwProcessId, const Answer& answer, DWORD dwTimeoutMs,
                            const std::function<void(const SeenDialog&)>& fnLook) {
    HWND hDlg = WaitForDialog(strCaption, dwProcessId, dwTimeoutMs);
    if (!hDlg) {
        SeenDialog none;
        none.strCaption = strCaption;
        return none;
    }
    SeenDialog seen = ReadDialog(hDlg);
    if (fnLook) fnLook(seen);
    AnswerDialog(hDlg, answer);
    uidriver::WaitForWindowGone(hDlg, 5000);
    return seen;
}

DialogAnswerer::DialogAnswerer(DWORD dwProcessId)
    : m_dwProcessId(ProcessOrSelf(dwProcessId)), m_thread([this] { Watch(); }) {}

DialogAnswerer::DialogAnswerer(const std::string& strCaption, std::vector<Answer> arrAnswers, DWORD dwProcessId)
    : m_dwProcessId(ProcessOrSelf(dwProcessId)),
      m_mapAnswers{{strCaption, std::move(arrAnswers)}},
      m_thread([this] { Watch(); }) {}

DialogAnswerer::~DialogAnswerer() {
    m_bStop = true;
    m_thread.join();
}

void DialogAnswerer::On(const std::string& strCaption, std::vector<Answer> arrAnswers) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_mapAnswers[strCaption] = std::move(arrAnswers);
}

void DialogAnswerer::OnEach(std::function<void(const SeenDialog&)> fnEach) {
    std::lock_guard<std::mutex> lock(m_mutex);
    m_fnEach = std::move(fnEach);
}

std::vector<SeenDialog> DialogAnswerer::Seen() const {
    std::lock_guard<std::mutex> lock(m_mutex);
    return m_arrSeen;
}

void DialogAnswerer::Watch() {
    std::vector<HWND> arrAnswered;  // answered and still on screen: never answered twice
    while (!m_bStop) {
        for (HWND hDlg : VisibleDialogs(m_dwProcessId)) {
            if (std::find(arrAnswered.begin(), arrAnswered.end(), hDlg) != arrAnswered.end()) continue;
            Answer answer = Answer::PressEscape();
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                auto it = m_mapAnswers.find(CaptionOf(hDlg));
                if (it == m_mapAnswers.end() || it->second.empty()) continue;
                answer = it->second.front();
                if (it->second.size() > 1) it->second.erase(it->second.begin());
            }
            Sleep(200);  // let it finish its first paint, as a user looks before answering
            SeenDialog seen = ReadDialog(hDlg);
            std::function<void(const SeenDialog&)> fnEach;
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                fnEach = m_fnEach;
            }
            if (fnEach) fnEach(seen);
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                m_arrSeen.push_back(seen);
            }
            arrAnswered.push_back(hDlg);
            AnswerDialog(hDlg, answer);
        }
        // A dialog hidden or destroyed has taken its answer; the system may hand its handle to a new one.
        arrAnswered.erase(std::remove_if(arrAnswered.begin(), arrAnswered.end(),
                                         [](HWND h) { return !IsWindow(h) || !IsWindowVisible(h); }),
                          arrAnswered.end());
        Sleep(20);
    }
}

}  // namespace lqtest
