// Resource ids of the main install dialog, its product picture and the application icon (unique across
// the setup program).
#pragma once

#define IDD_ZMTUPGRADE_DIALOG 102
#define IDR_MAINFRAME 128
#define IDB_PRODUCT_PANEL 132
#define IDC_HOST_LIST 1000
#define IDC_BANNER 1003
#define IDC_HINT 1004
#define IDC_PROMPT 1005
#define IDC_PRODUCT_PICTURE 1006
