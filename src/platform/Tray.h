#pragma once
#include <string>

namespace velkor {

class Tray {
  public:
    virtual ~Tray() = default;
    virtual bool Add(const std::string& tip) = 0;
    virtual bool SetTip(const std::string& tip) = 0;
    virtual void Remove() = 0;
};

}  // namespace velkor
