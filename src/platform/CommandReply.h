#pragma once
// Commands from scripts reach the running copy as a window message (WM_COPYDATA) carrying the
// command process's reply window and the command; the answer goes back the same way once the
// command has ended, which can be long after (a password prompt waits for a person).
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace velkor {

// What WM_COPYDATA's lParam points to (the system's COPYDATASTRUCT, field for field).
struct CopyData {
    uintptr_t tag = 0;  // dwData
    uint32_t size = 0;  // cbData
    const void* data = nullptr;
};
inline constexpr uintptr_t kCommandTag = 0x564C4B43;  // "VLKC": a command for the running copy
inline constexpr uintptr_t kReplyTag = 0x564C4B52;    // "VLKR": its answer

// A command as it travels: the reply window's handle (a number) and the command line.
struct CommandRequest {
    uintptr_t replyWindow = 0;
    std::string line;
};
std::string EncodeRequest(const CommandRequest& request);
std::optional<CommandRequest> DecodeRequest(std::string_view text);

// An answer: the exit code, what goes to standard output and what to standard error.
struct CommandAnswer {
    int code = 0;
    std::string out, err;
};
std::string EncodeAnswer(const CommandAnswer& answer);
std::optional<CommandAnswer> DecodeAnswer(std::string_view text);

class CommandReply {
  public:
    virtual ~CommandReply() = default;
    // Sends `answer` to the command process's reply window; false when it is gone.
    virtual bool Send(uintptr_t replyWindow, const CommandAnswer& answer) = 0;
};

}  // namespace velkor
