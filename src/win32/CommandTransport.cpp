#include "win32/CommandTransport.h"

#include "win32/Handles.h"
#include "win32/SystemDll.h"

namespace velkor::win32 {
namespace {

constexpr wchar_t kMainMark[] = L"Velkor.MainWindow";
constexpr wchar_t kReplyClass[] = L"VelkorCommandReply";

bool SendCopyData(HWND to, HWND from, uintptr_t tag, const std::string& bytes, DWORD ms,
                  DWORD_PTR& result) {
    COPYDATASTRUCT data{tag, static_cast<DWORD>(bytes.size()), const_cast<char*>(bytes.data())};
    return SendMessageTimeoutW(to, WM_COPYDATA, reinterpret_cast<WPARAM>(from),
                               reinterpret_cast<LPARAM>(&data), SMTO_ABORTIFHUNG, ms, &result) != 0;
}

// The reply window's procedure: keeps the answer that comes.
LRESULT CALLBACK ReplyProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_COPYDATA) {
        const auto* data = reinterpret_cast<const COPYDATASTRUCT*>(lParam);
        auto* answer = reinterpret_cast<std::optional<CommandAnswer>*>(
            GetWindowLongPtrW(window, GWLP_USERDATA));
        if (data && answer && data->dwData == kReplyTag) {
            *answer = DecodeAnswer(
                std::string_view(static_cast<const char*>(data->lpData), data->cbData));
            return TRUE;
        }
    }
    return DefWindowProcW(window, message, wParam, lParam);
}

}  // namespace

void MarkMainWindow(HWND main) {
    SetPropW(main, kMainMark, reinterpret_cast<HANDLE>(1));
    LetThrough(main, WM_COPYDATA);  // from a command of a less privileged prompt
}

HWND FindRunningCopy() {
    for (HWND w = FindWindowExW(nullptr, nullptr, L"VelkorForm", nullptr); w;
         w = FindWindowExW(nullptr, w, L"VelkorForm", nullptr)) {
        if (GetPropW(w, kMainMark)) return w;
    }
    return nullptr;
}

bool CopyRunsOnMachine() {
    UniqueKernelHandle name(OpenMutexW(SYNCHRONIZE, FALSE, L"Global\\Velkor.SingleInstance"));
    return name || GetLastError() == ERROR_ACCESS_DENIED;
}

std::optional<CommandAnswer> SendCommand(HWND main, const std::string& line, DWORD ackMs,
                                         DWORD answerMs) {
    HINSTANCE instance = GetModuleHandleW(nullptr);
    WNDCLASSW type{};
    type.lpfnWndProc = ReplyProc;
    type.hInstance = instance;
    type.lpszClassName = kReplyClass;
    RegisterClassW(&type);
    UniqueWindow reply(CreateWindowExW(0, kReplyClass, L"", 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                                       instance, nullptr));
    if (!reply) return std::nullopt;
    std::optional<CommandAnswer> answer;
    SetWindowLongPtrW(reply.get(), GWLP_USERDATA, reinterpret_cast<LONG_PTR>(&answer));
    LetThrough(reply.get(), WM_COPYDATA);  // from an elevated copy
    // The running copy may bring its password prompt to the front.
    DWORD process = 0;
    GetWindowThreadProcessId(main, &process);
    AllowSetForegroundWindow(process);

    const std::string request = EncodeRequest({reinterpret_cast<uintptr_t>(reply.get()), line});
    DWORD_PTR taken = 0;
    if (!SendCopyData(main, reply.get(), kCommandTag, request, ackMs, taken) || !taken) {
        return std::nullopt;
    }
    const DWORD start = GetTickCount();
    while (!answer) {
        const DWORD waited = GetTickCount() - start;
        if (waited >= answerMs || !IsWindow(main)) break;
        MsgWaitForMultipleObjects(0, nullptr, FALSE, answerMs - waited, QS_ALLINPUT);
        MSG message;
        while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    }
    // A copy that ended answered first: the answer is in already.
    MSG message;
    while (!answer && PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageW(&message);
    return answer;
}

bool Win32CommandReply::Send(uintptr_t replyWindow, const CommandAnswer& answer) {
    HWND to = reinterpret_cast<HWND>(replyWindow);
    if (!IsWindow(to)) return false;
    DWORD_PTR done = 0;
    return SendCopyData(to, nullptr, kReplyTag, EncodeAnswer(answer), 5000, done) && done;
}

}  // namespace velkor::win32
