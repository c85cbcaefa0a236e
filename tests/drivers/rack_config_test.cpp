#include <set>

#include "drivers/sim/rack_config.h"
#include "tests/drivers/sim_fixture.h"

namespace {

TEST(RackConfigTest, DefaultRackHasOneBoardOfEachFamily) {
  auto r = sim::ParseRack(sim::DefaultRackText());
  ASSERT_TRUE(r.error.empty());
  std::set<sim::Family> families;
  for (auto& b : r.boards) families.insert(b->family());
  EXPECT_TRUE(families.count(sim::Family::QJ2) && families.count(sim::Family::QJ6) &&
              families.count(sim::Family::QJ8) && families.count(sim::Family::ZOR));
}

TEST(RackConfigTest, BoardsModulesAndBadLines) {
  auto r = sim::ParseRack(
      "# rack\r\n"
      "board 7 type=0x600 interface=6 address=3A0 nomodules\r\n"
      "module 7 slot=3 layer=2 type=1F0 variant=1 serial=99 design=27 noarea\r\n"
      "board 7 type=2\r\n"
      "module 9 slot=1 layer=0 type=B\r\n");
  ASSERT_EQ(r.boards.size(), 1u);
  const sim::Board& b = *r.boards[0];
  EXPECT_EQ(b.type, 0x600);
  EXPECT_EQ(b.interfaceCode, 6);
  EXPECT_EQ(b.ioAddress, 0x3A0);
  ASSERT_EQ(b.modules.size(), 1u);
  const sim::ZorModule& m = b.modules.at({3, 2});
  EXPECT_EQ(m.type, 0x1F0);
  EXPECT_FALSE(m.areaReadable);
  EXPECT_EQ(r.error, "board 7 type=2");  // a board number used twice
}

TEST(RackConfigTest, SimulatorTakesRackAndReportsBadLine) {
  auto& s = sim::Simulator::Instance();
  EXPECT_EQ(s.Configure("board 3 type=6\nfrobnicate\n"), "frobnicate");
  EXPECT_EQ(s.BoardNumbers(), std::vector<uint16_t>{3});
  EXPECT_EQ(s.Current(), 3);
  s.Configure();
}

}  // namespace
