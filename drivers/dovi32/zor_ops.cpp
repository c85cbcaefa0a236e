// ZOR driver: boards, the module grid with its EEPROMs, CPU connections and
// the tasks, memory and ports of a connected CPU.
#include "drivers/dovi32/dovi32.h"

#include <cstring>

#include "drivers/sim/debug_kernel.h"
#include "drivers/sim/program_image.h"
#include "drivers/sim/simulator.h"
#include "drivers/sim/task_installer.h"

namespace sim::zor {

namespace {

using K = DriverCall;

Board* ZorBoard(DriverCall& c, uint16_t board) {
  Board* b = c.sim().FindBoard(board);
  if (!b || b->IsQj() || !b->reacting) {
    c.FailZor(zerr::kNotReacting);
    return nullptr;
  }
  return b;
}

ZorModule* ModuleAt(DriverCall& c, uint16_t board, uint16_t slot, uint16_t layer) {
  Board* b = ZorBoard(c, board);
  if (!b) return nullptr;
  auto it = b->modules.find({slot, layer});
  if (it == b->modules.end()) {
    c.FailZor(zerr::kNoModule);
    return nullptr;
  }
  return &it->second;
}

Board* Connected(DriverCall& c, uint32_t handle) {
  auto& conns = c.sim().ZorConnections();
  auto it = conns.find(handle);
  if (it == conns.end()) {
    c.FailZor(zerr::kBadHandle);
    return nullptr;
  }
  return ZorBoard(c, it->second);
}

Task* TaskOf(DriverCall& c, uint32_t handle, uint16_t task) {
  Board* b = Connected(c, handle);
  if (!b) return nullptr;
  if (task > 1023 || (task != 0 && b->tasks[task].program == 0)) {
    c.FailZor(zerr::kTaskMissing);
    return nullptr;
  }
  return &b->tasks[task];
}

uint16_t Done(DriverCall& c) { return c.Result(c.Code()); }

}  // namespace

extern "C" {  // the exported functions

uint16_t zor_init_lib(uint16_t flags) {
  DriverCall c("zor_init_lib", FormatArgs(flags), K::Zor);
  return Done(c);
}

uint16_t zor_board_reacting(uint16_t board) {
  DriverCall c("zor_board_reacting", FormatArgs(board), K::Zor);
  if (!c.Faulted()) {
    Board* b = ZorBoard(c, board);
    if (b && !b->osRunning) c.FailZor(zerr::kNotReacting);
  }
  return Done(c);
}

uint16_t zor_reacting(uint32_t handle) {
  DriverCall c("zor_reacting", FormatArgs(handle), K::Zor);
  if (!c.Faulted()) Connected(c, handle);
  return Done(c);
}

void zor_clear_error(void) {
  DriverCall c("zor_clear_error", "", K::Info);
  c.sim().ZorError() = 0;
}

uint16_t zor_get_error_message(uint16_t code, uint16_t* severity, char* buffer) {
  DriverCall c("zor_get_error_message", FormatArgs(code, severity, buffer), K::Info);
  const char* text = "";
  switch (code) {
    case zerr::kNotReacting:
      text = "Board does not react";
      break;
    case zerr::kNoModule:
      text = "No module at this position";
      break;
    case zerr::kNoCpu:
      text = "No CPU module found";
      break;
    case zerr::kBadHandle:
      text = "Invalid connection handle";
      break;
    case zerr::kTaskMissing:
      text = "Task is not installed";
      break;
    case zerr::kFileMissing:
      text = "Program file not found";
      break;
    case zerr::kEepromArea:
      text = "EEPROM area cannot be read";
      break;
  }
  if (severity) *severity = code >> 8;
  if (buffer) std::strcpy(buffer, text);
  return c.Result(uint16_t(0));
}

uint16_t zor_reset_board(uint16_t board, uint16_t timeout) {
  DriverCall c("zor_reset_board", FormatArgs(board, timeout), K::Zor);
  if (c.Faulted()) return Done(c);
  Board* b = ZorBoard(c, board);
  if (b) {
    for (auto it = c.sim().ZorConnections().begin(); it != c.sim().ZorConnections().end();)
      it = it->second == board ? c.sim().ZorConnections().erase(it) : std::next(it);
    b->PowerOn();
  }
  return Done(c);
}

uint16_t zor_get_module_info(uint16_t board, uint16_t slot, uint16_t layer, ZOR_MODULE_INFO* info) {
  DriverCall c("zor_get_module_info", FormatArgs(board, slot, layer, info), K::Zor);
  if (info) std::memset(info, 0, sizeof *info);
  ZorModule* m = c.Faulted() ? nullptr : ModuleAt(c, board, slot, layer);
  if (m && info) *info = {m->type, m->version, m->variant, 0, m->info1, m->info2};
  return Done(c);
}

uint16_t zor_get_board_info(uint16_t board, ZOR_BOARD_INFO* info) {
  DriverCall c("zor_get_board_info", FormatArgs(board, info), K::Zor);
  if (info) std::memset(info, 0, sizeof *info);
  Board* b = c.Faulted() ? nullptr : ZorBoard(c, board);
  if (b && info) *info = {b->type, b->zorBoardVersion, b->zorBoardSerial};
  return Done(c);
}

uint16_t zor_open_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode) {
  DriverCall c("zor_open_eeprom", FormatArgs(board, slot, layer, mode), K::Zor);
  if (!c.Faulted()) ModuleAt(c, board, slot, layer);
  return Done(c);
}

uint16_t zor_close_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t mode) {
  DriverCall c("zor_close_eeprom", FormatArgs(board, slot, layer, mode), K::Zor);
  if (!c.Faulted()) ModuleAt(c, board, slot, layer);
  return Done(c);
}

