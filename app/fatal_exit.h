#pragma once
// Fatal start-up failures: message, console pause (unless turned off), exit status -1.

#include <string>

// Prints the prompt and waits for Enter; end of input ends the wait at once.
void pauseConsole();
// Writes the message line, pauses (unless turned off), and ends the process with status -1.
[[noreturn]] void fatalExit(const std::string& message);
// Whether fatalExit pauses; on by default, so that a console opened for the game stays readable.
// Tools run from scripts turn it off: nobody is there to press Enter.
void setFatalPause(bool pause);
