#include "drivers/sim/board_cpu.h"

#include <cctype>
#include <mutex>

#include "drivers/sim/mz_image.h"
#include "drivers/sim/port_model.h"
#include "drivers/sim/simulator.h"
#include "drivers/sim/task_installer.h"

namespace sim {

namespace {

constexpr uint32_t kPrefixSize = 0x100;
// Conventional memory for programs when the board's free RAM lies above it.
constexpr uint32_t kConventionalStart = 0x10000, kConventionalEnd = 0xA0000;
constexpr uint16_t kStartFlags = 0x0202;              // interrupts enabled
constexpr uint64_t kDefaultInstructionsPerMhz = 250;  // per millisecond

using Lock = std::lock_guard<std::recursive_mutex>;

std::recursive_mutex& Mutex() { return Simulator::Instance().Mutex(); }

// The clock moves every running board program on; stops found there are
// told to their callbacks once the lock is released.
void HookClock() {
  static bool hooked = false;
  if (hooked) return;
  hooked = true;
  Simulator::Instance().Clock().OnAdvance([](uint64_t from, uint64_t to) {
    Simulator& s = Simulator::Instance();
    {
      Lock g(s.Mutex());
      for (uint16_t n : s.BoardNumbers())
        if (Board* b = s.FindBoard(n); b && b->cpu) b->cpu->AdvanceTime(to - from);
    }
    s.RunDeferred();
  });
}

void PutProgramPrefix(SparseMemory& m, uint32_t at, uint16_t memoryTop) {
  for (uint32_t i = 0; i < kPrefixSize; ++i) m.Write8(at + i, 0);
  m.Write8(at, 0xCD);  // INT 20h
  m.Write8(at + 1, 0x20);
  m.Write16(at + 2, memoryTop);
  m.Write8(at + 0x81, 0x0D);  // empty command tail
}

// The task's descriptor and procedure table name the program's entry.
void PublishEntry(Board& b, uint16_t task, const LoadedProgram& p) {
  Task& t = b.tasks[task];
  uint32_t descriptor = t.info.Get32(kDescriptorPointer);
  if (descriptor) {
    b.memory.Write16(descriptor + 8, p.ip);
    b.memory.Write16(descriptor + 10, p.cs);
  }
  uint16_t procedures = t.info.Get16(kPdtOffset + 2);
  for (uint16_t i = 0; i < procedures; ++i)
    t.info.Set32(kPdtOffset + kPdtHeadSize + 4 * i, uint32_t(p.cs) << 16 | p.ip);
}

}  // namespace

class BoardCpu::Bus : public CpuBus {
 public:
  explicit Bus(Board& b) : b_(b) {}
  uint8_t ReadMemory(uint32_t linear) override { return b_.memory.Read8(linear); }
  void WriteMemory(uint32_t linear, uint8_t v) override { b_.memory.Write8(linear, v); }
  uint8_t In(uint16_t port) override { return ReadBoardPort(b_, port); }
  void Out(uint16_t port, uint8_t v) override { WriteBoardPort(Simulator::Instance(), b_, port, v); }

