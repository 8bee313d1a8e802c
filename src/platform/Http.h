#pragma once
// One HTTP GET that runs while the program goes on: started, then looked at until it ends.
#include <cstdint>
#include <memory>
#include <optional>
#include <string>

namespace velkor {

struct HttpTarget {
    bool secure = false;  // https
    std::string host;     // a name or an address; an IPv6 address without brackets
    uint16_t port = 80;
    std::string path;  // from the first "/"
};

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
    std::string location;     // where a redirect (status 3xx) sends the request; not followed
};

// A request on its way. Dropping it abandons it: its result is never looked at.
class HttpRequest {
  public:
    virtual ~HttpRequest() = default;
    // The result once the request has ended; nothing while it runs.
    virtual std::optional<HttpResult> Poll() = 0;
};

class Http {
  public:
    virtual ~Http() = default;
    // Starts GET of `target` and returns at once. Each step (connect, send, each receive) waits
    // at most stepMs, the whole request at most totalMs; at most maxBody bytes of the body are
    // kept. Redirects are not followed.
    virtual std::unique_ptr<HttpRequest> Get(const HttpTarget& target, uint32_t stepMs,
                                             uint32_t totalMs, size_t maxBody) = 0;
};

}  // namespace velkor
