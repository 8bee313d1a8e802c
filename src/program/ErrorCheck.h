#pragma once
// The error report: one message box that names the procedure, the error's number and
// description, and where to send a report. Handlers run their body inside a guard so that no
// error leaves a handler unreported.
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "platform/Dialogs.h"
#include "platform/RuntimeError.h"

namespace velkor {

std::string ErrorReportText(int32_t number, std::string_view description,
                            std::string_view procName);

void ReportError(Dialogs& dialogs, int32_t number, std::string_view description,
                 std::string_view procName);

// Runs `body`; an error ends it and comes back (for handlers that treat some numbers specially
// or go on with their next statement).
template <class Body>
std::optional<RuntimeError> Attempt(Body&& body) noexcept {
    try {
        body();
        return std::nullopt;
    } catch (...) {
        return CurrentError();
    }
}

// Runs `body`; an error ends it and is shown through the error report with `procName`.
// Returns whether the body ran to its end.
template <class Body>
bool Guarded(Dialogs& dialogs, std::string_view procName, Body&& body) noexcept {
    std::optional<RuntimeError> error = Attempt(std::forward<Body>(body));
    if (!error) return true;
    try {
        ReportError(dialogs, error->number(), error->description(), procName);
    } catch (...) {
        // Showing the report failed too; there is nobody left to tell.
    }
    return false;
}

}  // namespace velkor
