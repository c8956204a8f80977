// A front end for the engine tests: it answers the engine's questions from a script and records what the
// engine showed and asked, in order, so a test drives an engine without a window and asserts on what a
// user would have seen. Portable.
#pragma once

#include "setup/core/front_end.h"

#include <functional>
#include <ostream>
#include <string>
#include <vector>

// Test output names a text by its first words in English.
void PrintTo(TextId id, std::ostream* os);

namespace lqtest {

// Both halves of a front end in one object, and the front end made of them.
class RecordingFrontEnd : public ProgressView, public Answerer, public FrontEnd {
public:
    RecordingFrontEnd() : FrontEnd(static_cast<ProgressView&>(*this), static_cast<Answerer&>(*this)) {}

    // Answers, used in order; once a script runs out every further question gets its cancel.
    std::vector<InUseAnswer> arrInUseAnswers;
    std::vector<RunningProgramAnswer> arrCloseAnswers;
    // Runs while each question or message is before the user: what the user does meanwhile (closes a
    // program), or what the test notes of that moment.
    std::function<void()> fnWhileShown;

    // What the engine asked and said, in order.
    std::vector<TextId> arrStages;
    std::vector<std::string> arrDetails;
    std::vector<TextId> arrInUseQuestions;
    std::vector<bool> arrFilesHeld;  // what the engine said of each of those failures
    std::vector<std::string> arrProgramsAskedAbout;
    struct Message {
        MessageStyle style;
        TextId text;
        bool operator==(const Message& other) const { return style == other.style && text == other.text; }
    };
    std::vector<Message> arrMessages;

    // A bar as a progress control holds it: its range and position, and every position it was set to.
    struct Bar {
        short nLower = 0, nUpper = 100;
        int nPos = 0;
        std::vector<int> arrPositions;
    };
    Bar stageBar, fileBar;

    void ShowStage(TextId stage) override { arrStages.push_back(stage); }
    void ShowDetail(const std::string& strFile) override { arrDetails.push_back(strFile); }
    void SetBarRange(ProgressBar bar, short nLower, short nUpper) override;
    void SetBarPos(ProgressBar bar, int nPos) override;
    InUseAnswer AskFilesInUse(TextId question, bool bFilesHeld) override;
    RunningProgramAnswer AskCloseProgram(const std::string& strDisplayName) override;
    void ShowMessage(MessageStyle style, TextId message) override;

private:
    size_t m_nInUseAnswered = 0;
    size_t m_nCloseAnswered = 0;
};

void PrintTo(const RecordingFrontEnd::Message& message, std::ostream* os);

}  // namespace lqtest
