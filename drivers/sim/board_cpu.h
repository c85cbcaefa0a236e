// The processor of a simulated board and the programs it can run: MZ
// executables installed as tasks are loaded into conventional memory
// (a 256-byte program prefix, then the relocated module) and started at
// their entry with a far return address to the prefix on the stack;
// returning there, INT 20h or INT 21h function 4Ch ends the program.
//
// A run started with Go executes a share of instructions at once and the
// rest as the simulator's virtual clock advances; its stop is told to the
// stop listener. Every member takes the simulator's lock; the listener is
// called with it held.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <string>

#include "drivers/sim/board.h"
#include "drivers/sim/kernel_register_record.h"
#include "drivers/sim/program_image.h"
#include "drivers/sim/x86_cpu.h"

namespace sim {

struct LoadedProgram {
  uint16_t psp = 0;         // segment of the program prefix
  uint16_t cs = 0, ip = 0;  // entry
  uint16_t ss = 0, sp = 0;  // stack at the entry
  uint32_t regionStart = 0, regionSize = 0;
};

class BoardCpu {
 public:
  using StopListener = std::function<void(const CpuStop&)>;

  explicit BoardCpu(Board& board);
  ~BoardCpu();
  // The board's processor, made on first use (a board reset drops it).
  static BoardCpu& Of(Board& board);

  // --- programs -----------------------------------------------------
  // Loads an MZ image as the task's program; false (and the task has no
  // program) for any other image or when conventional memory is full.
  bool LoadProgram(uint16_t task, const ProgramImage& image);
  const LoadedProgram* Program(uint16_t task) const;
  // The task whose program file has this name (directory and case
  // ignored); -1 when none has.
  static int FindProgramTask(const Board& board, const std::string& fileName);
  // Sets the processor to the program's entry state; false without one.
  bool Attach(uint16_t task);
  int AttachedTask() const { return attached_; }

  // --- registers ------------------------------------------------------
  CpuRegisters Registers() const;
  void SetRegisters(const CpuRegisters& r);
  KernelRegisterRecord Record() const;
  void SetRecord(const KernelRegisterRecord& record);

  // --- execution --------------------------------------------------------
  // One instruction (as with the trap flag set), now.
  CpuStop Step();
  // Up to `instructions` at once; reason Running when no stop came.
  CpuStop RunFor(uint64_t instructions);
  // Starts a run; the stop arrives at the listener.
  void Go();
  // A stop request: a running program stops where it stands (reason StopRequest).
  void Stop();
  bool Running() const { return running_; }
  bool Ended() const { return ended_; }
  const CpuStop& LastStop() const { return last_; }
  void SetStopListener(StopListener listener) { listener_ = std::move(listener); }

  // Instructions per millisecond of virtual time (default from the CPU clock).
  void SetSpeed(uint64_t instructionsPerMs) { speed_ = instructionsPerMs; }
  // Instructions a run executes at once when it starts.
  void SetImmediateShare(uint64_t instructions) { immediate_ = instructions; }
  // Moves a running program on by the instructions of `ms` milliseconds.
  void AdvanceTime(uint64_t ms);

 private:
  class Bus;
  CpuStop Execute(uint64_t instructions, bool trace);
  void Finish(const CpuStop& stop);
  bool AllocateRegion(uint16_t task, uint32_t size, uint32_t* start);

  Board& board_;
  std::unique_ptr<Bus> bus_;
  std::unique_ptr<X86Cpu> cpu_;
  std::map<uint16_t, LoadedProgram> programs_;
  int attached_ = -1;
  bool running_ = false, ended_ = false;
  CpuStop last_;
  StopListener listener_;
  uint64_t speed_ = 0, immediate_ = 1000000;
};

}  // namespace sim
