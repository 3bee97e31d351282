#pragma once
// Process-wide values of the running program.
#include <string>

namespace lupendo {

extern std::string AppName;
// True while the program runs for the first time on this machine.
extern bool FirstRun;

// Full path of the executable, and its folder with a trailing backslash.
std::string ProgramPath();
std::string ProgramFolder();

// The system's text for an error code, without trailing blanks and dots.
std::string SystemErrorText(unsigned long code);

}  // namespace lupendo
