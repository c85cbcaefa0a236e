// Ending the process with an exit code: the one way the system does it.
// Linux keeps the low 8 bits of the code, so ExitProcess((UINT)-1) ends
// with status 255.
#pragma once

#include <exception>
#include <functional>

#include "platform/base/windef.h"

// Writes the registry's pending changes, flushes the standard streams and
// ends the process at once (other threads are not waited for). A handler
// installed by a test runs first; a handler that returns does not stop
// the exit.
[[noreturn]] void ExitProcess(UINT uExitCode);

namespace plat {

// What a test's exit handler usually throws. code keeps the value given,
// as a signed number (-1 stays -1).
struct ProcessExit : std::exception {
  explicit ProcessExit(int c) : code(c) {}
  const char* what() const noexcept override { return "ExitProcess"; }
  int code;
};

// Installs (or, with an empty function, removes) the handler.
void SetExitProcessHandler(std::function<void(int)> handler);

// The status a code gives on Linux: its low 8 bits.
int ExitStatusOf(UINT code);

}  // namespace plat
