// The exported C functions: each one hands over to the simulator.
#include "drivers/rizo32/rizo32.h"
#include "drivers/sim/qj_api.h"

extern "C" {

int16_t qj2_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, uint16_t timeout) { return sim::qj::qj2_start(board, mode, flags, irq, dma, cb, timeout); }
int16_t qj6_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, uint16_t timeout) { return sim::qj::qj6_start(board, mode, flags, irq, dma, cb, timeout); }
int16_t qj7_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, uint16_t timeout) { return sim::qj::qj7_start(board, mode, flags, irq, dma, cb, timeout); }
int16_t qj8_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, uint16_t timeout) { return sim::qj::qj8_start(board, mode, flags, irq, dma, cb, timeout); }
int16_t qj2_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, const char* osName, uint16_t timeout) { return sim::qj::qj2_reset(board, mode, flags, irq, dma, cb, osName, timeout); }
int16_t qj6_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, const char* osName, uint16_t timeout) { return sim::qj::qj6_reset(board, mode, flags, irq, dma, cb, osName, timeout); }
int16_t qj7_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, const char* osName, uint16_t timeout) { return sim::qj::qj7_reset(board, mode, flags, irq, dma, cb, osName, timeout); }
int16_t qj8_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb, const char* osName, uint16_t timeout) { return sim::qj::qj8_reset(board, mode, flags, irq, dma, cb, osName, timeout); }
int16_t qj8_bib_startup(uint16_t flags) { return sim::qj::qj8_bib_startup(flags); }
int16_t qj8_get_config(uint16_t board, void* record) { return sim::qj::qj8_get_config(board, record); }
int16_t qj8_select_card(uint16_t board) { return sim::qj::qj8_select_card(board); }
uint16_t qj8_reacting(void) { return sim::qj::qj8_reacting(); }
int16_t qj8_type_check(void) { return sim::qj::qj8_type_check(); }
int16_t qj2_card_check(uint16_t* a, uint16_t* kind, uint16_t* serialKind) { return sim::qj::qj2_card_check(a, kind, serialKind); }
void qj8_set_macro_interruptible(uint16_t on) { sim::qj::qj8_set_macro_interruptible(on); }
void qj8_get_error_class_and_code(uint8_t* errorClass, uint8_t* errorCode) { sim::qj::qj8_get_error_class_and_code(errorClass, errorCode); }
int16_t qj8_get_error_info(void* record) { return sim::qj::qj8_get_error_info(record); }
void qj8_clear_error(void) { sim::qj::qj8_clear_error(); }
void qj8_clear(void) { sim::qj::qj8_clear(); }
uint16_t qj8_get_message(void) { return sim::qj::qj8_get_message(); }
uint16_t mdd8_get_diagnosis(void) { return sim::qj::mdd8_get_diagnosis(); }
QJ_CALLBACK qj8_set_error_handling(QJ_CALLBACK cb) { return sim::qj::qj8_set_error_handling(cb); }
uint16_t qj8_get_pgm_installed(uint16_t task) { return sim::qj::qj8_get_pgm_installed(task); }
int16_t qj8_get_int_task(uint16_t program, uint16_t* task, uint16_t* flag) { return sim::qj::qj8_get_int_task(program, task, flag); }
uint16_t qj8_get_task_number(uint16_t program, int32_t* found) { return sim::qj::qj8_get_task_number(program, found); }
int16_t qj8_transfer_and_install(const char* file, uint16_t zero, uint16_t task, uint16_t program, uint16_t interrupt, uint32_t flags, uint32_t dataSize) { return sim::qj::qj8_transfer_and_install(file, zero, task, program, interrupt, flags, dataSize); }
int16_t qj8_call_proc(uint16_t task, uint16_t proc) { return sim::qj::qj8_call_proc(task, proc); }
int16_t qj8_call_func(uint16_t task, uint16_t func, uint16_t requestLength, const void* request, uint16_t answerMax, uint16_t* answerLength, void* answer, uint16_t* status) { return sim::qj::qj8_call_func(task, func, requestLength, request, answerMax, answerLength, answer, status); }
int16_t qj8_get_task_info(uint16_t task, uint16_t offset, uint32_t* value) { return sim::qj::qj8_get_task_info(task, offset, value); }
uint8_t qj8_read_par_byte(uint16_t task, uint16_t index) { return sim::qj::qj8_read_par_byte(task, index); }
uint16_t qj8_read_par_word(uint16_t task, uint16_t index) { return sim::qj::qj8_read_par_word(task, index); }
int16_t qj8_read_par_dword(uint16_t task, uint16_t index, uint32_t* value) { return sim::qj::qj8_read_par_dword(task, index, value); }
int16_t qj8_read_par_block(uint16_t task, uint16_t index, uint16_t length, void* buffer) { return sim::qj::qj8_read_par_block(task, index, length, buffer); }
int16_t qj8_write_par_byte(uint16_t task, uint16_t index, uint8_t value) { return sim::qj::qj8_write_par_byte(task, index, value); }
int16_t qj8_write_par_word(uint16_t task, uint16_t index, uint16_t value) { return sim::qj::qj8_write_par_word(task, index, value); }
int16_t qj8_write_par_block(uint16_t task, uint16_t index, uint16_t length, const void* data) { return sim::qj::qj8_write_par_block(task, index, length, data); }
int16_t qj8_reset_r_pointer(uint16_t task) { return sim::qj::qj8_reset_r_pointer(task); }
int16_t qj8_read_data_block(uint16_t task, uint16_t length, void* buffer) { return sim::qj::qj8_read_data_block(task, length, buffer); }
int16_t qj8_read_data(uint16_t task, uint16_t offset, uint16_t length, void* buffer) { return sim::qj::qj8_read_data(task, offset, length, buffer); }
int16_t qj8_write_data(uint16_t task, uint16_t offset, uint16_t length, const void* data) { return sim::qj::qj8_write_data(task, offset, length, data); }
int16_t qj8_get_free_ram_size(uint16_t task, uint32_t* size) { return sim::qj::qj8_get_free_ram_size(task, size); }
int16_t qj8_set_ram_pointer(uint32_t address) { return sim::qj::qj8_set_ram_pointer(address); }
int16_t qj8_read_ram(uint16_t count, void* dest) { return sim::qj::qj8_read_ram(count, dest); }
int16_t qj8_write_ram(uint16_t count, const void* src) { return sim::qj::qj8_write_ram(count, src); }
int16_t qj8_read_memory(uint32_t address, uint16_t length, void* dest) { return sim::qj::qj8_read_memory(address, length, dest); }
int16_t qj8_write_memory(uint32_t address, uint16_t length, const void* src) { return sim::qj::qj8_write_memory(address, length, src); }
uint8_t qj8_in8_port(uint16_t port) { return sim::qj::qj8_in8_port(port); }
uint16_t qj8_in16_port(uint16_t port) { return sim::qj::qj8_in16_port(port); }
void qj8_out8_port(uint16_t port, uint8_t value) { sim::qj::qj8_out8_port(port, value); }
void qj8_out16_port(uint16_t port, uint16_t value) { sim::qj::qj8_out16_port(port, value); }
uint16_t qj8_read_eeprom_direct(uint16_t module, uint16_t word) { return sim::qj::qj8_read_eeprom_direct(module, word); }
int16_t qj8_write_eeprom_direct(uint16_t module, uint16_t word, uint16_t value) { return sim::qj::qj8_write_eeprom_direct(module, word, value); }
uint16_t qj8_read_eeprom_copy(uint16_t module, uint16_t word) { return sim::qj::qj8_read_eeprom_copy(module, word); }
int16_t qj8_parameter_control(uint16_t what, uint16_t direction, void* block) { return sim::qj::qj8_parameter_control(what, direction, block); }
int16_t qj8_send_macro(uint8_t code, uint8_t format, uint16_t lengthWord, uint16_t countWord, const uint8_t* data, uint8_t* answer) { return sim::qj::qj8_send_macro(code, format, lengthWord, countWord, data, answer); }
uint32_t mdd8_open_channel(uint16_t mddTask, uint16_t blockSize, const void* block) { return sim::qj::mdd8_open_channel(mddTask, blockSize, block); }
int16_t mdd8_close_channel(uint32_t handle) { return sim::qj::mdd8_close_channel(handle); }
int16_t mdd8_check_handle_valid(uint32_t handle) { return sim::qj::mdd8_check_handle_valid(handle); }
int16_t mdd8_write_channel_byte(uint32_t handle, uint8_t value) { return sim::qj::mdd8_write_channel_byte(handle, value); }
uint8_t mdd8_read_channel_byte(uint32_t handle) { return sim::qj::mdd8_read_channel_byte(handle); }
int16_t mdd8_write_channel_dword(uint32_t handle, uint32_t value) { return sim::qj::mdd8_write_channel_dword(handle, value); }
uint32_t mdd8_read_channel_dword(uint32_t handle) { return sim::qj::mdd8_read_channel_dword(handle); }
int16_t mdd8_send_channel_command(uint32_t handle, uint16_t command) { return sim::qj::mdd8_send_channel_command(handle, command); }
uint32_t mdd8_get_channel_info(uint32_t handle, uint16_t index) { return sim::qj::mdd8_get_channel_info(handle, index); }

}  // extern "C"
