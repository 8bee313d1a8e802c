#include "win32/Win32TestSupport.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>

#include "win32/Utf.h"

namespace velkor::test {
namespace fs = std::filesystem;
namespace {

fs::path Path(const std::string& utf8) {
    return win32::Widen(utf8);
}

}  // namespace

TempFolder::TempFolder() {
    static unsigned counter = 0;
    fs::path folder;
    do {
        folder =
            fs::temp_directory_path() / ("velkor-test-" + std::to_string(GetCurrentProcessId()) +
                                         "-" + std::to_string(++counter));
    } while (!fs::create_directory(folder));
    path_ = win32::Narrow(folder.wstring());
}

TempFolder::~TempFolder() {
    std::error_code ignored;  // read-only files go too
    for (const auto& entry : fs::recursive_directory_iterator(Path(path_), ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(Path(path_), ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(Path(path), std::ios::binary);
    if (!in) return "<missing>";
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(Path(path), std::ios::binary);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace velkor::test
