// FrontEnd: the one seam between the engines (discovery, install, guard, uninstall) and whatever the
// user sees. An engine decides and acts; when it has something to show (a stage, a file, a bar) it tells
// its front end's ProgressView, and when it has something to ask (files in use, a program running) or a
// message to give, its Answerer, and decides from the answer. The two halves are chosen apart: where the
// progress goes (a progress window, or nowhere) says nothing about who answers (the user in the suite's
// dialogs, nobody, or the policy a deployment tool wants). Engines never open a window themselves and hold no
// text: they name what to say (setup/core/texts.h), and the front end turns it into text.
//
// Implementations: ProgressWindowView and DialogAnswers (setup/dialogs/); NoProgress, NobodyAnswers and
// DeploymentAnswers (below). Each run mode's pair is one row of the table in setup/app/run_modes.cpp.
#pragma once

#include "setup/core/texts.h"

#include <string>

// The progress window's two bars, by what they count. The install moves the stage bar over its eight
// steps and the file bar over the files of its first step; the uninstall moves only the file bar.
enum class ProgressBar { Stage, File };

// The answers to "files are in use".
enum class InUseAnswer {
    RestartWindows,    // do the work at the next Windows start, and restart Windows now
    CloseAndRetry,     // the user closed the programs: try again now
    Cancel,            // give up (also when the question could not be shown)
    DeferToNextStart,  // do the work at the next Windows start, and leave the restart to whoever started us
};

// The answers to "a host program is running".
enum class RunningProgramAnswer {
    ForceClose,  // end the program and test again
    Cancel,      // stop (also when the question could not be shown)
};

// How a message is shown; each is the box the suite has always shown in that place.
enum class MessageStyle {
    Product,  // caption "Letterquarry", OK, no owner: an outcome the user waits for
    Program,  // the program's own caption, owned by the main window: a fact about the run
    Error,    // caption "Error", error icon, brought to the foreground: an automation failure
};

// Where an engine's progress goes.
class ProgressView {
public:
    virtual ~ProgressView() = default;
    // The stage line, and the detail line: the file being worked on (a name or path, shown as it is).
    virtual void ShowStage(TextId stage) = 0;
    virtual void ShowDetail(const std::string& strFile) = 0;
    virtual void SetBarRange(ProgressBar bar, short nLower, short nUpper) = 0;
    virtual void SetBarPos(ProgressBar bar, int nPos) = 0;
};

// Who answers an engine's questions and reads its messages.
class Answerer {
public:
    virtual ~Answerer() = default;
    // Files are in use: the question's text is InstallRefused, InUseLetterquarry or InUseSlidequarry. The suite
    // asks it after every failure of the work; bFilesHeld tells whether this failure really was a file that
    // another program holds (a failure of another kind gains nothing from waiting for the next start).
    virtual InUseAnswer AskFilesInUse(TextId question, bool bFilesHeld) = 0;
    // A watched program runs; strDisplayName is its name as the guard's table gives it.
    virtual RunningProgramAnswer AskCloseProgram(const std::string& strDisplayName) = 0;
    // A message the user must acknowledge; returns when it was (at once when nothing is shown).
    virtual void ShowMessage(MessageStyle style, TextId message) = 0;
    // The switches a run deferred to the next Windows start repeats, so that it is answered as this one:
    // each with a leading blank; none by default.
    virtual std::string SwitchesForDeferredRun() const { return std::string(); }
};

// What an engine is given: a progress view and an answerer, borrowed (both must outlive it).
class FrontEnd {
public:
    FrontEnd(ProgressView& progress, Answerer& answers) : m_progress(progress), m_answers(answers) {}
    virtual ~FrontEnd() = default;
    FrontEnd(const FrontEnd&) = delete;
    FrontEnd& operator=(const FrontEnd&) = delete;

    void ShowStage(TextId stage) { m_progress.ShowStage(stage); }
    void ShowDetail(const std::string& strFile) { m_progress.ShowDetail(strFile); }
    void SetBarRange(ProgressBar bar, short nLower, short nUpper) { m_progress.SetBarRange(bar, nLower, nUpper); }
    void SetBarPos(ProgressBar bar, int nPos) { m_progress.SetBarPos(bar, nPos); }
    InUseAnswer AskFilesInUse(TextId question, bool bFilesHeld) { return m_answers.AskFilesInUse(question, bFilesHeld); }
    RunningProgramAnswer AskCloseProgram(const std::string& strDisplayName) {
        return m_answers.AskCloseProgram(strDisplayName);
    }
    void ShowMessage(MessageStyle style, TextId message) { m_answers.ShowMessage(style, message); }
    std::string SwitchesForDeferredRun() const { return m_answers.SwitchesForDeferredRun(); }

private:
    ProgressView& m_progress;
    Answerer& m_answers;
};

// Progress that goes nowhere.
class NoProgress : public ProgressView {
public:
    void ShowStage(TextId) override {}
    void ShowDetail(const std::string&) override {}
    void SetBarRange(ProgressBar, short, short) override {}
    void SetBarPos(ProgressBar, int) override {}
};

// Nobody is there to answer ("/B", and the deferred install that runs at a logon): every question is
// answered with its cancel, so an engine never defers, retries or ends a program on its own, and a message
// goes only to the setup log.
class NobodyAnswers : public Answerer {
public:
    InUseAnswer AskFilesInUse(TextId, bool) override { return InUseAnswer::Cancel; }
    RunningProgramAnswer AskCloseProgram(const std::string&) override { return RunningProgramAnswer::Cancel; }
    void ShowMessage(MessageStyle, TextId) override {}
};

// "/QUIET", for the tools that deploy to many PCs at once: nobody is there, and the tool wants files that
// another program holds to wait for the next Windows start, which repeats "/QUIET"; Windows is not restarted
// (the tool decides when). Every other question gets its cancel, so any other failure ends the run as
// failed.
class DeploymentAnswers : public NobodyAnswers {
public:
    InUseAnswer AskFilesInUse(TextId, bool bFilesHeld) override {
        return bFilesHeld ? InUseAnswer::DeferToNextStart : InUseAnswer::Cancel;
    }
    std::string SwitchesForDeferredRun() const override { return " /QUIET"; }
};
