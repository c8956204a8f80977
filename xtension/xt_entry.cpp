// ZmtLetterquarry: activation by the host, start-up, the provider and message callbacks, the menu item
// "Letterquarry", and the library's entry routine (which loads nothing: the add-in library comes with
// activation).
#include "xtension/addin_bridge.h"
#include "xtension/kit/xt_kit.h"
#include "xtension/xt_module.h"

#include <windows.h>


XtModuleState g_xt;

namespace {

void CreateMenuItem(const XtMenuCreateParams* pParams) {
    const XtMenuServices& menus = g_xt.services.menus;
    g_xt.hMenu = menus.pfnGetMenu(pParams->nMenu);
    char szText[256];
    lstrcpynA(szText, "Letterquarry", sizeof(szText));
    g_xt.nItemId = menus.pfnNewItemId();
    g_xt.isItemCreated = true;
    menus.pfnAppendItem(g_xt.hMenu, g_xt.nItemId, szText);
}

void UpdateMenuItem() {
    // Before the item exists there is nothing to enable; the host never sees a null menu.
    if (!g_xt.isItemCreated) return;
    int16_t nDocument = -1;
    g_xt.services.document.pfnCurrentDocument(&nDocument);
    if (nDocument < 0)
        g_xt.services.menus.pfnDisableItem(g_xt.hMenu, g_xt.nItemId);
    else
        g_xt.services.menus.pfnEnableItem(g_xt.hMenu, g_xt.nItemId);
}

int32_t XTCALL OnMenuCreate(int32_t, void* pParams) {
    if (pParams) CreateMenuItem(static_cast<const XtMenuCreateParams*>(pParams));
    return 0;
}

int32_t XTCALL OnMenuUpdate(int32_t, void*) {
    UpdateMenuItem();
    return 0;
}

int32_t XTCALL OnMenuChoice(int32_t, void* pParams) {
    if (pParams && g_xt.isItemCreated && static_cast<const XtMenuChoiceParams*>(pParams)->nItem == g_xt.nItemId)
        OpenAddinWindow();
    return 0;
}

// Registered so that the host counts the module among its listeners; nothing to do.
int32_t XTCALL OnNotify6(int32_t, void*) { return 0; }
int32_t XTCALL OnNotify4(int32_t, void*) { return 0; }

int32_t XTCALL OnStartup(XtHostInterface* pHost) {
    g_xt.pHost = pHost;
    if (!XtBindServiceTable(pHost, &g_xt.services)) return static_cast<int32_t>(kXtFailed);
    g_xt.isBound = true;

    if (pHost->pfnFindFacility(kXtFacilityCode, &g_xt.nFacility) != 0) return static_cast<int32_t>(kXtFailed);
    if (pHost->pfnFacilityRevision(kXtFacilityCode, &g_xt.nFacilityRevision) != 0)
        return static_cast<int32_t>(kXtFailed);
    if (pHost->pfnAttachFacility(g_xt.nFacility, &g_xt.nSession, 0, 0) != 0) return static_cast<int32_t>(kXtFailed);

    const struct {
        int32_t nMessage;
        XtMessageProc pfn;
    } kMessages[] = {{kXtMsgMenuChoice, OnMenuChoice},
                     {kXtMsgMenuUpdate, OnMenuUpdate},
                     {kXtMsgMenuCreate, OnMenuCreate},
                     {kXtMsgNotify6, OnNotify6},
                     {kXtMsgNotify4, OnNotify4}};
    for (const auto& message : kMessages)
        pHost->pfnRegisterMessage(message.nMessage, message.pfn, kXtCallbackOrder, kXtStartupRank, 0);
    return 0;
}

int32_t XTCALL OnProvide(XtHandOverProc pfnHandOver) {
    return pfnHandOver(kXtDataBlockRequest, g_xt.arrDataBlock);
}

}  // namespace

extern "C" int32_t XTCALL XTActivateCallback(XtHostInterface* pHost) {
    // The host's first call, and the first place where loading a library and showing a box are safe: in
    // the entry routine both would run under the loader lock, which Windows documents as a deadlock.
    LoadAddinLibrary();
    // Only the low byte of the confirmation counts.
    uint32_t nConfirmed = pHost->pfnConfirmHost(kXtHostSignature, 0, kXtKitRevision, kXtHostInterfaceLevel, 0);
    if ((nConfirmed & 0xFF) == 0) return static_cast<int32_t>(kXtFailed);
    pHost->pfnSetModuleRank(kXtModuleRank);
    pHost->pfnRegisterStartup(OnStartup, kXtCallbackOrder, kXtStartupRank, 0);
    pHost->pfnRegisterProvider(OnProvide, kXtCallbackOrder, kXtProviderRank, 0);
    return 0;
}

extern "C" BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID pReserved) {
    if (dwReason == DLL_PROCESS_ATTACH) {
        g_xt.hInstance = hInstance;
        DisableThreadLibraryCalls(hInstance);
    } else if (dwReason == DLL_PROCESS_DETACH && pReserved == nullptr) {
        // Only on an explicit unload: at process exit the add-in may already be gone.
        FreeAddinLibrary();
    }
    return TRUE;
}
