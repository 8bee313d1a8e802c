#include "win32/Win32Http.h"

#include <windows.h>
// after windows.h
#include <wininet.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <memory>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

#include "program/Program.h"
#include "win32/SystemDll.h"
#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

// WinINet's functions, found in the system's DLL when the first check is made.
struct WinInet {
    decltype(&InternetOpenW) open = nullptr;
    decltype(&InternetSetOptionW) setOption = nullptr;
    decltype(&InternetConnectW) connect = nullptr;
    decltype(&HttpOpenRequestW) openRequest = nullptr;
    decltype(&HttpSendRequestW) sendRequest = nullptr;
    decltype(&HttpQueryInfoW) queryInfo = nullptr;
    decltype(&InternetQueryDataAvailable) dataAvailable = nullptr;
    decltype(&InternetReadFile) readFile = nullptr;
    decltype(&InternetCloseHandle) closeHandle = nullptr;
    std::string failure;  // why one of them is missing, in words; empty when all are there
};

const WinInet& Api() {
    static const WinInet api = [] {
        WinInet found;
        SystemDll& dll = WinInetDll();
        std::string& why = found.failure;
        found.open = dll.Find<decltype(InternetOpenW)>("InternetOpenW", why);
        found.setOption = dll.Find<decltype(InternetSetOptionW)>("InternetSetOptionW", why);
        found.connect = dll.Find<decltype(InternetConnectW)>("InternetConnectW", why);
        found.openRequest = dll.Find<decltype(HttpOpenRequestW)>("HttpOpenRequestW", why);
        found.sendRequest = dll.Find<decltype(HttpSendRequestW)>("HttpSendRequestW", why);
        found.queryInfo = dll.Find<decltype(HttpQueryInfoW)>("HttpQueryInfoW", why);
        found.dataAvailable =
            dll.Find<decltype(InternetQueryDataAvailable)>("InternetQueryDataAvailable", why);
        found.readFile = dll.Find<decltype(InternetReadFile)>("InternetReadFile", why);
        found.closeHandle = dll.Find<decltype(InternetCloseHandle)>("InternetCloseHandle", why);
        return found;
    }();
    return api;
}

// A request's WinINet handles. Its thread makes them; a watchdog closes them once the request's
// whole time is up, which is how WinINet cuts a blocking call short from another thread (a
// server that sends a byte now and then would otherwise keep a call, and the thread, going).
class RequestHandles {
  public:
    // Takes `handle` on; nothing (and the handle closed) once the watchdog has closed the rest.
    HINTERNET Keep(HINTERNET handle) {
        std::lock_guard<std::mutex> hold(lock_);
        if (handle && closed_) Api().closeHandle(handle);
        if (!handle || closed_) return nullptr;
        open_.push_back(handle);
        return handle;
    }
    // Closes them all, the newest first; later calls do nothing. True for the call that closed.
    bool CloseAll() {
        std::lock_guard<std::mutex> hold(lock_);
        if (closed_) return false;
        closed_ = true;
        for (auto it = open_.rbegin(); it != open_.rend(); ++it) Api().closeHandle(*it);
        open_.clear();
        return true;
    }
    bool closed() {
        std::lock_guard<std::mutex> hold(lock_);
        return closed_;
    }

  private:
    std::mutex lock_;
    std::vector<HINTERNET> open_;
    bool closed_ = false;
};

std::string WinInetMessage(DWORD code) {
    wchar_t* buffer = nullptr;
    DWORD length = FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_HMODULE |
                                      FORMAT_MESSAGE_IGNORE_INSERTS,
                                  GetModuleHandleW(L"wininet.dll"), code, 0,
                                  reinterpret_cast<wchar_t*>(&buffer), 0, nullptr);
    std::wstring text = length && buffer ? std::wstring(buffer, length) : std::wstring();
    if (buffer) LocalFree(buffer);
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text.empty() ? SystemMessage(code) : Narrow(text);
}

HttpResult NoAnswerAfter(DWORD code, bool waitedItsTime) {
    HttpResult result;
    // Some WinINets report a receive time-out as an aborted connection; the time it took
    // tells the two apart.
    const bool timedOut = code == ERROR_INTERNET_TIMEOUT ||
                          (code == ERROR_INTERNET_CONNECTION_ABORTED && waitedItsTime);
    result.kind = timedOut ? HttpResult::Kind::TimedOut : HttpResult::Kind::Failed;
    result.error = code;
    result.reason = WinInetMessage(code);
    return result;
}

// The request's own thread runs it to its end; the program looks at the result when it likes,
// or drops the request and lets the thread finish on its own, within the request's whole time.
struct Shared {
    std::mutex lock;
    bool done = false;
    HttpResult result;
    std::atomic<bool> abandoned{false};
    RequestHandles handles;
    std::condition_variable finished;  // tells the watchdog that the thread is done
};

// The watchdog closes the handles this long after the whole time, so that it only ever cuts a
// call short that is under way: the thread itself stops between calls once the time is up.
constexpr DWORD kWatchdogGraceMs = 1000;

