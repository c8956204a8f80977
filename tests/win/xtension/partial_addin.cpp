// A library in the add-in's place that has "Show" but neither "SetZmtOutputType" nor "SetCall". When
// its Show is called anyway, it leaves the file C:\lqxt\partial-show-called behind.
#include <windows.h>

extern "C" __declspec(dllexport) int __stdcall Show(int) {
    HANDLE h = CreateFileA("C:\\lqxt\\partial-show-called", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (h != INVALID_HANDLE_VALUE) CloseHandle(h);
    return 1;
}
