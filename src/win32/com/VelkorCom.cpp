// Velkor.com, the console companion of Velkor.exe. A shell given "Velkor" runs the .com first:
// it starts Velkor.exe beside it with the same arguments and standard handles, waits for it and
// returns its exit code, which a window program cannot give an interactive shell. Without
// arguments it starts the program and returns at once. (Plain system calls: no C++ library.)
#include <windows.h>

#include <cstdio>
#include <cwchar>

int wmain() {
    static wchar_t exe[32768], command[32768 + 64];
    DWORD length = GetModuleFileNameW(nullptr, exe, 32768);
    while (length > 0 && exe[length - 1] != L'\\' && exe[length - 1] != L'/') --length;
    exe[length] = L'\0';
    std::wcsncat(exe, L"Velkor.exe", 32767 - length);
    // The arguments as given: the command line after the program's own name.
    const wchar_t* rest = GetCommandLineW();
    const bool quoted = *rest == L'"';
    for (rest += quoted ? 1 : 0; *rest && (quoted ? *rest != L'"' : *rest != L' '); ++rest) {
    }
    if (quoted && *rest) ++rest;
    while (*rest == L' ' || *rest == L'\t') ++rest;
    std::swprintf(command, sizeof command / sizeof *command, L"\"%ls\"%ls%ls", exe,
                  *rest ? L" " : L"", rest);

    STARTUPINFOW startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdInput = GetStdHandle(STD_INPUT_HANDLE);
    startup.hStdOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    startup.hStdError = GetStdHandle(STD_ERROR_HANDLE);
    PROCESS_INFORMATION process{};
    if (!CreateProcessW(exe, command, nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                        &process)) {
        char text[96];
        const int size = std::snprintf(
            text, sizeof text, "Velkor.exe could not be started (error %lu).\r\n", GetLastError());
        DWORD written = 0;
        WriteFile(startup.hStdError, text, static_cast<DWORD>(size), &written, nullptr);
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