uint16_t zor_read_eeprom_area(uint16_t board, uint16_t slot, uint16_t layer, uint16_t area, uint16_t offset,
                              uint16_t length, void* dest, uint16_t flags) {
  DriverCall c("zor_read_eeprom_area", FormatArgs(board, slot, layer, area, offset, length, dest, flags),
               K::Zor);
  if (dest) std::memset(dest, 0, length);
  ZorModule* m = c.Faulted() ? nullptr : ModuleAt(c, board, slot, layer);
  if (!m) return Done(c);
  if (area != 27 || !m->areaReadable || offset + length > kZorArea27Size) {
    c.FailZor(zerr::kEepromArea);
    return Done(c);
  }
  if (dest) std::memcpy(dest, &m->eeprom[kZorArea27Offset + offset], length);
  return Done(c);
}

uint16_t zor_read_eeprom(uint16_t board, uint16_t slot, uint16_t layer, uint16_t offset, uint16_t length,
                         void* dest) {
  DriverCall c("zor_read_eeprom", FormatArgs(board, slot, layer, offset, length, dest), K::Zor);
  if (dest) std::memset(dest, 0, length);
  ZorModule* m = c.Faulted() ? nullptr : ModuleAt(c, board, slot, layer);
  if (!m || !dest) return Done(c);
  for (uint16_t i = 0; i < length; ++i)
    static_cast<uint8_t*>(dest)[i] = size_t(offset) + i < m->eeprom.size() ? m->eeprom[offset + i] : 0xFF;
  return Done(c);
}

uint16_t zor_get_remote_board_parameters(uint16_t board, void* params, void* out) {
  DriverCall c("zor_get_remote_board_parameters", FormatArgs(board, params, out), K::Zor);
  Board* b = c.Faulted() ? nullptr : ZorBoard(c, board);
  if (b && params) {
    uint32_t iface = b->interfaceCode == 2 ? 5 : b->interfaceCode == 6 ? 6 : 3;
    std::memcpy(static_cast<uint8_t*>(params) + 8, &iface, 4);
  }
  return Done(c);
}

uint16_t zor_connect_cpu(uint16_t board, uint16_t slot, uint16_t layer, uint32_t* info, uint32_t* handle) {
  DriverCall c("zor_connect_cpu", FormatArgs(board, slot, layer, info, handle), K::Zor);
  if (handle) *handle = 0;
  ZorModule* m = c.Faulted() ? nullptr : ModuleAt(c, board, slot, layer);
  if (!m) return Done(c);
  if (m->type != 0x0B && m->type != 0x0C) {
    c.FailZor(zerr::kNoCpu);
    return Done(c);
  }
  uint32_t h = 0x5A000000u | uint32_t(board) << 8 | uint32_t(slot) << 4 | layer;
  c.sim().ZorConnections()[h] = board;
  if (handle) *handle = h;
  if (info) *info = m->type;
  return Done(c);
}

uint16_t zor_exit_cpu(uint32_t* handle) {
  DriverCall c("zor_exit_cpu", FormatArgs(handle ? *handle : 0), K::Zor);
  if (!handle) return Done(c);
  if (!c.Faulted() && !c.sim().ZorConnections().erase(*handle)) c.FailZor(zerr::kBadHandle);
  *handle = 0;
  return Done(c);
}

uint16_t zor_set_service(uint32_t handle, ZOR_SERVICE service) {
  DriverCall c("zor_set_service", FormatArgs(handle, (void*)service), K::Zor);
  if (!c.Faulted() && Connected(c, handle)) c.sim().SetZorService(handle, service);
  return Done(c);
}

