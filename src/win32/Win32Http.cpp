#include "win32/Win32Http.h"

#include <windows.h>
// after windows.h
#include <wininet.h>

#include <atomic>
#include <memory>
#include <mutex>
#include <string>
#include <thread>

#include "program/Program.h"
#include "win32/Handles.h"
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
        found.readFile = dll.Find<decltype(InternetReadFile)>("InternetReadFile", why);
        found.closeHandle = dll.Find<decltype(InternetCloseHandle)>("InternetCloseHandle", why);
        return found;
    }();
    return api;
}

// WinINet's handles close with InternetCloseHandle.
struct InternetTraits {
    using Handle = HINTERNET;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { Api().closeHandle(h); }
};
using InternetHandle = UniqueHandle<InternetTraits>;

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
// or drops the request and lets the thread finish on its own.
struct Shared {
    std::mutex lock;
    bool done = false;
    HttpResult result;
    std::atomic<bool> abandoned{false};
};

HttpResult Fetch(const HttpTarget& target, uint32_t stepMs, uint32_t totalMs, size_t maxBody,
                 const std::atomic<bool>& abandoned) {
    const DWORD start = GetTickCount();
    auto NoAnswer = [&](DWORD code) {
        return NoAnswerAfter(code, GetTickCount() - start >= stepMs);
    };
    InternetHandle session(Api().open(Widen(std::string(program::kTitle)).c_str(),
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
    bound(session.get());
    InternetHandle connection(Api().connect(session.get(), Widen(target.host).c_str(), target.port,
                                            nullptr, nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return NoAnswer(GetLastError());
    bound(connection.get());
    DWORD flags = INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
                  INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE |
                  INTERNET_FLAG_NO_AUTO_REDIRECT;
    if (target.secure) flags |= INTERNET_FLAG_SECURE;
    InternetHandle request(Api().openRequest(connection.get(), L"GET", Widen(target.path).c_str(),
                                             nullptr, nullptr, nullptr, flags, 0));
    if (!request) return NoAnswer(GetLastError());
    bound(request.get());
    if (!Api().sendRequest(request.get(), nullptr, 0, nullptr, 0)) return NoAnswer(GetLastError());

    HttpResult result;
    result.kind = HttpResult::Kind::Answered;
    DWORD status = 0, size = sizeof status;
    if (Api().queryInfo(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                        &size, nullptr)) {
        result.status = static_cast<int>(status);
    }
    wchar_t location[2048];
    DWORD locationSize = sizeof location;
    if (status >= 300 && status < 400 &&
        Api().queryInfo(request.get(), HTTP_QUERY_LOCATION, location, &locationSize, nullptr)) {
        result.location = Narrow(std::wstring(location, locationSize / sizeof(wchar_t)));
    }
    char buffer[1024];
    for (;;) {
        // A server that sends a byte now and then is still bounded by the whole time.
        if (abandoned || GetTickCount() - start >= totalMs) {
            return {HttpResult::Kind::TimedOut, 0, {}, false, ERROR_INTERNET_TIMEOUT};
        }
        DWORD read = 0;
        if (!Api().readFile(request.get(), buffer, sizeof buffer, &read)) {
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
    if (!Api().failure.empty()) {  // no WinINet: the check fails, and says why
        shared->result = {HttpResult::Kind::Failed, 0, {}, false, 0, Api().failure};
        shared->done = true;
        return std::make_unique<Win32HttpRequest>(std::move(shared));
    }
    // WinINet cannot be interrupted once a call blocks (closing its handle does not wake it), so
    // the request runs on a thread of its own, which is left to end by its time-outs when the
    // program stops waiting for it.
    std::thread([shared, target, stepMs, totalMs, maxBody] {
        HttpResult result = Fetch(target, stepMs, totalMs, maxBody, shared->abandoned);
        std::lock_guard<std::mutex> hold(shared->lock);
        shared->result = std::move(result);
        shared->done = true;
    }).detach();
    return std::make_unique<Win32HttpRequest>(std::move(shared));
}

}  // namespace velkor::win32
