#pragma once
// The system ANSI code page. Inside the program text is UTF-8; files are in the ANSI code page.
#include <string>
#include <string_view>

namespace velkor {

class Text {
  public:
    virtual ~Text() = default;
    // UTF-8 to the bytes of the ANSI code page; characters it lacks become its default character.
    virtual std::string ToAnsi(std::string_view utf8) const = 0;
    // Bytes of the ANSI code page to UTF-8.
    virtual std::string FromAnsi(std::string_view ansi) const = 0;
};

}  // namespace velkor
