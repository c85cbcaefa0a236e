#include "drivers/sim/task_installer.h"

#include <algorithm>
#include <string>

#include "drivers/sim/debug_kernel.h"

namespace sim {

namespace {

// Procedure addresses: segment in the high word, offset in the low word.
uint32_t ProcedureAddress(uint32_t codeBase, uint16_t i) {
  uint32_t linear = codeBase + 0x10 * i;
  return (linear >> 4) << 16 | (linear & 0xF);
}

void WriteDescriptor(Board& b, Task& t, const ProgramImage& img, const char* file, uint32_t codeBase) {
  std::string path = file ? HostPath(file) : "";
  std::string base = path.substr(path.find_last_of('/') + 1);
  std::string name = base.substr(0, base.find('.'));
  std::string ext = base.find('.') == std::string::npos ? "" : base.substr(base.find('.'));
  for (auto& c : name) c = char(toupper((unsigned char)c));
  for (auto& c : ext) c = char(toupper((unsigned char)c));
  name.resize(8, ' ');
  std::string n83 = (name + ext).substr(0, 12);
  n83.resize(12, ' ');

  uint32_t at = b.Allocate(32);
  for (uint32_t i = 0; i < 32; ++i) b.memory.Write8(at + i, 0);
  b.memory.Write16(at + 8, uint16_t(codeBase & 0xF));
  b.memory.Write16(at + 10, uint16_t(codeBase >> 4));
  b.memory.Write(at + 16, n83.data(), 12);
  b.memory.Write16(at + 28, img.dosDate);
  b.memory.Write16(at + 30, img.dosTime);
  t.info.Set32(kDescriptorPointer, at);
}

void SetUpRole(Task& t, Board& b) {
  if (t.role == "kernel") {
    t.params.Set8(0, 0);      // state: ready
    t.params.Set16(2, 4096);  // stack size
    t.params.Set8(6, 0);
    t.params.Set32(7, 19200);
  } else if (t.role == "comm") {
    t.params.Set8(0, 0);
    t.params.Set32(5, 19200);
  }
}

}  // namespace

void InstallTask(Board& b, const InstallRequest& req, const ProgramImage& img, const char* file) {
  Task& t = b.tasks[req.task & 1023];
  t = Task{};
  t.program = req.program;
  t.file = file ? file : "";
  t.role = img.role;
  uint32_t dataSize = req.dataSize ? req.dataSize : img.dataSize;
  t.params.Resize(img.paramSize);
  t.data.Resize(dataSize);

  uint32_t codeBase = b.Allocate(uint32_t(std::max<size_t>(img.bytes.size(), 16)));
  b.memory.Write(codeBase, img.bytes.data(), uint32_t(img.bytes.size()));
  uint32_t parBase = b.Allocate(img.paramSize);
  uint32_t dataBase = b.Allocate(dataSize);
  uint32_t pdtBase = b.Allocate(kPdtHeadSize + 4 * img.procedures);

  ByteArea& i = t.info;
  // Program descriptor.
  i.Set8(kPdtOffset + 0, 1);
  i.Set8(kPdtOffset + 1, uint8_t(kPdtHeadSize));
  i.Set16(kPdtOffset + 2, img.procedures);
  i.Set16(kPdtOffset + 4, req.program);
  i.Set8(kPdtOffset + 6, '1');
  i.Set8(kPdtOffset + 7, 'A');
  i.Set8(kPdtOffset + 8, img.processor);
  i.Set8(kPdtOffset + 9, img.coprocessor);
  i.Set8(kPdtOffset + 10, img.language);
  i.Set8(kPdtOffset + 11, img.programType);
  i.Set16(kPdtOffset + 12, uint16_t(req.flags));
  i.Set16(kPdtOffset + 14, req.interrupt);
  i.Set32(kPdtOffset + 16, dataBase);
  i.Set32(kPdtOffset + 24, dataSize);
  i.Set32(kPdtOffset + 28, dataSize);
  i.Set16(kPdtOffset + 36, uint16_t(img.paramSize));
  i.Set32(kPdtOffset + 38, 0);
  for (uint16_t p = 0; p < img.procedures; ++p)
    i.Set32(kPdtOffset + kPdtHeadSize + 4 * p, ProcedureAddress(codeBase, p));
  // Task descriptor.
  i.Set8(kTdtOffset + 0, 2);
  i.Set8(kTdtOffset + 1, 36);
  i.Set16(kTdtOffset + 2, req.task);
  i.Set16(kTdtOffset + 4, uint16_t(req.flags & 0x7FB));
  i.Set16(kTdtOffset + 6, req.interrupt);
  i.Set16(kTdtOffset + 8, uint16_t(img.paramSize));
  i.Set16(kTdtOffset + 10, img.procedures);
  i.Set32(kTdtOffset + 12, pdtBase);
  i.Set32(kTdtOffset + 16, 0);
  i.Set32(kTdtOffset + 20, dataBase);
  i.Set32(kTdtOffset + 24, dataBase + dataSize);
  i.Set32(kTdtOffset + 28, dataBase);
  i.Set32(kTdtOffset + 32, dataBase);
  i.Set32(kParAreaAddrOffset, parBase);
  WriteDescriptor(b, t, img, file, codeBase);
  SetUpRole(t, b);

  OnTaskInstalled(b, uint16_t(req.task & 1023), img);
  if (req.flags & kInstallInit) CallProcedure(b, req.task, 1);
  t.active = (req.flags & kInstallStart) != 0;
}

void CallProcedure(Board& b, uint16_t task, uint16_t proc) {
  Task& t = b.tasks[task & 1023];
  t.procCalls.push_back(proc);
  OnProcedureCalled(b, uint16_t(task & 1023), proc);
  if (t.role != "kernel") return;
  // The remote kernel: 2 starts it with its link, 3 stops it.
  uint8_t state = proc == 2 ? 2 : proc == 3 ? 0 : t.params.Get8(0);
  t.params.Set8(0, state);
  for (auto& other : b.tasks)
    if (other.role == "comm") other.params.Set8(0, state);
}

uint32_t FreeRam(const Board& b) {
  const ByteArea& os = b.tasks[0].params;
  uint32_t high = os.Get32(68), start = os.Get32(72);
  uint32_t used = b.allocNext > start ? b.allocNext - start : 0;
  uint32_t total = high > start ? high - start : 0;
  return total > used ? total - used : 0;
}

}  // namespace sim
