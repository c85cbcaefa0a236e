/* The ZOR board driver library (dovi32.dll; here libdovi32.so over the board
 * simulator). Every call returns a driver code, 0 = success; the last code
 * stays latched until zor_clear_error. A connection handle names one CPU
 * module of a board (zor_connect_cpu). */
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

typedef void (*ZOR_SERVICE)(uint32_t handle, uint16_t message);

/* Module information: type (0x0B/0x0C = CPU module), version (low byte a
 * letter, high byte a number), variant, two further words. */
typedef struct {
  uint16_t type;
  uint16_t version;
  uint8_t variant;
  uint8_t reserved;
  uint16_t info1;
  uint16_t info2;
} ZOR_MODULE_INFO;

typedef struct {
  uint16_t type;
  uint16_t version;
  uint16_t serial;
} ZOR_BOARD_INFO;

/* EEPROM area 27 (production data), 22 bytes. */
#pragma pack(push, 1)
typedef struct {
  uint8_t length;
  uint8_t chipDesign; /* 0xFF = not set */
  uint16_t serial;
  char state[11];
  char design;   /* design letter */
  uint32_t date; /* year << 16 | month << 8 | day */
  uint16_t reserved;
} ZOR_EEPROM_AREA27;
#pragma pack(pop)

/* Installation record: file, program number, 0, task (0 = any free task),
 * task type, level, irq, flags (0x800 initialise, 0x1000 activate), data size. */
typedef struct {
  const char* file;
  uint16_t program;
  uint16_t zero;
  uint16_t task;
  uint16_t taskType;
  uint16_t level;
  uint16_t irq;
  uint16_t flags;
  uint32_t dataSize;
} ZOR_INSTALL_RECORD;

uint16_t zor_init_lib(uint16_t flags);
/* 0 when the board answers and runs. */
uint16_t zor_board_reacting(uint16_t board);
uint16_t zor_reacting(uint32_t handle);
void zor_clear_error(void);
/* A text for a code; *severity receives its class. */
uint16_t zor_get_error_message(uint16_t code, uint16_t* severity, char* buffer);
uint16_t zor_reset_board(uint16_t board, uint16_t timeout);
uint16_t zor_get_module_info(uint16_t board, uint16_t slot, uint16_t layer, ZOR_MODULE_INFO* info);
uint16_t zor_get_board_info(uint16_t board, ZOR_BOARD_INFO* info);
uint16_t zor_open_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode);
uint16_t zor_close_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode);
uint16_t zor_read_eeprom_area(uint16_t board, uint16_t slot, uint16_t layer, uint16_t area, uint16_t offset,
                              uint16_t length, void* dest, uint16_t flags);
/* Bytes of the module EEPROM from byte offset. */
uint16_t zor_read_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t offset, uint16_t length,
                         void* dest);
/* Board parameters of a remote board: record word 0 its size; dword 2 the
 * interface (3 serial, 5 ..., 6 TCP/IP). */
uint16_t zor_get_remote_board_parameters(uint16_t board, void* params, void* out);

uint16_t zor_connect_cpu(uint16_t board, uint16_t slot, uint16_t layer, uint32_t* info, uint32_t* handle);
/* Disconnects and sets *handle to 0. */
uint16_t zor_exit_cpu(uint32_t* handle);
uint16_t zor_set_service(uint32_t handle, ZOR_SERVICE service);
uint16_t zor_load_vantor(uint32_t handle, const char* file);
uint16_t zor_load_mdd(uint32_t handle, uint16_t slot, uint16_t layer, uint16_t zero, uint16_t program,
                      uint16_t* out2, uint16_t* out1);
uint16_t zor_transfer_and_install(uint32_t handle, ZOR_INSTALL_RECORD* record, uint16_t* task);
uint16_t zor_call_proc(uint32_t handle, uint16_t task, uint16_t proc);
uint16_t zor_wakeup_ni_task(uint32_t handle, uint16_t task, uint16_t count);
/* Largest request and answer of a function call. */
uint16_t zor_get_func_block_sizes(uint32_t handle, uint16_t* largestIn, uint16_t* largestOut);
uint16_t zor_call_func(uint32_t handle, uint16_t task, uint16_t func, uint16_t* length, const void* request,
                       uint16_t* answerLength, void* answer);
uint16_t zor_get_task_number_prog(uint32_t handle, uint16_t program, uint16_t* task, uint16_t* count);
uint16_t zor_task_info(uint32_t handle, uint16_t task, uint16_t index, void* buffer);
/* 128 bytes: task n is bit (0x80 >> (n & 7)) of byte n >> 3. */
uint16_t zor_get_installed_tasks(uint32_t handle, uint8_t* bitmap);
uint16_t zor_read_memory(uint32_t handle, uint32_t address, uint32_t* length, void* dest);
uint16_t zor_write_memory(uint32_t handle, uint32_t address, uint32_t* length, const void* src);
uint16_t zor_read_io_byte(uint32_t handle, uint16_t port, uint8_t* value);
uint16_t zor_read_io_word(uint32_t handle, uint16_t port, uint16_t* value);
uint16_t zor_write_io_byte(uint32_t handle, uint16_t port, uint8_t value);
uint16_t zor_write_io_word(uint32_t handle, uint16_t port, uint16_t value);
uint16_t zor_read_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length, void* buffer);
uint16_t zor_write_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length,
                             const void* data);

#ifdef __cplusplus
}
#endif
