// State of the loaded XTension, one copy per loaded module, and the pieces that share it.
#pragma once

#include "xtension/kit/xt_kit.h"

#include <windows.h>

#include <cstdint>

struct XtModuleState {
    HINSTANCE hInstance = nullptr;
    XtHostInterface* pHost = nullptr;  // kept from start-up for every later host call
    XtServices services = {};          // valid once start-up has bound them
    bool isBound = false;
    XtMenu hMenu = nullptr;  // the menu the item was appended to
    int16_t nItemId = 0;     // host-assigned; meaningful once isItemCreated
    bool isItemCreated = false;
    int32_t nFacility = 0;   // results of the start-up calls
    int32_t nFacilityRevision = 0;
    int32_t nSession = 0;
    uint8_t arrDataBlock[64] = {};  // handed to the host on request; zero and never written
    HMODULE hAddin = nullptr;       // the add-in library; null when it did not load or was not tried yet
    bool isAddinLoadTried = false;  // set by the first activation, whatever the load gave
};

extern XtModuleState g_xt;
