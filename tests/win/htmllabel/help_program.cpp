// A help program for the hand-cursor test, put in place of <windows>\winhlp32.exe: it carries cursor 106,
// but refuses every load that runs its code, so only a load as a data file reaches the cursor.
#include <windows.h>

extern "C" BOOL WINAPI DllMain(HINSTANCE, DWORD dwReason, LPVOID) { return dwReason != DLL_PROCESS_ATTACH; }
