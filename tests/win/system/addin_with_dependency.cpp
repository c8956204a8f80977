// A stand-in COM server that imports a library of its own (LqDependency.dll): it registers only when the
// loader finds that library beside it.
#include <windows.h>

extern "C" __declspec(dllimport) int LqDependencyAnswer();

extern "C" __declspec(dllexport) HRESULT WINAPI DllRegisterServer() { return LqDependencyAnswer() == 42 ? S_OK : E_FAIL; }
extern "C" __declspec(dllexport) HRESULT WINAPI DllUnregisterServer() { return S_OK; }
