#include <gtest/gtest.h>
#include <fcntl.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

#include <atomic>
#include <chrono>
#include <thread>

#include "platform/sys/file.h"
#include "platform/sys/registry.h"
#include "platform/sys/serial_port.h"

namespace {

// A pseudo-terminal mapped to a COM port name; the test speaks on the
// master side.
class SerialPortTest : public ::testing::Test {
 protected:
  void SetUp() override {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    grantpt(master);
    unlockpt(master);
    termios tio;
    tcgetattr(master, &tio);
    cfmakeraw(&tio);
    tcsetattr(master, TCSANOW, &tio);
    MapPort("COM7", ptsname(master));
  }
  void TearDown() override {
    if (port != INVALID_HANDLE_VALUE) CloseHandle(port);
    close(master);
  }
  static void MapPort(const char* name, const char* device) {
    HKEY key;
    ASSERT_EQ(RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports", 0, nullptr, 0, KEY_ALL_ACCESS,
                             nullptr, &key, nullptr),
              ERROR_SUCCESS);
    RegSetValueEx(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(device),
                  static_cast<DWORD>(strlen(device) + 1));
    RegCloseKey(key);
  }
  HANDLE Open(const char* name = "\\\\.\\COM7") {
    port = CreateFile(name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    return port;
  }
  void SetTimeouts(DWORD interval, DWORD mult, DWORD constant) {
    COMMTIMEOUTS t{};
    GetCommTimeouts(port, &t);
    t.ReadIntervalTimeout = interval;
    t.ReadTotalTimeoutMultiplier = mult;
    t.ReadTotalTimeoutConstant = constant;
    ASSERT_TRUE(SetCommTimeouts(port, &t));
  }
  void PeerSend(const std::string& bytes) {
    ASSERT_EQ(write(master, bytes.data(), bytes.size()), (ssize_t)bytes.size());
  }
  std::string PeerReceive(size_t n) {
    std::string got;
    char buf[256];
    auto until = std::chrono::steady_clock::now() + std::chrono::seconds(2);
    while (got.size() < n && std::chrono::steady_clock::now() < until) {
      ssize_t k = read(master, buf, std::min(sizeof buf, n - got.size()));
      if (k > 0) got.append(buf, static_cast<size_t>(k));
    }
    return got;
  }

  int master = -1;
  HANDLE port = INVALID_HANDLE_VALUE;
};

TEST_F(SerialPortTest, BytesTravelBothWaysUnchanged) {
  ASSERT_NE(Open(), INVALID_HANDLE_VALUE);
  std::string all;
  for (int i = 0; i < 256; ++i) all += static_cast<char>(i);
  DWORD n = 0;
  ASSERT_TRUE(WriteFile(port, all.data(), 256, &n, nullptr));
  EXPECT_EQ(n, 256u);
  EXPECT_EQ(PeerReceive(256), all);
  SetTimeouts(0, 0, 500);
  PeerSend(all);
  std::string got(256, '\0');
  ASSERT_TRUE(ReadFile(port, got.data(), 256, &n, nullptr));
  EXPECT_EQ(got.substr(0, n), all);
}

TEST_F(SerialPortTest, PortNamesAndFailures) {
  EXPECT_TRUE(plat::IsComPortName("COM7"));
  EXPECT_TRUE(plat::IsComPortName("com12:"));
  EXPECT_TRUE(plat::IsComPortName("\\\\.\\COM3"));
  EXPECT_FALSE(plat::IsComPortName("COM"));
  EXPECT_FALSE(plat::IsComPortName("COMX"));
  EXPECT_FALSE(plat::IsComPortName("COM7.txt"));
  EXPECT_FALSE(plat::IsComPortName("/dev/ttyS0"));
  EXPECT_EQ(CreateFile("COM98", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_FILE_NOT_FOUND));
  ASSERT_NE(Open("COM7"), INVALID_HANDLE_VALUE);
  EXPECT_EQ(CreateFile("COM7", GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr), INVALID_HANDLE_VALUE);
  EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_ACCESS_DENIED));
  CloseHandle(port);
  port = INVALID_HANDLE_VALUE;
  EXPECT_NE(Open("COM7"), INVALID_HANDLE_VALUE);  // free again once closed
}

