// Installation files run in the installation pass against a fresh
// simulated rack (a TESSERA-4/486 at 0x300, a Kora-DESK/2, a ZOR board).
// File names stay inside a scratch folder that holds a program and an
// operating system file.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "a_qjx/ins_interpreter.h"
#include "drivers/sim/simulator.h"
#include "tests/fuzz/a_qjx_ins/ins_fuzz_lines.h"

namespace {

std::filesystem::path g_scratch;

constexpr const char* kRack =
    "board 0 type=8 address=300\n"
    "board 1 type=2 address=310\n"
    "board 4 type=16 address=340\n";

}  // namespace

extern "C" int LLVMFuzzerInitialize(int*, char***) {
  namespace fs = std::filesystem;
  g_scratch = fs::temp_directory_path() / ("fuzz-ins-" + std::to_string(::getpid()));
  fs::create_directories(g_scratch);
  std::ofstream(g_scratch / "P.EXE") << "KALVEN-SIM-PROGRAM\nprocedures=4\nparams=64\n";
  std::ofstream(g_scratch / "QJ8-OS.10R") << "os";
  std::atexit([] {
    std::error_code ec;
    std::filesystem::remove_all(g_scratch, ec);
  });
  return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::string text(reinterpret_cast<const char*>(data), size);
  for (char& c : text)
    if (c == '/' || c == '\\') c = '_';
  const std::filesystem::path home = std::filesystem::current_path();
  std::filesystem::current_path(g_scratch);
  sim::Simulator::Instance().Configure(kRack);
  {
    InsInterpreter interpreter(kInsExecute | kInsFlashFileOk);
    CString help, answer, result;
    for (const std::string& line : InsFuzzLines(text))
      if (interpreter.ParseLine(line.c_str(), TRUE, help, answer, result) == kLineError) break;
  }
  std::filesystem::current_path(home);
  return 0;
}
