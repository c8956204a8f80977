// The owners of GDI resources: one small class per kind, used wherever the setup program, its tools and its
// tests draw. Each gives back what it holds exactly once, when it goes out of scope or is reset; none can
// be copied. A failed creation leaves the owner empty, and an empty owner gives back nothing.
//
// The kinds differ in how they are given back: a GDI object (brush, bitmap, region, font) is deleted; a
// memory device context is deleted; a window's device context is released to its window; an object
// selected into a device context is replaced by the one it displaced. Destroy the owners in the reverse
// order of their making (as locals do): a selection goes before its object and its device context.
#pragma once

#include <windows.h>

#include <utility>

// A GDI object of type Object (HBRUSH, HBITMAP, HRGN, HFONT), deleted with DeleteObject.
template <typename Object>
class ScopedGdiObject {
public:
    ScopedGdiObject() = default;
    explicit ScopedGdiObject(Object hObject) : m_hObject(hObject) {}
    ~ScopedGdiObject() { Reset(); }
    ScopedGdiObject(const ScopedGdiObject&) = delete;
    ScopedGdiObject& operator=(const ScopedGdiObject&) = delete;
    ScopedGdiObject(ScopedGdiObject&& other) noexcept : m_hObject(other.Release()) {}
    ScopedGdiObject& operator=(ScopedGdiObject&& other) noexcept {
        Reset(other.Release());
        return *this;
    }

    Object Get() const { return m_hObject; }
    explicit operator bool() const { return m_hObject != nullptr; }
    void Reset(Object hObject = nullptr) {
        if (m_hObject) DeleteObject(m_hObject);
        m_hObject = hObject;
    }
    // Hands the object to a new owner (a control that frees it, a caller).
    Object Release() { return std::exchange(m_hObject, nullptr); }

private:
    Object m_hObject = nullptr;
};

using ScopedBrush = ScopedGdiObject<HBRUSH>;
using ScopedBitmap = ScopedGdiObject<HBITMAP>;
using ScopedRegion = ScopedGdiObject<HRGN>;
using ScopedFont = ScopedGdiObject<HFONT>;

// A memory device context compatible with hCompatible (null: the screen), deleted with DeleteDC.
class ScopedMemoryDC {
public:
    explicit ScopedMemoryDC(HDC hCompatible) : m_hDC(CreateCompatibleDC(hCompatible)) {}
    ~ScopedMemoryDC() {
        if (m_hDC) DeleteDC(m_hDC);
    }
    ScopedMemoryDC(const ScopedMemoryDC&) = delete;
    ScopedMemoryDC& operator=(const ScopedMemoryDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HDC m_hDC;
};

// The device context of a window's client area (null window: the whole screen), from GetDC, released
// with ReleaseDC to that window.
class ScopedWindowDC {
public:
    explicit ScopedWindowDC(HWND hWnd) : m_hWnd(hWnd), m_hDC(GetDC(hWnd)) {}
    ~ScopedWindowDC() {
        if (m_hDC) ReleaseDC(m_hWnd, m_hDC);
    }
    ScopedWindowDC(const ScopedWindowDC&) = delete;
    ScopedWindowDC& operator=(const ScopedWindowDC&) = delete;

    HDC Get() const { return m_hDC; }

private:
    HWND m_hWnd;
    HDC m_hDC;
};

// An object selected into a device context for the owner's lifetime; the object it displaced is selected
// again at the end. The selected object stays its own owner's. Nothing is selected into a null device
// context or for a null object.
class ScopedSelection {
public:
    ScopedSelection(HDC hDC, HGDIOBJ hObject)
        : m_hDC(hDC), m_hPrevious(hDC && hObject ? SelectObject(hDC, hObject) : nullptr) {}
    ~ScopedSelection() {
        if (m_hPrevious) SelectObject(m_hDC, m_hPrevious);
    }
    ScopedSelection(const ScopedSelection&) = delete;
    ScopedSelection& operator=(const ScopedSelection&) = delete;

private:
    HDC m_hDC;
    HGDIOBJ m_hPrevious;
};
