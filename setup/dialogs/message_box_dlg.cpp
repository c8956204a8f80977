#include "setup/dialogs/message_box_dlg.h"

#include "setup/dialogs/resource.h"

MessageBoxDlg::MessageBoxDlg(const std::string& strText)
    : QuestionDlg(IDD_MESSAGE_BOX, IDC_MESSAGE_TEXT, strText,
                  {{IDC_MESSAGE_RESTART, TextId::RestartWindowsButton, static_cast<int>(Answer::RestartWindows)},
                   {IDOK, TextId::GoOnButton, static_cast<int>(Answer::GoOn)},
                   {IDCANCEL, TextId::CancelButton, static_cast<int>(Answer::Cancel)}}) {}
