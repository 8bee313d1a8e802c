#pragma once
// Owning guards for Windows handles: move-only, closed once. CreateFileW reports failure as
// INVALID_HANDLE_VALUE, most other calls as NULL; each guard treats only its own as empty.
#include <windows.h>
// after windows.h
#include <commctrl.h>

#include <utility>

namespace velkor::win32 {

template <class Traits>
class UniqueHandle {
  public:
    using Handle = typename Traits::Handle;
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept
        : handle_(std::exchange(other.handle_, Traits::Empty())) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) reset(std::exchange(other.handle_, Traits::Empty()));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Empty(); }
    void reset(Handle handle = Traits::Empty()) {
        if (handle_ != Traits::Empty()) Traits::Close(handle_);
        handle_ = handle;
    }
    Handle release() { return std::exchange(handle_, Traits::Empty()); }

  private:
    Handle handle_ = Traits::Empty();
};

struct FileHandleTraits {  // CreateFileW: INVALID_HANDLE_VALUE is empty
    using Handle = HANDLE;
    static Handle Empty() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle h) { CloseHandle(h); }
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
struct WindowTraits {
    using Handle = HWND;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { DestroyWindow(h); }
};

using UniqueFile = UniqueHandle<FileHandleTraits>;
using UniqueKernelHandle = UniqueHandle<KernelHandleTraits>;
using UniqueIcon = UniqueHandle<IconTraits>;
using UniqueImageList = UniqueHandle<ImageListTraits>;
using UniqueFont = UniqueHandle<FontTraits>;
using UniqueMenu = UniqueHandle<MenuTraits>;
using UniqueWindow = UniqueHandle<WindowTraits>;

}  // namespace velkor::win32
