#include "setup/app/exit_codes.h"
#include "setup/app/run_modes.h"

#include "framework/winapp.h"

int RunUpgrade() {
    AfxGetApp()->DoMessageBox("_DEF_PROCESS_UPGRADE", MB_OK);
    return kExitSuccess;
}
