// QJ driver: tasks, programs, parameter and data areas, procedures and
// functions of the served board.
#include "drivers/rizo32/rizo32.h"

#include <cstring>

#include "drivers/sim/debug_kernel.h"
#include "drivers/sim/program_image.h"
#include "drivers/sim/simulator.h"
#include "drivers/sim/task_installer.h"

namespace sim::qj {

namespace {

// The function-call status of a task that did not answer in time.
constexpr uint16_t kFunctionTimeout = 1;

// The served board's task, or null after latching the error.
Task* TaskOf(DriverCall& c, uint16_t task) {
  if (c.Faulted()) return nullptr;
  Board* b = c.Served();
  if (!b) return nullptr;
  if (task > 1023) {
    c.Fail(err::kClassParam, err::kParam1);
    return nullptr;
  }
  Task& t = b->tasks[task];
  if (task != 0 && t.program == 0) {
    c.Fail(err::kClassParam, err::kFuncMissing);
    return nullptr;
  }
  return &t;
}

bool AreaFits(DriverCall& c, const ByteArea& a, uint32_t index, uint32_t n) {
  if (a.Fits(index, n)) return true;
  c.Fail(err::kClassParam, err::kParam2);
  return false;
}

// Copies bytes of a task's area to the caller; what was not read stays
// zero. False (the error latched) unless they all lie inside the area.
bool ReadArea(DriverCall& c, Task* t, ByteArea Task::*area, uint32_t index, uint16_t length, void* buffer) {
  if (buffer) std::memset(buffer, 0, length);
  if (!t || !buffer || !AreaFits(c, t->*area, index, length)) return false;
  (t->*area).Read(index, buffer, length);
  return true;
}

// Writes bytes into a task's parameter area and lets the task see them.
int16_t WriteParams(DriverCall& c, uint16_t task, uint16_t index, const void* data, uint16_t length) {
  Task* t = TaskOf(c, task);
  if (t && data && AreaFits(c, t->params, index, length)) {
    t->params.Write(index, data, length);
    OnParamsWritten(*c.sim().CurrentBoard(), task, index, length);
  }
  return c.Result(int16_t(c.Code()));
}

}  // namespace

extern "C" {  // the exported functions

uint16_t qj8_get_pgm_installed(uint16_t task) {
  DriverCall c("qj8_get_pgm_installed", FormatArgs(task));
  if (c.Faulted()) return c.Result(uint16_t(0));
  Board* b = c.Served();
  if (!b || task > 1023) return c.Result(uint16_t(0));
  return c.Result(b->tasks[task].program);
}

int16_t qj8_get_int_task(uint16_t program, uint16_t* task, uint16_t* flag) {
  DriverCall c("qj8_get_int_task", FormatArgs(program, task, flag));
  if (task) *task = 0xFFFF;
  if (flag) *flag = 0;
  Board* b = c.Faulted() ? nullptr : c.Served();
  if (!b) return c.Result(int16_t(c.Code()));
  for (uint16_t t = 1; t < 1024; ++t)
    if (b->tasks[t].program == program) {
      if (task) *task = t;
      if (flag) *flag = b->tasks[t].active;
      break;
    }
  return c.Result(int16_t(0));
}

uint16_t qj8_get_task_number(uint16_t program, int32_t* found) {
  DriverCall c("qj8_get_task_number", FormatArgs(program, found));
  if (found) *found = 0;
  Board* b = c.Faulted() ? nullptr : c.Served();
  if (!b) return c.Result(uint16_t(0));
  for (uint16_t t = 1; t < 1024; ++t)
    if (b->tasks[t].program == program) {
      if (found) *found = 1;
      return c.Result(t);
    }
  return c.Result(uint16_t(0));
}

int16_t qj8_transfer_and_install(const char* file, uint16_t zero, uint16_t task, uint16_t program,
                                 uint16_t interrupt, uint32_t flags, uint32_t dataSize) {
  DriverCall c("qj8_transfer_and_install", FormatArgs(file, zero, task, program, interrupt, flags, dataSize));
  if (c.Faulted()) return c.Result(int16_t(c.Code()));
  Board* b = c.Served();
  if (!b) return c.Result(int16_t(c.Code()));
  if (task == 0 || task > 1023) return c.Result(int16_t(c.Fail(err::kClassParam, err::kParam1)));
  ProgramImage img;
  switch (LoadProgramImage(file ? file : "", &img)) {
    case ImageStatus::NotFound:
      return c.Result(int16_t(c.Fail(err::kClassOs, err::kProgramNotFound)));
    case ImageStatus::ReadError:
      return c.Result(int16_t(c.Fail(err::kClassOs, err::kProgramRead)));
    case ImageStatus::Ok:
      break;
  }
  if (uint64_t(img.bytes.size()) + img.paramSize + dataSize > FreeRam(*b))
    return c.Result(int16_t(c.Fail(err::kClassOs, err::kNoMemory)));
  InstallTask(*b, {task, program, interrupt, flags, dataSize}, img, file);
  return c.Result(int16_t(0));
}

int16_t qj8_call_proc(uint16_t task, uint16_t proc) {
  DriverCall c("qj8_call_proc", FormatArgs(task, proc));
  Task* t = TaskOf(c, task);
  if (!t) return c.Result(int16_t(c.Code()));
  uint16_t procs = t->info.Get16(kPdtOffset + 2);
  if (task != 0 && proc >= procs) return c.Result(int16_t(c.Fail(err::kClassParam, err::kFuncMissing)));
  CallProcedure(*c.sim().CurrentBoard(), task, proc);
  return c.Result(int16_t(0));
}

int16_t qj8_call_func(uint16_t task, uint16_t func, uint16_t requestLength, const void* request,
                      uint16_t answerMax, uint16_t* answerLength, void* answer, uint16_t* status) {
  DriverCall c("qj8_call_func", FormatArgs(task, func, requestLength, request, answerMax));
  if (answerLength) *answerLength = 0;
  if (status) *status = 0;
  if (c.Faulted()) return c.Result(int16_t(c.Code()));
  Board* b = c.Served();
  if (!b) return c.Result(int16_t(c.Code()));
  Task& t = b->tasks[task & 1023];
  if (task > 1023 || t.program == 0) {
    if (status) *status = 0x18;
    return c.Result(int16_t(0));
  }
  t.procCalls.push_back(uint16_t(0x8000 | func));
  uint16_t kernelStatus = 0;
  if (OnFunctionCalled(*b, task, func, request, requestLength, &kernelStatus)) {
    if (status) *status = kernelStatus;
    return c.Result(int16_t(0));
  }
  // A task that was installed but never started gives no answer.
  if (!t.active) {
    if (status) *status = kFunctionTimeout;
    return c.Result(int16_t(0));
  }
  // A stand-in program answers a function with the request bytes reversed.
  uint16_t n = std::min(requestLength, answerMax);
  if (answer && request)
    for (uint16_t i = 0; i < n; ++i)
      static_cast<uint8_t*>(answer)[i] = static_cast<const uint8_t*>(request)[requestLength - 1 - i];
  if (answerLength) *answerLength = answer ? n : 0;
  return c.Result(int16_t(0));
}

int16_t qj8_get_task_info(uint16_t task, uint16_t offset, uint32_t* value) {
  DriverCall c("qj8_get_task_info", FormatArgs(task, offset, value));
  if (value) *value = 0;
  Board* b = c.Faulted() ? nullptr : c.Served();
  if (!b || task > 1023) return c.Result(int16_t(c.Code()));
  if (value) *value = b->tasks[task].info.Get32(offset);
  return c.Result(int16_t(0));
}

uint8_t qj8_read_par_byte(uint16_t task, uint16_t index) {
  DriverCall c("qj8_read_par_byte", FormatArgs(task, index));
  Task* t = TaskOf(c, task);
  return c.Result(uint8_t(t ? t->params.Get8(index) : 0));
}

uint16_t qj8_read_par_word(uint16_t task, uint16_t index) {
  DriverCall c("qj8_read_par_word", FormatArgs(task, index));
  Task* t = TaskOf(c, task);
  return c.Result(uint16_t(t ? t->params.Get16(index) : 0));
}

int16_t qj8_read_par_dword(uint16_t task, uint16_t index, uint32_t* value) {
  DriverCall c("qj8_read_par_dword", FormatArgs(task, index, value));
  Task* t = TaskOf(c, task);
  if (value) *value = t ? t->params.Get32(index) : 0;
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_read_par_block(uint16_t task, uint16_t index, uint16_t length, void* buffer) {
  DriverCall c("qj8_read_par_block", FormatArgs(task, index, length, buffer));
  ReadArea(c, TaskOf(c, task), &Task::params, index, length, buffer);
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_write_par_byte(uint16_t task, uint16_t index, uint8_t value) {
  DriverCall c("qj8_write_par_byte", FormatArgs(task, index, value));
  return WriteParams(c, task, index, &value, 1);
}

int16_t qj8_write_par_word(uint16_t task, uint16_t index, uint16_t value) {
  DriverCall c("qj8_write_par_word", FormatArgs(task, index, value));
  const uint8_t bytes[2] = {uint8_t(value), uint8_t(value >> 8)};
  return WriteParams(c, task, index, bytes, 2);
}

int16_t qj8_write_par_block(uint16_t task, uint16_t index, uint16_t length, const void* data) {
  DriverCall c("qj8_write_par_block", FormatArgs(task, index, length, data));
  return WriteParams(c, task, index, data, length);
}

int16_t qj8_reset_r_pointer(uint16_t task) {
  DriverCall c("qj8_reset_r_pointer", FormatArgs(task));
  if (Task* t = TaskOf(c, task)) t->readPointer = 0;
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_read_data_block(uint16_t task, uint16_t length, void* buffer) {
  DriverCall c("qj8_read_data_block", FormatArgs(task, length, buffer));
  Task* t = TaskOf(c, task);
  if (ReadArea(c, t, &Task::data, t ? t->readPointer : 0, length, buffer)) t->readPointer += length;
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_read_data(uint16_t task, uint16_t offset, uint16_t length, void* buffer) {
  DriverCall c("qj8_read_data", FormatArgs(task, offset, length, buffer));
  ReadArea(c, TaskOf(c, task), &Task::data, offset, length, buffer);
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_write_data(uint16_t task, uint16_t offset, uint16_t length, const void* data) {
  DriverCall c("qj8_write_data", FormatArgs(task, offset, length, data));
  Task* t = TaskOf(c, task);
  if (t && data && AreaFits(c, t->data, offset, length)) t->data.Write(offset, data, length);
  return c.Result(int16_t(c.Code()));
}

int16_t qj8_get_free_ram_size(uint16_t task, uint32_t* size) {
  DriverCall c("qj8_get_free_ram_size", FormatArgs(task, size));
  if (size) *size = 0;
  Board* b = c.Faulted() ? nullptr : c.Served();
  if (b && size) *size = FreeRam(*b);
  return c.Result(int16_t(c.Code()));
}

}  // extern "C"

}  // namespace sim::qj
