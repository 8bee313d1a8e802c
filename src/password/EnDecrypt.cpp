#include "password/EnDecrypt.h"

#include <cstdint>
#include <vector>

#include "platform/RuntimeError.h"

namespace velkor {
namespace {

using KeyCodes = std::vector<int16_t>;  // element i - 1 holds the code of key character i

KeyCodes KeyCodeTable(std::string_view key) {
    if (key.empty()) throw InvalidCall("empty cipher key");
    KeyCodes table;
    table.reserve(key.size());
    for (char c : key) table.push_back(static_cast<unsigned char>(c));
    return table;
}

// Position 1 uses key character 1, position n + 1 character 1 again.
int16_t GetKeyCode(size_t position, const KeyCodes& table) {
    return table[(position - 1) % table.size()];
}

int16_t EncryptChar(int16_t code, int16_t keyCode) {
    int16_t sum = static_cast<int16_t>(code + keyCode);
    return sum <= 255 ? sum : static_cast<int16_t>(sum - 255);
}

int16_t DecryptChar(int16_t code, int16_t keyCode) {
    int16_t difference = static_cast<int16_t>(code - keyCode);
    return difference >= 0 ? difference : static_cast<int16_t>(difference + 255);
}

template <class Shift>
std::string Transform(std::string_view text, std::string_view key, Shift shift) {
    KeyCodes table = KeyCodeTable(key);
    std::string result;
    result.reserve(text.size());
    for (size_t i = 1; i <= text.size(); ++i) {
        int16_t code = static_cast<unsigned char>(text[i - 1]);
        result.push_back(static_cast<char>(shift(code, GetKeyCode(i, table))));
    }
    return result;
}

}  // namespace

std::string Encrypt(std::string_view text, std::string_view key) {
    return Transform(text, key, EncryptChar);
}

std::string Decrypt(std::string_view text, std::string_view key) {
    return Transform(text, key, DecryptChar);
}

}  // namespace velkor
