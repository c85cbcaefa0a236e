// Helpers of the shell-core tests: message boxes seen, intercepted process
// exits, files in a fresh folder.
#pragma once

#include <string>
#include <utility>
#include <vector>

namespace core_test {

// (caption, text) of every message box shown since the last ClearBoxes.
using Boxes = std::vector<std::pair<std::string, std::string>>;
Boxes ShownBoxes();
void ClearBoxes();

// While alive, ExitProcess throws instead of ending the test program.
class ExitTrap {
 public:
  ExitTrap();
  ~ExitTrap();
};

// Runs the action; the exit code it ended the process with, or nothing.
template <class F>
bool EndsProcess(F&& action, int* code);

// Writes bytes into a new file of a fresh folder; returns its path.
std::string NewFile(const std::string& name, const std::string& bytes);

// The bytes of a literal, embedded NULs included.
template <size_t N>
std::string Bytes(const char (&literal)[N]) {
  return std::string(literal, N - 1);
}

// CR LF after every line.
std::string CrLf(const std::vector<std::string>& lines);

}  // namespace core_test

#include "platform/sys/process_exit.h"

template <class F>
bool core_test::EndsProcess(F&& action, int* code) {
  try {
    action();
  } catch (const plat::ProcessExit& e) {
    if (code) *code = e.code;
    return true;
  }
  return false;
}
