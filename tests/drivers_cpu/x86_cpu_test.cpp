#include <gtest/gtest.h>

#include <map>

#include "drivers/sim/sparse_memory.h"
#include "drivers/sim/x86_cpu.h"
#include "tests/drivers_cpu/program_builder.h"

namespace {

using sim::CpuStop;
using sim::StopReason;

// Memory and ports of a bare machine: port reads answer from a table, port
// writes are logged.
class FakeBus : public sim::CpuBus {
 public:
  uint8_t ReadMemory(uint32_t a) override { return mem.Read8(a); }
  void WriteMemory(uint32_t a, uint8_t v) override { mem.Write8(a, v); }
  uint8_t In(uint16_t port) override { return inputs.count(port) ? inputs[port] : 0xFF; }
  void Out(uint16_t port, uint8_t v) override { outputs.push_back({port, v}); }

  sim::SparseMemory mem;
  std::map<uint16_t, uint8_t> inputs;
  std::vector<std::pair<uint16_t, uint8_t>> outputs;
};

constexpr uint16_t kCode = 0x2000, kStack = 0x3000;

class X86CpuTest : public ::testing::Test {
 protected:
  void Load(const std::string& source) {
    std::vector<uint8_t> bin = cpu_test::Assemble(source);
    bus.mem.Write(kCode * 16u, bin.data(), uint32_t(bin.size()));
    sim::CpuRegisters r;
    r.cs = r.ds = r.es = kCode;
    r.ss = kStack;
    r.esp = 0x1000;
    cpu.SetRegisters(r);
  }
  FakeBus bus;
  sim::X86Cpu cpu{bus};
};

TEST_F(X86CpuTest, ArithmeticResultReachesMemory) {
  Load(
      "mov ax, 1234\n"
      "mov bx, 4321\n"
      "add ax, bx\n"
      "imul ax, ax, 3\n"
      "mov [result], ax\n"
      "mov eax, 0x12345678\n"
      "hlt\n"
      "result: dw 0\n");
  CpuStop s = cpu.Run(100);
  EXPECT_EQ(s.reason, StopReason::Halted);
  uint32_t result = kCode * 16u + cpu.Registers().ip;  // `result` follows the HLT
  EXPECT_EQ(bus.mem.Read16(result), (1234 + 4321) * 3);
  EXPECT_EQ(cpu.Registers().eax, 0x12345678u);
}

TEST_F(X86CpuTest, BreakpointStopsPastTheInt3) {
  Load(
      "mov cx, 5\n"
      "int3\n"
      "mov cx, 6\n"
      "hlt\n");
  CpuStop s = cpu.Run(100);
  EXPECT_EQ(s.reason, StopReason::Breakpoint);
  EXPECT_EQ(s.cs, kCode);
  EXPECT_EQ(s.ip, 4);  // B9 05 00, CC
  EXPECT_EQ(cpu.Registers().ecx, 5u);
  EXPECT_EQ(cpu.Registers().esp, 0x1000u);  // nothing pushed
  // It goes on from there.
  EXPECT_EQ(cpu.Run(100).reason, StopReason::Halted);
  EXPECT_EQ(cpu.Registers().ecx, 6u);
}

TEST_F(X86CpuTest, TrapFlagStepsOneInstructionAtATime) {
  Load(
      "inc ax\n"     // 0
      "inc ax\n"     // 1
      "add ax, 5\n"  // 2 (3 bytes)
      "inc ax\n"     // 5
      "hlt\n");      // 6
  sim::CpuRegisters r = cpu.Registers();
  r.flags |= sim::kFlagTrap;
  cpu.SetRegisters(r);
  const uint16_t ips[] = {1, 2, 5, 6};
  const uint32_t axes[] = {1, 2, 7, 8};
  for (int i = 0; i < 4; ++i) {
    CpuStop s = cpu.Run(1000);
    EXPECT_EQ(s.reason, StopReason::Step) << i;
    EXPECT_EQ(s.ip, ips[i]);
    EXPECT_EQ(cpu.Registers().eax, axes[i]);
  }
  // Without the flag, a traced run stops after one instruction as well.
  r = cpu.Registers();
  r.flags &= ~sim::kFlagTrap;
  r.ip = 0;
  cpu.SetRegisters(r);
  CpuStop s = cpu.Run(1000, true);
  EXPECT_EQ(s.reason, StopReason::Step);
  EXPECT_EQ(s.ip, 1);
}

TEST_F(X86CpuTest, TrapSetByPopfTakesEffectAfterTheNextInstruction) {
  Load(
      "pushf\n"
      "pop bx\n"
      "or bx, 0x100\n"
      "push bx\n"
      "popf\n"    // at 7
      "inc ax\n"  // at 8: runs, then the trap
      "inc ax\n"
      "hlt\n");
  CpuStop s = cpu.Run(1000);
  EXPECT_EQ(s.reason, StopReason::Step);
  EXPECT_EQ(s.ip, 9);
  EXPECT_EQ(cpu.Registers().eax, 1u);
}

TEST_F(X86CpuTest, PortsGoThroughTheBus) {
  bus.inputs[0x21] = 0xB8;
  Load(
      "in al, 0x21\n"
      "mov [0x100], al\n"
      "mov al, 0x55\n"
      "out 0x84, al\n"
      "mov dx, 0x300\n"
      "mov ax, 0x1234\n"
      "out dx, ax\n"
      "hlt\n");
  EXPECT_EQ(cpu.Run(100).reason, StopReason::Halted);
  EXPECT_EQ(bus.mem.Read8(kCode * 16u + 0x100), 0xB8);
  std::vector<std::pair<uint16_t, uint8_t>> expected = {{0x84, 0x55}, {0x300, 0x34}, {0x301, 0x12}};
  EXPECT_EQ(bus.outputs, expected);
}

TEST_F(X86CpuTest, ProgramEnds) {
  struct Case {
    const char* source;
    uint16_t ip;
    uint8_t exitCode;
  };
  // The exit address is 0x4000:0000, pushed as a far return address.
  const Case cases[] = {
      {"mov ax, 0x4C07\nint 0x21\n", 5, 7},
      {"int 0x20\n", 2, 0},
      {"push word 0x4000\npush word 0\nretf\n", 0, 0},
  };
  for (const Case& c : cases) {
    Load(c.source);
    cpu.SetExitAddress(0x4000, 0);
    CpuStop s = cpu.Run(100);
    EXPECT_EQ(s.reason, StopReason::Ended) << c.source;
    EXPECT_EQ(s.ip, c.ip) << c.source;
    EXPECT_EQ(s.exitCode, c.exitCode) << c.source;
  }
}

TEST_F(X86CpuTest, InterruptsWithoutVectorStopOnTheInstruction) {
  Load(
      "mov ax, 0x0900\n"
      "int 0x21\n"  // at 3: not an exit, no vector
      "hlt\n");
  CpuStop s = cpu.Run(100);
  EXPECT_EQ(s.reason, StopReason::Fault);
  EXPECT_EQ(s.interrupt, 0x21);
  EXPECT_EQ(s.ip, 5);

  Load(
      "xor dx, dx\n"
      "xor cx, cx\n"
      "div cx\n");  // at 4: division by zero
  s = cpu.Run(100);
  EXPECT_EQ(s.reason, StopReason::Fault);
  EXPECT_EQ(s.interrupt, 0);
  EXPECT_EQ(s.ip, 4);
}

TEST_F(X86CpuTest, ProgramsOwnVectorIsCalled) {
  Load(
      "mov word [es:0x60*4], handler\n"
      "mov word [es:0x60*4+2], cs\n"
      "int 0x60\n"
      "hlt\n"
      "handler: mov bx, 0xBEEF\n"
      "iret\n");
  sim::CpuRegisters r = cpu.Registers();
  r.es = 0;
  cpu.SetRegisters(r);
  EXPECT_EQ(cpu.Run(100).reason, StopReason::Halted);
  EXPECT_EQ(cpu.Registers().ebx, 0xBEEFu);
}

TEST_F(X86CpuTest, BudgetEndsARunningLoop) {
  Load(
      "top: inc ax\n"
      "jmp top\n");
  CpuStop s = cpu.Run(1001);
  EXPECT_EQ(s.reason, StopReason::Running);
  EXPECT_EQ(cpu.Registers().eax, 501u);
  EXPECT_EQ(cpu.Run(0).reason, StopReason::Running);
  EXPECT_EQ(cpu.Registers().eax, 501u);
}

TEST_F(X86CpuTest, RegistersRoundTrip) {
  sim::CpuRegisters r;
  r.eax = 0x11223344;
  r.ebx = 2;
  r.ecx = 3;
  r.edx = 4;
  r.esp = 0xFFFE;
  r.ebp = 6;
  r.esi = 7;
  r.edi = 0x80000008;
  r.flags = 0x0ED7;
  r.ip = 0x1234;
  r.cs = 0x1000;
  r.ds = 0x2000;
  r.ss = 0x3000;
  r.es = 0x4000;
  r.fs = 0x5000;
  r.gs = 0x6000;
  cpu.SetRegisters(r);
  EXPECT_EQ(cpu.Registers(), r);
}

}  // namespace
