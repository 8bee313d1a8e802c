// Velkor.com, the console companion of Velkor.exe. A shell given "Velkor" runs the .com first:
// it starts Velkor.exe beside it with the same arguments and standard handles, waits for it and
// returns its exit code, which a window program cannot give an interactive shell. Without
// arguments it starts the program and returns at once.
#include <windows.h>

#include <string>

int wmain() {
    std::wstring exe(32768, L'\0');
    exe.resize(GetModuleFileNameW(nullptr, exe.data(), static_cast<DWORD>(exe.size())));
    exe = exe.substr(0, exe.find_last_of(L"\\/") + 1) + L"Velkor.exe";
    // The arguments as given: the command line after the program's own name.
    const wchar_t* rest = GetCommandLineW();
    const bool quoted = *rest == L'"';
    for (rest += quoted ? 1 : 0; *rest && (quoted ? *rest != L'"' : *rest != L' '); ++rest) {
    }
    if (quoted && *rest) ++rest;
    while (*rest == L' ' || *rest == L'\t') ++rest;
    std::wstring command = L"\"" + exe + L"\"" + (*rest ? L" " + std::wstring(rest) : L"");

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe.c_str(), command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
        const std::string text = "Velkor.exe could not be started (error " +
                                 std::to_string(GetLastError()) + ").\r\n";
        DWORD written = 0;
        WriteFile(startup.hStdError, text.data(), static_cast<DWORD>(text.size()), &written,
                  nullptr);
        return 4;
    }
    DWORD code = 0;
    if (*rest) {
        WaitForSingleObject(process.hProcess, INFINITE);
        GetExitCodeProcess(process.hProcess, &code);
    }
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return static_cast<int>(code);
}
