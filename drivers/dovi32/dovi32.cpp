// The exported C functions: each one hands over to the simulator.
#include "drivers/dovi32/dovi32.h"
#include "drivers/sim/zor_api.h"

extern "C" {

uint16_t zor_init_lib(uint16_t flags) { return sim::zor::zor_init_lib(flags); }
uint16_t zor_board_reacting(uint16_t board) { return sim::zor::zor_board_reacting(board); }
uint16_t zor_reacting(uint32_t handle) { return sim::zor::zor_reacting(handle); }
void zor_clear_error(void) { sim::zor::zor_clear_error(); }
uint16_t zor_get_error_message(uint16_t code, uint16_t* severity, char* buffer) { return sim::zor::zor_get_error_message(code, severity, buffer); }
uint16_t zor_reset_board(uint16_t board, uint16_t timeout) { return sim::zor::zor_reset_board(board, timeout); }
uint16_t zor_get_module_info(uint16_t board, uint16_t slot, uint16_t layer, ZOR_MODULE_INFO* info) { return sim::zor::zor_get_module_info(board, slot, layer, info); }
uint16_t zor_get_board_info(uint16_t board, ZOR_BOARD_INFO* info) { return sim::zor::zor_get_board_info(board, info); }
uint16_t zor_open_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode) { return sim::zor::zor_open_eeprom(board, slot, layer, mode); }
uint16_t zor_close_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode) { return sim::zor::zor_close_eeprom(board, slot, layer, mode); }
uint16_t zor_read_eeprom_area(uint16_t board, uint16_t slot, uint16_t layer, uint16_t area, uint16_t offset, uint16_t length, void* dest, uint16_t flags) { return sim::zor::zor_read_eeprom_area(board, slot, layer, area, offset, length, dest, flags); }
uint16_t zor_read_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t offset, uint16_t length, void* dest) { return sim::zor::zor_read_eeprom(board, slot, layer, offset, length, dest); }
uint16_t zor_get_remote_board_parameters(uint16_t board, void* params, void* out) { return sim::zor::zor_get_remote_board_parameters(board, params, out); }
uint16_t zor_connect_cpu(uint16_t board, uint16_t slot, uint16_t layer, uint32_t* info, uint32_t* handle) { return sim::zor::zor_connect_cpu(board, slot, layer, info, handle); }
uint16_t zor_exit_cpu(uint32_t* handle) { return sim::zor::zor_exit_cpu(handle); }
uint16_t zor_set_service(uint32_t handle, ZOR_SERVICE service) { return sim::zor::zor_set_service(handle, service); }
uint16_t zor_load_vantor(uint32_t handle, const char* file) { return sim::zor::zor_load_vantor(handle, file); }
uint16_t zor_load_mdd(uint32_t handle, uint16_t slot, uint16_t layer, uint16_t zero, uint16_t program, uint16_t* out2, uint16_t* out1) { return sim::zor::zor_load_mdd(handle, slot, layer, zero, program, out2, out1); }
uint16_t zor_transfer_and_install(uint32_t handle, ZOR_INSTALL_RECORD* record, uint16_t* task) { return sim::zor::zor_transfer_and_install(handle, record, task); }
uint16_t zor_call_proc(uint32_t handle, uint16_t task, uint16_t proc) { return sim::zor::zor_call_proc(handle, task, proc); }
uint16_t zor_wakeup_ni_task(uint32_t handle, uint16_t task, uint16_t count) { return sim::zor::zor_wakeup_ni_task(handle, task, count); }
uint16_t zor_get_func_block_sizes(uint32_t handle, uint16_t* largestIn, uint16_t* largestOut) { return sim::zor::zor_get_func_block_sizes(handle, largestIn, largestOut); }
uint16_t zor_call_func(uint32_t handle, uint16_t task, uint16_t func, uint16_t* length, const void* request, uint16_t* answerLength, void* answer) { return sim::zor::zor_call_func(handle, task, func, length, request, answerLength, answer); }
uint16_t zor_get_task_number_prog(uint32_t handle, uint16_t program, uint16_t* task, uint16_t* count) { return sim::zor::zor_get_task_number_prog(handle, program, task, count); }
uint16_t zor_task_info(uint32_t handle, uint16_t task, uint16_t index, void* buffer) { return sim::zor::zor_task_info(handle, task, index, buffer); }
uint16_t zor_get_installed_tasks(uint32_t handle, uint8_t* bitmap) { return sim::zor::zor_get_installed_tasks(handle, bitmap); }
uint16_t zor_read_memory(uint32_t handle, uint32_t address, uint32_t* length, void* dest) { return sim::zor::zor_read_memory(handle, address, length, dest); }
uint16_t zor_write_memory(uint32_t handle, uint32_t address, uint32_t* length, const void* src) { return sim::zor::zor_write_memory(handle, address, length, src); }
uint16_t zor_read_io_byte(uint32_t handle, uint16_t port, uint8_t* value) { return sim::zor::zor_read_io_byte(handle, port, value); }
uint16_t zor_read_io_word(uint32_t handle, uint16_t port, uint16_t* value) { return sim::zor::zor_read_io_word(handle, port, value); }
uint16_t zor_write_io_byte(uint32_t handle, uint16_t port, uint8_t value) { return sim::zor::zor_write_io_byte(handle, port, value); }
uint16_t zor_write_io_word(uint32_t handle, uint16_t port, uint16_t value) { return sim::zor::zor_write_io_word(handle, port, value); }
uint16_t zor_read_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length, void* buffer) { return sim::zor::zor_read_par_block(handle, task, index, length, buffer); }
uint16_t zor_write_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length, const void* data) { return sim::zor::zor_write_par_block(handle, task, index, length, data); }

}  // extern "C"
