#pragma once
#include <string>

namespace velkor {

class Shell {
  public:
    virtual ~Shell() = default;
    // Opens a document, a web address or a "mailto:" address with its registered program.
    virtual bool Open(const std::string& target) = 0;
};

}  // namespace velkor
