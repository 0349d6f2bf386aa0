#pragma once
// Fatal start-up failures: message, console pause, exit status -1.

#include <string>

// Prints the prompt and waits for Enter; end of input ends the wait at once.
void pauseConsole();
// Writes the message line, pauses, and ends the process with status -1.
[[noreturn]] void fatalExit(const std::string& message);
