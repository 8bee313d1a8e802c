#include "win32/SystemDll.h"

#include "win32/Utf.h"

namespace velkor::win32 {

FARPROC SystemDll::Address(const char* function, std::string& failure) {
    std::call_once(loading_, [this] {
        module_ = LoadLibraryExW(name_, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
        if (!module_) loadError_ = GetLastError();
    });
    if (!module_) {
        failure =
            "The system's " + Narrow(name_) + " could not be loaded: " + SystemMessage(loadError_);
        return nullptr;
    }
    FARPROC address = GetProcAddress(module_, function);
    if (!address) {
        failure = "The system's " + Narrow(name_) + " has no " + function + ": " +
                  SystemMessage(GetLastError());
    }
    return address;
}

SystemDll& WinInetDll() {
    static SystemDll dll(L"wininet.dll");
    return dll;
}

SystemDll& MultimediaDll() {
    static SystemDll dll(L"winmm.dll");
    return dll;
}

SystemDll& ShellDll() {
    static SystemDll dll(L"shell32.dll");
    return dll;
}

void LetThrough(HWND window, UINT message) {
    using FilterFn = BOOL(WINAPI*)(HWND, UINT, DWORD, void*);
    static const auto filter = User32Function<FilterFn>("ChangeWindowMessageFilterEx");
    if (filter) filter(window, message, 1 /* MSGFLT_ALLOW */, nullptr);
}

}  // namespace velkor::win32
