// The serial kernel link over a pseudo-terminal against the simulated
// debug kernel of a board.
#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <cstring>
#include <thread>

#include "app/core/project_data.h"
#include "debugger/debug_control.h"
#include "debugger/kalven_board_qjx.h"
#include "debugger/kernel_link_serial.h"
#include "drivers/serial_kernel/serial_kernel.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/path.h"
#include "platform/sys/registry.h"
#include "tests/support/test_support.h"

namespace {

using sim::SerialKernel;
using Clock = std::chrono::steady_clock;

class CountingControl : public CDebugControl {
 public:
  bool Go(const CAddr*) override { return true; }
  bool SingleStep() override { return true; }
  void Break() override {}
  bool HandleDebugEvent() override {
    ++events;
    return true;
  }
  std::atomic<int> events{0};
};

long MsSince(Clock::time_point t0) {
  return static_cast<long>(std::chrono::duration_cast<std::chrono::milliseconds>(Clock::now() - t0).count());
}

class KernelLinkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    sim::Simulator::Instance().Configure();
    plat::ClearMessageBoxRecords();
    kernel = std::make_unique<SerialKernel>(0);
    ASSERT_FALSE(kernel->DevicePath().empty());
    HKEY key;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports", &key), ERROR_SUCCESS);
    std::string dev = kernel->DevicePath();
    RegSetValueEx(key, "COM9", 0, REG_SZ, reinterpret_cast<const BYTE*>(dev.c_str()), DWORD(dev.size() + 1));
    RegCloseKey(key);
    g_pDebugControl = &control;
  }
  void TearDown() override {
    link.reset();
    kernel.reset();
    g_pDebugControl = nullptr;
  }
  void Open() {
    int ok = -1;
    link = std::make_unique<CTDKernelCommunicationSerial>("\\\\.\\COM9", 19200, &ok);
    ASSERT_EQ(ok, 1);
  }
  int Send(char command, const std::vector<BYTE>& request, BYTE* answer, WORD expected) {
    return link->SendKernelCommand(command, request.data(), WORD(request.size()), answer, expected);
  }
  static std::vector<BYTE> Name(const char* name) { return std::vector<BYTE>(name, name + strlen(name) + 1); }
  static sim::Board& Board0() { return *sim::Simulator::Instance().FindBoard(0); }
  // Installs a small MZ program with this code as task 5 and prepares it
  // with 'N'; returns the entry CS:IP as a linear address.
  DWORD InstallAndPrepare(const std::vector<BYTE>& code) {
    std::vector<BYTE> mz(32, 0);
    size_t size = 32 + code.size();
    mz[0] = 'M', mz[1] = 'Z';
    mz[2] = BYTE(size % 512), mz[3] = BYTE((size % 512) >> 8);
    mz[4] = BYTE((size + 511) / 512);
    mz[8] = 2;                     // header paragraphs
    mz[12] = 0xFF, mz[13] = 0xFF;  // maximum allocation
    mz[14] = 0x10;                 // SS
    mz[16] = 0x00, mz[17] = 0x01;  // SP
    mz[24] = 0x1C;                 // relocation table offset
    mz.insert(mz.end(), code.begin(), code.end());
    std::string dir = mirt_test::MakeTempDir("mz");
    std::string exe = mirt_test::WriteFile(dir + "/PROG.EXE", std::string(mz.begin(), mz.end()));
    ProjectData project;
    CKalvenBoardQJx board(0, &project);
    EXPECT_EQ(board.Open(nullptr), 0);
    EXPECT_EQ(board.InstallProgram(exe.c_str(), 5, 0x100, 1, 0), 0);
    BYTE answer[64];
    EXPECT_EQ(Send('N', Name("PROG.EXE"), answer, 6), 1);
    return DWORD(kernel->Reg16(SerialKernel::CS)) * 16 + kernel->Reg16(SerialKernel::IP);
  }
  // The kernel's log; a lone length byte shows as "split:" unless the
  // kernel's thread came too late to see the pause.
  std::vector<std::string> KernelLog(bool keepSplit = false) {
    std::this_thread::sleep_for(std::chrono::milliseconds(30));
    std::vector<std::string> log = kernel->Log();
    if (!keepSplit)
      for (auto& e : log)
        if (e.rfind("split:", 0) == 0) e = e.substr(6);
    return log;
  }

  CountingControl control;
  std::unique_ptr<SerialKernel> kernel;
  std::unique_ptr<CTDKernelCommunicationSerial> link;
};

TEST_F(KernelLinkTest, OpenDrainsTheLineAndSaysSoOnlyWhenSomethingWasThere) {
  Open();
  EXPECT_TRUE(plat::MessageBoxRecords().empty());
  link.reset();
  kernel->SendRaw({1, 2, 3});
  Open();
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Message");
  EXPECT_EQ(boxes[0].text, "Interface cleared");
  EXPECT_EQ(link->splitMode, 1);
  EXPECT_EQ(link->abortFlag.load(), 0u);
}

