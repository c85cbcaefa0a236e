#include <cstring>
#include <vector>

#include "drivers/dovi32/dovi32.h"
#include "drivers/rizo32/rizo32.h"
#include "drivers/sim/debug_kernel.h"
#include "tests/drivers_cpu/board_fixture.h"

namespace {

using namespace sim::kernel;

constexpr uint16_t kKernel = 10, kDebuggee = 11;

// The board's service requests as the board classes see them.
std::vector<uint16_t> g_messages;
void QjService() {
  uint8_t cls = 0, code = 0;
  qj8_get_error_class_and_code(&cls, &code);
  qj8_clear_error();
  g_messages.push_back(cls == 5 ? qj8_get_message() : 0);
}
void ZorService(uint32_t, uint16_t message) { g_messages.push_back(message); }

// A program: BX counts the rounds of a loop of three instructions at 3..7.
const char kCounter[] =
    "mov cx, 3\n"       // 0
    "top: inc bx\n"     // 3
    "add ax, 2\n"       // 4: 83 C0 02
    "loop top\n"        // 7
    "mov ax, 0x4C05\n"  // 9
    "int 0x21\n";       // 12

class HostKernelTest : public BoardCpuTest {
 protected:
  void SetUp() override {
    BoardCpuTest::SetUp();
    g_messages.clear();
    ASSERT_EQ(qj8_start(0, 0, 1, 0, 0, QjService, 0x50), 0);
    std::string kernel = WriteKernel();
    ASSERT_EQ(qj8_transfer_and_install(kernel.c_str(), 0, kKernel, 0xFF00, 1, 0x1180, 0), 0);
  }
  // Installs the program as the debuggee and starts the kernel as the IDE does.
  void Debug(const std::string& source) {
    std::string file = WriteProgram("PROG.EXE", source);
    ASSERT_EQ(qj8_transfer_and_install(file.c_str(), 0, kDebuggee, 0x77, 1, 0x1180, 0), 0);
    ASSERT_EQ(qj8_write_par_word(kKernel, kDebuggee_, kDebuggee), 0);
    ASSERT_EQ(qj8_call_proc(kKernel, 2), 0);
    start_ = Record();
  }
  static sim::CpuRegisters Record() {
    uint8_t bytes[48];
    EXPECT_EQ(qj8_read_par_block(kKernel, kRecord, 48, bytes), 0);
    return sim::KernelRegisterRecord::FromBytes(bytes).Registers();
  }
  static void WriteWord(uint32_t index, uint16_t value) {
    ASSERT_EQ(qj8_write_par_block(kKernel, uint16_t(index), 2, &value), 0);
  }
  // Go and single step as the IDE asks for them.
  static void Start(bool step, bool lifted) {
    WriteWord(kLifted, lifted ? kRequested : 0);
    WriteWord(kSingleStep, step ? kRequested : 0);
    WriteWord(kStart, kRequested);
  }
  static void Plant(uint32_t linear) {
    uint8_t request[8] = {uint8_t(linear),
                          uint8_t(linear >> 8),
                          uint8_t(linear >> 16),
                          uint8_t(linear >> 24),
                          kDebuggee,
                          0,
                          1,
                          0};
    uint16_t answerLength = 0, status = 0xFF;
    ASSERT_EQ(qj8_call_func(kKernel, kFuncPlant, 8, request, 0, &answerLength, nullptr, &status), 0);
    ASSERT_EQ(status, 0);
    uint8_t cc = 0xCC;
    ASSERT_EQ(qj8_write_memory(linear, 1, &cc), 0);
  }
  uint32_t At(uint16_t offset) const { return Linear(start_.cs, offset); }

