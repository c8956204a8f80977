// The text table: the label texts in both languages, byte for byte, a parameter in its place; the language
// chosen by the country code (82 Korean, anything else English).
#include "setup/core/country.h"
#include "setup/core/texts.h"
#include "tests/support/htmllabel/system_texts.h"

#include <gtest/gtest.h>

namespace {

// The label texts as the tests spell them out themselves (tests/support/htmllabel/system_texts.h), against the
// table, byte for byte in both languages.
TEST(Texts, TheLabelTextsAreTheSuitesOwnByteForByte) {
    for (const bool isKorean : {true, false}) {
        SetLanguage(LanguageOfCountry(isKorean ? 82 : 0));
        const char* szLanguage = isKorean ? "Korean" : "English";
        EXPECT_EQ(lqtexts::Banner(), Text(TextId::BannerStandard, "Letterquarry 5.981")) << szLanguage;
        EXPECT_EQ(lqtexts::Prompt(isKorean), Text(TextId::Prompt)) << szLanguage;
        EXPECT_EQ(lqtexts::Hint(isKorean), Text(TextId::Hint)) << szLanguage;
        EXPECT_EQ(lqtexts::GuardText(isKorean, "100% Excel"), Text(TextId::ProgramRunning, "100% Excel")) << szLanguage;
        EXPECT_EQ(lqtexts::InUseText(isKorean, "Letterquarry"), Text(TextId::InUseLetterquarry)) << szLanguage;
        EXPECT_EQ(lqtexts::InUseText(isKorean, "Slidequarry"), Text(TextId::InUseSlidequarry)) << szLanguage;
        EXPECT_EQ(lqtexts::InstallRefused(isKorean), Text(TextId::InstallRefused)) << szLanguage;
        EXPECT_EQ(lqtexts::UninstallConfirmation(isKorean), Text(TextId::UninstallConfirmation)) << szLanguage;
    }
    SetLanguage(LanguageOfCountry(1));
    EXPECT_EQ("Cancel", Text(TextId::CancelButton)) << "any other country is English";
    SetLanguage(Language::English);
}

// Every button's text with its access key, by Windows' conventions in each language.
TEST(Texts, ButtonsCarryTheirAccessKeys) {
    const struct {
        TextId id;
        const char* szKorean;
        const char* szEnglish;
    } buttons[] = {
        {TextId::InstallButton, "설치하기(&I)", "&Install"},
        {TextId::CancelButton, "취소(&C)", "&Cancel"},
        {TextId::RestartWindowsButton, "윈도우 다시시작(&R)", "&ReStart Windows"},
        {TextId::GoOnButton, "사용 프로그램을 종료하고 삭제하기(&P)", "Closing current &program and Restarting window"},
        {TextId::DeleteButton, "삭제하기(&D)", "&Ok"},
        {TextId::ForceCloseButton, "실행중인 프로그램 종료하기(&E)", "&Exit program without notice"},
        {TextId::HostListColumn, "설치파일", "Install File"},  // no button: no key
    };
    for (const auto& button : buttons) {
        SetLanguage(Language::Korean);
        EXPECT_EQ(button.szKorean, ButtonText(button.id));
        SetLanguage(Language::English);
        EXPECT_EQ(button.szEnglish, ButtonText(button.id));
    }
    SetLanguage(Language::English);
}

}  // namespace
