// The ZOR driver operations of the simulator, under the driver's names.
#pragma once
#include "drivers/dovi32/dovi32.h"

namespace sim::zor {

uint16_t zor_init_lib(uint16_t flags);
uint16_t zor_board_reacting(uint16_t board);
uint16_t zor_reacting(uint32_t handle);
void zor_clear_error(void);
uint16_t zor_get_error_message(uint16_t code, uint16_t* severity, char* buffer);
uint16_t zor_reset_board(uint16_t board, uint16_t timeout);
uint16_t zor_get_module_info(uint16_t board, uint16_t slot, uint16_t layer, ZOR_MODULE_INFO* info);
uint16_t zor_get_board_info(uint16_t board, ZOR_BOARD_INFO* info);
uint16_t zor_open_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode);
uint16_t zor_close_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode);
uint16_t zor_read_eeprom_area(uint16_t board, uint16_t slot, uint16_t layer, uint16_t area, uint16_t offset, uint16_t length, void* dest, uint16_t flags);
uint16_t zor_read_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t offset, uint16_t length, void* dest);
uint16_t zor_get_remote_board_parameters(uint16_t board, void* params, void* out);
uint16_t zor_connect_cpu(uint16_t board, uint16_t slot, uint16_t layer, uint32_t* info, uint32_t* handle);
uint16_t zor_exit_cpu(uint32_t* handle);
uint16_t zor_set_service(uint32_t handle, ZOR_SERVICE service);
uint16_t zor_load_vantor(uint32_t handle, const char* file);
uint16_t zor_load_mdd(uint32_t handle, uint16_t slot, uint16_t layer, uint16_t zero, uint16_t program, uint16_t* out2, uint16_t* out1);
uint16_t zor_transfer_and_install(uint32_t handle, ZOR_INSTALL_RECORD* record, uint16_t* task);
uint16_t zor_call_proc(uint32_t handle, uint16_t task, uint16_t proc);
uint16_t zor_wakeup_ni_task(uint32_t handle, uint16_t task, uint16_t count);
uint16_t zor_get_func_block_sizes(uint32_t handle, uint16_t* largestIn, uint16_t* largestOut);
uint16_t zor_call_func(uint32_t handle, uint16_t task, uint16_t func, uint16_t* length, const void* request, uint16_t* answerLength, void* answer);
uint16_t zor_get_task_number_prog(uint32_t handle, uint16_t program, uint16_t* task, uint16_t* count);
uint16_t zor_task_info(uint32_t handle, uint16_t task, uint16_t index, void* buffer);
uint16_t zor_get_installed_tasks(uint32_t handle, uint8_t* bitmap);
uint16_t zor_read_memory(uint32_t handle, uint32_t address, uint32_t* length, void* dest);
uint16_t zor_write_memory(uint32_t handle, uint32_t address, uint32_t* length, const void* src);
uint16_t zor_read_io_byte(uint32_t handle, uint16_t port, uint8_t* value);
uint16_t zor_read_io_word(uint32_t handle, uint16_t port, uint16_t* value);
uint16_t zor_write_io_byte(uint32_t handle, uint16_t port, uint8_t value);
uint16_t zor_write_io_word(uint32_t handle, uint16_t port, uint16_t value);
uint16_t zor_read_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length, void* buffer);
uint16_t zor_write_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length, const void* data);

}  // namespace sim::zor
