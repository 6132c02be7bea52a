#pragma once
// One guard per resource kind. Each owns exactly one handle and releases it in
// its destructor; a guard can be moved, never copied.
#include <windows.h>
#include <objbase.h>

#include <utility>

namespace toolkit {

template <typename H, typename Traits>
class UniqueHandle {
public:
    UniqueHandle() noexcept = default;
    explicit UniqueHandle(H h) noexcept : h_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(UniqueHandle&& o) noexcept : h_(o.release()) {}
    UniqueHandle& operator=(UniqueHandle&& o) noexcept {
        if (this != &o) reset(o.release());
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;

    H get() const noexcept { return h_; }
    explicit operator bool() const noexcept { return Traits::Valid(h_); }
    H release() noexcept { return std::exchange(h_, Traits::Invalid()); }
    void reset(H h = Traits::Invalid()) noexcept {
        if (h == h_) return;  // resetting to the handle held must not close it
        H old = std::exchange(h_, h);
        if (Traits::Valid(old)) Traits::Close(old);
    }

private:
    H h_ = Traits::Invalid();
};

template <typename H, BOOL(WINAPI* CloseFn)(H)>
struct NullTraits {
    static H Invalid() noexcept { return nullptr; }
    static bool Valid(H h) noexcept { return h != nullptr; }
    static void Close(H h) noexcept { CloseFn(h); }
};

// Kernel objects: failing creators return either null (CreateEvent, OpenProcess)
// or INVALID_HANDLE_VALUE (CreateFile, CreateToolhelp32Snapshot); neither is a handle.
struct FileTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) noexcept { CloseHandle(h); }
};

// A search of FindFirstFile, ended with FindClose.
struct FindTraits {
    static HANDLE Invalid() noexcept { return INVALID_HANDLE_VALUE; }
    static bool Valid(HANDLE h) noexcept { return h != INVALID_HANDLE_VALUE && h != nullptr; }
    static void Close(HANDLE h) noexcept { FindClose(h); }
};

struct GdiTraits {
    static HGDIOBJ Invalid() noexcept { return nullptr; }
    static bool Valid(HGDIOBJ h) noexcept { return h != nullptr; }
    static void Close(HGDIOBJ h) noexcept { DeleteObject(h); }
};

template <typename H>
struct GdiObjectTraits {
    static H Invalid() noexcept { return nullptr; }
    static bool Valid(H h) noexcept { return h != nullptr; }
    static void Close(H h) noexcept { DeleteObject(h); }
};

struct RegKeyTraits {
    static HKEY Invalid() noexcept { return nullptr; }
    static bool Valid(HKEY h) noexcept { return h != nullptr; }
    static void Close(HKEY h) noexcept { RegCloseKey(h); }
};

struct GlobalTraits {
    static HGLOBAL Invalid() noexcept { return nullptr; }
    static bool Valid(HGLOBAL h) noexcept { return h != nullptr; }
    static void Close(HGLOBAL h) noexcept { GlobalFree(h); }
};

struct ViewTraits {
    static const void* Invalid() noexcept { return nullptr; }
    static bool Valid(const void* v) noexcept { return v != nullptr; }
    static void Close(const void* v) noexcept { UnmapViewOfFile(v); }
};

struct AtomTraits {
    static ATOM Invalid() noexcept { return 0; }
    static bool Valid(ATOM a) noexcept { return a != 0; }
    static void Close(ATOM a) noexcept { GlobalDeleteAtom(a); }
};

// Memory the shell or COM hands over (an item id list), freed with CoTaskMemFree.
template <typename T>
struct CoTaskMemoryTraits {
    static T* Invalid() noexcept { return nullptr; }
    static bool Valid(T* p) noexcept { return p != nullptr; }
    static void Close(T* p) noexcept { CoTaskMemFree(p); }
};

using UniqueKernelHandle = UniqueHandle<HANDLE, FileTraits>;
using UniqueFile = UniqueHandle<HANDLE, FileTraits>;
using UniqueFindHandle = UniqueHandle<HANDLE, FindTraits>;
using UniqueMenu = UniqueHandle<HMENU, NullTraits<HMENU, DestroyMenu>>;
using UniqueIcon = UniqueHandle<HICON, NullTraits<HICON, DestroyIcon>>;
using UniqueWindow = UniqueHandle<HWND, NullTraits<HWND, DestroyWindow>>;
using UniqueDC = UniqueHandle<HDC, NullTraits<HDC, DeleteDC>>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectTraits<HBITMAP>>;
using UniquePalette = UniqueHandle<HPALETTE, GdiObjectTraits<HPALETTE>>;
using UniqueFont = UniqueHandle<HFONT, GdiObjectTraits<HFONT>>;
using UniquePen = UniqueHandle<HPEN, GdiObjectTraits<HPEN>>;
using UniqueGdiObject = UniqueHandle<HGDIOBJ, GdiTraits>;
using UniqueRegKey = UniqueHandle<HKEY, RegKeyTraits>;
// A global block we still own: freed unless released to the clipboard.
using UniqueGlobal = UniqueHandle<HGLOBAL, GlobalTraits>;
using UniqueAtom = UniqueHandle<ATOM, AtomTraits>;
template <typename T>
using UniqueCoTaskMemory = UniqueHandle<T*, CoTaskMemoryTraits<T>>;
// A view of a file mapping (MapViewOfFile).
using UniqueView = UniqueHandle<const void*, ViewTraits>;

