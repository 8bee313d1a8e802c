#pragma once
// Every port of the program as a fake, but the message loop: the native tests bring a loop with
// a fake clock, the Win32 tests the real one.
#include "app/App.h"
#include "fakes/Cp1252Text.h"
#include "fakes/FakeDialogs.h"
#include "fakes/FakeFiles.h"
#include "fakes/FakeSystem.h"
#include "fakes/RecordingTray.h"
#include "fakes/ScriptedHttp.h"

namespace velkor::test {

struct FakePorts {
    FakeFiles files;
    Cp1252Text text;
    FakeDialogs dialogs;
    FakeDrives drives;
    RecordingDevice device;
    RecordingMultimedia multimedia;
    FakeInstance instance;
    RecordingTray tray;
    ScriptedHttp http;
    RecordingShell shell;
    RecordingReply reply;

    Ports With(EventLoop& loop) {
        return Ports{files, text,     dialogs, drives, device, multimedia,
                     loop,  instance, tray,    http,   shell,  reply};
    }
};

}  // namespace velkor::test
