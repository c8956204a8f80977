#include "setup/core/texts.h"


namespace {

struct TextRow {
    TextId id;
    const char* szKorean;
    const char* szEnglish;
};

// In the order of TextId. "\r\n" is a carriage return and a line feed; a text joined from pieces keeps
// one piece per line here.
constexpr TextRow kTexts[] = {
    {TextId::StageBasicFiles, "기본파일 설치중....", "Copy Basic File ...."},
    {TextId::StageOffice, "Microsoft Office....", "Microsoft Office...."},
    {TextId::StagePhotoshopBeforeCS2, "포토샵 CS2 이전버전....", "PhotoShop Plug-In (CS2 Before)...."},
    {TextId::StagePhotoshopCS2, "포토샵 CS2 이후버전....", "PhotoShop Plug-In (CS2 After)...."},
    {TextId::StageIllustrator, "일러스트레이터....", "Illustrator Plug-In...."},
    {TextId::StageCorelDraw11, "코렐드로우11....", "CorelDraw11 Add-In...."},
    {TextId::StageCorelDraw12, "코렐드로우12....", "CorelDraw12 Add-In...."},
    {TextId::StageQuark, "쿽익스프레스....", "Quark Express Xtention...."},

    {TextId::StageFindDeleteInformation, "삭제할 정보를 찾는 중....", "Get Delete Information...."},
    {TextId::StageDelete, "Letterquarry 삭제 중....", "Letterquarry Delete...."},
    {TextId::NoDeleteInformation, "삭제할 정보가 없습니다.", "Not Found Delete Information...."},
    {TextId::Removed, "Letterquarry 프로그램을 제거 하였습니다.", "It was removed the Letterquarry program."},

    {TextId::InstallRefused,
     "<center><b><font color=blue size=4>현재 Letterquarry 프로그램이 실행중에 있어\r\n"
     "설치 또는 업그레이드를 할수 없습니다..</font></b>"
     "실행중인 관련 프로그램을 모두 종료하시고\r\n"
     "다시 설치 또는 업그레이드를 하시거나\r\n"
     "윈도우를 다시 시작하시면 자동으로 설치 또는 업그레이드를 합니다.\r\n"
     "감사합니다.\r\n</center>",
     "<center><b><font color=blue size=4>Now, It can't be installed or upgraded because the program with "
     "Letterquarry is running.\r\n"
     "Please exit the program with Letterquarry and install or upgrade Letterquarry program.\r\n"
     "If you restart window, It's automaticaly installed or upgraded the Letterquarry program.\r\n"
     "Thank you.\r\n"},
    {TextId::InUseLetterquarry,
     "<center><b><font color=blue size=4>현재 Letterquarry 프로그램이 실행중에 있어 삭제 할 수 없습니다.</font></b>\r\n"
     "실행중인 관련 프로그램을 모두 종료하시고 삭제를 하시거나 또는.\r\n"
     "윈도우를 다시 시작하면 자동으로 삭제를 진행합니다.\r\n"
     "감사합니다.\r\n</center>",
     "<center><b><font color=blue size=4>Now, It can't be deleted because the program with Letterquarry is "
     "running.</font></b>\r\n"
     "Please exit the program with Letterquarry and delete Letterquarry program.\r\n"
     "If you restart window, Automaticaly, It will be removed the Letterquarry program.\r\n"
     "Thank you.</center>"},
    {TextId::InUseSlidequarry,
     "<center><b><font color=blue size=4>현재 Slidequarry 프로그램이 실행중에 있어 삭제 할 수 없습니다.</font></b>\r\n"
     "실행중인 관련 프로그램을 모두 종료하시고 삭제를 하시거나 또는.\r\n"
     "윈도우를 다시 시작하면 자동으로 삭제를 진행합니다.\r\n"
     "감사합니다.\r\n</center>",
     "<center><b><font color=blue size=4>Now, It can't be deleted because the program with Slidequarry is "
     "running.</font></b>\r\n"
     "Please exit the program with Slidequarry and delete Slidequarry program.\r\n"
     "If you restart window, Automaticaly, It will be removed the Slidequarry program.\r\n"
     "Thank you.</center>"},

    {TextId::ProgramRunning,
     "현재 <font size=3 color=blue><b>%s</b></font>가 실행중 입니다.\r\n"
     "실행중인 프로그램을 종료하여야 프로그램을 설치/삭제 할 수 있습니다.\r\n"
     "만약 보관할 데이터가 있으면 저장후 실행중인 프로그램을 종료하십시요.\r\n"
     "실행중인 프로그램을 자동 종료하시려면 \"실행중인 프로그램 종료하기\" 를\r\n"
     "클릭하십시요. 설치 또는 삭제를 취소 하시려면 \"취소\" 버튼을 클릭하십시요.\r\n",
     "Currently running <font size=3 color=blue><b>%s</b></font> program.\r\n"
     "You can install or delete while close current program.\r\n"
     "Program will be closed if you click  \"Exit program without notice\" button.\r\n"
     "Save data and exit. \r\n"
     "If you want to cancel , Please click \"Cancel\" button. \r\n"},

    {TextId::ClsidFromProgIdFailed, "CLSIDFromProgID() failed", "CLSIDFromProgID() failed"},
    // Whichever application could not be started.
    {TextId::OfficeNotRegistered, "Excel not registered properly", "Excel not registered properly"},

    {TextId::HostBasicDlls, "BasicDlls", "BasicDlls"},
    {TextId::HostOffice, "Microsoft Office", "Microsoft Office"},
    {TextId::HostPhotoshopBeforeCS2, "포토샵 (CS2 이전버전)", "PhotoShop (CS2 Before)"},
    {TextId::HostPhotoshopCS2, "포토샵 ( CS2 )", "PhotoShop ( CS2 )"},
    {TextId::HostIllustrator, "일러스트레이터", "Illustrator"},
    {TextId::HostQuark, "쿽익스프레스", "Quark Express"},
    {TextId::HostCorelDraw11, "코렐드로우11", "CorelDraw11"},
    {TextId::HostCorelDraw12, "코렐드로우12", "CorelDraw12"},

    {TextId::BannerQuobbin,
     "<center><b><font size=5 color=blue>%s</font><font size=4 color=blue>-Quobbin</font></b></center>",
     "<center><b><font size=5 color=blue>%s</font><font size=4 color=blue>-Quobbin</font></b></center>"},
    {TextId::BannerTessaly,
     "<center><b><font size=5 color=blue>%s</font><font size=4 color=blue>-Tessaly</font></b></center>",
     "<center><b><font size=5 color=blue>%s</font><font size=4 color=blue>-Tessaly</font></b></center>"},
    {TextId::BannerStandard, "<center><b><font size=5 color=blue>%s</font></b></center>",
     "<center><b><font size=5 color=blue>%s</font></b></center>"},
    {TextId::Prompt, "<center><b>레터쿼리</b>를 설치하고자 하는 프로그램을 선택해 주세요.</center>", "<center> </center>"},
    {TextId::Hint, "설치를 시작하시려면 \"설치하기\"버튼을 눌러 주세요.", "Please Click install button to start installation."},
    {TextId::HostListColumn, "설치파일", "Install File"},
    {TextId::InstallButton, "설치하기", "Install"},
    {TextId::Installed, "Letterquarry 프로그램을 설치 하였습니다.", "It's Installed Letterquarry program."},

    {TextId::CancelButton, "취소", "Cancel"},
    {TextId::RestartWindowsButton, "윈도우 다시시작", "ReStart Windows"},
    // The same in the install's and the uninstall's use.
    {TextId::GoOnButton, "사용 프로그램을 종료하고 삭제하기", "Closing current program and Restarting window"},
    {TextId::DeleteButton, "삭제하기", "Ok"},
    {TextId::ForceCloseButton, "실행중인 프로그램 종료하기", "Exit program without notice"},

    {TextId::UninstallConfirmation,
     "<center><b><font color=blue size=4>Letterquarry 프로그램을 삭제 합니다.</font></b>\r\n"
     "삭제하는 도중에 실행중인 프로그램을 종료 할 수도 있습니다.\r\n"
     "실행중인 프로그램을 종료하여 주십시요.</center>",
     "<center><b><font color=blue size=4>It will be removed the Letterquarry program.</font></b>\r\n"
     "Please close the running program with 'Letterquarry' for uninstallation.\r\n"
     "Are you sure you want to completely remove 'Letterquarry' program?"},
    {TextId::AlreadyRunning, "Letterquarry 설치 프로그램이 이미 실행 중입니다.", "Letterquarry setup is already running."},
    {TextId::UpgradeMessage, "_DEF_PROCESS_UPGRADE", "_DEF_PROCESS_UPGRADE"},
    {TextId::Usage,
     "ZmtUpGrade_Letterquarry.exe [스위치]\r\n\r\n"
     "(없음): 설치 대화 상자에서 설치합니다.\r\n"
     "/B: 질문 없이 설치합니다.\r\n"
     "/D: 확인한 후 삭제합니다.\r\n"
     "/D /B: 질문 없이 삭제합니다.\r\n"
     "/B /QUIET, /D /B /QUIET: 아무것도 표시하지 않고\r\n"
     "    기다리지 않습니다 (배포 도구용). 사용 중인 파일은\r\n"
     "    다음 Windows 시작 때 처리합니다.\r\n"
     "/E: 영어로 표시합니다.\r\n"
     "/LOG[=경로]: 설치 로그를 씁니다. 기본 위치:\r\n"
     "    %TEMP%\\Letterquarry Setup.log\r\n"
     "/U: 업그레이드 메시지를 표시합니다.\r\n"
     "/?: 이 목록을 표시합니다.\r\n\r\n"
     "종료 코드:\r\n"
     "0: 완료\r\n"
     "1602: 사용자가 취소함\r\n"
     "1603: 실패\r\n"
     "1618: 설치 프로그램이 이미 실행 중 (나중에 다시 시도)\r\n"
     "3010: 다음 Windows 시작 때 완료 (다시 시작 필요)",
     "ZmtUpGrade_Letterquarry.exe [switches]\r\n\r\n"
     "(none): install in the install dialog.\r\n"
     "/B: install with no question.\r\n"
     "/D: uninstall, after a confirmation.\r\n"
     "/D /B: uninstall with no question.\r\n"
     "/B /QUIET, /D /B /QUIET: show nothing, never wait\r\n"
     "    (for deployment tools); files in use are dealt\r\n"
     "    with at the next Windows start.\r\n"
     "/E: English texts.\r\n"
     "/LOG[=path]: write a setup log, by default\r\n"
     "    %TEMP%\\Letterquarry Setup.log\r\n"
     "/U: the upgrade message.\r\n"
     "/?: this list.\r\n\r\n"
     "Exit codes:\r\n"
     "0: done\r\n"
     "1602: cancelled by the user\r\n"
     "1603: failed\r\n"
     "1618: another run is in progress (try again later)\r\n"
     "3010: deferred to the next Windows start"},

    {TextId::EntryDisplayName, "Letterquarry 제거", "Letterquarry Delete"},

    {TextId::ProductCaption, "Letterquarry", "Letterquarry"},
    {TextId::ErrorCaption, "Error", "Error"},

    {TextId::OpenProcessTokenFailed, "OpenProcessToken failed.", "OpenProcessToken failed."},
};
static_assert(sizeof kTexts / sizeof kTexts[0] == static_cast<size_t>(TextId::Count), "one row per text id");

constexpr bool RowsInIdOrder(size_t i = 0) {
    return i == sizeof kTexts / sizeof kTexts[0] || (kTexts[i].id == static_cast<TextId>(i) && RowsInIdOrder(i + 1));
}
static_assert(RowsInIdOrder(), "the rows stand in the order of TextId");

// The buttons' access keys, unique within each dialog (Cancel is in every one). A Korean key is the letter
// of the word in English, as Korean Windows writes its own buttons' keys.
struct AccessKeyRow {
    TextId id;
    char cKorean;
    char cEnglish;
};
constexpr AccessKeyRow kAccessKeys[] = {
    {TextId::InstallButton, 'I', 'I'},        {TextId::CancelButton, 'C', 'C'},
    {TextId::RestartWindowsButton, 'R', 'R'}, {TextId::GoOnButton, 'P', 'P'},  // "program": C and R are taken
    {TextId::DeleteButton, 'D', 'O'},         {TextId::ForceCloseButton, 'E', 'E'},
};

}  // namespace