TEST_F(KernelLinkTest, APortThatCannotBeOpenedIsReported) {
  int ok = -1;
  CTDKernelCommunicationSerial bad("\\\\.\\COM97", 19200, &ok);
  EXPECT_EQ(ok, 0);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].caption, "Alert");
  EXPECT_EQ(boxes[0].text, "Could not open port");
  BYTE answer[256];
  EXPECT_EQ(bad.Poll(answer), 0);
}

TEST_F(KernelLinkTest, PollSetsTheSplitModeAndFramesFollowIt) {
  Open();
  BYTE answer[256] = {};
  kernel->SetSplitMode(0);
  ASSERT_EQ(link->Poll(answer), 1);
  EXPECT_EQ(answer[0], 3);
  EXPECT_EQ(link->splitMode, 0);
  BYTE regs[49];
  ASSERT_EQ(Send('J', {}, regs, 48), 1);
  kernel->SetSplitMode(1);
  ASSERT_EQ(link->Poll(answer), 1);
  EXPECT_EQ(link->splitMode, 1);
  ASSERT_EQ(Send('J', {}, regs, 48), 1);
  auto log = KernelLog(true);
  ASSERT_EQ(log.size(), 4u);
  EXPECT_EQ(log[1], "J");  // one write: never seen apart
  EXPECT_EQ(KernelLog(), (std::vector<std::string>{"poll", "J", "poll", "J"}));
}

TEST_F(KernelLinkTest, SessionCommandsOnAnInstalledProgram) {
  std::string dir = mirt_test::MakeTempDir("prog");
  std::string exe = mirt_test::WriteFile(dir + "/TEST.EXE", "a user program");
  sim::Simulator::Instance().Select(0);
  ProjectData project;
  CKalvenBoardQJx board(0, &project);
  ASSERT_EQ(board.Open(nullptr), 0);
  ASSERT_EQ(board.InstallProgram(exe.c_str(), 5, 0x100, 1, 0), 0);
  DWORD descriptor = Board0().tasks[5].info.Get32(0x2C);
  ASSERT_NE(descriptor, 0u);
  Open();
  BYTE answer[256] = {};
  ASSERT_EQ(link->Poll(answer), 1);
  EXPECT_EQ(Send('O', {}, answer, 0), 1);
  EXPECT_EQ(Send('P', {}, answer, 0), 1);
  ASSERT_EQ(Send('C', Name("test.exe"), answer, 5), 1);
  EXPECT_EQ(answer[1] | answer[2] << 8, Board0().memory.Read16(descriptor + 30));  // time
  EXPECT_EQ(answer[3] | answer[4] << 8, Board0().memory.Read16(descriptor + 28));  // date
  ASSERT_EQ(Send('C', Name("OTHER.EXE"), answer, 5), 1);
  EXPECT_EQ(answer[1] | answer[2] | answer[3] | answer[4], 0);
  ASSERT_EQ(Send('N', Name("TEST.EXE"), answer, 6), 1);
  ASSERT_EQ(Send('J', {}, answer, 48), 1);
  EXPECT_EQ(answer[1 + 34] | answer[1 + 35] << 8, Board0().memory.Read16(descriptor + 8));   // IP
  EXPECT_EQ(answer[1 + 36] | answer[1 + 37] << 8, Board0().memory.Read16(descriptor + 10));  // CS
  std::vector<BYTE> record(answer + 1, answer + 49);
  record[0] = 0x78, record[1] = 0x56, record[2] = 0x34, record[3] = 0x12;  // EAX
  ASSERT_EQ(Send('K', record, answer, 0), 1);
  EXPECT_EQ(kernel->Reg32(SerialKernel::EAX), 0x12345678u);
  EXPECT_EQ(Send('U', {}, answer, 0), 1);
}

TEST_F(KernelLinkTest, MemoryReadsAndWrites) {
  for (int i = 0; i < 300; ++i) Board0().memory.Write8(0x10000 + i, BYTE(i * 7));
  Open();
  BYTE answer[128];
  ASSERT_EQ(Send('F', {127, 0x00, 0x00, 0x00, 0x10}, answer, 127), 1);  // 1000:0000
  for (int i = 0; i < 127; ++i) ASSERT_EQ(answer[1 + i], BYTE(i * 7)) << i;
  ASSERT_EQ(Send('F', {0, 0x00, 0x00, 0x00, 0x10}, answer, 0), 1);
  std::vector<BYTE> write = {3, 0x10, 0x00, 0x00, 0x20, 0xAA, 0xBB, 0xCC};  // 2000:0010
  ASSERT_EQ(Send('G', write, answer, 0), 1);
  EXPECT_EQ(Board0().memory.Read8(0x20010), 0xAA);
  EXPECT_EQ(Board0().memory.Read8(0x20012), 0xCC);
}

