#include "setup/dialogs/program_kill_dlg.h"

#include "setup/dialogs/resource.h"

ProgramKillDlg::ProgramKillDlg(const std::string& strMessage)
    : QuestionDlg(IDD_PROGRAM_KILL, IDC_PROGRAM_KILL_TEXT, strMessage,
                  {{IDOK, TextId::ForceCloseButton, static_cast<int>(Answer::ForceClose)},
                   {IDCANCEL, TextId::CancelButton, static_cast<int>(Answer::Cancel)}}) {}
