#pragma once
// One small owner type per handle kind: each closes its handle exactly once.
#include <windows.h>
#include <objbase.h>
#include <ole2.h>

#include <utility>

namespace win32 {

template <typename Traits>
class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle h) : handle_(h) {}
    ~UniqueHandle() { reset(); }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(other.release());
        return *this;
    }

    Handle get() const { return handle_; }
    explicit operator bool() const { return Traits::IsValid(handle_); }
    Handle release() { return std::exchange(handle_, Traits::Invalid()); }
    void reset(Handle h = Traits::Invalid()) {
        if (Traits::IsValid(handle_)) Traits::Close(handle_);
        handle_ = h;
    }
    // For APIs that return a handle through an out parameter.
    Handle* put() {
        reset();
        return &handle_;
    }

private:
    Handle handle_ = Traits::Invalid();
};

template <typename H, auto CloseFn, H InvalidValue = H{}>
struct SimpleTraits {
    using Handle = H;
    static Handle Invalid() { return InvalidValue; }
    static bool IsValid(Handle h) { return h != InvalidValue; }
    static void Close(Handle h) { CloseFn(h); }
};

struct KernelHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::CloseHandle(h); }
};
struct FindHandleTraits {
    using Handle = HANDLE;
    static Handle Invalid() { return INVALID_HANDLE_VALUE; }
    static bool IsValid(Handle h) { return h != nullptr && h != INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { ::FindClose(h); }
};
struct GdiObjectTraits {
    using Handle = HGDIOBJ;
    static Handle Invalid() { return nullptr; }
    static bool IsValid(Handle h) { return h != nullptr; }
    static void Close(Handle h) { ::DeleteObject(h); }
};

using Handle = UniqueHandle<KernelHandleTraits>;       // files, mappings, threads, events
using FindHandle = UniqueHandle<FindHandleTraits>;
using RegKey = UniqueHandle<SimpleTraits<HKEY, ::RegCloseKey>>;
using MemoryDc = UniqueHandle<SimpleTraits<HDC, ::DeleteDC>>;
using Icon = UniqueHandle<SimpleTraits<HICON, ::DestroyIcon>>;
using HookHandle = UniqueHandle<SimpleTraits<HHOOK, ::UnhookWindowsHookEx>>;
using Module = UniqueHandle<SimpleTraits<HMODULE, ::FreeLibrary>>;
// An export of a module loaded on use, as a function pointer of type Fn; null when the module or
// the export is missing.
template <typename Fn>
Fn ProcAddress(HMODULE module, const char* name) {
    if (!module) return nullptr;
    return reinterpret_cast<Fn>(reinterpret_cast<void (*)()>(::GetProcAddress(module, name)));
}
using GlobalMemory = UniqueHandle<SimpleTraits<HGLOBAL, ::GlobalFree>>;
// A window we created ourselves and destroy with its owner object.
using OwnedWindow = UniqueHandle<SimpleTraits<HWND, ::DestroyWindow>>;
using ServiceHandle = UniqueHandle<SimpleTraits<SC_HANDLE, ::CloseServiceHandle>>;

inline void FreeCoTaskMem(wchar_t* p) { ::CoTaskMemFree(p); }
// A string the callee allocated with CoTaskMemAlloc (device ids, known-folder paths).
using CoTaskMemString = UniqueHandle<SimpleTraits<wchar_t*, FreeCoTaskMem>>;

// A GDI object of a known type (HFONT, HBITMAP, HPEN, HBRUSH).
template <typename T>
class GdiObject {
public:
    GdiObject() = default;
    explicit GdiObject(T h) : h_(h) {}
    T get() const { return static_cast<T>(h_.get()); }
    explicit operator bool() const { return static_cast<bool>(h_); }
    void reset(T h = nullptr) { h_.reset(h); }

private:
    UniqueHandle<GdiObjectTraits> h_;
};
using Font = GdiObject<HFONT>;
using Bitmap = GdiObject<HBITMAP>;
using Pen = GdiObject<HPEN>;
using Brush = GdiObject<HBRUSH>;

// A mapped view of a file mapping.
class MappedView {
public:
    MappedView() = default;
    explicit MappedView(void* p) : p_(p) {}
    ~MappedView() { reset(); }
    MappedView(const MappedView&) = delete;
    MappedView& operator=(const MappedView&) = delete;
    void* get() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    void reset() {
        if (p_) ::UnmapViewOfFile(p_);
        p_ = nullptr;
    }

private:
    void* p_ = nullptr;
};

// The DC of a window from GetDC (or GetWindowDC, frame included), given back with ReleaseDC.
class WindowDc {
public:
    enum Area { kClient, kWholeWindow };
    explicit WindowDc(HWND hwnd, Area area = kClient)
        : hwnd_(hwnd), dc_(area == kWholeWindow ? ::GetWindowDC(hwnd) : ::GetDC(hwnd)) {}
    ~WindowDc() {
        if (dc_) ::ReleaseDC(hwnd_, dc_);
    }
    WindowDc(const WindowDc&) = delete;
    WindowDc& operator=(const WindowDc&) = delete;
    HDC get() const { return dc_; }
    explicit operator bool() const { return dc_ != nullptr; }

private:
    HWND hwnd_;
    HDC dc_;
};

// BeginPaint / EndPaint.
class PaintDc {
public:
    explicit PaintDc(HWND hwnd) : hwnd_(hwnd) { dc_ = ::BeginPaint(hwnd, &ps_); }
    ~PaintDc() { ::EndPaint(hwnd_, &ps_); }
    PaintDc(const PaintDc&) = delete;
    PaintDc& operator=(const PaintDc&) = delete;
    HDC get() const { return dc_; }
    const PAINTSTRUCT& info() const { return ps_; }

private:
    HWND hwnd_;
    HDC dc_;
    PAINTSTRUCT ps_{};
};

// Selects an object into a DC and puts the previous one back.
class SelectedObject {
public:
    SelectedObject(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? ::SelectObject(dc, obj) : nullptr) {}
    ~SelectedObject() {
        if (old_) ::SelectObject(dc_, old_);
    }
    SelectedObject(const SelectedObject&) = delete;
    SelectedObject& operator=(const SelectedObject&) = delete;

private:
    HDC dc_;
    HGDIOBJ old_;
};

// A bitmap selected into a memory DC of its own, for drawing kept between paints.
class OffscreenBitmap {
public:
    OffscreenBitmap() = default;
    OffscreenBitmap(const OffscreenBitmap&) = delete;
    OffscreenBitmap& operator=(const OffscreenBitmap&) = delete;
    ~OffscreenBitmap() { reset(); }

