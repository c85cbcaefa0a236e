/* The QJ board driver library (rizo32.dll; here librizo32.so over the board
 * simulator). Results of type int16_t/uint16_t named "code" are driver words:
 * 0 = success, else error class in the high byte and error code in the low
 * byte. The QJ calls other than start, reset and card selection act on the
 * board the driver serves (the last one started, reset or selected). */
#pragma once
#include <stdint.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Called on the caller's thread after a failing call and for a service
 * request of the served board. */
typedef void (*QJ_CALLBACK)(void);

/* Start: the board's operating system answers; reset: hard reset and load of
 * the operating system file (a name, a pattern with * and ?, "ROM" or null for
 * the built-in one). A non-null callback becomes the error callback. */
int16_t qj2_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  uint16_t timeout);
int16_t qj6_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  uint16_t timeout);
int16_t qj7_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  uint16_t timeout);
int16_t qj8_start(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  uint16_t timeout);
int16_t qj2_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  const char* osName, uint16_t timeout);
int16_t qj6_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  const char* osName, uint16_t timeout);
int16_t qj7_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  const char* osName, uint16_t timeout);
int16_t qj8_reset(uint16_t board, uint16_t mode, uint16_t flags, uint16_t irq, uint16_t dma, QJ_CALLBACK cb,
                  const char* osName, uint16_t timeout);

/* Library and board selection. */
int16_t qj8_bib_startup(uint16_t flags);
/* Configuration record (first dword = its size, at least 24): dword 1 board
 * number, dword 2 flag (0 = present), word 12 type code, word 16 I/O address,
 * word 18 interface code, word 20 IRQ. Returns 1 when the board exists. */
int16_t qj8_get_config(uint16_t board, void* record);
int16_t qj8_select_card(uint16_t board);
/* 1 when the served board answers. */
uint16_t qj8_reacting(void);
/* 1 when the served board is of the TESSERA/Kora-LINE kind (not Kora-DESK/2). */
int16_t qj8_type_check(void);
/* Kora-DESK/2 variant: a = hardware revision, kind = 0 full, 1 analog-only
 * (2a), 2 digital-only (2d); serialKind 1 = on-board UART ports. */
int16_t qj2_card_check(uint16_t* a, uint16_t* kind, uint16_t* serialKind);
void qj8_set_macro_interruptible(uint16_t on);

/* Errors and service requests. */
void qj8_get_error_class_and_code(uint8_t* errorClass, uint8_t* errorCode);
/* 220-byte record: byte 9 class, byte 10 code, word 12 message. */
int16_t qj8_get_error_info(void* record);
void qj8_clear_error(void);
void qj8_clear(void);
uint16_t qj8_get_message(void);
uint16_t mdd8_get_diagnosis(void);
/* Sets the error callback; returns the previous one so that a caller can
 * put it back. */
QJ_CALLBACK qj8_set_error_handling(QJ_CALLBACK cb);

/* Tasks and programs (task 0 = the operating system). */
uint16_t qj8_get_pgm_installed(uint16_t task);
/* task = 0xFFFF when no task holds the program. */
int16_t qj8_get_int_task(uint16_t program, uint16_t* task, uint16_t* flag);
/* The task that holds the program; *found 1 or 0. */
uint16_t qj8_get_task_number(uint16_t program, int32_t* found);
/* flags: low bits task type (1 II, 2 DI, 3 TI, else NI), 0x800 call the
 * initialisation procedure, 0x1000 start the task. */
int16_t qj8_transfer_and_install(const char* file, uint16_t zero, uint16_t task, uint16_t program,
                                 uint16_t interrupt, uint32_t flags, uint32_t dataSize);
int16_t qj8_call_proc(uint16_t task, uint16_t proc);
/* *status: 0 done, 1 time-out, 0x18 no such function or task. */
int16_t qj8_call_func(uint16_t task, uint16_t func, uint16_t requestLength, const void* request,
                      uint16_t answerMax, uint16_t* answerLength, void* answer, uint16_t* status);
int16_t qj8_get_task_info(uint16_t task, uint16_t offset, uint32_t* value);
uint8_t qj8_read_par_byte(uint16_t task, uint16_t index);
uint16_t qj8_read_par_word(uint16_t task, uint16_t index);
int16_t qj8_read_par_dword(uint16_t task, uint16_t index, uint32_t* value);
int16_t qj8_read_par_block(uint16_t task, uint16_t index, uint16_t length, void* buffer);
int16_t qj8_write_par_byte(uint16_t task, uint16_t index, uint8_t value);
int16_t qj8_write_par_word(uint16_t task, uint16_t index, uint16_t value);
int16_t qj8_write_par_block(uint16_t task, uint16_t index, uint16_t length, const void* data);
int16_t qj8_reset_r_pointer(uint16_t task);
int16_t qj8_read_data_block(uint16_t task, uint16_t length, void* buffer);
int16_t qj8_read_data(uint16_t task, uint16_t offset, uint16_t length, void* buffer);
int16_t qj8_write_data(uint16_t task, uint16_t offset, uint16_t length, const void* data);
int16_t qj8_get_free_ram_size(uint16_t task, uint32_t* size);

/* Memory: the RAM pointer advances over the bytes read or written. */
int16_t qj8_set_ram_pointer(uint32_t address);
int16_t qj8_read_ram(uint16_t count, void* dest);
int16_t qj8_write_ram(uint16_t count, const void* src);
int16_t qj8_read_memory(uint32_t address, uint16_t length, void* dest);
int16_t qj8_write_memory(uint32_t address, uint16_t length, const void* src);

/* I/O ports, EEPROM, parameters of the board. */
uint8_t qj8_in8_port(uint16_t port);
uint16_t qj8_in16_port(uint16_t port);
void qj8_out8_port(uint16_t port, uint8_t value);
void qj8_out16_port(uint16_t port, uint16_t value);
uint16_t qj8_read_eeprom_direct(uint16_t module, uint16_t word);
int16_t qj8_write_eeprom_direct(uint16_t module, uint16_t word, uint16_t value);
uint16_t qj8_read_eeprom_copy(uint16_t module, uint16_t word);
/* what 4: IRQ record (dword 24 = IRQ number); what 6: interrupt counter
 * record (dword 12); direction 1 reads. */
int16_t qj8_parameter_control(uint16_t what, uint16_t direction, void* block);
/* A macro command; the answer buffer must hold the answer length that the
 * format gives. */
int16_t qj8_send_macro(uint8_t code, uint8_t format, uint16_t lengthWord, uint16_t countWord,
                       const uint8_t* data, uint8_t* answer);

/* Module Device Driver channels; a handle is 0 when the open failed. */
uint32_t mdd8_open_channel(uint16_t mddTask, uint16_t blockSize, const void* block);
int16_t mdd8_close_channel(uint32_t handle);
int16_t mdd8_check_handle_valid(uint32_t handle);
int16_t mdd8_write_channel_byte(uint32_t handle, uint8_t value);
uint8_t mdd8_read_channel_byte(uint32_t handle);
int16_t mdd8_write_channel_dword(uint32_t handle, uint32_t value);
uint32_t mdd8_read_channel_dword(uint32_t handle);
int16_t mdd8_send_channel_command(uint32_t handle, uint16_t command);
uint32_t mdd8_get_channel_info(uint32_t handle, uint16_t index);

#ifdef __cplusplus
}
#endif
