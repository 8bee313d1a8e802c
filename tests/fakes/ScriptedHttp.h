#pragma once
// HTTP that answers from a script and records each request; a shell that records what it was
// asked to open.
#include <cstdint>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

#include "platform/Http.h"
#include "platform/Shell.h"

namespace velkor::test {

class ScriptedHttp : public Http {
  public:
    struct Request {
        std::string host;
        std::string path;
        uint32_t timeoutMs;
        size_t maxBody;
    };
    std::vector<Request> requests;
    std::deque<HttpResult> answers;  // one per request, in order, bodies whole

    HttpResult Get(const std::string& host, const std::string& path, uint32_t timeoutMs,
                   size_t maxBody) override {
        requests.push_back({host, path, timeoutMs, maxBody});
        if (answers.empty()) throw std::logic_error("an HTTP request nobody expected");
        HttpResult answer = std::move(answers.front());
        answers.pop_front();
        if (answer.body.size() > maxBody) {  // kept up to the cap, as the real port does
            answer.body.resize(maxBody);
            answer.tooLong = true;
        }
        return answer;
    }

    // A server's whole answer, and the two ways of getting none.
    static HttpResult Answer(int status, std::string body) {
        return {HttpResult::Kind::Answered, status, std::move(body)};
    }
    static HttpResult NoAnswer(HttpResult::Kind kind, unsigned long error, std::string reason) {
        HttpResult r{kind};
        r.error = error;
        r.reason = std::move(reason);
        return r;
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
