#include "setup/core/install_context.h"

void HostRecord::Release() {
    arrFolders.clear();
    arrFiles.clear();
    strSourceFolder.clear();
}

void InstallContext::Release() {
    arrUninstallItems.clear();
    for (int i = kHostCount - 1; i >= 0; --i) arrHosts[i].Release();
}