HttpResult Fetch(const HttpTarget& target, uint32_t stepMs, uint32_t totalMs, size_t maxBody,
                 Shared& shared) {
    const DWORD start = GetTickCount();
    auto NoAnswer = [&](DWORD code) {
        if (shared.handles.closed()) code = ERROR_INTERNET_TIMEOUT;  // cut short by the watchdog
        return NoAnswerAfter(code, GetTickCount() - start >= stepMs);
    };
    RequestHandles& handles = shared.handles;
    HINTERNET session = handles.Keep(Api().open(Widen(std::string(program::kTitle)).c_str(),
                                                INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return NoAnswer(GetLastError());
    // Set on every handle: each one takes its own from the one it came from when it is made,
    // and not every WinINet honours the session's for a request.
    auto bound = [stepMs](HINTERNET handle) {
        DWORD wait = stepMs;
        for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT}) {
            Api().setOption(handle, option, &wait, sizeof wait);
        }
    };
    bound(session);
    HINTERNET connection =
        handles.Keep(Api().connect(session, Widen(target.host).c_str(), target.port, nullptr,
                                   nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return NoAnswer(GetLastError());
    bound(connection);
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                  INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE |
                  INTERNET_FLAG_NO_AUTO_REDIRECT;
    if (target.secure) flags |= INTERNET_FLAG_SECURE;
    HINTERNET request = handles.Keep(Api().openRequest(
        connection, L"GET", Widen(target.path).c_str(), nullptr, nullptr, nullptr, flags, 0));
    if (!request) return NoAnswer(GetLastError());
    bound(request);
    if (!Api().sendRequest(request, nullptr, 0, nullptr, 0)) return NoAnswer(GetLastError());

    HttpResult result;
    result.kind = HttpResult::Kind::Answered;
    DWORD status = 0, size = sizeof status;
    if (Api().queryInfo(request, HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status, &size,
                        nullptr)) {
        result.status = static_cast<int>(status);
    }
    wchar_t location[2048];
    DWORD locationSize = sizeof location;
    if (status >= 300 && status < 400 &&
        Api().queryInfo(request, HTTP_QUERY_LOCATION, location, &locationSize, nullptr)) {
        result.location = Narrow(std::wstring(location, locationSize / sizeof(wchar_t)));
    }
    char buffer[1024];
    for (;;) {
        // A server that sends a byte now and then is still bounded by the whole time: each wait
        // is for what has come, at most one step long.
        if (shared.abandoned || GetTickCount() - start >= totalMs) {
            return {HttpResult::Kind::TimedOut, 0, {}, false, ERROR_INTERNET_TIMEOUT};
        }
        DWORD available = 0;
        if (!Api().dataAvailable(request, &available, 0, 0)) return NoAnswer(GetLastError());
        DWORD read = 0;
        if (available > 0 &&
            !Api().readFile(request, buffer, std::min<DWORD>(available, sizeof buffer), &read)) {
            return NoAnswer(GetLastError());
        }
        if (read == 0) break;
        size_t room = maxBody - result.body.size();
        result.body.append(buffer, std::min<size_t>(read, room));
        if (read > room) {  // a version file is a few bytes: more is not one
            result.tooLong = true;
            break;
        }
    }
    return result;
}

class Win32HttpRequest : public HttpRequest {
  public:
    explicit Win32HttpRequest(std::shared_ptr<Shared> shared) : shared_(std::move(shared)) {}
    ~Win32HttpRequest() override { shared_->abandoned = true; }
    std::optional<HttpResult> Poll() override {
        std::lock_guard<std::mutex> hold(shared_->lock);
        if (!shared_->done) return std::nullopt;
        return shared_->result;
    }

  private:
    std::shared_ptr<Shared> shared_;
};

}  // namespace

std::unique_ptr<HttpRequest> Win32Http::Get(const HttpTarget& target, uint32_t stepMs,
                                            uint32_t totalMs, size_t maxBody) {
    auto shared = std::make_shared<Shared>();
    // The request runs on a thread of its own, which the program may stop waiting for; a
    // watchdog ends it by closing its handles once its whole time is up. WinINet is loaded there
    // too: the windows go on answering while the system loads it the first time.
    std::thread([shared, target, stepMs, totalMs, maxBody] {
        HttpResult result =
            Api().failure.empty()  // without WinINet the check fails, and says why
                ? Fetch(target, stepMs, totalMs, maxBody, *shared)
                : HttpResult{HttpResult::Kind::Failed, 0, {}, false, 0, Api().failure};
        shared->handles.CloseAll();
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->result = std::move(result);
        shared->done = true;
        shared->finished.notify_all();
    }).detach();
    std::thread([shared, totalMs] {
        std::unique_lock<std::mutex> hold(shared->lock);
        const auto limit = std::chrono::milliseconds(totalMs + kWatchdogGraceMs);
        if (shared->finished.wait_for(hold, limit, [&] { return shared->done; })) return;
        hold.unlock();
        shared->handles.CloseAll();
    }).detach();
    return std::make_unique<Win32HttpRequest>(std::move(shared));
}

}  // namespace velkor::win32
