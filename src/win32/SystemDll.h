#pragma once
// A DLL of the system that only some actions need (the update check, the tray door, the
// notification-area icon, opening a link): loaded on first use, from System32 only. Not at
// start-up, which it would slow, and never from the program's folder, where anyone who may
// write there could place a DLL of the same name.
#include <windows.h>

#include <mutex>
#include <string>

namespace velkor::win32 {

class SystemDll {
  public:
    explicit SystemDll(const wchar_t* name) : name_(name) {}
    SystemDll(const SystemDll&) = delete;
    SystemDll& operator=(const SystemDll&) = delete;

    // The function, or null when the DLL or the function is not there; then `failure` says why,
    // in words, for the user.
    template <class Function>
    Function* Find(const char* function, std::string& failure) {
        return reinterpret_cast<Function*>(reinterpret_cast<void*>(Address(function, failure)));
    }

  private:
    FARPROC Address(const char* function, std::string& failure);

    const wchar_t* name_;
    std::once_flag loading_;
    HMODULE module_ = nullptr;
    DWORD loadError_ = 0;
};

// The DLLs of those actions, each loaded once for the whole run.
SystemDll& WinInetDll();
SystemDll& MultimediaDll();
SystemDll& ShellDll();

// A function of user32.dll (always loaded) that older systems lack: null there.
template <class FunctionPointer>
FunctionPointer User32Function(const char* name) {
    return reinterpret_cast<FunctionPointer>(
        reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32.dll"), name)));
}

// Lets `message` reach `window` also from less privileged senders, which the system otherwise
// filters out for an elevated program (Windows 7 and later).
void LetThrough(HWND window, UINT message);

}  // namespace velkor::win32