TEST_F(SerialPortTest, StateRoundTripsAndBadValuesAreRefused) {
  ASSERT_NE(Open(), INVALID_HANDLE_VALUE);
  DCB dcb{};
  ASSERT_TRUE(GetCommState(port, &dcb));
  EXPECT_EQ(dcb.ByteSize, 8);
  EXPECT_EQ(dcb.Parity, NOPARITY);
  EXPECT_EQ(dcb.StopBits, ONESTOPBIT);
  dcb.BaudRate = CBR_19200;
  dcb.ByteSize = 7;
  dcb.Parity = EVENPARITY;
  dcb.StopBits = TWOSTOPBITS;
  ASSERT_TRUE(SetCommState(port, &dcb));
  DCB back{};
  ASSERT_TRUE(GetCommState(port, &back));
  EXPECT_EQ(back.BaudRate, 19200u);
  EXPECT_EQ(back.ByteSize, 7);
  EXPECT_EQ(back.Parity, EVENPARITY);
  EXPECT_EQ(back.StopBits, TWOSTOPBITS);
  struct Bad {
    DWORD baud;
    BYTE size, parity, stop;
  } bad[] = {{12345, 8, 0, 0}, {9600, 9, 0, 0}, {9600, 4, 0, 0}, {9600, 8, 5, 0}, {9600, 8, 0, 3}};
  for (const Bad& b : bad) {
    DCB d = back;
    d.BaudRate = b.baud;
    d.ByteSize = b.size;
    d.Parity = b.parity;
    d.StopBits = b.stop;
    EXPECT_FALSE(SetCommState(port, &d)) << b.baud << " " << int(b.size);
    EXPECT_EQ(GetLastError(), static_cast<DWORD>(ERROR_INVALID_PARAMETER));
  }
}

// Read time-outs as Windows applies them.
TEST_F(SerialPortTest, ReadTimeOutRules) {
  ASSERT_NE(Open(), INVALID_HANDLE_VALUE);
  struct Case {
    DWORD interval, mult, constant;
    const char* sent;  // what the peer sends before the read
    DWORD ask;
    const char* got;
    int minMs, maxMs;
  } cases[] = {
      {20, 200, 200, "", 1, "", 350, 900},  // the link's setting: 400 ms for one byte
      {20, 200, 200, "A", 1, "A", 0, 150},
      {MAXDWORD, 0, 0, "", 10, "", 0, 100},  // return at once
      {MAXDWORD, 0, 0, "xy", 10, "xy", 0, 100},
      {MAXDWORD, MAXDWORD, 300, "", 4, "", 250, 800},  // wait for the first byte only
      {MAXDWORD, MAXDWORD, 300, "q", 4, "q", 0, 150},
      {0, 0, 250, "abc", 5, "abc", 200, 800},   // total time-out, partial read succeeds
      {50, 0, 0, "abcd", 10, "abcd", 30, 500},  // interval ends the read after the last byte
  };
  for (const Case& c : cases) {
    SetTimeouts(c.interval, c.mult, c.constant);
    PurgeComm(port, PURGE_RXCLEAR);
    PeerSend(c.sent);
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    char buf[16] = {};
    DWORD n = 99;
    auto t0 = std::chrono::steady_clock::now();
    ASSERT_TRUE(ReadFile(port, buf, c.ask, &n, nullptr));
    auto ms =
        std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - t0).count();
    EXPECT_EQ(std::string(buf, n), c.got) << c.interval << "/" << c.mult << "/" << c.constant;
    EXPECT_GE(ms, c.minMs) << c.interval << "/" << c.mult << "/" << c.constant;
    EXPECT_LE(ms, c.maxMs) << c.interval << "/" << c.mult << "/" << c.constant;
  }
}

TEST_F(SerialPortTest, WaitingReadEndsWhenAllBytesArrive) {
  ASSERT_NE(Open(), INVALID_HANDLE_VALUE);
  SetTimeouts(0, 0, 0);  // no time-out: wait for every byte
  std::thread peer([&] {
    for (char ch : std::string("wxyz")) {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      PeerSend(std::string(1, ch));
    }
  });
  char buf[4];
  DWORD n = 0;
  ASSERT_TRUE(ReadFile(port, buf, 4, &n, nullptr));
  peer.join();
  EXPECT_EQ(std::string(buf, n), "wxyz");
}

TEST_F(SerialPortTest, PurgeAndQueueCounts) {
  ASSERT_NE(Open(), INVALID_HANDLE_VALUE);
  PeerSend("12345");
  std::this_thread::sleep_for(std::chrono::milliseconds(20));
  COMSTAT st{};
  DWORD errors = 9;
  ASSERT_TRUE(ClearCommError(port, &errors, &st));
  EXPECT_EQ(errors, 0u);
  EXPECT_EQ(st.cbInQue, 5u);
  ASSERT_TRUE(PurgeComm(port, PURGE_RXCLEAR | PURGE_TXCLEAR));
  ASSERT_TRUE(ClearCommError(port, &errors, &st));
  EXPECT_EQ(st.cbInQue, 0u);
  EXPECT_TRUE(EscapeCommFunction(port, SETDTR));
  EXPECT_FALSE(EscapeCommFunction(port, 77));
}

TEST_F(SerialPortTest, ClosingThePortEndsABlockedRead) {
  ASSERT_NE(Open(), INVALID_HANDLE_VALUE);
  SetTimeouts(0, 0, 0);
  std::atomic<DWORD> error{0};
  std::thread reader([&] {
    char buf[4];
    DWORD n;
    if (!ReadFile(port, buf, 4, &n, nullptr)) error = GetLastError();
  });
  std::this_thread::sleep_for(std::chrono::milliseconds(50));
  CloseHandle(port);
  port = INVALID_HANDLE_VALUE;
  reader.join();
  EXPECT_EQ(error.load(), static_cast<DWORD>(ERROR_OPERATION_ABORTED));
}

}  // namespace
