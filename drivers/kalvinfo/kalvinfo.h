/* The board-information library (kalvinfo.dll; here libkalvinfo.so over the
 * board simulator). */
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Fills the parameter record of a board (the caller sets its first dword to
 * the record's size, 250): dword 4 board number, dword 8 interface code
 * (0 local, 1 serial, 2 remote server, 6 TCP/IP), dword 12 board type code,
 * dword 16 I/O address, dword 20 IRQ. 0 when the board exists. */
int16_t kalv_get_board_parameters(int board, void* record);

#ifdef __cplusplus
}
#endif
