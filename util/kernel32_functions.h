// Functions of kernel32 that older Windows lack, looked up at run time rather than imported, so that the
// program still starts where they are missing.
#pragma once

#include <windows.h>

// The export szName of kernel32 as a function of type Function; null where this Windows has none.
template <typename Function>
Function Kernel32Function(const char* szName) {
    // Through the generic function pointer type, as only the caller knows the export's real type.
    return reinterpret_cast<Function>(
        reinterpret_cast<void (*)()>(GetProcAddress(GetModuleHandleA("kernel32.dll"), szName)));
}
