#pragma once
// A scratch folder for a Win32 test, removed with everything in it at the end.
#include <string>

namespace velkor::test {

class TempFolder {
  public:
    TempFolder();
    ~TempFolder();
    TempFolder(const TempFolder&) = delete;
    TempFolder& operator=(const TempFolder&) = delete;

    const std::string& path() const { return path_; }  // UTF-8, no trailing separator
    std::string file(const std::string& name) const { return path_ + "\\" + name; }

  private:
    std::string path_;
};

// Raw bytes of a file through the system, or "<missing>".
std::string ReadBytes(const std::string& path);
void WriteBytes(const std::string& path, const std::string& bytes);

}  // namespace velkor::test
