// Answers this process's own modal dialogs from a helper thread, the way a user would: waits for the
// next visible dialog with the given caption, records what it shows, then clicks a button, presses
// Escape or uses the close box. Used by the dialog and guard tests, whose code under test runs the
// modal loops on the test's main thread.
#pragma once

#include <windows.h>

#include <functional>
#include <map>
#include <string>
#include <thread>
#include <vector>

namespace lqtest {

struct Answer {
    enum Kind { Click, Escape, CloseBox } kind;
    int nId;  // the button for Click
    static Answer ClickButton(int nId) { return {Click, nId}; }
    static Answer PressEscape() { return {Escape, 0}; }
    static Answer UseCloseBox() { return {CloseBox, 0}; }
};

struct SeenDialog {
    DWORD dwTick = 0;                  // GetTickCount when it was found
    std::map<int, std::string> texts;  // window text of each child, by control id
    std::map<int, DWORD> styles;       // window style of each child, by control id
    RECT rectClient{};                 // the dialog's client rectangle (pixels)
};

class DialogAnswerer {
public:
    // Answers one dialog per entry of arrAnswers, in order; each is waited for up to dwTimeoutMs.
    // fnOnFound, when given, runs on the helper thread with each dialog and its index before the answer
    // (for screenshots).
    DialogAnswerer(const std::string& strCaption, std::vector<Answer> arrAnswers, DWORD dwTimeoutMs = 15000,
                   std::function<void(HWND, int)> fnOnFound = nullptr);
    ~DialogAnswerer();  // waits for the thread
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // Waits for the thread; then the dialogs seen, in order (fewer than answers when one never came).
    const std::vector<SeenDialog>& Seen();

private:
    void Run();
    std::string m_strCaption;
    std::vector<Answer> m_arrAnswers;
    DWORD m_dwTimeoutMs;
    std::function<void(HWND, int)> m_fnOnFound;
    std::vector<SeenDialog> m_arrSeen;
    std::thread m_thread;
};

// The visible dialog (class "#32770") of this process with this caption, or null.
HWND FindOwnDialog(const std::string& strCaption);

}  // namespace lqtest