TEST_F(KernelLinkTest, RunToABreakpointAndSingleStep) {
  Open();
  DWORD entry = InstallAndPrepare({0x90, 0x90, 0x90, 0x90, 0x90, 0xCC, 0x90, 0x90, 0xCD, 0x20});
  ASSERT_NE(entry, 0u);
  WORD ip = kernel->Reg16(SerialKernel::IP);
  BYTE answer[8] = {};
  ASSERT_EQ(link->ReceiveEvent(answer, 0), 1);
  EXPECT_EQ(answer[0], 4);
  EXPECT_EQ(answer[1], SerialKernel::kBreakpoint);
  EXPECT_EQ(kernel->Reg16(SerialKernel::IP), ip + 6);
  EXPECT_EQ(control.events.load(), 1);
  kernel->SetReg16(SerialKernel::FLAGS, 0x0302);
  ASSERT_EQ(link->ReceiveEvent(answer, 1), 1);
  EXPECT_EQ(answer[1], SerialKernel::kSingleStep);
  EXPECT_EQ(kernel->Reg16(SerialKernel::IP), ip + 7);
  EXPECT_EQ(control.events.load(), 1);  // no event handling asked for
  BYTE d[5];
  kernel->SetReg16(SerialKernel::FLAGS, 0x0302);
  ASSERT_EQ(Send('D', {}, d, 4), 1);
  EXPECT_EQ(control.events.load(), 2);
}

TEST_F(KernelLinkTest, AbortFromAnotherThreadEndsTheWaitAndEscapeStopsTheProgram) {
  Open();
  ASSERT_NE(InstallAndPrepare({0xEB, 0xFE}), 0u);  // a loop on itself: runs until broken into
  BYTE answer[8];
  std::thread stopper([&] {
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    link->Abort();
  });
  auto t0 = Clock::now();
  EXPECT_EQ(link->ReceiveEvent(answer, 0), 0);
  stopper.join();
  EXPECT_LT(MsSince(t0), 1500);
  EXPECT_TRUE(kernel->Running());
  link->abortFlag = 0;
  link->Escape();
  EXPECT_FALSE(kernel->Running());
  BYTE regs[49];
  EXPECT_EQ(Send('J', {}, regs, 48), 1);  // the line is clean again
  EXPECT_EQ(control.events.load(), 0);
}

TEST_F(KernelLinkTest, AnAbortedCommandReadsNoAnswer) {
  Open();
  link->Abort();
  BYTE regs[49];
  EXPECT_EQ(Send('J', {}, regs, 48), 0);
}

TEST_F(KernelLinkTest, SilentPeerTimesOut) {
  Open();
  kernel->SetSilent(true);
  BYTE answer[256];
  auto t0 = Clock::now();
  EXPECT_EQ(Send('J', {}, answer, 48), 0);
  EXPECT_GE(MsSince(t0), 350);
  EXPECT_LT(MsSince(t0), 2000);
  EXPECT_EQ(link->Poll(answer), 0);
  EXPECT_EQ(link->ReceiveEvent(answer, 0), 0);
}

TEST_F(KernelLinkTest, WrongShortAndGarbageAnswersFail) {
  Open();
  struct Case {
    const char* what;
    std::vector<BYTE> reply;
    WORD expected;
  } cases[] = {
      {"length 47 for 48", {0x06, 47}, 48},
      {"short data", {0x06, 48, 1, 2, 3, 4, 5}, 48},
      {"length 0 for 48", {0x06, 0}, 48},
  };
  for (const Case& c : cases) {
    kernel->QueueRawReply(c.reply);
    BYTE answer[49];
    std::memset(answer, 0xEE, sizeof answer);
    EXPECT_EQ(Send('J', {}, answer, c.expected), 0) << c.what;
    link->abortFlag = 0;
  }
}

TEST_F(KernelLinkTest, EmptyAnswerGetsNoGoAhead) {
  Open();
  BYTE answer[4];
  ASSERT_EQ(Send('O', {}, answer, 0), 1);
  EXPECT_EQ(KernelLog(), std::vector<std::string>{"O"});  // a go-ahead would read as a poll
}

TEST_F(KernelLinkTest, PollAnswersOfAnyLengthFitAndShortOnesFail) {
  Open();
  std::vector<BYTE> big = {255};
  for (int i = 0; i < 255; ++i) big.push_back(BYTE(i));
  kernel->QueueRawReply(big);
  BYTE answer[256];
  ASSERT_EQ(link->Poll(answer), 1);
  EXPECT_EQ(answer[255], 254);
  EXPECT_EQ(link->splitMode, 1);  // data byte 2
  kernel->QueueRawReply({5, 1, 0});
  EXPECT_EQ(link->Poll(answer), 0);
}

TEST_F(KernelLinkTest, RequestsLongerThanAFrameAreRefused) {
  Open();
  std::vector<BYTE> request(127, 0x41);
  BYTE answer[4];
  EXPECT_EQ(Send('G', request, answer, 0), 0);
  request.resize(126);
  EXPECT_EQ(Send('G', request, answer, 0), 1);
  EXPECT_EQ(KernelLog(), std::vector<std::string>{"G"});
}

}  // namespace
