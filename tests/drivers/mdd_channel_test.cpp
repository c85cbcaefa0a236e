#include <vector>

#include "drivers/rizo32/rizo32.h"
#include "tests/drivers/sim_fixture.h"
#include "tests/support/test_support.h"

namespace {

class MddChannelTest : public SimTest {
 protected:
  uint32_t Open(std::vector<uint16_t> words, uint16_t task = 0) {
    words.resize(9, 0);
    return mdd8_open_channel(task, 18, words.data());
  }
};

TEST_F(MddChannelTest, LedChannelsKeepTheirUnitState) {
  uint32_t a = Open({0x402, 1, 1, 0}), b = Open({0x402, 0, 0, 0});
  ASSERT_NE(a, 0u);
  ASSERT_NE(b, a);
  mdd8_write_channel_byte(a, 1);
  mdd8_write_channel_byte(b, 0);
  EXPECT_EQ(board(0).leds[1], 1);
  EXPECT_EQ(board(0).leds[0], 0);
  EXPECT_EQ(mdd8_close_channel(a), 0);
  EXPECT_EQ(mdd8_check_handle_valid(a), 0);
  EXPECT_EQ(mdd8_close_channel(a), 0x0B40);  // closed twice
  EXPECT_EQ(mdd8_check_handle_valid(b), 1);
}

TEST_F(MddChannelTest, OpenNeedsDriverTaskAndKnownType) {
  EXPECT_EQ(Open({0x402, 0, 0}, 7), 0u);
  uint8_t cls, code;
  qj8_get_error_class_and_code(&cls, &code);
  EXPECT_EQ(cls << 8 | code, 0x0B45);
  EXPECT_EQ(Open({0x999, 0, 0}), 0u);
  std::string dir = mirt_test::MakeTempDir("mdd");
  std::string lib = Descriptor(dir, "QJ8D0000.LIB", "role=mdd\r\nprogram=4FF\r\n");
  ASSERT_EQ(qj8_transfer_and_install(lib.c_str(), 0, 7, 0x4FF, 144, 2050, 0), 0);
  EXPECT_NE(Open({0x402, 0, 0}, 7), 0u);
}

TEST_F(MddChannelTest, TimerRunsOnVirtualClockBetweenStartAndStop) {
  uint32_t t = Open({0x501, 1, 1});
  mdd8_write_channel_dword(t, 1000);  // 1 ms
  mdd8_send_channel_command(t, 166);
  sim().Clock().Advance(10);
  mdd8_send_channel_command(t, 167);
  sim().Clock().Advance(10);
  EXPECT_EQ(board(0).interruptCount, 10u);
  EXPECT_EQ(mdd8_read_channel_dword(t), 1000u);
}

TEST_F(MddChannelTest, ClockAdvancesWithVirtualTime) {
  uint32_t time = Open({0x701}), date = Open({0x702});
  mdd8_write_channel_dword(time, 23u << 24 | 59u << 16 | 58u << 8);
  sim().Clock().Advance(3000);
  EXPECT_EQ(mdd8_read_channel_dword(time), 0u << 24 | 0u << 16 | 1u << 8);
  mdd8_write_channel_dword(date, 0x7D0C1F03);
  EXPECT_EQ(mdd8_read_channel_dword(date), 0x7D0C1F03u);
}

TEST_F(MddChannelTest, SerialLoopbackAndScriptedPeer) {
  uint32_t a = Open({0x801, 0, 0, 0, 0, 0, 0, 0, 0x13});
  EXPECT_EQ(mdd8_get_channel_info(a, 72), 0x2u);  // tx ready, nothing received
  mdd8_write_channel_byte(a, 'x');
  EXPECT_EQ(mdd8_get_channel_info(a, 72), 0x3u);
  EXPECT_EQ(mdd8_read_channel_byte(a), 'x');
  sim().SetSerialPeer([](uint16_t, uint16_t line, uint8_t sent) {
    return std::vector<uint8_t>{uint8_t(line), uint8_t(sent + 1)};
  });
  uint32_t b = Open({0x801, 1, 1});
  mdd8_write_channel_byte(b, 'a');
  EXPECT_EQ(mdd8_read_channel_byte(b), 2);
  EXPECT_EQ(mdd8_read_channel_byte(b), 'b');
  EXPECT_EQ(board(0).serial[2].sent, std::vector<uint8_t>{'a'});
  EXPECT_EQ(sim().Channels().Find(a)->setting(), 0x13);
}

TEST_F(MddChannelTest, DeskSerialPortsLoopBack) {
  qj8_select_card(1);
  uint16_t a, kind, serialKind;
  ASSERT_EQ(qj2_card_check(&a, &kind, &serialKind), 0);
  EXPECT_EQ(serialKind, 1);
  EXPECT_EQ(qj8_in8_port(7) & 0x0C, 0x0C);  // tx ready, nothing received
  qj8_out8_port(15, 'q');
  EXPECT_EQ(qj8_in8_port(7) & 0x04, 0);
  EXPECT_EQ(qj8_in8_port(6), 'q');
}

}  // namespace
