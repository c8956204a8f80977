// Answering dialogs the way a user does: find a dialog by its caption, read what it shows, answer it with
// a button, Escape or the close box. One set of calls for both kinds of test:
//  - a scenario drives a program it started: WaitForDialog / ReadDialog / AnswerDialog, or
//    AnswerNextDialog for the whole round, with that program's process id;
//  - a test whose code under test runs its modal loop on the test's own thread: a DialogAnswerer
//    answers from a helper thread while the test's thread is inside the loop.
// Windows of another process are read and pressed through uidriver; every answer is posted, so that an
// answer which opens the next modal loop never blocks the one who gave it.
#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace lqtest {

// One way out of a dialog. Keys go to the control that has the focus, as a user's key presses do.
struct Answer {
    enum Kind { Click, Key, AccessKey, CloseBox } kind;
    int nId;  // the button for Click, the virtual key for Key, the letter for AccessKey
    static Answer ClickButton(int nId) { return {Click, nId}; }
    static Answer PressEscape() { return {Key, VK_ESCAPE}; }
    static Answer PressKey(int nVirtualKey) { return {Key, nVirtualKey}; }  // Enter, Space, Escape
    static Answer PressAccessKey(char cLetter) { return {AccessKey, cLetter}; }  // Alt and the letter
    static Answer UseCloseBox() { return {CloseBox, 0}; }
};

// A dialog as it was read.
struct SeenDialog {
    HWND hWnd = nullptr;  // null when no dialog came; valid only while the dialog is open
    std::string strCaption;
    std::map<int, std::string> texts;  // the text of each control, by id
    // What it says: a standard message box's text; for other dialogs the texts of the static controls
    // that have one, joined by "\n".
    std::string strText;
};

// The visible dialog (class "#32770") captioned strCaption of process dwProcessId (0: this process),
// waited for up to dwTimeoutMs; null when none came.
HWND WaitForDialog(const std::string& strCaption, DWORD dwProcessId, DWORD dwTimeoutMs);
// What hDlg shows now.
SeenDialog ReadDialog(HWND hDlg);
// Gives hDlg the answer; false when the button to click is not there.
bool AnswerDialog(HWND hDlg, const Answer& answer);
// A whole round: waits for the dialog, reads it, lets fnLook see it while it is open (screenshots,
// checks), answers it and waits until it is gone. hWnd of the result is null when none came in time.
SeenDialog AnswerNextDialog(const std::string& strCaption, DWORD dwProcessId, const Answer& answer, DWORD dwTimeoutMs,
                            const std::function<void(const SeenDialog&)>& fnLook = nullptr);

// Answers the dialogs of a process from a helper thread, from its construction to its destruction. A
// dialog whose caption has answers is read, shown to the OnEach callback and recorded, and only then
// answered: once the code under test has returned from its modal loops, every dialog it showed is in
// Seen(). Dialogs with other captions (a progress window) are left alone.
class DialogAnswerer {
public:
    explicit DialogAnswerer(DWORD dwProcessId = 0);  // 0: this process
    // Answers the dialogs captioned strCaption with arrAnswers (see On).
    DialogAnswerer(const std::string& strCaption, std::vector<Answer> arrAnswers, DWORD dwProcessId = 0);
    ~DialogAnswerer();
    DialogAnswerer(const DialogAnswerer&) = delete;
    DialogAnswerer& operator=(const DialogAnswerer&) = delete;

    // The next dialogs captioned strCaption get arrAnswers, one each in order, and every later one the
    // last of them. Replaces what the caption had.
    void On(const std::string& strCaption, std::vector<Answer> arrAnswers);
    // Called on the helper thread with each dialog before its answer, while it is open.
    void OnEach(std::function<void(const SeenDialog&)> fnEach);
    // The dialogs answered so far, in order.
    std::vector<SeenDialog> Seen() const;

private:
    void Watch();

    const DWORD m_dwProcessId;
    mutable std::mutex m_mutex;
    std::map<std::string, std::vector<Answer>> m_mapAnswers;  // by caption; the last one stays
    std::function<void(const SeenDialog&)> m_fnEach;
    std::vector<SeenDialog> m_arrSeen;
    std::atomic<bool> m_bStop{false};
    std::thread m_thread;  // last: starts once the members it uses exist
};

}  // namespace lqtest
