// Resource ids of the two progress dialogs (dialog ids unique across the setup program; the control ids
// are the same in both dialogs).
#pragma once

#define IDD_LETTERQUARRY_SETUP 129
#define IDD_LETTERQUARRY_DELETE 130
#define IDC_PROGRESS_1001 1001
#define IDC_PROGRESS_1002 1002
#define IDC_DETAIL_LINE 1003
#define IDC_STAGE_LINE 1004
