// HTTP through WinINet against a small server of the test's own on 127.0.0.1: answers,
// errors, a body past the cap, a redirect, a refused connection, a server that never answers
// and one that trickles.
#include "win32/Win32Http.h"

#include <winsock2.h>
// after winsock2.h
#include <windows.h>

#include <gtest/gtest.h>

#include <string>
#include <thread>

namespace velkor::win32 {
namespace {

enum class Sends { All, Nothing, AByteEvery100ms };

// Listens on 127.0.0.1 for one request and sends `answer` as `how` says.
class OneShotServer {
  public:
    OneShotServer(std::string answer, Sends how = Sends::All) {
        listener_ = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
        sockaddr_in address{};
        address.sin_family = AF_INET;
        address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        bind(listener_, reinterpret_cast<sockaddr*>(&address), sizeof address);
        int size = sizeof address;
        getsockname(listener_, reinterpret_cast<sockaddr*>(&address), &size);
        port_ = ntohs(address.sin_port);
        listen(listener_, 1);
        thread_ = std::thread([this, answer = std::move(answer), how] {
            SOCKET client = accept(listener_, nullptr, nullptr);
            if (client == INVALID_SOCKET) return;
            char buffer[512];
            int got = 0;
            while (request_.find("\r\n\r\n") == std::string::npos &&
                   (got = recv(client, buffer, sizeof buffer, 0)) > 0) {
                request_.append(buffer, static_cast<size_t>(got));
            }
            if (how == Sends::Nothing) {
                WaitForSingleObject(stop_, 10000);  // until the test is done
            } else if (how == Sends::AByteEvery100ms) {
                for (char c : answer)
                    if (send(client, &c, 1, 0) != 1 || WaitForSingleObject(stop_, 100) == 0) break;
            } else {
                send(client, answer.data(), static_cast<int>(answer.size()), 0);
            }
            closesocket(client);
        });
    }
    ~OneShotServer() {
        SetEvent(stop_);
        closesocket(listener_);
        thread_.join();
        CloseHandle(stop_);
    }

    HttpTarget target(std::string path = "/Velkor_CurrentVersion.txt") const {
        return {false, "127.0.0.1", static_cast<uint16_t>(port_), std::move(path)};
    }
    const std::string& request() const { return request_; }

  private:
    SOCKET listener_;
    int port_ = 0;
    HANDLE stop_ = CreateEventW(nullptr, TRUE, FALSE, nullptr);
    std::string request_;
    std::thread thread_;
};

class HttpTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        WSADATA data;
        WSAStartup(MAKEWORD(2, 2), &data);
    }
    // Starts the request and waits for its end, as the program's wait would; `took`: how long.
    HttpResult Get(const HttpTarget& target, uint32_t stepMs, uint32_t totalMs = 15000,
                   DWORD* took = nullptr) {
        const DWORD start = GetTickCount();
        std::unique_ptr<HttpRequest> request = http.Get(target, stepMs, totalMs, 4096);
        std::optional<HttpResult> result;
        while (!(result = request->Poll())) Sleep(10);
        if (took) *took = GetTickCount() - start;
        return *result;
    }
    Win32Http http;
};

TEST_F(HttpTest, AnswersComeBackWithTheirStatusAndAtMostTheCap) {
    struct Case {
        std::string answer;
        int status;
        std::string body;
        bool tooLong;
    };
    const Case cases[] = {
        {"HTTP/1.0 404 Not Found\r\n\r\n<HTML>gone</HTML>", 404, "<HTML>gone</HTML>", false},
        {"HTTP/1.0 200 OK\r\n\r\n" + std::string(5000, '7'), 200, std::string(4096, '7'), true},
        {"HTTP/1.0 200 OK\r\nContent-Length: 0\r\n\r\n", 200, "", false},
        {"HTTP/1.0 302 Found\r\nLocation: https://127.0.0.1/v.txt\r\n\r\n", 302, "", false},
    };
    for (const Case& c : cases) {
        OneShotServer server(c.answer);
        HttpResult result = Get(server.target(), 3000);
        EXPECT_EQ(result.kind, HttpResult::Kind::Answered) << c.answer.substr(0, 20);
        EXPECT_EQ(result.status, c.status);
        EXPECT_EQ(result.body, c.body);
        EXPECT_EQ(result.tooLong, c.tooLong);
        // A redirect is not followed: where it leads is the caller's to judge.
        EXPECT_EQ(result.location, c.status == 302 ? "https://127.0.0.1/v.txt" : "");
        EXPECT_EQ(server.request().rfind("GET /Velkor_CurrentVersion.txt HTTP/1.1\r\n", 0), 0u)
            << server.request();
    }
}

TEST_F(HttpTest, ARefusedConnectionFailsAtOnceWithTheSystemsReason) {
    HttpTarget target;
    {
        OneShotServer gone("");  // a port that was just free, now closed
        target = gone.target("/x");
    }
    DWORD took = 0;
    HttpResult result = Get(target, 3000, 15000, &took);
    EXPECT_LT(took, 2000u);
    EXPECT_EQ(result.kind, HttpResult::Kind::Failed);
    EXPECT_EQ(result.error, 12029u);  // cannot connect
    EXPECT_FALSE(result.reason.empty());
}

TEST_F(HttpTest, AServerThatNeverAnswersEndsWithinTheTimeOut) {
    OneShotServer server("", Sends::Nothing);
    DWORD took = 0;
    HttpResult result = Get(server.target(), 1000, 15000, &took);
    EXPECT_EQ(result.kind, HttpResult::Kind::TimedOut);
    EXPECT_GE(took, 900u);
    EXPECT_LT(took, 4000u);
}

// Each byte comes within the step's time-out: only the whole time ends the request. (Headers
// that trickle are cut by the watchdog's close on Windows; Wine's WinINet reads them on.)
TEST_F(HttpTest, AServerThatTricklesItsAnswerEndsWithinTheWholeTime) {
    OneShotServer server("HTTP/1.0 200 OK\r\n\r\n" + std::string(100, '7'), Sends::AByteEvery100ms);
    DWORD took = 0;
    HttpResult result = Get(server.target(), 1000, 2500, &took);
    EXPECT_EQ(result.kind, HttpResult::Kind::TimedOut);
    EXPECT_GE(took, 2500u);
    EXPECT_LT(took, 2500u + 1000u);  // one step past the whole time at most
}

}  // namespace
}  // namespace velkor::win32
