// The I/O ports of a board as its software sees them: the interrupt
// controllers, the interrupt test trigger and the Kora-DESK/2 serial line of
// the QJ boards; every other port keeps the last byte written (0xFF before).
// Shared by the driver's port calls and the board's CPU.
#pragma once
#include <cstdint>

#include "drivers/sim/board.h"

namespace sim {

class Simulator;

uint8_t ReadBoardPort(Board& board, uint16_t port);
void WriteBoardPort(Simulator& sim, Board& board, uint16_t port, uint8_t value);

}  // namespace sim
