#pragma once
// Marks along start-up, for measuring it. Each mark names the step just done; where the marks
// go is up to the platform (the Windows program writes them to the debugger output, with the
// time since its process was created). With nobody listening a mark costs a test of a pointer.
#include <string_view>

namespace velkor::timeline {

using Sink = void (*)(std::string_view step, std::string_view detail);
inline Sink sink = nullptr;

inline void Mark(std::string_view step, std::string_view detail = {}) {
    if (sink) sink(step, detail);
}

}  // namespace velkor::timeline