    // A width x height bitmap compatible with dc; false (and empty) when GDI refuses.
    bool Make(HDC compatible, int width, int height) {
        reset();
        if (width <= 0 || height <= 0) return false;
        dc_.reset(::CreateCompatibleDC(compatible));
        bitmap_.reset(::CreateCompatibleBitmap(compatible, width, height));
        if (!dc_ || !bitmap_) {
            reset();
            return false;
        }
        old_ = ::SelectObject(dc_.get(), bitmap_.get());
        width_ = width;
        height_ = height;
        return true;
    }
    void reset() {
        if (old_) ::SelectObject(dc_.get(), old_);  // the bitmap leaves the DC before either goes
        old_ = nullptr;
        dc_.reset();
        bitmap_.reset();
        width_ = height_ = 0;
    }
    explicit operator bool() const { return static_cast<bool>(bitmap_); }
    HDC dc() const { return dc_.get(); }
    int width() const { return width_; }
    int height() const { return height_; }

private:
    MemoryDc dc_;
    Bitmap bitmap_;
    HGDIOBJ old_ = nullptr;
    int width_ = 0;
    int height_ = 0;
};

// A critical section for the life of the object, entered for the life of a CriticalSection::Lock.
class CriticalSection {
public:
    CriticalSection() { ::InitializeCriticalSection(&cs_); }
    ~CriticalSection() { ::DeleteCriticalSection(&cs_); }
    CriticalSection(const CriticalSection&) = delete;
    CriticalSection& operator=(const CriticalSection&) = delete;

    class Lock {
    public:
        explicit Lock(CriticalSection& section) : cs_(&section.cs_) { ::EnterCriticalSection(cs_); }
        ~Lock() { ::LeaveCriticalSection(cs_); }
        Lock(const Lock&) = delete;
        Lock& operator=(const Lock&) = delete;

    private:
        CRITICAL_SECTION* cs_;
    };

private:
    CRITICAL_SECTION cs_;
};

// A COM interface pointer that releases what it holds.
template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(std::nullptr_t) {}
    ~ComPtr() { reset(); }
    ComPtr(const ComPtr& o) : p_(o.p_) {
        if (p_) p_->AddRef();
    }
    ComPtr(ComPtr&& o) noexcept : p_(std::exchange(o.p_, nullptr)) {}
    ComPtr& operator=(ComPtr o) noexcept {
        std::swap(p_, o.p_);
        return *this;
    }
    // Takes over a reference the caller already owns.
    static ComPtr Attach(T* p) {
        ComPtr c;
        c.p_ = p;
        return c;
    }
    // Adds a reference of its own to a borrowed pointer.
    static ComPtr Borrow(T* p) {
        if (p) p->AddRef();
        return Attach(p);
    }
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    explicit operator bool() const { return p_ != nullptr; }
    T** put() {
        reset();
        return &p_;
    }
    void** put_void() { return reinterpret_cast<void**>(put()); }
    void reset() {
        if (p_) std::exchange(p_, nullptr)->Release();
    }
    T* detach() { return std::exchange(p_, nullptr); }

private:
    T* p_ = nullptr;
};

// CoInitializeEx / CoUninitialize for the life of a scope.
class ComInit {
public:
    explicit ComInit(DWORD model = COINIT_APARTMENTTHREADED) : hr_(::CoInitializeEx(nullptr, model)) {}
    ~ComInit() {
        if (SUCCEEDED(hr_)) ::CoUninitialize();
    }
    ComInit(const ComInit&) = delete;
    ComInit& operator=(const ComInit&) = delete;
    HRESULT result() const { return hr_; }

private:
    HRESULT hr_;
};

// OleInitialize / OleUninitialize for the life of a scope (the control container, OleLoadPicture).
class OleInit {
public:
    OleInit() : hr_(::OleInitialize(nullptr)) {}
    ~OleInit() {
        if (SUCCEEDED(hr_)) ::OleUninitialize();
    }
    OleInit(const OleInit&) = delete;
    OleInit& operator=(const OleInit&) = delete;
    HRESULT result() const { return hr_; }

private:
    HRESULT hr_;
};

// GDI+ for the life of the object. Every image GDI+ decoded must be gone before it ends.
class GdiplusSession {
public:
    GdiplusSession();
    ~GdiplusSession();
    GdiplusSession(const GdiplusSession&) = delete;
    GdiplusSession& operator=(const GdiplusSession&) = delete;
    bool ok() const { return token_ != 0; }

private:
    ULONG_PTR token_ = 0;
};

}  // namespace win32
