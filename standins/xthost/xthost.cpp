// STAND-IN XTension host: a small Win32 program that plays the part of the page-layout application for
// ZmtLetterquarry.axt, for tests only. It is not the real host. It loads the module with LoadLibrary,
// serves the host side of our kit (xtension/kit/xt_kit.h), drives the module through the steps given on
// its command line, and writes every call it receives, with its arguments, in order, to a record file.
//
//   xthost.exe [options] MODULE.axt [steps...]
// Options:
//   --record=FILE      the record (default xthost.record.txt); also handed to the stand-in add-in through
//                      LQ_STANDIN_RECORD, so that the add-in's lines fall into the same record in order
//   --confirm=N        what the host confirmation returns (default 1)
//   --no-services      the host cannot give the service table
//   --fail-bind=K      the K-th binding request (from 1) fails
//   --fail-setup=K     the K-th start-up facility call (1 to 3) fails
//   --area=T,L,B,R     the visible area of a document, raw 16.16 values (decimal or 0x hex)
// Steps:
//   activate  startup  provide  menu:N  update  open  close  choose  choose:ID  notify:N  unload
//   addin-loaded (records whether ZmtAddin.dll is in the process at that moment)
//
// Record lines: "<call> <arguments> -> <result>". Pointers into the module's image are written
// "module+0x<offset>" (stable within one run), other pointers by their role. Message boxes that the
// process shows are answered with their first button by a watcher thread and recorded as
// "MessageBox caption=\"...\" text=\"...\" buttons=[OK,...]" (buttons by command identifier). The last
// lines, "final ...", describe the menus and the items left in the document.
#include "xtension/kit/xt_kit.h"

#include <windows.h>

#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

