#include "win32/Win32Http.h"

#include <windows.h>
// after windows.h
#include <wininet.h>

#include <string>

#include "app/Program.h"
#include "win32/Utf.h"

namespace velkor::win32 {
namespace {

// WinINet's handles close with InternetCloseHandle.
class InternetHandle {
  public:
    explicit InternetHandle(HINTERNET handle) : handle_(handle) {}
    ~InternetHandle() {
        if (handle_) InternetCloseHandle(handle_);
    }
    InternetHandle(const InternetHandle&) = delete;
    InternetHandle& operator=(const InternetHandle&) = delete;
    HINTERNET get() const { return handle_; }
    explicit operator bool() const { return handle_ != nullptr; }

  private:
    HINTERNET handle_;
};

// The wait cursor while the request runs; the arrow again however it ends.
class WaitCursor {
  public:
    WaitCursor() : previous_(SetCursor(LoadCursorW(nullptr, IDC_WAIT))) {}
    ~WaitCursor() { SetCursor(previous_ ? previous_ : LoadCursorW(nullptr, IDC_ARROW)); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

  private:
    HCURSOR previous_;
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

}  // namespace

HttpResult Win32Http::Get(const std::string& host, const std::string& path, uint32_t timeoutMs,
                          size_t maxBody) {
    WaitCursor busy;
    const DWORD start = GetTickCount();
    auto NoAnswer = [&](DWORD code) {
        return NoAnswerAfter(code, GetTickCount() - start >= timeoutMs);
    };
    std::wstring server = Widen(host);
    INTERNET_PORT port = INTERNET_DEFAULT_HTTP_PORT;
    if (size_t colon = server.rfind(L':'); colon != std::wstring::npos) {
        port = static_cast<INTERNET_PORT>(std::wcstoul(server.c_str() + colon + 1, nullptr, 10));
        server.resize(colon);
    }
    InternetHandle session(InternetOpenW(Widen(std::string(program::kTitle)).c_str(),
                                         INTERNET_OPEN_TYPE_PRECONFIG, nullptr, nullptr, 0));
    if (!session) return NoAnswer(GetLastError());
    // Set on every handle: each one takes its own from the one it came from when it is made,
    // and not every WinINet honours the session's for a request.
    auto bound = [timeoutMs](HINTERNET handle) {
        DWORD wait = timeoutMs;
        for (DWORD option : {INTERNET_OPTION_CONNECT_TIMEOUT, INTERNET_OPTION_SEND_TIMEOUT,
                             INTERNET_OPTION_RECEIVE_TIMEOUT}) {
            InternetSetOptionW(handle, option, &wait, sizeof wait);
        }
    };
    bound(session.get());
    InternetHandle connection(InternetConnectW(session.get(), server.c_str(), port, nullptr,
                                               nullptr, INTERNET_SERVICE_HTTP, 0, 0));
    if (!connection) return NoAnswer(GetLastError());
    bound(connection.get());
    InternetHandle request(HttpOpenRequestW(
        connection.get(), L"GET", Widen(path).c_str(), nullptr, nullptr, nullptr,
        INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES |
            INTERNET_FLAG_NO_UI | INTERNET_FLAG_PRAGMA_NOCACHE,
        0));
    if (!request) return NoAnswer(GetLastError());
    bound(request.get());
    if (!HttpSendRequestW(request.get(), nullptr, 0, nullptr, 0)) return NoAnswer(GetLastError());

    HttpResult result;
    result.kind = HttpResult::Kind::Answered;
    DWORD status = 0, size = sizeof status;
    if (HttpQueryInfoW(request.get(), HTTP_QUERY_STATUS_CODE | HTTP_QUERY_FLAG_NUMBER, &status,
                       &size, nullptr)) {
        result.status = static_cast<int>(status);
    }
    char buffer[1024];
    for (;;) {
        DWORD read = 0;
        if (!InternetReadFile(request.get(), buffer, sizeof buffer, &read)) {
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

}  // namespace velkor::win32