std::string TextIn(Language language, TextId id) {
    const TextRow& row = kTexts[static_cast<size_t>(id)];
    return language == Language::Korean ? row.szKorean : row.szEnglish;
}

std::string Text(TextId id) { return TextIn(CurrentLanguage(), id); }

std::string ButtonText(TextId id) {
    std::string strText = Text(id);
    for (const AccessKeyRow& row : kAccessKeys) {
        if (row.id != id) continue;
        const char cKey = CurrentLanguage() == Language::Korean ? row.cKorean : row.cEnglish;
        // English texts are ASCII, so a byte that matches is the letter itself.
        const size_t nAt = CurrentLanguage() == Language::Korean
                               ? std::string::npos
                               : strText.find_first_of(std::string{cKey, static_cast<char>(cKey - 'A' + 'a')});
        if (nAt != std::string::npos) return strText.insert(nAt, 1, '&');
        return strText + "(&" + cKey + ")";
    }
    return strText;
}

std::string Text(TextId id, const std::string& strParam) {
    std::string strText = Text(id);
    const size_t nAt = strText.find("%s");
    if (nAt != std::string::npos) strText.replace(nAt, 2, strParam);
    return strText;
}

const char* const kAdobePluginFolderNames[3] = {"플러그-인\\", "플러그인\\", "Plug-Ins\\"};
