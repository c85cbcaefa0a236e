#include <vector>

#include "drivers/rizo32/rizo32.h"
#include "tests/drivers_cpu/board_fixture.h"
#include "tests/support/test_support.h"

namespace {

using sim::CpuStop;
using sim::StopReason;

// Adds two words of its data segment (paragraph 0x10, reached through a
// relocated segment word) and returns far to the caller.
const char kAddProgram[] =
    "mov ax, 0x10\n"  // relocated: the word at offset 1
    "mov ds, ax\n"
    "mov ax, [0]\n"
    "add ax, [2]\n"
    "mov [4], ax\n"
    "retf\n"
    "times 0x100-($-$$) db 0\n"
    "dw 1200, 34, 0\n";

cpu_test::MzLayout AddLayout() {
  cpu_test::MzLayout l = BoardCpuTest::Stack();
  l.relocations = {{1, 0}};
  return l;
}

class BoardProgramTest : public BoardCpuTest {};

TEST_F(BoardProgramTest, InstalledExecutableRunsAtItsRelocatedEntry) {
  std::string file = WriteProgram("ADD.EXE", kAddProgram, AddLayout());
  ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, 7, 0x1234, 0, 0x1180, 0), 0);
  const sim::LoadedProgram* p = cpu().Program(7);
  ASSERT_NE(p, nullptr);
  uint16_t load = uint16_t(p->psp + 0x10);
  EXPECT_EQ(p->cs, load);
  EXPECT_EQ(p->ip, 0);
  EXPECT_LT(Linear(p->ss, p->sp), 0xA0000u);  // real-mode memory
  // The task's descriptor names the entry.
  uint32_t descriptor = 0;
  qj8_get_task_info(7, 0x2C, &descriptor);
  uint16_t entry[2] = {};
  qj8_read_memory(descriptor + 8, 4, entry);
  EXPECT_EQ(entry[0], p->ip);
  EXPECT_EQ(entry[1], p->cs);
  // The relocated segment word and the program prefix.
  EXPECT_EQ(board().memory.Read16(Linear(load, 1)), load + 0x10);
  EXPECT_EQ(board().memory.Read16(Linear(p->psp, 0)), 0x20CD);

  ASSERT_TRUE(cpu().Attach(7));
  sim::CpuRegisters r = cpu().Registers();
  EXPECT_EQ(r.cs, p->cs);
  EXPECT_EQ(r.ss, p->ss);
  EXPECT_EQ(r.esp, uint32_t(p->sp - 4));  // the far return address
  EXPECT_EQ(r.ds, p->psp);
  CpuStop s = cpu().RunFor(100);
  EXPECT_EQ(s.reason, StopReason::Ended);
  EXPECT_EQ(s.cs, p->psp);
  EXPECT_EQ(s.ip, 0);
  EXPECT_EQ(board().memory.Read16(Linear(load + 0x10, 4)), 1234);
  // An ended program stays ended.
  EXPECT_EQ(cpu().Step().reason, StopReason::Ended);
  EXPECT_TRUE(cpu().Ended());
}

TEST_F(BoardProgramTest, ProgramTaskIsFoundByFileName) {
  std::string file = WriteProgram("ADD.EXE", kAddProgram, AddLayout());
  ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, 7, 0x1234, 0, 0x1180, 0), 0);
  EXPECT_EQ(sim::BoardCpu::FindProgramTask(board(), "add.exe"), 7);
  EXPECT_EQ(sim::BoardCpu::FindProgramTask(board(), "C:\\PRJ\\ADD.EXE"), 7);
  EXPECT_EQ(sim::BoardCpu::FindProgramTask(board(), "ADD"), -1);
}

TEST_F(BoardProgramTest, BrokenExecutableIsNotInstalled) {
  std::string dir = mirt_test::MakeTempDir("bad");
  std::string file = mirt_test::WriteFile(dir + "/BAD.EXE", std::string("MZ") + std::string(40, '\x7F'));
  EXPECT_EQ(qj8_transfer_and_install(file.c_str(), 0, 7, 0x1234, 0, 0x1180, 0), 0x0114);
  EXPECT_EQ(qj8_get_pgm_installed(7), 0);
}

