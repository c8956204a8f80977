// The owners of Windows resources: one small class per kind of handle, used everywhere in the setup
// program. Each closes what it holds exactly once, when it goes out of scope or is reset; none can be
// copied. A failed open leaves the owner empty, and an empty owner closes nothing.
#pragma once

#include <windows.h>
#include <objbase.h>

#include <string>
#include <utility>

// A kernel handle: file, process, token, mutex, Toolhelp snapshot. Both "no handle" values that Windows
// returns (null from OpenProcess, INVALID_HANDLE_VALUE from CreateFile and snapshots) count as empty.
class ScopedHandle {
public:
    ScopedHandle() = default;
    explicit ScopedHandle(HANDLE h) : m_h(h) {}
    ~ScopedHandle() { Close(); }
    ScopedHandle(const ScopedHandle&) = delete;
    ScopedHandle& operator=(const ScopedHandle&) = delete;
    ScopedHandle(ScopedHandle&& other) noexcept : m_h(other.Release()) {}
    ScopedHandle& operator=(ScopedHandle&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    bool IsValid() const { return m_h != nullptr && m_h != INVALID_HANDLE_VALUE; }
    HANDLE Get() const { return m_h; }
    // For functions that return a handle through a pointer; whatever was held is closed first.
    HANDLE* Receive() {
        Close();
        return &m_h;
    }
    void Reset(HANDLE h = nullptr) {
        Close();
        m_h = h;
    }
    HANDLE Release() { return std::exchange(m_h, nullptr); }
    void Close() {
        if (IsValid()) CloseHandle(m_h);
        m_h = nullptr;
    }

private:
    HANDLE m_h = nullptr;
};

// An open registry key. Open and Create return the Windows error code of the call (ERROR_SUCCESS, or the
// reason), so a caller can report it; on failure the owner is empty.
class ScopedRegKey {
public:
    ScopedRegKey() = default;
    ~ScopedRegKey() { Close(); }
    ScopedRegKey(const ScopedRegKey&) = delete;
    ScopedRegKey& operator=(const ScopedRegKey&) = delete;

    LONG Open(HKEY hParent, const std::string& strSubKey, REGSAM samDesired) {
        Close();
        HKEY hKey = nullptr;
        const LONG lResult = RegOpenKeyExA(hParent, strSubKey.c_str(), 0, samDesired, &hKey);
        if (lResult == ERROR_SUCCESS) m_hKey = hKey;
        return lResult;
    }
    // RegCreateKeyExA with no class, non-volatile, default security.
    LONG Create(HKEY hParent, const std::string& strSubKey, REGSAM samDesired) {
        Close();
        HKEY hKey = nullptr;
        DWORD dwDisposition = 0;
        const LONG lResult = RegCreateKeyExA(hParent, strSubKey.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                             samDesired, nullptr, &hKey, &dwDisposition);
        if (lResult == ERROR_SUCCESS) m_hKey = hKey;
        return lResult;
    }
    void Close() {
        if (m_hKey) RegCloseKey(m_hKey);
        m_hKey = nullptr;
    }
    HKEY Get() const { return m_hKey; }
    bool IsOpen() const { return m_hKey != nullptr; }

private:
    HKEY m_hKey = nullptr;
};

// A loaded library, freed when the owner goes.
class ScopedLibrary {
public:
    ScopedLibrary() = default;
    explicit ScopedLibrary(HMODULE hModule) : m_hModule(hModule) {}
    ~ScopedLibrary() { Reset(); }
    ScopedLibrary(const ScopedLibrary&) = delete;
    ScopedLibrary& operator=(const ScopedLibrary&) = delete;

    HMODULE Get() const { return m_hModule; }
    bool IsLoaded() const { return m_hModule != nullptr; }
    void Reset(HMODULE hModule = nullptr) {
        if (m_hModule) FreeLibrary(m_hModule);
        m_hModule = hModule;
    }
    // The export as a function of type Function, or null.
    template <typename Function>
    Function Export(const char* szName) const {
        if (!m_hModule) return nullptr;
        // Through the generic function pointer type, as only the caller knows the export's real type.
        return reinterpret_cast<Function>(reinterpret_cast<void (*)()>(GetProcAddress(m_hModule, szName)));
    }

private:
    HMODULE m_hModule = nullptr;
};

// COM on this thread (single-threaded apartment) for the owner's lifetime. Only an initialisation that
// succeeded (S_OK or S_FALSE) is balanced by CoUninitialize: undoing a refused one would tear down the
// apartment of whoever initialised COM first.
class ScopedComInitializer {
public:
    ScopedComInitializer() : m_hr(CoInitialize(nullptr)) {}
    ~ScopedComInitializer() {
        if (SUCCEEDED(m_hr)) CoUninitialize();
    }
    ScopedComInitializer(const ScopedComInitializer&) = delete;
    ScopedComInitializer& operator=(const ScopedComInitializer&) = delete;
    bool Succeeded() const { return SUCCEEDED(m_hr); }
    HRESULT Result() const { return m_hr; }

private:
    HRESULT m_hr;
};

// One reference to a COM object, released when the owner goes.
template <typename Interface>
class ComPtr {
public:
    ComPtr() = default;
    ~ComPtr() { Reset(); }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;

    Interface* Get() const { return m_p; }
    Interface* operator->() const { return m_p; }
    explicit operator bool() const { return m_p != nullptr; }
    // For CoCreateInstance and QueryInterface; whatever was held is released first.
    void** ReceiveVoid() {
        Reset();
        return reinterpret_cast<void**>(&m_p);
    }
    void Reset() {
        if (m_p) m_p->Release();
        m_p = nullptr;
    }

private:
    Interface* m_p = nullptr;
};
