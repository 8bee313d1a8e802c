#pragma once
// Writes the start-up marks to the debugger output as "Velkor start-up: 123.4 ms step", the
// time counted from the creation of the process (so the system's loading of the program and
// its DLLs is in the first figure). Under Wine, WINEDEBUG=+debugstr shows them.
namespace velkor::win32 {

void WriteStartupMarks();

}  // namespace velkor::win32