// COM on this thread (a single-threaded apartment) for the guard's lifetime.
// Only a start made here is ended here; a thread already in COM stays so.
class ComApartment {
public:
    ComApartment() noexcept : result_(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)) {}
    ~ComApartment() {
        if (SUCCEEDED(result_)) CoUninitialize();
    }
    ComApartment(const ComApartment&) = delete;
    ComApartment& operator=(const ComApartment&) = delete;

private:
    HRESULT result_;
};

// A window's DC obtained with GetDC (or GetDCEx with `flags`), released with ReleaseDC.
class WindowDC {
public:
    explicit WindowDC(HWND hwnd) noexcept : hwnd_(hwnd), dc_(GetDC(hwnd)) {}
    WindowDC(HWND hwnd, DWORD flags) noexcept : hwnd_(hwnd), dc_(GetDCEx(hwnd, nullptr, flags)) {}
    ~WindowDC() {
        if (dc_) ReleaseDC(hwnd_, dc_);
    }
    WindowDC(const WindowDC&) = delete;
    WindowDC& operator=(const WindowDC&) = delete;
    HDC get() const noexcept { return dc_; }

private:
    HWND hwnd_;
    HDC dc_;
};

// Selects an object into a DC and puts the previous one back. Selecting a
// region returns no object (only the region's kind), so nothing is put back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) noexcept : dc_(dc), old_(SelectObject(dc, obj)) {
        if (GetObjectType(obj) == OBJ_REGION) old_ = nullptr;  // the result was the region's kind
    }
    ~SelectedObject() {
        if (old_ && old_ != HGDI_ERROR) SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// Locks a global block for the guard's lifetime; size() is what GlobalSize
// reports, the only length a reader may trust.
class GlobalLockGuard {
public:
    explicit GlobalLockGuard(HGLOBAL h) noexcept
        : h_(h), data_(h ? GlobalLock(h) : nullptr), size_(data_ ? GlobalSize(h) : 0) {}
    ~GlobalLockGuard() {
        if (data_) GlobalUnlock(h_);
    }
    GlobalLockGuard(const GlobalLockGuard&) = delete;
    GlobalLockGuard& operator=(const GlobalLockGuard&) = delete;
    void* data() const noexcept { return data_; }
    SIZE_T size() const noexcept { return size_; }
    explicit operator bool() const noexcept { return data_ != nullptr; }

private:
    HGLOBAL h_;
    void* data_;
    SIZE_T size_;
};

// The system's one window-update lock (LockWindowUpdate), held for the
// guard's lifetime when it could be taken: another holder makes it fail.
class WindowUpdateLock {
public:
    explicit WindowUpdateLock(HWND window) noexcept : locked_(LockWindowUpdate(window) != FALSE) {}
    ~WindowUpdateLock() {
        if (locked_) LockWindowUpdate(nullptr);
    }
    WindowUpdateLock(const WindowUpdateLock&) = delete;
    WindowUpdateLock& operator=(const WindowUpdateLock&) = delete;
    explicit operator bool() const noexcept { return locked_; }

private:
    bool locked_;
};

// The clipboard, open for the guard's lifetime. Never held across messages.
class ClipboardSession {
public:
    explicit ClipboardSession(HWND owner) noexcept : open_(OpenClipboard(owner) != FALSE) {}
    // Another program may hold the clipboard for a moment while it writes or
    // reads: tries again every millisecond for up to `patienceMs`. Short,
    // even pauses catch the gaps of a program that copies again and again.
    ClipboardSession(HWND owner, DWORD patienceMs) noexcept : open_(OpenClipboard(owner) != FALSE) {
        for (DWORD start = GetTickCount(); !open_ && GetTickCount() - start < patienceMs;) {
            Sleep(1);
            open_ = OpenClipboard(owner) != FALSE;
        }
    }
    ~ClipboardSession() {
        if (open_) CloseClipboard();
    }
    ClipboardSession(const ClipboardSession&) = delete;
    ClipboardSession& operator=(const ClipboardSession&) = delete;
    bool IsOpen() const noexcept { return open_; }
    explicit operator bool() const noexcept { return open_; }

private:
    bool open_;
};

}  // namespace toolkit
