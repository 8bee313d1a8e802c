#pragma once
// The operating system as the program sees it: one reference per port.
#include "platform/CommandReply.h"
#include "platform/Device.h"
#include "platform/Dialogs.h"
#include "platform/Drives.h"
#include "platform/EventLoop.h"
#include "platform/Files.h"
#include "platform/Http.h"
#include "platform/Instance.h"
#include "platform/Multimedia.h"
#include "platform/Shell.h"
#include "platform/Text.h"
#include "platform/Tray.h"

namespace velkor {

struct Ports {
    Files& files;
    const Text& text;
    Dialogs& dialogs;
    Drives& drives;
    Device& device;
    Multimedia& multimedia;
    EventLoop& loop;
    Instance& instance;
    Tray& tray;
    Http& http;
    Shell& shell;
    CommandReply& reply;
};

}  // namespace velkor
