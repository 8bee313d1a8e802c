#include "win32/Win32TestSupport.h"

#include <windows.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <stdexcept>

#include "win32/Utf.h"

namespace velkor::test {
namespace fs = std::filesystem;

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
    const fs::path folder = win32::Widen(path_);
    std::error_code ignored;  // read-only files go too
    for (const auto& entry : fs::recursive_directory_iterator(folder, ignored)) {
        fs::permissions(entry.path(), fs::perms::owner_write, fs::perm_options::add, ignored);
    }
    fs::remove_all(folder, ignored);
}

std::string ReadBytes(const std::string& path) {
    std::ifstream in(fs::path(win32::Widen(path)), std::ios::binary);
    return in ? std::string(std::istreambuf_iterator<char>(in), {}) : "<missing>";
}

void WriteBytes(const std::string& path, const std::string& bytes) {
    std::ofstream out(fs::path(win32::Widen(path)), std::ios::binary);
    if (!out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()))) {
        throw std::runtime_error("cannot write " + path);
    }
}

}  // namespace velkor::test
