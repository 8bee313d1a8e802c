#pragma once
// Commands from scripts between processes: the running copy's main window is marked so that a
// command process finds it (no dialog shares the mark), takes WM_COPYDATA also from a less
// privileged sender, and answers to the command process's own reply window.
#include <windows.h>

#include <optional>

#include "platform/CommandReply.h"

namespace velkor::win32 {

// Marks `main` as the running copy's main window.
void MarkMainWindow(HWND main);
// The running copy's main window in this session; null when there is none.
HWND FindRunningCopy();
// A copy runs somewhere on the machine (it holds the one-copy name), maybe in another session.
bool CopyRunsOnMachine();

// Hands `line` to the running copy and waits for its answer: `ackMs` for the copy to take it,
// `answerMs` for the command to end. Nothing when it was not taken or gave no answer in time.
std::optional<CommandAnswer> SendCommand(HWND main, const std::string& line, DWORD ackMs,
                                         DWORD answerMs);

class Win32CommandReply : public CommandReply {
  public:
    bool Send(uintptr_t replyWindow, const CommandAnswer& answer) override;
};

}  // namespace velkor::win32
