#include "platform/RuntimeError.h"

#include <new>
#include <stdexcept>

namespace velkor {

RuntimeError TypeMismatch() {
    return {err::kTypeMismatch, "Type mismatch"};
}
RuntimeError Overflow() {
    return {err::kOverflow, "Overflow"};
}
RuntimeError SubscriptOutOfRange() {
    return {err::kSubscript, "Subscript out of range"};
}

RuntimeError InvalidCall(const std::string& detail) {
    std::string text = "Invalid procedure call or argument";
    if (!detail.empty()) text += " (" + detail + ")";
    return {err::kInvalidCall, text};
}

RuntimeError CurrentError() noexcept {
    try {
        throw;
    } catch (const RuntimeError& e) {
        return e;
    } catch (const std::bad_alloc&) {
        return {err::kOutOfMemory, "Out of memory"};
    } catch (const std::out_of_range&) {
        return SubscriptOutOfRange();
    } catch (const std::exception& e) {
        return {err::kInternal, std::string("Internal error (") + e.what() + ")"};
    } catch (...) {
        return {err::kInternal, "Internal error"};
    }
}

}  // namespace velkor
