#pragma once
// A deterministic ANSI code page for the native tests: Windows-1252, with the five unassigned
// bytes mapped to the C1 controls of the same number as Windows does.
#include "platform/Text.h"

namespace velkor::test {

class Cp1252Text : public Text {
  public:
    std::string ToAnsi(std::string_view utf8) const override;
    std::string FromAnsi(std::string_view ansi) const override;
};

}  // namespace velkor::test
