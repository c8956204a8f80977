#include "tests/support/recording_front_end.h"

void PrintTo(TextId id, std::ostream* os) {
    const std::string strText = TextIn(Language::English, id);
    *os << "\"" << (strText.size() > 48 ? strText.substr(0, 48) + "..." : strText) << "\"";
}

namespace lqtest {

void RecordingFrontEnd::SetBarRange(ProgressBar bar, short nLower, short nUpper) {
    Bar& target = bar == ProgressBar::Stage ? stageBar : fileBar;
    target.nLower = nLower;
    target.nUpper = nUpper;
}

void RecordingFrontEnd::SetBarPos(ProgressBar bar, int nPos) {
    Bar& target = bar == ProgressBar::Stage ? stageBar : fileBar;
    target.nPos = nPos;
    target.arrPositions.push_back(nPos);
}

InUseAnswer RecordingFrontEnd::AskFilesInUse(TextId question, bool bFilesHeld) {
    arrInUseQuestions.push_back(question);
    arrFilesHeld.push_back(bFilesHeld);
    if (fnWhileShown) fnWhileShown();
    return m_nInUseAnswered < arrInUseAnswers.size() ? arrInUseAnswers[m_nInUseAnswered++] : InUseAnswer::Cancel;
}

RunningProgramAnswer RecordingFrontEnd::AskCloseProgram(const std::string& strDisplayName) {
    arrProgramsAskedAbout.push_back(strDisplayName);
    if (fnWhileShown) fnWhileShown();
    return m_nCloseAnswered < arrCloseAnswers.size() ? arrCloseAnswers[m_nCloseAnswered++] : RunningProgramAnswer::Cancel;
}

void RecordingFrontEnd::ShowMessage(MessageStyle style, TextId message) {
    arrMessages.push_back({style, message});
    if (fnWhileShown) fnWhileShown();
}

void PrintTo(const RecordingFrontEnd::Message& message, std::ostream* os) {
    const char* szStyle = message.style == MessageStyle::Product ? "product box "
                          : message.style == MessageStyle::Program ? "program box "
                                                                   : "error box ";
    *os << szStyle;
    ::PrintTo(message.text, os);
}

}  // namespace lqtest
