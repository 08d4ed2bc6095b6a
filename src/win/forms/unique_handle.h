#pragma once
// Move-only owners of Win32 handles; the closing function is part of the type.

#include <windows.h>

#include <utility>

namespace uplift::win {

template <typename Handle, auto Close, Handle Invalid = Handle{}> class unique_handle {
public:
    unique_handle() noexcept = default;
    explicit unique_handle(Handle h) noexcept : h_(h) {}
    unique_handle(const unique_handle&) = delete;
    unique_handle& operator=(const unique_handle&) = delete;
    unique_handle(unique_handle&& other) noexcept : h_(other.release()) {}
    unique_handle& operator=(unique_handle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }
    ~unique_handle() { reset(); }

    Handle get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return h_ != Invalid; }
    [[nodiscard]] Handle release() noexcept { return std::exchange(h_, Invalid); }
    void reset(Handle h = Invalid) noexcept {
        if (h_ != Invalid) Close(h_);
        h_ = h;
    }
    // For out-parameters: frees what is held and hands out the slot.
    Handle* put() noexcept {
        reset();
        return &h_;
    }

private:
    Handle h_ = Invalid;
};

namespace detail {
inline void CloseKey(HKEY h) {
    ::RegCloseKey(h);
}
inline void CloseKernelHandle(HANDLE h) {
    ::CloseHandle(h);
}
inline void DeleteGdiObject(HGDIOBJ h) {
    ::DeleteObject(h);
}
inline void DestroyIconHandle(HICON h) {
    ::DestroyIcon(h);
}
inline void DestroyMenuHandle(HMENU h) {
    ::DestroyMenu(h);
}
inline void DestroyWindowHandle(HWND h) {
    ::DestroyWindow(h);
}
inline void DeleteDeviceContext(HDC h) {
    ::DeleteDC(h);
}
inline void UnhookHook(HHOOK h) {
    ::UnhookWindowsHookEx(h);
}
inline void FreeLibraryHandle(HMODULE h) {
    ::FreeLibrary(h);
}
} // namespace detail

using unique_hkey = unique_handle<HKEY, detail::CloseKey>;
using unique_kernel_handle = unique_handle<HANDLE, detail::CloseKernelHandle>;
using unique_hfont = unique_handle<HFONT, detail::DeleteGdiObject>;
using unique_hrgn = unique_handle<HRGN, detail::DeleteGdiObject>;
using unique_hbitmap = unique_handle<HBITMAP, detail::DeleteGdiObject>;
using unique_hbrush = unique_handle<HBRUSH, detail::DeleteGdiObject>;
using unique_hicon = unique_handle<HICON, detail::DestroyIconHandle>;
using unique_hmenu = unique_handle<HMENU, detail::DestroyMenuHandle>;
using unique_hwnd = unique_handle<HWND, detail::DestroyWindowHandle>;
using unique_hdc = unique_handle<HDC, detail::DeleteDeviceContext>;
using unique_hhook = unique_handle<HHOOK, detail::UnhookHook>;
using unique_hmodule = unique_handle<HMODULE, detail::FreeLibraryHandle>;

#ifdef UPLIFT_COUNT_GDI_OBJECTS
// Diagnostic builds: the GDI objects alive in this process, stock objects included. Wine's GetGuiResources
// answers 0, but its GetObjectType takes a handle's table index alone, so each index is asked for its type
// (well under a millisecond for all of them).
inline int LiveGdiObjects() noexcept {
    int count = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(index))) ++count;
    return count;
}
#endif

// GetDC/ReleaseDC for the lifetime of a scope.
class window_dc {
public:
    explicit window_dc(HWND hwnd) noexcept : hwnd_(hwnd), dc_(::GetDC(hwnd)) {}
    window_dc(const window_dc&) = delete;
    window_dc& operator=(const window_dc&) = delete;
    ~window_dc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    HDC get() const noexcept { return dc_; }
    explicit operator bool() const noexcept { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// SelectObject, restored at the end of the scope.
class select_object {
public:
    select_object(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(::SelectObject(dc, obj)) {}
    select_object(const select_object&) = delete;
    select_object& operator=(const select_object&) = delete;
    ~select_object() {
        if (old_ && old_ != HGDI_ERROR) ::SelectObject(dc_, old_);
    }

private:
    HDC dc_;
    HGDIOBJ old_;
};

} // namespace uplift::win