TEST_F(BoardProgramTest, PortAccessReachesTheBoardsPorts) {
  std::string file = WriteProgram("PORTS.EXE",
                                  "in al, 1\n"  // interrupt mask of the master controller
                                  "mov bl, al\n"
                                  "out 85, al\n"  // arm the interrupt test trigger
                                  "out 84, al\n"  // and fire it
                                  "mov dx, 0x300\n"
                                  "mov ax, 0xA55A\n"
                                  "out dx, ax\n"
                                  "mov ax, 0x4C00\n"
                                  "int 0x21\n");
  ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, 9, 0x99, 0, 0x1180, 0), 0);
  ASSERT_TRUE(cpu().Attach(9));
  EXPECT_EQ(cpu().RunFor(100).reason, StopReason::Ended);
  EXPECT_EQ(cpu().Registers().ebx & 0xFF, 0xB8u);
  EXPECT_EQ(board().interruptCount, 1u);
  EXPECT_EQ(qj8_in16_port(0x300), 0xA55A);
}

TEST_F(BoardProgramTest, RunMovesOnWithTheVirtualClockUntilItsBreakpoint) {
  std::string file = WriteProgram("LOOP.EXE",
                                  "mov cx, 1000\n"
                                  "top: inc ax\n"
                                  "loop top\n"  // 2000 instructions in all
                                  "int3\n"
                                  "retf\n");
  ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, 9, 0x99, 0, 0x1180, 0), 0);
  ASSERT_TRUE(cpu().Attach(9));
  std::vector<CpuStop> stops;
  cpu().SetStopListener([&](const CpuStop& s) { stops.push_back(s); });
  cpu().SetImmediateShare(0);
  cpu().SetSpeed(100);
  cpu().Go();
  EXPECT_TRUE(cpu().Running());
  sim().Clock().Advance(10);  // 1000 instructions
  EXPECT_TRUE(stops.empty());
  EXPECT_EQ(cpu().Registers().eax, 500u);
  sim().Clock().Advance(11);
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0].reason, StopReason::Breakpoint);
  EXPECT_EQ(stops[0].ip, 7);  // past the INT3 at 6
  EXPECT_FALSE(cpu().Running());
  EXPECT_EQ(cpu().Registers().eax, 1000u);
  // Time passing does not move a stopped program.
  sim().Clock().Advance(100);
  EXPECT_EQ(stops.size(), 1u);
}

TEST_F(BoardProgramTest, StopRequestHaltsARunningProgram) {
  std::string file = WriteProgram("SPIN.EXE", "top: inc ax\njmp top\n");
  ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, 9, 0x99, 0, 0x1180, 0), 0);
  ASSERT_TRUE(cpu().Attach(9));
  std::vector<CpuStop> stops;
  cpu().SetStopListener([&](const CpuStop& s) { stops.push_back(s); });
  cpu().SetImmediateShare(1000);
  cpu().Go();
  EXPECT_TRUE(cpu().Running());
  EXPECT_EQ(cpu().Registers().eax, 500u);
  cpu().Stop();
  ASSERT_EQ(stops.size(), 1u);
  EXPECT_EQ(stops[0].reason, StopReason::StopRequest);
  EXPECT_EQ(stops[0].ip, 0);
  EXPECT_FALSE(cpu().Running());
  cpu().Stop();  // nothing runs: no second report
  EXPECT_EQ(stops.size(), 1u);
}

TEST_F(BoardProgramTest, ResetDropsTheProgramsAndTheProcessor) {
  std::string file = WriteProgram("ADD.EXE", kAddProgram, AddLayout());
  ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, 7, 0x1234, 0, 0x1180, 0), 0);
  ASSERT_NE(cpu().Program(7), nullptr);
  ASSERT_EQ(qj8_reset(0, 0, 1, 0, 0, nullptr, "ROM", 30), 0);
  EXPECT_EQ(board().cpu, nullptr);
  EXPECT_EQ(cpu().Program(7), nullptr);
  EXPECT_FALSE(cpu().Attach(7));
}

TEST_F(BoardProgramTest, ProgramsShareConventionalMemory) {
  std::string file = WriteProgram("ADD.EXE", kAddProgram, AddLayout());
  for (uint16_t task : {7, 8, 7})
    ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, task, 0x1234, 0, 0x1180, 0), 0);
  const sim::LoadedProgram* a = cpu().Program(7);
  const sim::LoadedProgram* b = cpu().Program(8);
  ASSERT_TRUE(a && b);
  bool apart =
      a->regionStart + a->regionSize <= b->regionStart || b->regionStart + b->regionSize <= a->regionStart;
  EXPECT_TRUE(apart);
  // Each runs on its own data.
  ASSERT_TRUE(cpu().Attach(8));
  EXPECT_EQ(cpu().RunFor(100).reason, StopReason::Ended);
  EXPECT_EQ(board().memory.Read16(Linear(uint16_t(b->psp + 0x20), 4)), 1234);
  EXPECT_EQ(board().memory.Read16(Linear(uint16_t(a->psp + 0x20), 4)), 0);
}

}  // namespace
