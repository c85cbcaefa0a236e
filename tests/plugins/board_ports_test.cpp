// The board list from the simulated rack and the serial ports from the
// registry's port map.
#include <fcntl.h>
#include <gtest/gtest.h>
#include <stdlib.h>
#include <unistd.h>

#include <string>
#include <vector>

#include "drivers/sim/simulator.h"
#include "platform/sys/registry.h"
#include "plugins/common/board_list.h"
#include "plugins/common/connection_dialog.h"
#include "tests/support/test_support.h"

namespace {

constexpr auto kRack =
    "board 3 type=8 interface=0\n"
    "board 12 type=2 interface=1\n"
    "board 5 type=16 interface=6\n"
    "board 6 type=0x600 interface=4\n"
    "board 7 type=6 interface=7\n"
    "board 9 type=300 interface=3\n";

TEST(BoardList, ListsTheRackWithNamesAndConnections) {
  ASSERT_EQ(sim::Simulator::Instance().Configure(kRack), "");
  std::vector<BoardListEntry> boards;
  ASSERT_EQ(ReadInstalledBoards(boards), KalvInfoState::kLoaded);
  struct Expected {
    int number;
    uint16_t type;
    const char* text;
  };
  const Expected kExpected[] = {
      {3, 8, "Board 3: TESSERA-4/486 [local]"},       {5, 16, "Board 5: ZOR-PC [TCP/IP]"},
      {6, 0x600, "Board 6: ZOR6PCI [remote server]"}, {7, 6, ""},  // interface 7 is not listed
      {9, 300, "Board 9: type 300 [local]"},          {12, 2, "Board 12: Kora-DESK/2 [serial]"},
  };
  ASSERT_EQ(boards.size(), std::size(kExpected));
  for (size_t i = 0; i < boards.size(); ++i) {
    EXPECT_EQ(boards[i].number, kExpected[i].number);
    EXPECT_EQ(boards[i].type, kExpected[i].type);
    EXPECT_EQ(std::string(boards[i].text), kExpected[i].text);
  }
  sim::Simulator::Instance().Configure();
}

TEST(BoardList, NumberAndCardClassFromTheListText) {
  struct Case {
    const char* text;
    bool parsed;
    int number;
    uint16_t cardClass;
  };
  constexpr Case kCases[] = {
      {"Board 3: TESSERA-4/486 [local]", true, 3, 1},
      {"Board 12: Kora-DESK/2 [serial]", true, 12, 1},
      {"Board 5: ZOR-PC [TCP/IP]", true, 5, 2},
      {"Board 6: ZOR6PCI [remote server]", true, 6, 2},
      {"Board 9: type 300 [local]", true, 9, 1},
      {"", false, 0, 0},
      {"my board", false, 0, 0},
      {"Board x: ZOR-PC [local]", false, 0, 0},
  };
  for (const Case& c : kCases) {
    int number = 0;
    uint16_t cardClass = 0;
    EXPECT_EQ(ParseBoardListText(c.text, number, cardClass), c.parsed) << c.text;
    if (!c.parsed) continue;
    EXPECT_EQ(number, c.number) << c.text;
    EXPECT_EQ(cardClass, c.cardClass) << c.text;
  }
}

// A pseudo-terminal stands in for a port that can be opened.
class SerialPortsTest : public ::testing::Test {
 protected:
  void TearDown() override {
    for (int m : masters_) close(m);
    RegDeleteKey(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports");
    plat::RefreshSerialCommKey();
  }
  std::string OpenPty() {
    int m = posix_openpt(O_RDWR | O_NOCTTY);
    grantpt(m);
    unlockpt(m);
    masters_.push_back(m);
    return ptsname(m);
  }
  static void MapPort(const char* port, const std::string& device) {
    HKEY k;
    RegCreateKeyEx(HKEY_LOCAL_MACHINE, "SOFTWARE\\mirt2\\Ports", 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k,
                   nullptr);
    RegSetValueEx(k, port, 0, REG_SZ, reinterpret_cast<const BYTE*>(device.c_str()),
                  static_cast<DWORD>(device.size() + 1));
    RegCloseKey(k);
  }
  std::vector<int> masters_;
};

TEST_F(SerialPortsTest, OnlyPortsThatOpenAreListed) {
  std::string dev = mirt_test::MakeTempDir("dev");
  for (const char* n : {"ttyS0", "ttyS2", "ttyS11"}) mirt_test::WriteFile(dev + "/" + n, "");
  plat::RefreshSerialCommKey(dev);  // COM1, COM3, COM12
  MapPort("COM1", OpenPty());
  MapPort("COM3", dev + "/missing");
  MapPort("COM12", OpenPty());
  std::vector<std::string> names;
  for (const CString& port : OpenableSerialPorts()) names.push_back(port.str());
  EXPECT_EQ(names, (std::vector<std::string>{"COM1", "COM12"}));
}

}  // namespace