uint16_t zor_load_vantor(uint32_t handle, const char* file) {
  DriverCall c("zor_load_vantor", FormatArgs(handle, file), K::Zor);
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (!b) return Done(c);
  std::string name = file ? file : "";
  ProgramImage img;
  if (name != "ROM" && LoadProgramImage(name, &img) != ImageStatus::Ok)
    c.FailZor(zerr::kFileMissing);
  else
    b->osName = name, b->osRunning = true;
  return Done(c);
}

uint16_t zor_load_mdd(uint32_t handle, uint16_t slot, uint16_t layer, uint16_t zero, uint16_t program,
                      uint16_t* out2, uint16_t* out1) {
  DriverCall c("zor_load_mdd", FormatArgs(handle, slot, layer, zero, program), K::Zor);
  if (out1) *out1 = 0;
  if (out2) *out2 = 0;
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (b && !b->modules.count({slot, layer}))
    c.FailZor(zerr::kNoModule);
  else if (b && out1)
    *out1 = program;
  return Done(c);
}

uint16_t zor_transfer_and_install(uint32_t handle, ZOR_INSTALL_RECORD* record, uint16_t* task) {
  DriverCall c("zor_transfer_and_install",
               FormatArgs(handle, record ? record->file : nullptr, record ? record->program : 0,
                          record ? record->task : 0, record ? record->flags : 0),
               K::Zor);
  if (task) *task = 0;
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (!b || !record) return Done(c);
  ProgramImage img;
  if (LoadProgramImage(record->file ? record->file : "", &img) != ImageStatus::Ok) {
    c.FailZor(zerr::kFileMissing);
    return Done(c);
  }
  uint16_t t = record->task;
  if (t == 0)
    for (t = 1; t < 1024 && b->tasks[t].program != 0; ++t) {
    }
  if (t == 0 || t > 1023) {
    c.FailZor(zerr::kTaskMissing);
    return Done(c);
  }
  InstallTask(*b, {t, record->program, record->irq, record->flags, record->dataSize}, img, record->file);
  if (task) *task = t;
  return Done(c);
}

uint16_t zor_call_proc(uint32_t handle, uint16_t task, uint16_t proc) {
  DriverCall c("zor_call_proc", FormatArgs(handle, task, proc), K::Zor);
  if (!c.Faulted() && TaskOf(c, handle, task)) CallProcedure(*Connected(c, handle), task, proc);
  return Done(c);
}

uint16_t zor_wakeup_ni_task(uint32_t handle, uint16_t task, uint16_t count) {
  DriverCall c("zor_wakeup_ni_task", FormatArgs(handle, task, count), K::Zor);
  if (Task* t = c.Faulted() ? nullptr : TaskOf(c, handle, task)) t->active = true;
  return Done(c);
}

uint16_t zor_get_func_block_sizes(uint32_t handle, uint16_t* largestIn, uint16_t* largestOut) {
  DriverCall c("zor_get_func_block_sizes", FormatArgs(handle), K::Zor);
  if (largestIn) *largestIn = 0;
  if (largestOut) *largestOut = 0;
  if (!c.Faulted() && Connected(c, handle)) {
    if (largestIn) *largestIn = 64;
    if (largestOut) *largestOut = 64;
  }
  return Done(c);
}

uint16_t zor_call_func(uint32_t handle, uint16_t task, uint16_t func, uint16_t* length, const void* request,
                       uint16_t* answerLength, void* answer) {
  DriverCall c("zor_call_func", FormatArgs(handle, task, func, length ? *length : 0), K::Zor);
  uint16_t n = length ? *length : 0;
  if (answerLength) *answerLength = 0;
  Task* t = c.Faulted() ? nullptr : TaskOf(c, handle, task);
  if (!t) return Done(c);
  t->procCalls.push_back(uint16_t(0x8000 | func));
  uint16_t kernelStatus = 0;
  if (OnFunctionCalled(*Connected(c, handle), task, func, request, n, &kernelStatus)) {
    if (kernelStatus) c.FailZor(uint16_t(0x0800 | kernelStatus));
    return Done(c);
  }
  // A stand-in program answers with the request bytes reversed.
  if (answer && request)
    for (uint16_t i = 0; i < n; ++i)
      static_cast<uint8_t*>(answer)[i] = static_cast<const uint8_t*>(request)[n - 1 - i];
  if (answerLength) *answerLength = answer ? n : 0;
  return Done(c);
}

