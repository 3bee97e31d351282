#pragma once

namespace lupendo {

// Runs the whole program; returns the process exit code.
int RunProgram();

}  // namespace lupendo
