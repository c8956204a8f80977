#include "setup/app/upgrade_mode.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/core/texts.h"

int RunUpgrade() {
    AfxMessageBox(Text(TextId::UpgradeMessage), MB_OK);
    return kExitSuccess;
}
