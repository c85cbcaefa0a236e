// Board information: what the rack holds and how each board is connected.
#include "drivers/kalvinfo/kalvinfo.h"

#include <cstring>

#include "drivers/sim/simulator.h"

namespace sim {

extern "C" {  // the exported functions

int16_t kalv_get_board_parameters(int board, void* record) {
  DriverCall c("kalv_get_board_parameters", FormatArgs(board, record), DriverCall::Info);
  if (c.Faulted() || !record || board < 0 || board > 99) return c.Result(int16_t(1));
  Board* b = c.sim().FindBoard(uint16_t(board));
  if (!b) return c.Result(int16_t(1));
  auto* r = static_cast<uint8_t*>(record);
  uint32_t size;
  std::memcpy(&size, r, 4);
  if (size < 24) return c.Result(int16_t(1));
  uint32_t v[5] = {uint32_t(board), b->interfaceCode, b->type, b->ioAddress, b->irq};
  std::memcpy(r + 4, v, sizeof v);
  return c.Result(int16_t(0));
}

}  // extern "C"

}  // namespace sim
