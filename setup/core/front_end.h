// FrontEnd: the one seam between the engines (discovery, install, guard, uninstall) and whatever the
// user sees. An engine decides and acts; when it has something to show (a stage, a file, a bar, a
// message) or to ask (files in use, a program running) it calls its front end, and decides from the
// answer. Engines never open a window themselves and hold no text: they name what to say (setup/core/
// texts.h), and the front end turns it into text.
//
// Implementations: DialogFrontEnd (setup/dialogs/) shows the progress window's controls, the suite's
// question dialogs and message boxes; ProgressOnlyFrontEnd (setup/dialogs/) shows the progress window
// and asks nothing; CancellingFrontEnd (below) shows nothing and cancels every question; QuietFrontEnd
// (below) shows nothing and answers for a deployment tool. The run modes in setup/app/ choose one.
#pragma once

#include "setup/core/texts.h"

#include <string>

// The progress window's two bars, by what they count. The install moves the stage bar over its eight
// steps and the file bar over the files of its first step; the uninstall moves only the file bar.
enum class ProgressBar { Stage, File };

// The answers to "files are in use", in the numbering of the suite's three-way message dialog.
enum class InUseAnswer {
    RestartWindows = 1,    // do the work at the next Windows start, and restart Windows now
    CloseAndRetry = 2,     // the user closed the programs: try again now
    Cancel = 3,            // give up (also when the question could not be shown)
    DeferToNextStart = 4,  // do the work at the next Windows start, and leave the restart to whoever started us
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

class FrontEnd {
public:
    virtual ~FrontEnd() = default;

    // The stage line, and the detail line: the file being worked on (a name or path, shown as it is).
    virtual void ShowStage(TextId stage) = 0;
    virtual void ShowDetail(const std::string& strFile) = 0;
    virtual void SetBarRange(ProgressBar bar, short nLower, short nUpper) = 0;
    virtual void SetBarPos(ProgressBar bar, int nPos) = 0;

    // Files are in use: the question's text is InstallRefused, InUseLetterquarry or InUseSlidequarry. The suite
    // asks it after every failure of the work; bFilesHeld tells whether this failure really was a file that
    // another program holds (a failure of another kind gains nothing from waiting for the next start).
    virtual InUseAnswer AskFilesInUse(TextId question, bool bFilesHeld) = 0;
    // A watched program runs; strDisplayName is its name as the guard's table gives it.
    virtual RunningProgramAnswer AskCloseProgram(const std::string& strDisplayName) = 0;

    // A message the user must acknowledge; returns when it was (at once when nothing is shown).
    virtual void ShowMessage(MessageStyle style, TextId message) = 0;

    // The switches a run deferred to the next Windows start repeats, so that it is shown (or not) as this
    // one: each with a leading blank; none by default.
    virtual std::string SwitchesForDeferredRun() const { return std::string(); }
};

// Shows nothing and never waits: progress and messages go nowhere, every question is answered with its
// cancel, so an engine run through it never defers, retries or ends a program on its own.
class CancellingFrontEnd : public FrontEnd {
public:
    void ShowStage(TextId) override {}
    void ShowDetail(const std::string&) override {}
    void SetBarRange(ProgressBar, short, short) override {}
    void SetBarPos(ProgressBar, int) override {}
    InUseAnswer AskFilesInUse(TextId, bool) override { return InUseAnswer::Cancel; }
    RunningProgramAnswer AskCloseProgram(const std::string&) override { return RunningProgramAnswer::Cancel; }
    void ShowMessage(MessageStyle, TextId) override {}
};

// "/QUIET", for the tools that deploy to many PCs at once: shows nothing and never waits, as nobody may be
// at the screen. Files another program holds: the work is deferred to the next Windows start, which repeats
// "/QUIET", and Windows is not restarted (the tool decides when). Every other question gets its cancel, so
// any other failure ends the run as failed; a message (an Office application that is not installed) goes
// only to the setup log.
class QuietFrontEnd : public CancellingFrontEnd {
public:
    InUseAnswer AskFilesInUse(TextId, bool bFilesHeld) override {
        return bFilesHeld ? InUseAnswer::DeferToNextStart : InUseAnswer::Cancel;
    }
    std::string SwitchesForDeferredRun() const override { return " /QUIET"; }
};