 private:
  Board& b_;
};

BoardCpu::BoardCpu(Board& board)
    : board_(board), bus_(std::make_unique<Bus>(board)), cpu_(std::make_unique<X86Cpu>(*bus_)) {
  uint8_t mhz = board.tasks[0].params.Get8(39);
  speed_ = (mhz ? mhz : 8) * kDefaultInstructionsPerMhz;
}

BoardCpu::~BoardCpu() = default;

BoardCpu& BoardCpu::Of(Board& board) {
  Lock g(Mutex());
  HookClock();
  if (!board.cpu) board.cpu = std::make_shared<BoardCpu>(board);
  return *board.cpu;
}

bool BoardCpu::AllocateRegion(uint16_t task, uint32_t size, uint32_t* start) {
  programs_.erase(task);
  if (uint64_t(board_.allocNext) + size <= kConventionalEnd) {
    *start = board_.Allocate(size);
    return true;
  }
  // First gap between the programs already loaded.
  uint32_t at = kConventionalStart;
  std::map<uint32_t, uint32_t> used;
  for (auto& [t, p] : programs_) used[p.regionStart] = p.regionSize;
  for (auto [s, n] : used) {
    if (uint64_t(at) + size <= s) break;
    at = std::max(at, (s + n + 15) & ~15u);
  }
  if (uint64_t(at) + size > kConventionalEnd) return false;
  *start = at;
  return true;
}

bool BoardCpu::LoadProgram(uint16_t task, const ProgramImage& image) {
  Lock g(Mutex());
  programs_.erase(task);
  if (attached_ == task) attached_ = -1;
  MzImage mz;
  if (!image.executable || !ParseMz(image.bytes.data(), image.bytes.size(), &mz)) return false;
  uint32_t size = (kPrefixSize + MzMemorySize(mz) + 15) & ~15u, start = 0;
  if (!AllocateRegion(task, size, &start)) return false;
  LoadedProgram p;
  p.regionStart = start;
  p.regionSize = size;
  p.psp = uint16_t(start >> 4);
  uint16_t load = uint16_t(p.psp + kPrefixSize / 16);
  PutProgramPrefix(board_.memory, start, uint16_t((start + size) >> 4));
  LoadMz(mz, load, board_.memory);
  p.cs = uint16_t(load + mz.cs);
  p.ip = mz.ip;
  p.ss = uint16_t(load + mz.ss);
  p.sp = mz.sp;
  programs_[task] = p;
  PublishEntry(board_, task, p);
  return true;
}

const LoadedProgram* BoardCpu::Program(uint16_t task) const {
  auto it = programs_.find(task);
  return it == programs_.end() ? nullptr : &it->second;
}

int BoardCpu::FindProgramTask(const Board& board, const std::string& fileName) {
  auto baseName = [](std::string path) {
    path = HostPath(path);
    path = path.substr(path.find_last_of('/') + 1);
    for (char& c : path) c = char(toupper((unsigned char)c));
    return path;
  };
  std::string wanted = baseName(fileName);
  for (uint16_t t = 1; t < board.tasks.size(); ++t)
    if (board.tasks[t].program != 0 && baseName(board.tasks[t].file) == wanted) return t;
  return -1;
}

bool BoardCpu::Attach(uint16_t task) {
  Lock g(Mutex());
  const LoadedProgram* p = Program(task);
  if (!p) return false;
  running_ = ended_ = false;
  last_ = CpuStop{};
  attached_ = task;
  // The program is called far: its return address is the prefix.
  uint16_t sp = uint16_t(p->sp - 4);
  uint32_t stack = uint32_t(p->ss) * 16 + sp;
  board_.memory.Write16(stack, 0);
  board_.memory.Write16(stack + 2, p->psp);
  CpuRegisters r;
  r.cs = p->cs;
  r.ip = p->ip;
  r.ss = p->ss;
  r.esp = sp;
  r.ds = r.es = p->psp;
  r.flags = kStartFlags;
  cpu_->SetRegisters(r);
  cpu_->SetExitAddress(p->psp, 0);
  return true;
}

CpuRegisters BoardCpu::Registers() const {
  Lock g(Mutex());
  return cpu_->Registers();
}

void BoardCpu::SetRegisters(const CpuRegisters& r) {
  Lock g(Mutex());
  cpu_->SetRegisters(r);
}

KernelRegisterRecord BoardCpu::Record() const { return KernelRegisterRecord::From(Registers()); }

void BoardCpu::SetRecord(const KernelRegisterRecord& record) { SetRegisters(record.Registers()); }

CpuStop BoardCpu::Execute(uint64_t instructions, bool trace) {
  if (ended_) return last_;
  if (attached_ < 0) {
    CpuStop none;
    none.reason = StopReason::Fault;
    CpuRegisters r = cpu_->Registers();
    none.cs = r.cs;
    none.ip = r.ip;
    return none;
  }
  CpuStop s = cpu_->Run(instructions, trace);
  if (s.reason == StopReason::Ended) ended_ = true;
  return s;
}

CpuStop BoardCpu::Step() {
  Lock g(Mutex());
  running_ = false;
  last_ = Execute(1, true);
  return last_;
}

CpuStop BoardCpu::RunFor(uint64_t instructions) {
  Lock g(Mutex());
  running_ = false;
  CpuStop s = Execute(instructions, false);
  if (s.reason != StopReason::Running) last_ = s;
  return s;
}

void BoardCpu::Go() {
  Lock g(Mutex());
  running_ = true;
  CpuStop s = Execute(immediate_, false);
  if (s.reason != StopReason::Running) Finish(s);
}

void BoardCpu::Stop() {
  Lock g(Mutex());
  if (!running_) return;
  CpuStop s;
  s.reason = StopReason::StopRequest;
  CpuRegisters r = cpu_->Registers();
  s.cs = r.cs;
  s.ip = r.ip;
  Finish(s);
}

void BoardCpu::AdvanceTime(uint64_t ms) {
  Lock g(Mutex());
  if (!running_ || ms == 0) return;
  CpuStop s = Execute(ms * speed_, false);
  if (s.reason != StopReason::Running) Finish(s);
}

void BoardCpu::Finish(const CpuStop& stop) {
  running_ = false;
  last_ = stop;
  if (listener_) listener_(stop);
}

}  // namespace sim
