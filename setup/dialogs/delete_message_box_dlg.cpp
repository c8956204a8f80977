#include "setup/dialogs/delete_message_box_dlg.h"

#include "setup/dialogs/resource.h"

DeleteMessageBoxDlg::DeleteMessageBoxDlg(const std::string& strText)
    : QuestionDlg(IDD_DELETE_MESSAGE_BOX, IDC_MESSAGE_TEXT, strText,
                  {{IDOK, TextId::DeleteButton, static_cast<int>(Answer::Delete)},
                   {IDCANCEL, TextId::CancelButton, static_cast<int>(Answer::Cancel)}}) {}
