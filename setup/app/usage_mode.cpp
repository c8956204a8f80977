#include "setup/app/usage_mode.h"

#include "framework/winapp.h"
#include "setup/app/exit_codes.h"
#include "setup/core/texts.h"

int RunUsage() {
    AfxMessageBox(Text(TextId::Usage), MB_OK | MB_ICONINFORMATION);
    return kExitSuccess;
}