uint16_t zor_get_task_number_prog(uint32_t handle, uint16_t program, uint16_t* task, uint16_t* count) {
  DriverCall c("zor_get_task_number_prog", FormatArgs(handle, program), K::Zor);
  if (task) *task = 0;
  if (count) *count = 0;
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (!b) return Done(c);
  for (uint16_t t = 1; t < 1024; ++t)
    if (b->tasks[t].program == program) {
      if (task) *task = t;
      if (count) *count = 1;
      return Done(c);
    }
  c.FailZor(zerr::kTaskMissing);
  return Done(c);
}

uint16_t zor_task_info(uint32_t handle, uint16_t task, uint16_t index, void* buffer) {
  DriverCall c("zor_task_info", FormatArgs(handle, task, index, buffer), K::Zor);
  if (buffer) std::memset(buffer, 0, 4);
  Task* t = c.Faulted() ? nullptr : TaskOf(c, handle, task);
  if (t && buffer) t->info.Read(index, buffer, 4);
  return Done(c);
}

uint16_t zor_get_installed_tasks(uint32_t handle, uint8_t* bitmap) {
  DriverCall c("zor_get_installed_tasks", FormatArgs(handle, bitmap), K::Zor);
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (!b || !bitmap) return Done(c);
  std::memset(bitmap, 0, 128);
  for (uint16_t t = 0; t < 1024; ++t)
    if (b->tasks[t].program != 0) bitmap[t >> 3] |= uint8_t(0x80 >> (t & 7));
  return Done(c);
}

uint16_t zor_read_memory(uint32_t handle, uint32_t address, uint32_t* length, void* dest) {
  DriverCall c("zor_read_memory", FormatArgs(handle, address, length ? *length : 0), K::Zor);
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (b && length && dest) b->memory.Read(address, dest, *length);
  return Done(c);
}

uint16_t zor_write_memory(uint32_t handle, uint32_t address, uint32_t* length, const void* src) {
  DriverCall c("zor_write_memory", FormatArgs(handle, address, length ? *length : 0), K::Zor);
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (b && length && src) b->memory.Write(address, src, *length);
  return Done(c);
}

uint16_t zor_read_io_byte(uint32_t handle, uint16_t port, uint8_t* value) {
  DriverCall c("zor_read_io_byte", FormatArgs(handle, port), K::Zor);
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (value) *value = 0;
  if (b && value) *value = b->ports.count(port) ? b->ports[port] : 0xFF;
  return Done(c);
}

uint16_t zor_read_io_word(uint32_t handle, uint16_t port, uint16_t* value) {
  DriverCall c("zor_read_io_word", FormatArgs(handle, port), K::Zor);
  Board* b = c.Faulted() ? nullptr : Connected(c, handle);
  if (value) *value = 0;
  if (b && value) {
    uint8_t lo = b->ports.count(port) ? b->ports[port] : 0xFF;
    uint8_t hi = b->ports.count(port + 1) ? b->ports[port + 1] : 0xFF;
    *value = uint16_t(lo | hi << 8);
  }
  return Done(c);
}

uint16_t zor_write_io_byte(uint32_t handle, uint16_t port, uint8_t value) {
  DriverCall c("zor_write_io_byte", FormatArgs(handle, port, value), K::Zor);
  if (Board* b = c.Faulted() ? nullptr : Connected(c, handle)) b->ports[port] = value;
  return Done(c);
}

uint16_t zor_write_io_word(uint32_t handle, uint16_t port, uint16_t value) {
  DriverCall c("zor_write_io_word", FormatArgs(handle, port, value), K::Zor);
  if (Board* b = c.Faulted() ? nullptr : Connected(c, handle)) {
    b->ports[port] = uint8_t(value);
    b->ports[uint16_t(port + 1)] = uint8_t(value >> 8);
  }
  return Done(c);
}

uint16_t zor_read_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length, void* buffer) {
  DriverCall c("zor_read_par_block", FormatArgs(handle, task, index, length ? *length : 0), K::Zor);
  Task* t = c.Faulted() ? nullptr : TaskOf(c, handle, task);
  if (t && length && buffer) t->params.Read(index, buffer, *length);
  return Done(c);
}

uint16_t zor_write_par_block(uint32_t handle, uint16_t task, uint16_t index, uint16_t* length,
                             const void* data) {
  DriverCall c("zor_write_par_block", FormatArgs(handle, task, index, length ? *length : 0), K::Zor);
  Task* t = c.Faulted() ? nullptr : TaskOf(c, handle, task);
  if (t && length && data) {
    t->params.Write(index, data, *length);
    OnParamsWritten(*Connected(c, handle), task, index, *length);
  }
  return Done(c);
}

}  // extern "C"

}  // namespace sim::zor
