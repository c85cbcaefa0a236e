// A program file on the host, as the board's loader sees it. Board-side
// programs are stood in for by small descriptor files:
//
//   KALVEN-SIM-PROGRAM
//   role=kernel          (kernel, comm, mdd, os or user)
//   program=FF00         (hex)
//   procedures=4
//   params=13568         (parameter area, bytes)
//   data=0               (data area, bytes)
//   processor=4 language=5 type=1 (one key per line)
//
// Any other readable file is a user program with default areas; an MZ
// executable keeps its image for the board's CPU (a malformed one is a
// read error).
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct ProgramImage {
  std::string role = "user";
  uint16_t program = 0;  // 0: the installer's number is used
  uint16_t procedures = 2;
  uint32_t paramSize = 256;
  uint32_t dataSize = 0;
  uint8_t processor = 4, coprocessor = 0, language = 5, programType = 1;
  std::vector<uint8_t> bytes;  // the whole file
  bool executable = false;     // "MZ" image
  uint16_t dosDate = 0, dosTime = 0;
};

enum class ImageStatus { Ok, NotFound, ReadError };

// Host path from a board-tool path: "\" separators become "/".
std::string HostPath(const std::string& path);
ImageStatus LoadProgramImage(const std::string& path, ProgramImage* out);

}  // namespace sim