namespace {

// --- record ----------------------------------------------------------------------------------------
std::string g_strRecord = "xthost.record.txt";
CRITICAL_SECTION g_csRecord;

void Record(const char* pszFormat, ...) {
    char szLine[2048];
    va_list args;
    va_start(args, pszFormat);
    vsnprintf(szLine, sizeof(szLine), pszFormat, args);
    va_end(args);
    EnterCriticalSection(&g_csRecord);
    HANDLE h = CreateFileA(g_strRecord.c_str(), FILE_APPEND_DATA, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                           OPEN_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) {
        std::string strText = std::string(szLine) + "\r\n";
        DWORD n = 0;
        WriteFile(h, strText.data(), static_cast<DWORD>(strText.size()), &n, nullptr);
        CloseHandle(h);
    }
    LeaveCriticalSection(&g_csRecord);
}

std::string Escape(const char* psz) {
    if (!psz) return "null";
    std::string s = "\"";
    for (const char* p = psz; *p; ++p) {
        if (*p == '\n')
            s += "\\n";
        else if (*p == '\r')
            s += "\\r";
        else if (*p == '"')
            s += "\\\"";
        else
            s += *p;
    }
    return s + "\"";
}

// --- where a pointer lies --------------------------------------------------------------------------
HMODULE g_hModule = nullptr;
size_t g_nModuleSize = 0;

std::string Where(const void* p) {
    if (!p) return "null";
    UINT_PTR n = reinterpret_cast<UINT_PTR>(p), nBase = reinterpret_cast<UINT_PTR>(g_hModule);
    char sz[64];
    if (g_hModule && n >= nBase && n < nBase + g_nModuleSize)
        snprintf(sz, sizeof(sz), "module+0x%lx", static_cast<unsigned long>(n - nBase));
    else
        snprintf(sz, sizeof(sz), "outside");
    return sz;
}

std::string Hex(uint32_t n) {
    char sz[16];
    snprintf(sz, sizeof(sz), "0x%lX", static_cast<unsigned long>(n));
    return sz;
}

std::string Rect(const XtFixedRect& r) {
    return Hex(static_cast<uint32_t>(r.top)) + "," + Hex(static_cast<uint32_t>(r.left)) + "," +
           Hex(static_cast<uint32_t>(r.bottom)) + "," + Hex(static_cast<uint32_t>(r.right));
}

// --- host state ------------------------------------------------------------------------------------
struct Options {
    uint32_t nConfirm = 1;
    bool bNoServices = false;
    int nFailBind = 0;
    int nFailSetup = 0;
    XtFixedRect rctArea = {0x00480000, 0x00240000, 0x02D00000, 0x02400000};
} g_options;

struct MenuItem {
    int16_t nId;
    std::string strText;
    bool bEnabled;
};
struct MenuRec {
    int32_t nMenu;
    std::vector<MenuItem> arrItems;
};
std::map<int32_t, std::unique_ptr<MenuRec>> g_menus;
int16_t g_nNextItemId = 1;

struct BlockRec {
    int nId;
    std::vector<uint8_t> bytes;
};
std::vector<std::unique_ptr<BlockRec>> g_blocks;

struct ItemRec {
    int nId;
    XtFixedRect rct;
    BlockRec* pFileRef = nullptr;
    bool bImported = false;
    XtFixedPoint ptExtent = {0, 0};
    XtFixedPoint ptPosition = {0, 0};
    bool bMoved = false;
    std::string strPicture;
};
std::vector<std::unique_ptr<ItemRec>> g_items;  // items alive in the document
int g_nNextItem = 1, g_nNextBlock = 1;
bool g_bDocumentOpen = false;

struct Registration {
    int32_t nMessage;
    XtMessageProc pfn;
};
std::vector<Registration> g_messageProcs;
XtStartupProc g_pfnStartup = nullptr;
XtProviderProc g_pfnProvider = nullptr;
int g_nBindCalls = 0, g_nSetupCalls = 0;
XtServiceTable g_serviceTable;

std::string MenuName(XtMenu h) {
    if (!h) return "null";
    return "menu" + std::to_string(reinterpret_cast<MenuRec*>(h)->nMenu);
}
ItemRec* FindItem(XtItem h) {
    for (auto& p : g_items)
        if (reinterpret_cast<XtItem>(p.get()) == h) return p.get();
    return nullptr;
}
std::string ItemName(XtItem h) {
    ItemRec* p = FindItem(h);
    return p ? "item" + std::to_string(p->nId) : (h ? "unknown-item" : "null");
}
BlockRec* FindBlock(XtBlock h) {
    for (auto& p : g_blocks)
        if (reinterpret_cast<XtBlock>(p.get()) == h) return p.get();
    return nullptr;
}
std::string BlockName(XtBlock h) {
    BlockRec* p = FindBlock(h);
    return p ? "block" + std::to_string(p->nId) : (h ? "unknown-block" : "null");
}
MenuItem* FindMenuItem(XtMenu h, int16_t nId) {
    if (!h) return nullptr;
    for (auto& item : reinterpret_cast<MenuRec*>(h)->arrItems)
        if (item.nId == nId) return &item;
    return nullptr;
}

// --- services ---------------------------------------------------------------------------------------
XtMenu XTCALL SvcGetMenu(int32_t nMenu) {
    auto& p = g_menus[nMenu];
    if (!p) p.reset(new MenuRec{nMenu, {}});
    Record("GetMenu %d -> menu%d", nMenu, nMenu);
    return reinterpret_cast<XtMenu>(p.get());
}
int16_t XTCALL SvcNewItemId() {
    int16_t n = g_nNextItemId++;
    Record("NewItemId -> %d", n);
    return n;
}
int32_t XTCALL SvcAppendItem(XtMenu h, int16_t nItem, const char* pszText) {
    Record("AppendItem %s %d %s -> 0", MenuName(h).c_str(), nItem, Escape(pszText).c_str());
    if (h) reinterpret_cast<MenuRec*>(h)->arrItems.push_back({nItem, pszText ? pszText : "", true});
    return 0;
}
void XTCALL SvcEnableItem(XtMenu h, int16_t nItem) {
    Record("EnableItem %s %d", MenuName(h).c_str(), nItem);
    if (MenuItem* p = FindMenuItem(h, nItem)) p->bEnabled = true;
}
void XTCALL SvcDisableItem(XtMenu h, int16_t nItem) {
    Record("DisableItem %s %d", MenuName(h).c_str(), nItem);
    if (MenuItem* p = FindMenuItem(h, nItem)) p->bEnabled = false;
}
void XTCALL SvcCurrentDocument(int16_t* pnDocument) {
    int nIn = pnDocument ? *pnDocument : -99999;
    if (pnDocument && g_bDocumentOpen) *pnDocument = 0;
    Record("CurrentDocument in=%d out=%d", nIn, pnDocument ? *pnDocument : -99999);
}
void XTCALL SvcVisibleArea(XtFixedRect* pArea) {
    if (pArea && g_bDocumentOpen) *pArea = g_options.rctArea;
    Record("VisibleArea -> %s", g_bDocumentOpen ? Rect(g_options.rctArea).c_str() : "no document");
}
int32_t XTCALL SvcCreatePictureItem(const XtFixedRect* pBounds, XtItem* pItem) {
    if (!g_bDocumentOpen || !pBounds || !pItem) {
        Record("CreatePictureItem -> 1 (no document)");
        return 1;
    }
    std::unique_ptr<ItemRec> p(new ItemRec);
    p->nId = g_nNextItem++;
    p->rct = *pBounds;
    *pItem = reinterpret_cast<XtItem>(p.get());
    Record("CreatePictureItem %s -> 0 item%d", Rect(*pBounds).c_str(), p->nId);
    g_items.push_back(std::move(p));
    return 0;
}
void XTCALL SvcPictureExtent(XtItem h, XtFixedPoint* pExtent) {
    ItemRec* p = FindItem(h);
    if (p && pExtent) *pExtent = p->ptExtent;
    Record("PictureExtent %s -> %s,%s", ItemName(h).c_str(), p ? Hex(p->ptExtent.h).c_str() : "?",
           p ? Hex(p->ptExtent.v).c_str() : "?");
}
XtBlock XTCALL SvcGetFileRef(XtItem h) {
    ItemRec* p = FindItem(h);
    XtBlock hBlock = p ? reinterpret_cast<XtBlock>(p->pFileRef) : nullptr;
    Record("GetFileRef %s -> %s", ItemName(h).c_str(), BlockName(hBlock).c_str());
    return hBlock;
}
void XTCALL SvcSetFileRef(XtItem h, XtBlock hBlock) {
    Record("SetFileRef %s %s", ItemName(h).c_str(), BlockName(hBlock).c_str());
    if (ItemRec* p = FindItem(h)) p->pFileRef = FindBlock(hBlock);
}
XtBlock XTCALL SvcNewBlock(int32_t nSize) {
    std::unique_ptr<BlockRec> p(new BlockRec);
    p->nId = g_nNextBlock++;
    p->bytes.assign(nSize > 0 ? static_cast<size_t>(nSize) : 0, 0);
    Record("NewBlock %d -> block%d", nSize, p->nId);
    g_blocks.push_back(std::move(p));
    return reinterpret_cast<XtBlock>(g_blocks.back().get());
}
int32_t XTCALL SvcResizeBlock(XtBlock h, int32_t nSize) {
    BlockRec* p = FindBlock(h);
    if (p) p->bytes.resize(nSize > 0 ? static_cast<size_t>(nSize) : 0, 0);
    Record("ResizeBlock %s %d -> %d", BlockName(h).c_str(), nSize, p ? 0 : 1);
    return p ? 0 : 1;
}
uint8_t* XTCALL SvcBlockData(XtBlock h) {
    BlockRec* p = FindBlock(h);
    Record("BlockData %s", BlockName(h).c_str());
    return p ? p->bytes.data() : nullptr;
}

// Bounding box of an EPS file in points; a picture without one is taken as one inch square.
XtFixedPoint PictureExtentOf(const std::string& strBytes) {
    XtFixedPoint pt = {72 * kXtOneUnit, 72 * kXtOneUnit};
    size_t nPos = strBytes.find("%%BoundingBox:");
    if (nPos != std::string::npos) {
        int llx = 0, lly = 0, urx = 0, ury = 0;
        if (sscanf(strBytes.c_str() + nPos, "%%%%BoundingBox: %d %d %d %d", &llx, &lly, &urx, &ury) == 4) {
            pt.h = (urx - llx) * kXtOneUnit;
            pt.v = (ury - lly) * kXtOneUnit;
        }
    }
    return pt;
}

// Imports the file the item's reference names: fails for a file that cannot be read or is empty.
int32_t XTCALL SvcImportPicture(XtItem h) {
    ItemRec* p = FindItem(h);
    if (!p || !p->pFileRef) {
        Record("ImportPicture %s -> 1 (no file reference)", ItemName(h).c_str());
        return 1;
    }
    const std::vector<uint8_t>& bytes = p->pFileRef->bytes;
    bool bZeroHead = true;
    for (size_t i = 0; i < kXtFileRefPathOffset && i < bytes.size(); ++i) bZeroHead = bZeroHead && bytes[i] == 0;
    std::string strPath;
    if (bytes.size() > kXtFileRefPathOffset)
        strPath.assign(reinterpret_cast<const char*>(bytes.data()) + kXtFileRefPathOffset,
                       strnlen(reinterpret_cast<const char*>(bytes.data()) + kXtFileRefPathOffset,
                               bytes.size() - kXtFileRefPathOffset));
    std::string strContent;
    HANDLE hFile = CreateFileA(strPath.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    if (hFile != INVALID_HANDLE_VALUE) {
        char buf[4096];
        DWORD n = 0;
        while (ReadFile(hFile, buf, sizeof(buf), &n, nullptr) && n > 0) strContent.append(buf, n);
        CloseHandle(hFile);
    }
    int32_t nResult = (hFile == INVALID_HANDLE_VALUE || strContent.empty()) ? 1 : 0;
    if (nResult == 0) {
        p->bImported = true;
        p->strPicture = strPath;
        p->ptExtent = PictureExtentOf(strContent);
    }
    Record("ImportPicture %s ref=%s size=%u head=%s path@38=%s -> %d", ItemName(h).c_str(),
           BlockName(reinterpret_cast<XtBlock>(p->pFileRef)).c_str(), static_cast<unsigned>(bytes.size()),
           bZeroHead ? "zero" : "nonzero", Escape(strPath.c_str()).c_str(), nResult);
    return nResult;
}
void XTCALL SvcDeleteItem(XtItem h) {
    Record("DeleteItem %s", ItemName(h).c_str());
    for (size_t i = 0; i < g_items.size(); ++i)
        if (reinterpret_cast<XtItem>(g_items[i].get()) == h) {
            g_items.erase(g_items.begin() + static_cast<long>(i));
            break;
        }
}
void XTCALL SvcRedraw() { Record("Redraw"); }
void XTCALL SvcMoveItem(XtItem h, XtFixed nH, XtFixed nV) {
    Record("MoveItem %s %s,%s", ItemName(h).c_str(), Hex(static_cast<uint32_t>(nH)).c_str(),
           Hex(static_cast<uint32_t>(nV)).c_str());
    if (ItemRec* p = FindItem(h)) {
        p->ptPosition = {nH, nV};
        p->bMoved = true;
    }
}

template <typename Fn>
XtServiceEntry Entry(Fn pfn) {
    return reinterpret_cast<XtServiceEntry>(reinterpret_cast<void*>(pfn));
}

const std::map<uint32_t, XtServiceEntry>& ServiceMap() {
    static const std::map<uint32_t, XtServiceEntry> services = {
        {kXtSvcGetMenu, Entry(SvcGetMenu)},
        {kXtSvcNewItemId, Entry(SvcNewItemId)},
        {kXtSvcAppendItem, Entry(SvcAppendItem)},
        {kXtSvcEnableItem, Entry(SvcEnableItem)},
        {kXtSvcDisableItem, Entry(SvcDisableItem)},
        {kXtSvcCurrentDocument, Entry(SvcCurrentDocument)},
        {kXtSvcVisibleArea, Entry(SvcVisibleArea)},
        {kXtSvcCreatePictureItem, Entry(SvcCreatePictureItem)},
        {kXtSvcPictureExtent, Entry(SvcPictureExtent)},
        {kXtSvcGetFileRef, Entry(SvcGetFileRef)},
        {kXtSvcSetFileRef, Entry(SvcSetFileRef)},
        {kXtSvcNewBlock, Entry(SvcNewBlock)},
        {kXtSvcResizeBlock, Entry(SvcResizeBlock)},
        {kXtSvcBlockData, Entry(SvcBlockData)},
        {kXtSvcImportPicture, Entry(SvcImportPicture)},
        {kXtSvcDeleteItem, Entry(SvcDeleteItem)},
        {kXtSvcRedraw, Entry(SvcRedraw)},
        {kXtSvcMoveItem, Entry(SvcMoveItem)},
    };
    return services;
}

// Entry 4 of the service table: fills the module's table slot by slot; an unknown service fails.
int32_t XTCALL HostBind(uint32_t nRequest, void* pModuleTable, const uint32_t* pWords, int32_t nWords) {
    ++g_nBindCalls;
    std::string strWords;
    for (int32_t i = 0; pWords && i < nWords; ++i) strWords += (i ? " " : "") + Hex(pWords[i]);
    int32_t nResult = 0;
    if (g_options.nFailBind == g_nBindCalls) nResult = 1;
    if (!pWords || nWords < 1 || pWords[0] != kXtGroupHeader || !pModuleTable) nResult = 2;
    XtServiceEntry* pSlots = static_cast<XtServiceEntry*>(pModuleTable);
    for (int32_t i = 1; nResult == 0 && i < nWords; ++i) {
        auto it = ServiceMap().find(pWords[i]);
        if (it == ServiceMap().end())
            nResult = 3;
        else
            pSlots[i - 1] = it->second;
    }
    Record("Bind %s %s [%s] %d -> %d", Hex(nRequest).c_str(), Where(pModuleTable).c_str(), strWords.c_str(), nWords,
           nResult);
    return nResult;
}

// --- the host interface record -----------------------------------------------------------------------
uint32_t XTCALL HostConfirm(uint32_t a, uint32_t b, uint32_t c, uint32_t d, uint32_t e) {
    Record("ConfirmHost %s %u %u %s %u -> %s", Hex(a).c_str(), b, c, Hex(d).c_str(), e, Hex(g_options.nConfirm).c_str());
    return g_options.nConfirm;
}
void XTCALL HostSetModuleRank(int32_t n) { Record("SetModuleRank %d", n); }
void XTCALL HostRegisterStartup(XtStartupProc pfn, int32_t a, int32_t b, int32_t c) {
    Record("RegisterStartup %s %d %d %d", Where(reinterpret_cast<void*>(pfn)).c_str(), a, b, c);
    g_pfnStartup = pfn;
}
void XTCALL HostRegisterProvider(XtProviderProc pfn, int32_t a, int32_t b, int32_t c) {
    Record("RegisterProvider %s %d %d %d", Where(reinterpret_cast<void*>(pfn)).c_str(), a, b, c);
    g_pfnProvider = pfn;
}
int32_t XTCALL HostRegisterMessage(int32_t nMessage, XtMessageProc pfn, int32_t a, int32_t b, int32_t c) {
    Record("RegisterMessage %d %s %d %d %d -> 0", nMessage, Where(reinterpret_cast<void*>(pfn)).c_str(), a, b, c);
    g_messageProcs.push_back({nMessage, pfn});
    return 0;
}
XtServiceTable* XTCALL HostOpenServices(uint32_t a, uint32_t b, uint32_t c) {
    Record("OpenServices %u %u %s -> %s", a, b, Hex(c).c_str(), g_options.bNoServices ? "null" : "table");
    return g_options.bNoServices ? nullptr : &g_serviceTable;
}
int32_t SetupResult() { return ++g_nSetupCalls == g_options.nFailSetup ? 1 : 0; }
int32_t XTCALL HostFindFacility(uint32_t nCode, int32_t* pn) {
    int32_t r = SetupResult();
    if (pn) *pn = 7;
    Record("FindFacility %s %s -> %d (7)", Hex(nCode).c_str(), Where(pn).c_str(), r);
    return r;
}
int32_t XTCALL HostFacilityRevision(uint32_t nCode, int32_t* pn) {
    int32_t r = SetupResult();
    if (pn) *pn = 3;
    Record("FacilityRevision %s %s -> %d (3)", Hex(nCode).c_str(), Where(pn).c_str(), r);
    return r;
}
int32_t XTCALL HostAttachFacility(int32_t nFacility, int32_t* pn, int32_t a, int32_t b) {
    int32_t r = SetupResult();
    if (pn) *pn = 1;
    Record("AttachFacility %d %s %d %d -> %d (1)", nFacility, Where(pn).c_str(), a, b, r);
    return r;
}

XtHostInterface g_host = {HostConfirm,      HostSetModuleRank,    HostRegisterStartup, HostRegisterProvider,
                          HostRegisterMessage, HostOpenServices,  HostFindFacility,    HostFacilityRevision,
                          HostAttachFacility};

int32_t XTCALL HostHandOver(int32_t nRequest, void* pData) {
    bool bZero = true;
    for (size_t i = 0; pData && i < 16; ++i) bZero = bZero && static_cast<uint8_t*>(pData)[i] == 0;
    Record("HandOver %d %s %s -> 0", nRequest, Where(pData).c_str(), bZero ? "zero" : "nonzero");
    return 0;
}

// --- message boxes -------------------------------------------------------------------------------------
volatile LONG g_bWatching = 1;
HANDLE g_hWatcherReady = nullptr;

// Buttons by their command identifier, which does not depend on the system's language.
std::string ButtonName(int nId) {
    switch (nId) {
    case IDOK: return "OK";
    case IDCANCEL: return "Cancel";
    case IDABORT: return "Abort";
    case IDRETRY: return "Retry";
    case IDIGNORE: return "Ignore";
    case IDYES: return "Yes";
    case IDNO: return "No";
    default: return "id" + std::to_string(nId);
    }
}

BOOL CALLBACK CollectButton(HWND hChild, LPARAM lParam) {
    char szClass[32] = {0};
    GetClassNameA(hChild, szClass, sizeof(szClass));
    if (lstrcmpiA(szClass, "Button") == 0) {
        auto* pButtons = reinterpret_cast<std::vector<std::pair<std::string, HWND>>*>(lParam);
        pButtons->push_back({ButtonName(GetDlgCtrlID(hChild)), hChild});
    }
    return TRUE;
}

BOOL CALLBACK AnswerBox(HWND hWnd, LPARAM lParam) {
    auto* pSeen = reinterpret_cast<std::set<HWND>*>(lParam);
    DWORD dwPid = 0;
    GetWindowThreadProcessId(hWnd, &dwPid);
    char szClass[32] = {0};
    GetClassNameA(hWnd, szClass, sizeof(szClass));
    if (dwPid != GetCurrentProcessId() || lstrcmpA(szClass, "#32770") != 0 || !IsWindowVisible(hWnd) ||
        pSeen->count(hWnd))
        return TRUE;
    pSeen->insert(hWnd);
    char szCaption[256] = {0}, szText[1024] = {0};
    GetWindowTextA(hWnd, szCaption, sizeof(szCaption));
    GetDlgItemTextA(hWnd, 0xFFFF, szText, sizeof(szText));
    std::vector<std::pair<std::string, HWND>> arrButtons;
    EnumChildWindows(hWnd, CollectButton, reinterpret_cast<LPARAM>(&arrButtons));
    std::string strButtons;
    for (auto& b : arrButtons) strButtons += (strButtons.empty() ? "" : ",") + b.first;
    Record("MessageBox caption=%s text=%s buttons=[%s]", Escape(szCaption).c_str(), Escape(szText).c_str(),
           strButtons.c_str());
    if (!arrButtons.empty()) PostMessageA(arrButtons[0].second, BM_CLICK, 0, 0);
    return TRUE;
}

DWORD WINAPI WatchMessageBoxes(LPVOID) {
    std::set<HWND> seen;
    // One pass over every call the watcher makes, before the module loads, so that nothing the watcher
    // needs is loaded lazily while the module's entry routine holds the loader lock.
    char szWarm[64] = {0};
    GetWindowTextA(GetDesktopWindow(), szWarm, sizeof(szWarm));
    GetDlgItemTextA(GetDesktopWindow(), 0xFFFF, szWarm, sizeof(szWarm));
    std::vector<std::pair<std::string, HWND>> arrWarm;
    EnumChildWindows(GetDesktopWindow(), CollectButton, reinterpret_cast<LPARAM>(&arrWarm));
    SetEvent(g_hWatcherReady);
    while (g_bWatching) {
        EnumWindows(AnswerBox, reinterpret_cast<LPARAM>(&seen));
        for (auto it = seen.begin(); it != seen.end();) it = IsWindow(*it) ? std::next(it) : seen.erase(it);
        Sleep(20);
    }
    return 0;
}

// --- steps -----------------------------------------------------------------------------------------
void SendMessageToModule(int32_t nMessage, void* pParams, const std::string& strArgs) {
    Record("message %d%s", nMessage, strArgs.c_str());
    bool bAny = false;
    for (const Registration& reg : g_messageProcs) {
        if (reg.nMessage != nMessage) continue;
        bAny = true;
        int32_t r = reg.pfn(nMessage, pParams);
        Record("message %d -> %s", nMessage, Hex(static_cast<uint32_t>(r)).c_str());
    }
    if (!bAny) Record("message %d not registered", nMessage);
}

bool RunStep(const std::string& strStep) {
    Record("step %s", strStep.c_str());
    if (strStep == "activate") {
        typedef int32_t(XTCALL * ActivateProc)(XtHostInterface*);
        ActivateProc pfn = reinterpret_cast<ActivateProc>(
            reinterpret_cast<void*>(GetProcAddress(g_hModule, "XTActivateCallback")));
        if (!pfn) {
            Record("XTActivateCallback missing");
            return false;
        }
        Record("XTActivateCallback -> %s", Hex(static_cast<uint32_t>(pfn(&g_host))).c_str());
    } else if (strStep == "startup") {
        if (!g_pfnStartup)
            Record("startup not registered");
        else
            Record("startup -> %s", Hex(static_cast<uint32_t>(g_pfnStartup(&g_host))).c_str());
    } else if (strStep == "provide") {
        if (!g_pfnProvider)
            Record("provider not registered");
        else
            Record("provider -> %s", Hex(static_cast<uint32_t>(g_pfnProvider(HostHandOver))).c_str());
    } else if (strStep.compare(0, 5, "menu:") == 0) {
        XtMenuCreateParams params = {atoi(strStep.c_str() + 5)};
        SendMessageToModule(kXtMsgMenuCreate, &params, " menu=" + std::to_string(params.nMenu));
    } else if (strStep == "update") {
        SendMessageToModule(kXtMsgMenuUpdate, nullptr, "");
    } else if (strStep == "open") {
        g_bDocumentOpen = true;
    } else if (strStep == "close") {
        g_bDocumentOpen = false;
        g_items.clear();
    } else if (strStep == "choose" || strStep.compare(0, 7, "choose:") == 0) {
        // "choose" picks the last item a module appended.
        XtMenuChoiceParams params = {0, static_cast<int16_t>(g_nNextItemId - 1)};
        if (strStep.size() > 7) params.nItem = static_cast<int16_t>(atoi(strStep.c_str() + 7));
        for (auto& m : g_menus)
            for (auto& item : m.second->arrItems)
                if (item.nId == params.nItem) params.nMenu = m.first;
        SendMessageToModule(kXtMsgMenuChoice, &params, " item=" + std::to_string(params.nItem));
    } else if (strStep.compare(0, 7, "notify:") == 0) {
        SendMessageToModule(atoi(strStep.c_str() + 7), nullptr, "");
    } else if (strStep == "addin-loaded") {
        Record("ZmtAddin.dll %s", GetModuleHandleA("ZmtAddin.dll") ? "loaded" : "not loaded");
    } else if (strStep == "unload") {
        Record("FreeLibrary -> %d", FreeLibrary(g_hModule) ? 1 : 0);
        Record("ZmtAddin.dll %s", GetModuleHandleA("ZmtAddin.dll") ? "still loaded" : "not loaded");
        g_hModule = nullptr;
        g_messageProcs.clear();
        g_pfnStartup = nullptr;
        g_pfnProvider = nullptr;
    } else {
        Record("unknown step");
        return false;
    }
    return true;
}

void RecordFinalState() {
    for (auto& m : g_menus)
        for (auto& item : m.second->arrItems)
            Record("final menu%d item %d %s %s", m.first, item.nId, Escape(item.strText.c_str()).c_str(),
                   item.bEnabled ? "enabled" : "disabled");
    for (auto& p : g_items)
        Record("final item%d bounds=%s picture=%s %s position=%s,%s", p->nId, Rect(p->rct).c_str(),
               Escape(p->strPicture.c_str()).c_str(), p->bImported ? "imported" : "empty",
               p->bMoved ? Hex(p->ptPosition.h).c_str() : "-", p->bMoved ? Hex(p->ptPosition.v).c_str() : "-");
    Record("final items %u", static_cast<unsigned>(g_items.size()));
}

XtFixed ParseNumber(const std::string& s) { return static_cast<XtFixed>(strtoul(s.c_str(), nullptr, 0)); }

}  // namespace

int main(int argc, char** argv) {
    InitializeCriticalSection(&g_csRecord);
    std::string strModule;
    std::vector<std::string> arrSteps;
    for (int i = 1; i < argc; ++i) {
        std::string s = argv[i];
        if (s.compare(0, 9, "--record=") == 0)
            g_strRecord = s.substr(9);
        else if (s.compare(0, 10, "--confirm=") == 0)
            g_options.nConfirm = static_cast<uint32_t>(strtoul(s.c_str() + 10, nullptr, 0));
        else if (s == "--no-services")
            g_options.bNoServices = true;
        else if (s.compare(0, 12, "--fail-bind=") == 0)
            g_options.nFailBind = atoi(s.c_str() + 12);
        else if (s.compare(0, 13, "--fail-setup=") == 0)
            g_options.nFailSetup = atoi(s.c_str() + 13);
        else if (s.compare(0, 7, "--area=") == 0) {
            std::vector<std::string> parts;
            size_t nPos = 7;
            while (nPos <= s.size()) {
                size_t nComma = s.find(',', nPos);
                if (nComma == std::string::npos) nComma = s.size();
                parts.push_back(s.substr(nPos, nComma - nPos));
                nPos = nComma + 1;
            }
            if (parts.size() == 4)
                g_options.rctArea = {ParseNumber(parts[0]), ParseNumber(parts[1]), ParseNumber(parts[2]),
                                     ParseNumber(parts[3])};
        } else if (strModule.empty())
            strModule = s;
        else
            arrSteps.push_back(s);
    }
    if (strModule.empty()) {
        fprintf(stderr, "usage: xthost [options] MODULE.axt [steps...]\n");
        return 2;
    }
    SetEnvironmentVariableA("LQ_STANDIN_RECORD", g_strRecord.c_str());
    for (auto& entry : g_serviceTable.arrEntries) entry = nullptr;
    g_serviceTable.arrEntries[kXtServiceBindEntry] = Entry(HostBind);

    // The watcher runs before the module loads: the module may show a box from its entry routine, while
    // the loader lock is held, and the watcher must then need nothing that takes that lock.
    g_hWatcherReady = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE hWatcher = CreateThread(nullptr, 0, WatchMessageBoxes, nullptr, 0, nullptr);
    WaitForSingleObject(g_hWatcherReady, 30000);

    g_hModule = LoadLibraryA(strModule.c_str());
    if (!g_hModule) {
        Record("load %s -> error %lu", Escape(strModule.c_str()).c_str(), GetLastError());
        return 3;
    }
    const BYTE* pBase = reinterpret_cast<const BYTE*>(g_hModule);
    const IMAGE_NT_HEADERS* pNt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(pBase + reinterpret_cast<const IMAGE_DOS_HEADER*>(pBase)->e_lfanew);
    g_nModuleSize = pNt->OptionalHeader.SizeOfImage;
    Record("load %s -> ok", Escape(strModule.c_str()).c_str());

    for (const std::string& strStep : arrSteps)
        if (!RunStep(strStep)) break;
    RecordFinalState();

    InterlockedExchange(&g_bWatching, 0);
    WaitForSingleObject(hWatcher, 5000);
    CloseHandle(hWatcher);
    Record("end");
    return 0;
}
