#include "win32/StartupMarks.h"

#include <windows.h>

#include <cstdio>

#include "program/Timeline.h"

namespace velkor::win32 {
namespace {

ULONGLONG Ticks100ns(const FILETIME& t) {
    return (ULONGLONG{t.dwHighDateTime} << 32) | t.dwLowDateTime;
}

ULONGLONG processCreated = 0;

void Write(std::string_view step, std::string_view detail) {
    FILETIME now{};
    GetSystemTimePreciseAsFileTime(&now);
    const double ms = static_cast<double>(Ticks100ns(now) - processCreated) / 10000.0;
    char line[160];
    std::snprintf(line, sizeof line, "Velkor start-up: %.1f ms %.*s %.*s\n", ms,
                  static_cast<int>(step.size()), step.data(), static_cast<int>(detail.size()),
                  detail.data());
    OutputDebugStringA(line);
}

}  // namespace

void WriteStartupMarks() {
    FILETIME created{}, exited{}, kernel{}, user{};
    if (!GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user)) return;
    processCreated = Ticks100ns(created);
    timeline::sink = Write;
}

}  // namespace velkor::win32