  static constexpr uint32_t kDebuggee_ = sim::kernel::kDebuggee;
  sim::CpuRegisters start_;
};

TEST_F(HostKernelTest, RecordHoldsTheDebuggeesEntry) {
  Debug(kCounter);
  const sim::LoadedProgram* p = cpu().Program(kDebuggee);
  ASSERT_NE(p, nullptr);
  uint8_t bytes[48];
  ASSERT_EQ(qj8_read_par_block(kKernel, kRecord, 48, bytes), 0);
  // IP at byte 34, CS at 36, SS at 40 (16-bit words after eight dwords).
  EXPECT_EQ(bytes[34] | bytes[35] << 8, p->ip);
  EXPECT_EQ(bytes[36] | bytes[37] << 8, p->cs);
  EXPECT_EQ(bytes[40] | bytes[41] << 8, p->ss);
  EXPECT_EQ(bytes[16] | bytes[17] << 8, p->sp - 4);
  EXPECT_EQ(qj8_read_par_dword(kKernel, kMinedHead, nullptr), 0);
  uint32_t head = 1;
  qj8_read_par_dword(kKernel, kMinedHead, &head);
  EXPECT_EQ(head, 0u);
  EXPECT_TRUE(g_messages.empty());
}

TEST_F(HostKernelTest, GoStopsOnAPlantedBreakpointWithIpOnIt) {
  Debug(kCounter);
  Plant(At(4));
  Start(false, false);
  ASSERT_EQ(g_messages, std::vector<uint16_t>{kEventStopped});
  sim::CpuRegisters r = Record();
  EXPECT_EQ(r.cs, start_.cs);
  EXPECT_EQ(r.ip, 4);
  EXPECT_EQ(r.ebx, 1u);
  EXPECT_EQ(r.ecx, 3u);
  // The kernel's mined list has the address and the byte it replaced.
  uint32_t head = 0;
  qj8_read_par_dword(kKernel, kMinedHead, &head);
  ASSERT_NE(head, 0u);
  uint8_t rec[20];
  ASSERT_EQ(qj8_read_memory(head, 20, rec), 0);
  EXPECT_EQ(rec[0] | rec[1] | rec[2] | rec[3], 0);  // the last record
  EXPECT_EQ(Linear(uint16_t(rec[6] | rec[7] << 8), uint16_t(rec[4] | rec[5] << 8)), At(4));
  EXPECT_EQ(rec[10], 0x83);  // the ADD
}

TEST_F(HostKernelTest, GoFromALiftedBreakpointPlantsItAgain) {
  Debug(kCounter);
  Plant(At(4));
  Start(false, false);
  // The IDE lifts the breakpoint it stands on and says so.
  uint8_t original = 0x83;
  ASSERT_EQ(qj8_write_memory(At(4), 1, &original), 0);
  Start(false, true);
  ASSERT_EQ(g_messages.size(), 2u);
  sim::CpuRegisters r = Record();
  EXPECT_EQ(r.ip, 4);
  EXPECT_EQ(r.ebx, 2u);  // the next round
  EXPECT_EQ(r.eax, 2u);
  EXPECT_EQ(board().memory.Read8(At(4)), 0xCC);
}

TEST_F(HostKernelTest, SingleStepsReportEachInstruction) {
  Debug(kCounter);
  const uint16_t ips[] = {3, 4, 7, 3};
  for (uint16_t ip : ips) {
    Start(true, false);
    EXPECT_EQ(Record().ip, ip);
  }
  EXPECT_EQ(g_messages.size(), 4u);
  EXPECT_EQ(Record().ebx, 1u);
  EXPECT_EQ(Record().ecx, 2u);
  // The trap flag is not left behind in the program's flags.
  EXPECT_EQ(Record().flags & sim::kFlagTrap, 0);
}

TEST_F(HostKernelTest, WrittenRecordChangesTheProgramsRegisters) {
  Debug(kCounter);
  Plant(At(9));
  sim::CpuRegisters r = start_;
  r.ip = 3;  // skip the count's setting
  r.ecx = 5;
  r.ebx = 100;
  sim::KernelRegisterRecord rec = sim::KernelRegisterRecord::From(r);
  ASSERT_EQ(qj8_write_par_block(kKernel, kRecord, 48, rec.bytes.data()), 0);
  Start(false, false);
  sim::CpuRegisters after = Record();
  EXPECT_EQ(after.ip, 9);
  EXPECT_EQ(after.ebx, 105u);
}

TEST_F(HostKernelTest, ProgramEndIsReported) {
  Debug(kCounter);
  Start(false, false);
  ASSERT_EQ(g_messages, std::vector<uint16_t>{kEventStopped});
  EXPECT_EQ(Record().ip, 14);  // past INT 21h
  EXPECT_TRUE(cpu().Ended());
  EXPECT_EQ(cpu().LastStop().exitCode, 5);
}

TEST_F(HostKernelTest, StopHandshakeHaltsTheRunningProgramQuietly) {
  Debug("top: inc ax\njmp top\n");
  cpu().SetImmediateShare(100);
  Start(false, false);
  EXPECT_TRUE(cpu().Running());
  sim().Clock().Advance(2);
  EXPECT_TRUE(cpu().Running());
  uint8_t ask = kStopAsked;
  ASSERT_EQ(qj8_write_par_block(kKernel, kStopHandshake, 1, &ask), 0);
  EXPECT_EQ(qj8_read_par_byte(kKernel, kStopHandshake), kStopDone);
  EXPECT_FALSE(cpu().Running());
  EXPECT_TRUE(g_messages.empty());
  sim::CpuRegisters r = Record();
  EXPECT_GT(r.eax, 50u);
  EXPECT_LT(r.ip, 3);
}

TEST_F(HostKernelTest, BreakpointReachedWhileTimePassesIsReportedThen) {
  Debug("mov cx, 5000\ntop: loop top\nint3\nretf\n");
  cpu().SetImmediateShare(10);
  cpu().SetSpeed(1000);
  Start(false, false);
  EXPECT_TRUE(g_messages.empty());
  sim().Clock().Advance(3);
  EXPECT_TRUE(g_messages.empty());
  sim().Clock().Advance(3);
  ASSERT_EQ(g_messages, std::vector<uint16_t>{kEventStopped});
  EXPECT_EQ(Record().ip, 5);  // on the INT3
  // Going on passes the program's own INT3.
  Start(false, false);
  EXPECT_EQ(g_messages.size(), 2u);
  EXPECT_TRUE(cpu().Ended());
}

TEST_F(HostKernelTest, ClearRemovesTheBreakpointFromTheMinedList) {
  Debug(kCounter);
  Plant(At(4));
  Plant(At(7));
  uint8_t request[8] = {};
  uint32_t linear = At(4);
  std::memcpy(request, &linear, 4);
  uint16_t len = 0, status = 0xFF;
  ASSERT_EQ(qj8_call_func(kKernel, kFuncClear, 8, request, 0, &len, nullptr, &status), 0);
  EXPECT_EQ(status, 0);
  EXPECT_EQ(board().memory.Read8(At(4)), 0x83);
  uint32_t head = 0;
  qj8_read_par_dword(kKernel, kMinedHead, &head);
  ASSERT_NE(head, 0u);
  EXPECT_EQ(board().memory.Read32(head), 0u);  // one record left
  EXPECT_EQ(Linear(board().memory.Read16(head + 6), board().memory.Read16(head + 4)), At(7));
  // A short request is refused.
  ASSERT_EQ(qj8_call_func(kKernel, kFuncPlant, 4, request, 0, &len, nullptr, &status), 0);
  EXPECT_EQ(status, kStatusRefused);
}

TEST_F(HostKernelTest, ZorBoardReportsThroughItsServiceCallback) {
  uint32_t h = 0, info = 0;
  ASSERT_EQ(zor_connect_cpu(4, 1, 0, &info, &h), 0);
  ASSERT_EQ(zor_set_service(h, ZorService), 0);
  std::string kernel = WriteKernel();
  std::string prog = WriteProgram("PROG.EXE", kCounter);
  ZOR_INSTALL_RECORD k{kernel.c_str(), 0xFF00, 0, 3, 0, 0, 0, 0x800, 0};
  ZOR_INSTALL_RECORD p{prog.c_str(), 0x77, 0, 4, 0, 0, 0, 0x800, 0};
  uint16_t task = 0;
  ASSERT_EQ(zor_transfer_and_install(h, &k, &task), 0);
  ASSERT_EQ(zor_transfer_and_install(h, &p, &task), 0);
  uint16_t len = 2, debuggee = 4;
  ASSERT_EQ(zor_write_par_block(h, 3, kDebuggee_, &len, &debuggee), 0);
  ASSERT_EQ(zor_call_proc(h, 3, 2), 0);
  const sim::LoadedProgram* lp = cpu(4).Program(4);
  ASSERT_NE(lp, nullptr);
  uint32_t bp = Linear(lp->cs, 7);
  uint8_t request[8] = {uint8_t(bp), uint8_t(bp >> 8), uint8_t(bp >> 16), 0, 4, 0, 1, 0};
  len = 8;
  uint16_t answer = 0;
  ASSERT_EQ(zor_call_func(h, 3, kFuncPlant, &len, request, &answer, nullptr), 0);
  uint16_t go = kRequested;
  len = 2;
  ASSERT_EQ(zor_write_par_block(h, 3, kStart, &len, &go), 0);
  ASSERT_EQ(g_messages, std::vector<uint16_t>{kEventStopped});
  uint8_t rec[48];
  len = 48;
  ASSERT_EQ(zor_read_par_block(h, 3, kRecord, &len, rec), 0);
  EXPECT_EQ(rec[34], 7);
  EXPECT_EQ(rec[4], 1);  // BX: one round
}

}  // namespace
