#pragma once
#include "framework/win/Win.h"

// Owners of Win32 handles: each frees its handle once, with the function that matches how it
// was obtained, on every path out of the scope.

// The release functions, one per kind of handle.
struct GdiObjectRelease {
    static void Release(HGDIOBJ handle) { DeleteObject(handle); }
};
struct MemoryDCRelease {
    static void Release(HDC handle) { DeleteDC(handle); }
};
struct RegKeyRelease {
    static void Release(HKEY handle) { RegCloseKey(handle); }
};
struct KernelHandleRelease {
    static void Release(HANDLE handle) { CloseHandle(handle); }
};
struct ModuleRelease {
    static void Release(HMODULE handle) { FreeLibrary(handle); }
};

// Owns one handle; null means none. Movable, not copyable.
template <class Handle, class Releaser> class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& other) : m_handle(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) {
        reset(other.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    Handle get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }

    // Hands the handle over to the caller, who frees it from now on.
    Handle release() {
        const Handle handle = m_handle;
        m_handle = nullptr;
        return handle;
    }

    // Frees the handle held and takes the new one.
    void reset(Handle handle = nullptr) {
        const Handle old = m_handle;
        m_handle = handle;
        if (old)
            Releaser::Release(old);
    }

private:
    Handle m_handle = nullptr;
};

template <class GdiHandle> using UniqueGdiObject = UniqueHandle<GdiHandle, GdiObjectRelease>;
using UniqueBrush = UniqueGdiObject<HBRUSH>;
using UniqueRegion = UniqueGdiObject<HRGN>;
using UniqueMemoryDC = UniqueHandle<HDC, MemoryDCRelease>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyRelease>;
using UniqueKernelHandle = UniqueHandle<HANDLE, KernelHandleRelease>;
using UniqueModule = UniqueHandle<HMODULE, ModuleRelease>;

// A window's DC (the screen's for no window) from GetDC, given back with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND window = nullptr) : m_window(window), m_dc(GetDC(window)) {}
    ~WindowDC() {
        if (m_dc)
            ReleaseDC(m_window, m_dc);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;

    HDC get() const { return m_dc; }

private:
    HWND m_window;
    HDC m_dc;
};

// Selects an object into a DC for as long as the scope lasts, then puts the previous one
// back, so that the object can be freed and the DC is left as it was found.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~SelectedObject() { SelectObject(m_dc, m_previous); }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};
