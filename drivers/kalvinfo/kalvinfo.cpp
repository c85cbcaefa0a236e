// The exported C functions: each one hands over to the simulator.
#include "drivers/kalvinfo/kalvinfo.h"
#include "drivers/sim/kalv_api.h"

extern "C" {

int16_t kalv_get_board_parameters(int board, void* record) { return sim::kalv::kalv_get_board_parameters(board, record); }

}  // extern "C"
