#include "platform/CommandReply.h"

#include <charconv>

namespace velkor {
namespace {

// "<number>\n<rest>": the number and the rest; nothing when the text is not of that shape.
std::optional<std::pair<uintptr_t, std::string_view>> NumberThenText(std::string_view text) {
    const size_t line = text.find('\n');
    if (line == std::string_view::npos) return std::nullopt;
    uintptr_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + line, number);
    if (error != std::errc() || end != text.data() + line) return std::nullopt;
    return std::make_pair(number, text.substr(line + 1));
}

}  // namespace

std::string EncodeRequest(const CommandRequest& request) {
    return std::to_string(request.replyWindow) + "\n" + request.line;
}

std::optional<CommandRequest> DecodeRequest(std::string_view text) {
    const auto parts = NumberThenText(text);
    if (!parts) return std::nullopt;
    return CommandRequest{parts->first, std::string(parts->second)};
}

// The two texts are parted by a byte that neither holds.
std::string EncodeAnswer(const CommandAnswer& answer) {
    return std::to_string(answer.code) + "\n" + answer.out + '\x01' + answer.err;
}

std::optional<CommandAnswer> DecodeAnswer(std::string_view text) {
    const auto parts = NumberThenText(text);
    if (!parts) return std::nullopt;
    const size_t split = parts->second.find('\x01');
    if (split == std::string_view::npos) return std::nullopt;
    return CommandAnswer{static_cast<int>(parts->first),
                         std::string(parts->second.substr(0, split)),
                         std::string(parts->second.substr(split + 1))};
}

}  // namespace velkor
