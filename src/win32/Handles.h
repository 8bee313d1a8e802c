#pragma once
// Owning guards for Windows handles: move-only, closed once. CreateFileW reports failure as
// INVALID_HANDLE_VALUE, most other calls as NULL; each guard treats only its own as empty.
// Each kind keeps a count of the handles its guards hold, so tests can see that every window,
// menu, font and image list the program made was given back exactly once.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <atomic>
#include <utility>

namespace velkor::win32 {

template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) { Count(+1); }
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Empty())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset();
            handle_ = std::exchange(other.handle_, Traits::Empty());  // still one holder
        }
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Empty(); }
    void reset(Handle handle = Traits::Empty()) {
        if (handle_ != Traits::Empty()) {
            Traits::Close(handle_);
            Count(-1);
        }
        handle_ = handle;
        Count(+1);
    }
    // Hands the handle over to whoever destroys it from now on (a menu given to a window).
    Handle release() {
        Count(-1);
        return std::exchange(handle_, Traits::Empty());
    }

    // Handles of this kind held by guards right now.
    static long Live() { return live_.load(); }

  private:
    void Count(int change) {
        if (handle_ != Traits::Empty()) live_ += change;
    }

    Handle handle_ = Traits::Empty();
    static inline std::atomic<long> live_{0};
};

struct FileHandleTraits {  // CreateFileW: INVALID_HANDLE_VALUE is empty
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct FindTraits {  // FindFirstFileW: INVALID_HANDLE_VALUE is empty
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { FindClose(h); }
};
struct KernelHandleTraits {  // CreateMutexW and most others: NULL is empty
    using Handle = HANDLE;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { CloseHandle(h); }
};
struct IconTraits {
    using Handle = HICON;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyIcon(h); }
};
struct ImageListTraits {
    using Handle = HIMAGELIST;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h);
};
struct FontTraits {
    using Handle = HFONT;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct MenuTraits {
    using Handle = HMENU;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyMenu(h); }
};
struct AcceleratorTraits {
    using Handle = HACCEL;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyAcceleratorTable(h); }
};
struct CursorTraits {
    using Handle = HCURSOR;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyCursor(h); }
};
struct BitmapTraits {
    using Handle = HBITMAP;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DeleteObject(h); }
};
struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueFind = UniqueHandle<FindTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;
using UniqueAccelerators = UniqueHandle<AcceleratorTraits>;
using UniqueCursor = UniqueHandle<CursorTraits>;
using UniqueBitmap = UniqueHandle<BitmapTraits>;

}  // namespace velkor::win32
