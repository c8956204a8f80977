// Stand-in placeholder for a runtime library the setup program only copies: NOT the real library. A valid
// 32-bit DLL that exports nothing and does nothing, so that a program loader that meets a file of this
// name beside the setup program finds a proper image rather than text.
#include <windows.h>

extern "C" const char g_szLetterquarryPlaceholder[] =
    "Letterquarry stand-in placeholder for " LQ_PLACEHOLDER_NAME ". This is not the real component.";

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    // Keep the marker text in the image.
    volatile const char* p = g_szLetterquarryPlaceholder;
    (void)p;
    return TRUE;
}
