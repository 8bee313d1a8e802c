#pragma once
// Run-time errors the form model raises.
#include "platform/RuntimeError.h"

namespace velkor::ui {

inline RuntimeError InvalidPropertyValue() {
    return {380, "Invalid property value"};
}
inline RuntimeError IndexOutOfBounds() {
    return {35600, "Index out of bounds"};
}
inline RuntimeError ControlArrayElementMissing() {
    return {340, "Control array element does not exist"};
}
inline RuntimeError ControlArrayElementExists() {
    return {360, "Object already loaded"};
}

}  // namespace velkor::ui
