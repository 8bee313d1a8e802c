#pragma once
// HTTP that answers from a script and records each request; a shell that records what it was
// asked to open.
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/CommandReply.h"
#include "platform/Http.h"
#include "platform/Shell.h"

namespace velkor::test {

class ScriptedHttp : public Http {
  public:
    struct Request {
        HttpTarget target;
        uint32_t stepMs, totalMs;
        size_t maxBody;
    };
    std::vector<Request> requests;
    // One per request, in order, bodies whole; each ends `takesMs` after it started on `clock`.
    struct Scripted {
        HttpResult result;
        uint64_t takesMs = 0;
    };
    std::deque<Scripted> answers;
    std::function<uint64_t()> clock = [] {
        return uint64_t{0};
    };
    static constexpr uint64_t kNever = UINT64_MAX;

    std::unique_ptr<HttpRequest> Get(const HttpTarget& target, uint32_t stepMs, uint32_t totalMs,
                                     size_t maxBody) override {
        requests.push_back({target, stepMs, totalMs, maxBody});
        if (answers.empty()) throw std::logic_error("an HTTP request nobody expected");
        Scripted next = std::move(answers.front());
        answers.pop_front();
        if (next.result.body.size() > maxBody) {  // kept up to the cap, as the real port does
            next.result.body.resize(maxBody);
            next.result.tooLong = true;
        }
        const uint64_t endsAt = next.takesMs == kNever ? kNever : clock() + next.takesMs;
        return std::make_unique<Pending>(std::move(next.result), endsAt, clock);
    }

    // A server's whole answer, and the two ways of getting none.
    static Scripted Answer(int status, std::string body, uint64_t takesMs = 0) {
        return {{HttpResult::Kind::Answered, status, std::move(body)}, takesMs};
    }
    static Scripted Redirect(int status, std::string location, uint64_t takesMs = 0) {
        return {
            {.kind = HttpResult::Kind::Answered, .status = status, .location = std::move(location)},
            takesMs};
    }
    static Scripted NoAnswer(HttpResult::Kind kind, unsigned long error, std::string reason,
                             uint64_t takesMs = 0) {
        return {{.kind = kind, .error = error, .reason = std::move(reason)}, takesMs};
    }

  private:
    struct Pending : HttpRequest {
        Pending(HttpResult r, uint64_t end, std::function<uint64_t()> c)
            : result(std::move(r)), endsAt(end), clock(std::move(c)) {}
        std::optional<HttpResult> Poll() override {
            if (endsAt == kNever || clock() < endsAt) return std::nullopt;
            return result;
        }
        HttpResult result;
        uint64_t endsAt;
        std::function<uint64_t()> clock;
    };
};

class RecordingReply : public CommandReply {
  public:
    std::vector<std::pair<uintptr_t, CommandAnswer>> sent;
    bool Send(uintptr_t window, const CommandAnswer& answer) override {
        sent.emplace_back(window, answer);
        return true;
    }
};

class RecordingShell : public Shell {
  public:
    std::vector<std::string> opened;
    bool Open(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
};

}  // namespace velkor::test
