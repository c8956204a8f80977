// Resource ids of the two message dialogs (unique across the setup program).
#pragma once

#define IDD_MESSAGE_BOX 131
#define IDD_DELETE_MESSAGE_BOX 132
#define IDC_MESSAGE_TEXT 1005
#define IDC_MESSAGE_RESTART 3
