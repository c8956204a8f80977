// Our own minimal extension kit for the page-layout host that loads ZmtLetterquarry.axt: the host
// interface record handed over at activation, the service table and its binding entry, the service groups
// the module binds, the callback kinds, the message numbers and the result codes. It holds only what this
// module uses. The host side (the stand-in host program) implements it from the same header.
//
// Conventions of the kit:
//  - Every host operation, service and module callback uses the C calling convention (XTCALL).
//  - Coordinates are 16.16 fixed-point values (XtFixed); one unit is 0x10000.
//  - A service returning int32_t reports 0 for success; anything else is a failure.
#pragma once

#include <cstddef>
#include <cstdint>

#if defined(_WIN32)
#define XTCALL __cdecl
#else
#define XTCALL
#endif

// --- codes -----------------------------------------------------------------------------------------
constexpr uint32_t kXtHostSignature = 0x41424A39;      // first argument of the host confirmation
constexpr uint32_t kXtKitRevision = 11;                // kit revision the module was built with
constexpr uint32_t kXtHostInterfaceLevel = 0x80480014; // interface level asked of the host at activation
constexpr uint32_t kXtServiceTableEntries = 176;       // entries of the service table the kit expects
constexpr uint32_t kXtServiceLevel = 0x80480000;       // service level asked of the host when binding
constexpr uint32_t kXtFacilityCode = 0x46525051;       // facility the module attaches to at start-up
constexpr uint32_t kXtGroupHeader = 0x46470000;        // first word of every binding request's word block
constexpr uint32_t kXtFailed = 0x51000401;             // result of a failed activation or start-up
constexpr uint32_t kXtOk = 0;

constexpr int32_t kXtModuleRank = 200;        // rank the module asks for at activation
constexpr int32_t kXtCallbackOrder = 5;       // order argument of every callback registration
constexpr int32_t kXtStartupRank = 200;       // rank of the start-up and message callbacks
constexpr int32_t kXtProviderRank = 300;      // rank of the data provider callback
constexpr int32_t kXtDataBlockRequest = 1;    // what the provider hands over: the module's data block

// Messages the module registers for.
constexpr int32_t kXtMsgMenuChoice = 618;  // XtMenuChoiceParams: an item was chosen
constexpr int32_t kXtMsgMenuUpdate = 8;    // no parameters: menus are about to be shown
constexpr int32_t kXtMsgMenuCreate = 7;    // XtMenuCreateParams: build the module's menu items
constexpr int32_t kXtMsgNotify6 = 6;       // notifications the module listens to without acting on them
constexpr int32_t kXtMsgNotify4 = 4;

constexpr int32_t kXtServiceBindEntry = 4;   // index of the binding entry in the service table

// --- plain types -----------------------------------------------------------------------------------
typedef int32_t XtFixed;
constexpr XtFixed kXtOneUnit = 0x10000;

struct XtFixedRect {
    XtFixed top;
    XtFixed left;
    XtFixed bottom;
    XtFixed right;
};

struct XtFixedPoint {
    XtFixed h;  // horizontal extent or position
    XtFixed v;  // vertical extent or position
};

// Handles the host gives out; the module never looks inside them.
struct XtMenuRec;
typedef XtMenuRec* XtMenu;
struct XtItemRec;
typedef XtItemRec* XtItem;
struct XtBlockRec;
typedef XtBlockRec* XtBlock;

struct XtMenuCreateParams {
    int32_t nMenu;  // which of the host's menus is being built
};

struct XtMenuChoiceParams {
    int32_t nMenu;
    int16_t nItem;  // identifier of the chosen item
};

// --- module callbacks ------------------------------------------------------------------------------
struct XtHostInterface;
typedef int32_t(XTCALL* XtStartupProc)(XtHostInterface* pHost);
// The host hands the provider an operation to call with what the module provides.
typedef int32_t(XTCALL* XtHandOverProc)(int32_t nRequest, void* pData);
typedef int32_t(XTCALL* XtProviderProc)(XtHandOverProc pfnHandOver);
// pParams points to the message's parameter record, or is null for messages without one.
typedef int32_t(XTCALL* XtMessageProc)(int32_t nMessage, void* pParams);

// --- the service table -----------------------------------------------------------------------------
typedef void(XTCALL* XtServiceEntry)();
// Entry kXtServiceBindEntry: fills the module's table pModuleTable, slot by slot, with the host services
// whose numbers follow the header word in pWords (nWords words, header included). 0 = bound.
typedef int32_t(XTCALL* XtBindProc)(uint32_t nRequest, void* pModuleTable, const uint32_t* pWords, int32_t nWords);

struct XtServiceTable {
    XtServiceEntry arrEntries[kXtServiceTableEntries];
};

