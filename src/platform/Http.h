#pragma once
// One HTTP GET with a bounded wait.
#include <cstdint>
#include <string>

namespace velkor {

struct HttpResult {
    enum class Kind {
        Answered,  // the server answered: see status and body
        TimedOut,  // no connection or no answer within the time
        Failed,    // no answer for another reason: see error and reason
    } kind = Kind::Failed;
    int status = 0;           // the HTTP status of an answer
    std::string body;         // at most the cap given to Get
    bool tooLong = false;     // the body went on past the cap
    unsigned long error = 0;  // the system's error code when there was no answer
    std::string reason;       // the system's text for it
};

class Http {
  public:
    virtual ~Http() = default;
    // GET http://host/path, where host may carry ":port". Each step (connect, send, receive)
    // waits at most timeoutMs; at most maxBody bytes of the body are kept.
    virtual HttpResult Get(const std::string& host, const std::string& path, uint32_t timeoutMs,
                           size_t maxBody) = 0;
};

}  // namespace velkor
