// Velkor's entry point: the Win32 ports, the renderer, and the program's start-up and message
// loop.
#include <windows.h>

#include "app/App.h"
#include "program/ErrorCheck.h"
#include "program/Timeline.h"
#include "ui/Dispatch.h"
#include "win32/CommandMain.h"
#include "win32/CommandTransport.h"
#include "win32/ModernStandby.h"
#include "win32/Renderer.h"
#include "win32/StartupMarks.h"
#include "win32/Utf.h"
#include "win32/Win32Dialogs.h"
#include "win32/Win32EventLoop.h"
#include "win32/Win32Files.h"
#include "win32/Win32Http.h"
#include "win32/Win32Shell.h"
#include "win32/Win32System.h"
#include "win32/Win32Text.h"
#include "win32/Win32Tray.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    using namespace velkor;
    // Every DLL loaded from here on comes from System32, never from the program's folder.
    SetDefaultDllDirectories(LOAD_LIBRARY_SEARCH_SYSTEM32);
    win32::WriteStartupMarks();
    timeline::Mark("entered WinMain");
    // A failing drive (no medium) must not make the system ask the user to insert a disc.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOOPENFILEERRORBOX);

    win32::Win32Files files;
    win32::Win32Text text;
    win32::Win32Dialogs dialogs;
    win32::Win32Drives drives;
    win32::Win32Device device;
    win32::Win32Multimedia multimedia;
    win32::Win32EventLoop loop;
    win32::Win32Instance single;
    win32::Renderer renderer(instance, loop);
    // A window the system would not make is never left unexplained.
    renderer.onFailure = [&dialogs](const std::string& what, unsigned long code) {
        ReportError(dialogs, static_cast<int32_t>(code), win32::SystemMessage(code), what);
    };

    win32::Win32Tray tray(instance, renderer);
    win32::Win32Http http;
    win32::Win32Shell shell;
    win32::Win32CommandReply reply;
    App app(Ports{files, text, dialogs, drives, device, multimedia, loop, single, tray, http, shell,
                  reply},
            &renderer);
    app.onEnded = [] {
        PostQuitMessage(0);
    };
    // A script's command: carried out (by the running copy, or here) instead of a start.
    if (const ParsedCommandLine parsed = ParseCommandLine(win32::ProgramArguments());
        parsed.command || parsed.error) {
        ui::Dispatch running;  // the command runs handlers as a dispatched message does
        return win32::RunCommandProcess(parsed, app.GermanTexts(), [&app](const Command& c) {
            return app.RunCommandAlone(c, win32::OnUsersDesktop());
        });
    }
    timeline::Mark("ports made");
    {
        ui::Dispatch starting;       // start-up runs handlers as a dispatched message does
        if (!app.Start()) return 0;  // another copy runs already
    }
    timeline::Mark("started");
    HWND main = renderer.windowOf(app.mainWindow.get());
    win32::MarkMainWindow(main);  // where scripts' commands find the running copy
    win32::ModernStandbyNotifications standby(main);
    return loop.Run();
}
