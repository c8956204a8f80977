#include "framework/winapp.h"
#include "setup/app/run_modes.h"
#include "setup/core/exit_codes.h"

int RunUpgrade() {
    AfxMessageBox("_DEF_PROCESS_UPGRADE", MB_OK);
    return kExitSuccess;
}
