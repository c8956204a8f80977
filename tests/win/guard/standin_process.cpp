// A stand-in for a running host program (Excel, Word ...): tests copy it under the host's executable
// name and start it. It signals the event named on its command line once it runs, then idles until it
// is terminated (or for two minutes, so that a forgotten one does not outlive its machine for long).
#include <windows.h>

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR lpCmdLine, int) {
    if (lpCmdLine && *lpCmdLine) {
        HANDLE hReady = OpenEventA(EVENT_MODIFY_STATE, FALSE, lpCmdLine);
        if (hReady) {
            SetEvent(hReady);
            CloseHandle(hReady);
        }
    }
    Sleep(120000);
    return 0;
}
