// Exports of the board tools library a_qjx (plain C names, as the IDE and
// other programs bind them by name). Each takes the board type code in the
// low 16 bits of its type argument: 2 Kora-DESK/2, 6 Kora-LINE,
// 7 Mini-TESSERA-4/486, 8 TESSERA-4/486, 16 ZOR-PC, 0x600 ZOR6PCI.
#pragma once
#include "platform/base/windef.h"

struct tagMSG;

#ifdef __cplusplus
extern "C" {
#endif

// Modeless tools: the tool's window (the one already open, if any), or 0.
HWND WINAPI a_qjx_cpu(DWORD type);
HWND WINAPI a_qjx_fpga(DWORD type);
HWND WINAPI a_qjx_memory(DWORD type);
HWND WINAPI a_qjx_task(DWORD type);
HWND WINAPI a_qjx_led(DWORD type);
HWND WINAPI a_qjx_time_date(DWORD type);
HWND WINAPI a_qjx_timer(DWORD type);
HWND WINAPI a_qjx_serial_interface(DWORD type);
HWND WINAPI a_qjx_interrupt(DWORD type);

int32_t WINAPI a_qjx_init(DWORD unused);
// Non-zero when a message belonged to one of the library's tool windows.
int32_t WINAPI a_qjx_filter_msg(tagMSG* msg);
// Installs the Module Device Driver from folder under task: 0 ok, 1 failed.
WORD WINAPI a_qjx_install_mdd(DWORD type, DWORD task, LPCSTR folder);
// The installation-file editor.
void WINAPI a_qjx_ins(DWORD unused);
// Runs an installation file (null: asks for one) with the run flags; 0 =
// success, 519 = no file, else the code of the failure.
WORD WINAPI a_qjx_install(LPCSTR file, WORD flags);
// The EEPROM editor; 1 when the user wants the board reset afterwards.
WORD WINAPI a_qjx_eeprom(DWORD type);
void WINAPI a_qjx_macro(DWORD type);
// Tests the board's interrupt channel: 0 passed, 1 failed.
WORD WINAPI a_qjx_srq_test(DWORD type, DWORD unused);
void WINAPI a_qjx_debugger(DWORD type);
// The board's EEPROM and FPGA text. 0 when it fitted into buffer (of
// *length bytes); 1 with *length set to the size needed, or on failure.
int32_t WINAPI a_qjx_get_board_info_string(int16_t board, int16_t type, DWORD* length, char* buffer);

#ifdef __cplusplus
}
#endif
