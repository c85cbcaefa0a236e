// Target access over the serial link against the simulated kernel: reads
// and writes split into frames, registers by name, and no register write
// after a failed register read.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

#include "debugger/kernel_link_serial.h"
#include "debugger/session/debug_access_borland.h"
#include "debugger/session_globals.h"
#include "drivers/rizo32/rizo32.h"
#include "drivers/serial_kernel/serial_kernel.h"
#include "drivers/sim/simulator.h"
#include "platform/sys/msgbox.h"
#include "platform/sys/registry.h"

namespace session_test {
namespace {

constexpr uint32_t kBaud = 19200;

class SerialAccessTest : public testing::Test {
 protected:
  void SetUp() override {
    sim::Simulator::Instance().Configure();
    plat::ClearMessageBoxRecords();
    ASSERT_EQ(qj8_start(0, 0, 1, 0, 0, nullptr, 0x50), 0);
    kernel = std::make_unique<sim::SerialKernel>(0);
    HKEY key;
    ASSERT_EQ(RegCreateKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports", &key), ERROR_SUCCESS);
    std::string dev = kernel->DevicePath();
    RegSetValueEx(key, "COM9", 0, REG_SZ, reinterpret_cast<const BYTE*>(dev.c_str()), DWORD(dev.size() + 1));
    RegCloseKey(key);
    int ok = 0;
    g_pKernelLink = new CTDKernelCommunicationSerial("\\\\.\\COM9", kBaud, &ok);
    ASSERT_EQ(ok, 1);
    kernel->ClearLog();
  }
  void TearDown() override {
    delete g_pKernelLink;
    g_pKernelLink = nullptr;
    g_pRegisters = nullptr;
    kernel.reset();
  }
  // Frames of a command in the kernel's log, whole or split.
  int Count(const char* command) {
    auto log = kernel->Log();
    return int(std::count(log.begin(), log.end(), std::string(command)) +
               std::count(log.begin(), log.end(), "split:" + std::string(command)));
  }
  std::unique_ptr<sim::SerialKernel> kernel;
  CDebugAccessBorland access;
};

TEST_F(SerialAccessTest, ReadsGoInFramesOf127BytesAcrossTheOffsetEnd) {
  struct Case {
    CAddr at;
    uint32_t length;
    int frames;
  } kCases[] = {{CAddr(0x2000, 0), 127, 1},
                {CAddr(0x2000, 0), 128, 2},
                {CAddr(0x2000, 0), 300, 3},
                {CAddr(0x1000, 0xFFF0), 200, 2}};  // the second frame starts at 1008:FFEF
  for (const Case& c : kCases) {
    std::vector<uint8_t> pattern(c.length);
    for (size_t i = 0; i < pattern.size(); ++i) pattern[i] = uint8_t(i * 7 + 1);
    ASSERT_EQ(qj8_write_memory(c.at.Linear(), uint16_t(c.length), pattern.data()), 0);
    kernel->ClearLog();
    std::vector<uint8_t> read(c.length);
    EXPECT_EQ(access.ReadMemory(&c.at, c.length, read.data()), 1);
    EXPECT_EQ(read, pattern) << c.length << " bytes at " << std::hex << c.at.Linear();
    EXPECT_EQ(Count("F"), c.frames);
  }
}

TEST_F(SerialAccessTest, AWriteLongerThanOneFrameIsSplit) {
  constexpr uint32_t kLength = 300;
  const CAddr at(0x3000, 0x10);
  std::vector<uint8_t> bytes(kLength);
  for (size_t i = 0; i < bytes.size(); ++i) bytes[i] = uint8_t(i ^ 0x5A);
  EXPECT_EQ(access.WriteMemory(&at, kLength, bytes.data()), 1);
  EXPECT_EQ(Count("G"), 3) << "121 + 121 + 58 bytes";
  std::vector<uint8_t> back(kLength);
  ASSERT_EQ(qj8_read_memory(at.Linear(), uint16_t(kLength), back.data()), 0);
  EXPECT_EQ(back, bytes);
}

TEST_F(SerialAccessTest, RegistersByNameChangeOneRegisterOrFlag) {
  TargetRegisters regs;
  ASSERT_EQ(access.ReadRegisters(&regs), 1);
  g_pRegisters = &regs;
  struct Case {
    const char* name;
    double value;
    uint16_t KernelRegisterRecord::*field;
    uint16_t expected;
  } kCases[] = {
      {"DS", 4660.7, &KernelRegisterRecord::ds, 0x1234},
      {"Flags", 0x0002, &KernelRegisterRecord::flags, 0x0002},
      {"Flags.Z", 1.0, &KernelRegisterRecord::flags, 0x0042},  // bit 6, the rest kept
      {"Flags.C", 2.0, &KernelRegisterRecord::flags, 0x0043},
      {"Flags.Z", 0.0, &KernelRegisterRecord::flags, 0x0003},
      {"Flags.X", 1.0, &KernelRegisterRecord::flags, 0x1003},  // another letter: bit 12
      {"NoSuch", 1.0, &KernelRegisterRecord::flags, 0x1003},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    access.SetRegisterByName(c.name, c.value);
    TargetRegisters now;
    ASSERT_EQ(access.ReadRegisters(&now), 1);
    EXPECT_EQ(now.Record().*c.field, c.expected);
  }
}

TEST_F(SerialAccessTest, AFailedRegisterReadWritesNoRegistersBack) {
  TargetRegisters regs;
  ASSERT_EQ(access.ReadRegisters(&regs), 1);
  constexpr uint8_t kAck = 0x06, kShortLength = 47;
  kernel->QueueRawReply({kAck, kShortLength});
  kernel->ClearLog();
  EXPECT_EQ(access.WriteRegisters(&regs), 0);
  EXPECT_EQ(Count("K"), 0);
  auto boxes = plat::MessageBoxRecords();
  ASSERT_FALSE(boxes.empty());
  EXPECT_EQ(boxes.back().text, "Read Registers");
}

}  // namespace
}  // namespace session_test
