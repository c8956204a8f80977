// The setup program's own label texts, as its dialogs hand them to the label (Korean literals become
// code page 949 bytes), and where they are shown in label_dialogs.rc. Shared by the label's Windows test and
// its benchmark.
#pragma once

#include <string>
#include <vector>

namespace lqtexts {

// Where a text is shown: the dialog template of the test's resource script and the label's control id.
struct LabelText {
    const char* pszName;  // for screenshot file names and messages
    int nDialogId;
    int nLabelId;
    std::string strHtml;
    bool bHasTitle;  // begins with the blue size-4 bold title
    // False for the one text that is taller than its label in English: the refused-install message never
    // closes its title's font and bold tags, so every line is large and bold.
    bool bFitsLabel = true;
};

enum : int {
    kMainDialog = 302,     // main install dialog: banner 1003, prompt 1005, hint 1004
    kGuardDialog = 333,    // running-program guard: label 1005, 366 x 76 dialog units
    kMessageDialog = 331,  // refused install or uninstall: label 1005, 384 x 76
    kDeleteDialog = 332,   // uninstall confirmation: label 1005, 274 x 60
    kLinkDialog = 340,     // a label with a link, for the hover and click tests
};

inline std::string Banner() { return "<center><b><font size=5 color=blue>Letterquarry 5.981</font></b></center>"; }

inline std::string GuardText(bool isKorean, const std::string& strProgram) {
    if (isKorean) {
        return "현재 <font size=3 color=blue><b>" + strProgram + "</b></font>가 실행중 입니다.\r\n"
               "실행중인 프로그램을 종료하여야 프로그램을 설치/삭제 할 수 있습니다.\r\n"
               "만약 보관할 데이터가 있으면 저장후 실행중인 프로그램을 종료하십시요.\r\n"
               "실행중인 프로그램을 자동 종료하시려면 \"실행중인 프로그램 종료하기\" 를\r\n"
               "클릭하십시요. 설치 또는 삭제를 취소 하시려면 \"취소\" 버튼을 클릭하십시요.\r\n";
    }
    return "Currently running <font size=3 color=blue><b>" + strProgram + "</b></font> program.\r\n"
           "You can install or delete while close current program.\r\n"
           "Program will be closed if you click  \"Exit program without notice\" button.\r\n"
           "Save data and exit. \r\n"
           "If you want to cancel , Please click \"Cancel\" button. \r\n";
}

inline std::string InUseText(bool isKorean, const std::string& strProduct) {
    if (isKorean) {
        return "<center><b><font color=blue size=4>현재 " + strProduct +
               " 프로그램이 실행중에 있어 삭제 할 수 없습니다.</font></b>\r\n"
               "실행중인 관련 프로그램을 모두 종료하시고 삭제를 하시거나 또는.\r\n"
               "윈도우를 다시 시작하면 자동으로 삭제를 진행합니다.\r\n"
               "감사합니다.\r\n</center>";
    }
    return "<center><b><font color=blue size=4>Now, It can't be deleted because the program with " + strProduct +
           " is running.</font></b>\r\n"
           "Please exit the program with " + strProduct + " and delete " + strProduct + " program.\r\n"
           "If you restart window, Automaticaly, It will be removed the " + strProduct + " program.\r\n"
           "Thank you.</center>";
}

inline std::string UninstallConfirmation(bool isKorean) {
    if (isKorean) {
        return "<center><b><font color=blue size=4>Letterquarry 프로그램을 삭제 합니다.</font></b>\r\n"
               "삭제하는 도중에 실행중인 프로그램을 종료 할 수도 있습니다.\r\n"
               "실행중인 프로그램을 종료하여 주십시요.</center>";
    }
    return "<center><b><font color=blue size=4>It will be removed the Letterquarry program.</font></b>\r\n"
           "Please close the running program with 'Letterquarry' for uninstallation.\r\n"
           "Are you sure you want to completely remove 'Letterquarry' program?";
}

inline std::string InstallRefused(bool isKorean) {
    if (isKorean) {
        return "<center><b><font color=blue size=4>현재 Letterquarry 프로그램이 실행중에 있어\r\n"
               "설치 또는 업그레이드를 할수 없습니다..</font></b>"
               "실행중인 관련 프로그램을 모두 종료하시고\r\n"
               "다시 설치 또는 업그레이드를 하시거나\r\n"
               "윈도우를 다시 시작하시면 자동으로 설치 또는 업그레이드를 합니다.\r\n"
               "감사합니다.\r\n</center>";
    }
    return "<center><b><font color=blue size=4>Now, It can't be installed or upgraded because the program with "
           "Letterquarry is running.\r\n"
           "Please exit the program with Letterquarry and install or upgrade Letterquarry program.\r\n"
           "If you restart window, It's automaticaly installed or upgraded the Letterquarry program.\r\n"
           "Thank you.\r\n";
}

inline std::string Prompt(bool isKorean) {
    return isKorean ? "<center><b>레터쿼리</b>를 설치하고자 하는 프로그램을 선택해 주세요.</center>" : "<center> </center>";
}

inline std::string Hint(bool isKorean) {
    return isKorean ? "설치를 시작하시려면 \"설치하기\"버튼을 눌러 주세요."
                    : "Please Click install button to start installation.";
}

// Every text of one language with the dialog that shows it.
inline std::vector<LabelText> AllTexts(bool isKorean) {
    return {
        {"banner", kMainDialog, 1003, Banner(), false},
        {"prompt", kMainDialog, 1005, Prompt(isKorean), false},
        {"hint", kMainDialog, 1004, Hint(isKorean), false},
        {"guard_excel", kGuardDialog, 1005, GuardText(isKorean, "Excel"), false},
        {"guard_quark", kGuardDialog, 1005, GuardText(isKorean, "QuarkXpress"), false},
        {"inuse_letterquarry", kMessageDialog, 1005, InUseText(isKorean, "Letterquarry"), true},
        {"inuse_slidequarry", kMessageDialog, 1005, InUseText(isKorean, "Slidequarry"), true},
        {"install_refused", kMessageDialog, 1005, InstallRefused(isKorean), true, isKorean},
        {"uninstall_confirmation", kDeleteDialog, 1005, UninstallConfirmation(isKorean), true},
    };
}

}  // namespace lqtexts
