// Installing a program image as a task of a board: descriptors, areas and
// the board-side behaviour of the stand-in programs (kernel, communication
// program, module device driver).
#pragma once
#include <cstdint>

#include "drivers/sim/board.h"
#include "drivers/sim/program_image.h"

namespace sim {

constexpr uint16_t kProgramKernel = 0xFF00, kProgramComm = 0xFF01, kProgramMdd = 0x4FF;
constexpr uint32_t kInstallInit = 0x800, kInstallStart = 0x1000;
// Kernel task descriptor: its linear address is task-information dword 0x2C.
constexpr uint32_t kDescriptorPointer = 0x2C;

struct InstallRequest {
  uint16_t task = 0;
  uint16_t program = 0;
  uint16_t interrupt = 0;
  uint32_t flags = 0;
  uint32_t dataSize = 0;
};

void InstallTask(Board& board, const InstallRequest& req, const ProgramImage& image, const char* file);
// Calls a procedure of an installed task (the stand-in programs react to
// their start and stop procedures).
void CallProcedure(Board& board, uint16_t task, uint16_t proc);
// Free RAM of the board (what the installed programs left).
uint32_t FreeRam(const Board& board);

}  // namespace sim
