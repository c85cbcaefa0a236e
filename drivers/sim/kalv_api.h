// The board-information operations of the simulator, under the library's names.
#pragma once
#include "drivers/kalvinfo/kalvinfo.h"

namespace sim::kalv {

int16_t kalv_get_board_parameters(int board, void* record);

}  // namespace sim::kalv
