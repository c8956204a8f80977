// Resource ids of the running-program guard's dialog (unique across the setup program).
#pragma once

#define IDD_PROGRAM_KILL 133
#define IDC_PROGRAM_KILL_TEXT 1005
