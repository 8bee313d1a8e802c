// A DLL placed in the program's folder under the name of a system DLL: when loaded it writes
// its own path to C:\planted.txt, so the tests see that it was.
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE instance, DWORD reason, LPVOID reserved) {
    (void)reserved;
    if (reason == DLL_PROCESS_ATTACH) {
        wchar_t path[MAX_PATH];
        DWORD length = GetModuleFileNameW(instance, path, MAX_PATH);
        HANDLE file = CreateFileW(L"C:\\planted.txt", FILE_APPEND_DATA, FILE_SHARE_READ, NULL,
                                  OPEN_ALWAYS, 0, NULL);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, path, length * sizeof(wchar_t), &written, NULL);
            WriteFile(file, L"\r\n", 4, &written, NULL);
            CloseHandle(file);
        }
    }
    return TRUE;
}
