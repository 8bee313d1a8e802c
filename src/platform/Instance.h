#pragma once

namespace velkor {

class Instance {
  public:
    virtual ~Instance() = default;
    // True when another copy of the program runs already (this copy then ends at once).
    virtual bool AnotherIsRunning() = 0;
};

}  // namespace velkor