// --- the host interface record: handed to XTActivateCallback and again to the start-up callback ------
struct XtHostInterface {
    // True (low byte non-zero) when the host can serve a module of this kit.
    uint32_t(XTCALL* pfnConfirmHost)(uint32_t nSignature, uint32_t nReserved, uint32_t nKitRevision,
                                     uint32_t nInterfaceLevel, uint32_t nFlags);
    void(XTCALL* pfnSetModuleRank)(int32_t nRank);
    void(XTCALL* pfnRegisterStartup)(XtStartupProc pfn, int32_t nOrder, int32_t nRank, int32_t nFlags);
    void(XTCALL* pfnRegisterProvider)(XtProviderProc pfn, int32_t nOrder, int32_t nRank, int32_t nFlags);
    int32_t(XTCALL* pfnRegisterMessage)(int32_t nMessage, XtMessageProc pfn, int32_t nOrder, int32_t nRank,
                                        int32_t nFlags);
    // The service table at the requested level, or null when the host cannot give it.
    XtServiceTable*(XTCALL* pfnOpenServices)(uint32_t nKitRevision, uint32_t nEntries, uint32_t nServiceLevel);
    // Start-up: find a facility by code, ask its revision, attach to it. Each returns 0 on success.
    int32_t(XTCALL* pfnFindFacility)(uint32_t nCode, int32_t* pnFacility);
    int32_t(XTCALL* pfnFacilityRevision)(uint32_t nCode, int32_t* pnRevision);
    int32_t(XTCALL* pfnAttachFacility)(int32_t nFacility, int32_t* pnSession, int32_t nReserved1,
                                       int32_t nReserved2);
};

// --- service groups: each is a table of the module that one binding request fills ------------------
struct XtMenuServices {
    XtMenu(XTCALL* pfnGetMenu)(int32_t nMenu);
    int16_t(XTCALL* pfnNewItemId)();
    int32_t(XTCALL* pfnAppendItem)(XtMenu hMenu, int16_t nItem, const char* pszText);
    void(XTCALL* pfnEnableItem)(XtMenu hMenu, int16_t nItem);
    void(XTCALL* pfnDisableItem)(XtMenu hMenu, int16_t nItem);
};

struct XtDocumentServices {
    // Writes the current document's number into *pnDocument; leaves it alone when there is none.
    void(XTCALL* pfnCurrentDocument)(int16_t* pnDocument);
    void(XTCALL* pfnVisibleArea)(XtFixedRect* pArea);
};

struct XtPictureItemServices {
    int32_t(XTCALL* pfnCreatePictureItem)(const XtFixedRect* pBounds, XtItem* pItem);
    // Extent (width h, height v) of the picture the item holds.
    void(XTCALL* pfnPictureExtent)(XtItem hItem, XtFixedPoint* pExtent);
};

// A file reference block: the file's path as a zero-terminated text at byte kXtFileRefPathOffset; the
// block is kXtFileRefOverhead bytes longer than the path.
constexpr size_t kXtFileRefPathOffset = 38;
constexpr size_t kXtFileRefOverhead = 41;

struct XtFileRefServices {
    XtBlock(XTCALL* pfnGetFileRef)(XtItem hItem);  // null when the item has none
    void(XTCALL* pfnSetFileRef)(XtItem hItem, XtBlock hBlock);
};

struct XtBlockServices {
    XtBlock(XTCALL* pfnNewBlock)(int32_t nSize);  // zero-filled; null when out of memory
    int32_t(XTCALL* pfnResizeBlock)(XtBlock hBlock, int32_t nSize);
    uint8_t*(XTCALL* pfnBlockData)(XtBlock hBlock);
};

struct XtImportServices {
    int32_t(XTCALL* pfnImportPicture)(XtItem hItem);  // imports the item's file reference
};

struct XtRemovalServices {
    void(XTCALL* pfnDeleteItem)(XtItem hItem);
};

struct XtRedrawServices {
    void(XTCALL* pfnRedraw)();
};

// Positions are measured from the top-left corner of the visible area.
struct XtMoveServices {
    void(XTCALL* pfnMoveItem)(XtItem hItem, XtFixed h, XtFixed v);
};

// Every table the module binds; filled by XtBindServiceTable.
struct XtServices {
    XtMenuServices menus;
    XtDocumentServices document;
    XtPictureItemServices pictureItems;
    XtFileRefServices fileRefs;
    XtBlockServices blocks;
    XtImportServices import;
    XtRemovalServices removal;
    XtRedrawServices redraw;
    XtMoveServices move;
};

// Service numbers, as the host knows its services.
enum XtServiceNumber : uint32_t {
    kXtSvcGetMenu = 0x0101, kXtSvcNewItemId = 0x0102, kXtSvcAppendItem = 0x0103,
    kXtSvcEnableItem = 0x0104, kXtSvcDisableItem = 0x0105,
    kXtSvcCurrentDocument = 0x0201, kXtSvcVisibleArea = 0x0202,
    kXtSvcCreatePictureItem = 0x0301, kXtSvcPictureExtent = 0x0302,
    kXtSvcGetFileRef = 0x0401, kXtSvcSetFileRef = 0x0402,
    kXtSvcNewBlock = 0x0501, kXtSvcResizeBlock = 0x0502, kXtSvcBlockData = 0x0503,
    kXtSvcImportPicture = 0x0601,
    kXtSvcDeleteItem = 0x0701,
    kXtSvcRedraw = 0x0801,
    kXtSvcMoveItem = 0x0901,
};

// One binding request: the group's request code, its service numbers in table order, and where in
// XtServices its table lies.
constexpr size_t kXtMaxGroupServices = 8;
struct XtServiceGroup {
    const char* pszName;
    uint32_t nRequest;
    size_t nOffset;  // of the group's table within XtServices
    size_t nServices;
    uint32_t arrServices[kXtMaxGroupServices];
};

// The groups in binding order.
extern const XtServiceGroup kXtServiceGroups[];
extern const size_t kXtServiceGroupCount;

// Binds the service table: asks the host for it at the kit's level, then makes one binding request per
// group in kXtServiceGroups order and then all of them a second time in the same order. Returns true
// when the table was given and every request returned 0; stops at the first failure.
bool XtBindServiceTable(const XtHostInterface* pHost, XtServices* pServices);
