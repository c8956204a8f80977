// Resource ids of the setup program's dialogs, their product picture and the application icon: one list,
// so that no two collide. Each dialog's id names its class.
#pragma once

#define IDR_MAINFRAME 128

// CZmtUpGradeDlg, the install dialog.
#define IDD_ZMT_UPGRADE 102
#define IDB_PRODUCT_PANEL 132
#define IDC_HOST_LIST 1000
#define IDC_BANNER 1003
#define IDC_HINT 1004
#define IDC_PROMPT 1005
#define IDC_PRODUCT_PICTURE 1006
#define IDC_HOST_LIST_LABEL 1007

// LetterquarrySetupDlg and LetterquarryDeleteDlg, the progress windows (the same control ids in both).
#define IDD_LETTERQUARRY_SETUP 129
#define IDD_LETTERQUARRY_DELETE 130
#define IDC_PROGRESS_1001 1001
#define IDC_PROGRESS_1002 1002
#define IDC_DETAIL_LINE 1003
#define IDC_STAGE_LINE 1004

// MessageBoxDlg and DeleteMessageBoxDlg, the question dialogs.
#define IDD_MESSAGE_BOX 131
#define IDD_DELETE_MESSAGE_BOX 132
#define IDC_MESSAGE_TEXT 1005
#define IDC_MESSAGE_RESTART 3

// ProgramKillDlg, the running-program guard's question.
#define IDD_PROGRAM_KILL 133
#define IDC_PROGRAM_KILL_TEXT 1005
