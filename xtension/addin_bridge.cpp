#include "xtension/addin_bridge.h"

#include "xtension/picture_placement.h"
#include "xtension/xt_module.h"

#include <windows.h>

#include <cstdint>
#include <cstdio>

namespace {

const char kAddinLibrary[] = "c:\\ZmtPlugin\\bin\\ZmtAddin.dll";

typedef void(__stdcall* RetDataProc)(const char* pszRetData);
typedef int(__stdcall* ShowProc)(int nMode);
typedef int(__stdcall* SetZmtOutputTypeProc)(int nType);
typedef int(__stdcall* SetCallProc)(int nSlot, RetDataProc pfnCallback);

// The three callbacks behave alike; the slot they are handed over in tells the add-in what they take.
void __stdcall OnArtChosen(const char* pszRetData) { PlaceRetData(pszRetData); }
void __stdcall OnShortTextChosen(const char* pszRetData) { PlaceRetData(pszRetData); }
void __stdcall OnFontChosen(const char* pszRetData) { PlaceRetData(pszRetData); }

bool IsLoaded(HMODULE hLib) { return reinterpret_cast<uintptr_t>(hLib) > 32; }

// GetProcAddress gives a function of no arguments; the export's real type is the caller's to know.
template <typename Proc>
Proc ProcAddress(HMODULE hLib, const char* pszName) {
    return reinterpret_cast<Proc>(reinterpret_cast<void*>(GetProcAddress(hLib, pszName)));
}

}  // namespace

void LoadAddinLibrary() {
    if (g_xt.isAddinLoadTried) return;
    g_xt.isAddinLoadTried = true;
    g_xt.hAddin = LoadLibraryA(kAddinLibrary);
    if (!g_xt.hAddin) {
        char szMessage[100];
        snprintf(szMessage, sizeof(szMessage), "LoadLibrary() Failed with: %i\n", static_cast<int>(GetLastError()));
        MessageBoxA(nullptr, szMessage, "Error", MB_OK);
    }
}

void FreeAddinLibrary() {
    if (IsLoaded(g_xt.hAddin)) FreeLibrary(g_xt.hAddin);
    g_xt.hAddin = nullptr;
}

void OpenAddinWindow() {
    // Without the library, GetProcAddress(null, ...) would search the host program itself.
    if (!IsLoaded(g_xt.hAddin)) return;
    ShowProc pfnShow = ProcAddress<ShowProc>(g_xt.hAddin, "Show");
    SetZmtOutputTypeProc pfnSetZmtOutputType = ProcAddress<SetZmtOutputTypeProc>(g_xt.hAddin, "SetZmtOutputType");
    SetCallProc pfnSetCall = ProcAddress<SetCallProc>(g_xt.hAddin, "SetCall");
    if (!pfnShow || !pfnSetZmtOutputType || !pfnSetCall) return;

    pfnShow(1);
    pfnSetZmtOutputType(1);
    pfnSetCall(1, OnArtChosen);
    pfnSetCall(2, OnShortTextChosen);
    pfnSetCall(3, OnFontChosen);
}
