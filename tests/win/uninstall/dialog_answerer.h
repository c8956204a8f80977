// Answers the modal boxes that the code under test shows on the test's own thread, from a helper thread,
// the way a user would: it watches the process's top-level dialog windows, records each one's caption and
// text once, and presses the button that the test chose for that caption (default: IDOK).
#pragma once

#include <windows.h>

#include <atomic>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

struct AnsweredBox {
    HWND hWnd = nullptr;  // still open while OnEach's callback runs
    std::string strCaption;
    std::string strText;  // a message box's text; for other dialogs the texts of all their static controls
    std::vector<std::string> arrButtons;  // the texts of its buttons, in child order
    int nPressed = 0;
    DWORD nTick = 0;      // GetTickCount when it was seen
};

class DialogAnswerer {
public:
    DialogAnswerer() : m_thread([this] { Watch(); }) {}
    ~DialogAnswerer() {
        m_bStop = true;
        m_thread.join();
    }
    // Presses button nId in every later dialog with this caption.
    void Answer(const std::string& strCaption, int nId) {
        std::lock_guard<std::mutex> lock(m_mutex);
        m_mapAnswers[strCaption] = nId;
    }
    // Called with each dialog just before its button is pressed (on the helper thread).
    void OnEach(void (*pfn)(const AnsweredBox&)) { m_pfnOnEach = pfn; }
    std::vector<AnsweredBox> Boxes() {
        std::lock_guard<std::mutex> lock(m_mutex);
        return m_arrBoxes;
    }
    // Waits until at least nCount dialogs were answered; false when the time ran out.
    bool WaitFor(size_t nCount, DWORD nMilliseconds) {
        const DWORD nStart = GetTickCount();
        while (GetTickCount() - nStart < nMilliseconds) {
            {
                std::lock_guard<std::mutex> lock(m_mutex);
                if (m_arrBoxes.size() >= nCount) return true;
            }
            Sleep(50);
        }
        return false;
    }

private:
    static std::string TextOf(HWND hWnd) {
        char sz[2048] = {};
        GetWindowTextA(hWnd, sz, sizeof sz);
        return sz;
    }
    static BOOL CALLBACK CollectChild(HWND hChild, LPARAM lParam) {
        auto* pBox = reinterpret_cast<AnsweredBox*>(lParam);
        char szClass[64] = {};
        GetClassNameA(hChild, szClass, sizeof szClass);
        if (lstrcmpiA(szClass, "Button") == 0)
            pBox->arrButtons.push_back(TextOf(hChild));
        else if (lstrcmpiA(szClass, "Static") == 0 && !TextOf(hChild).empty())
            pBox->strText += (pBox->strText.empty() ? "" : "\n") + TextOf(hChild);
        return TRUE;
    }
    static BOOL CALLBACK CollectTop(HWND hWnd, LPARAM lParam) {
        DWORD nPid = 0;
        GetWindowThreadProcessId(hWnd, &nPid);
        char szClass[64] = {};
        GetClassNameA(hWnd, szClass, sizeof szClass);
        if (nPid == GetCurrentProcessId() && IsWindowVisible(hWnd) && lstrcmpA(szClass, "#32770") == 0)
            reinterpret_cast<std::vector<HWND>*>(lParam)->push_back(hWnd);
        return TRUE;
    }
    void Watch() {
        std::vector<HWND> arrHandled;
        while (!m_bStop) {
            std::vector<HWND> arrWindows;
            EnumWindows(CollectTop, reinterpret_cast<LPARAM>(&arrWindows));
            for (HWND hWnd : arrWindows) {
                AnsweredBox box;
                box.hWnd = hWnd;
                box.strCaption = TextOf(hWnd);
                int nId = IDOK;
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    auto it = m_mapAnswers.find(box.strCaption);
                    if (it == m_mapAnswers.end()) continue;  // not ours to answer (a progress window)
                    nId = it->second;
                }
                bool bSeen = false;
                for (HWND h : arrHandled) bSeen |= (h == hWnd);
                if (bSeen) continue;
                Sleep(150);  // let it finish drawing, as a person would read it first
                EnumChildWindows(hWnd, CollectChild, reinterpret_cast<LPARAM>(&box));
                box.nPressed = nId;
                box.nTick = GetTickCount();
                if (m_pfnOnEach) m_pfnOnEach(box);
                {
                    std::lock_guard<std::mutex> lock(m_mutex);
                    m_arrBoxes.push_back(box);
                }
                arrHandled.push_back(hWnd);
                PostMessageA(hWnd, WM_COMMAND, MAKEWPARAM(nId, BN_CLICKED), 0);
            }
            // Window handles are reused once a box is gone; forget those no longer on screen.
            std::vector<HWND> arrStill;
            for (HWND h : arrHandled)
                if (IsWindow(h)) arrStill.push_back(h);
            arrHandled.swap(arrStill);
            Sleep(50);
        }
    }

    std::mutex m_mutex;
    std::map<std::string, int> m_mapAnswers;
    std::vector<AnsweredBox> m_arrBoxes;
    void (*m_pfnOnEach)(const AnsweredBox&) = nullptr;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;  // last: starts after the members it uses exist
};
