#include <string>

#include "drivers/rizo32/rizo32.h"
#include "tests/a_qjx/family_fixture.h"

namespace {

TEST_F(FamilyTest, LedChannelsByVariant) {
  CBoardFamily& line = Select(6, 2);
  line.OpenLedChannel();
  line.SetLed(1, 1);  // the second channel, opened for unit 0
  line.SetLed(0, 0);
  EXPECT_EQ(board(2).leds[0], 1);
  EXPECT_EQ(board(2).leds[1], 0);
  // Opening again closes the old channels first: nothing leaks.
  line.OpenLedChannel();
  EXPECT_EQ(sim().Channels().All().size(), 2u);
  line.CloseLedChannel();
  EXPECT_TRUE(sim().Channels().All().empty());

  CBoardFamily& desk = Select(2, 1);
  desk.OpenLedChannel();
  EXPECT_EQ(Args("mdd8_open_channel"), std::vector<std::string>{"0, 16, ptr"});
  sim().Trace().Clear();
  desk.SetLed(1, 1);  // Kora-DESK/2 has one LED channel
  EXPECT_TRUE(Args("mdd8_write_channel_byte").empty());
  desk.SetLed(0, 1);
  EXPECT_EQ(board(1).leds[0], 1);
  desk.CloseLedChannel();
}

TEST_F(FamilyTest, ClockFieldsRoundTrip) {
  CBoardFamily& f = Select(8, 0);
  f.OpenClockChannel();
  f.WriteClockTime(13, 45, 30);
  f.WriteClockDate(24, 12, 99, 3);
  WORD a, b, c, d;
  f.ReadClockTime(&a, &b, &c);
  EXPECT_EQ(a * 10000 + b * 100 + c, 134530);
  f.ReadClockDate(&a, &b, &c, &d);
  EXPECT_EQ(a, 24);
  EXPECT_EQ(b, 12);
  EXPECT_EQ(c, 99);
  EXPECT_EQ(d, 3);
  EXPECT_EQ(board(0).clockDate, 99u << 24 | 12u << 16 | 24u << 8 | 3u);
  f.CloseClockChannel();
  CBoardFamily& desk = Select(2, 1);
  desk.OpenClockChannel();
  EXPECT_EQ(BoxTexts(), std::vector<std::string>{"This module is not implemented."});
}

TEST_F(FamilyTest, TimerLimitsAndCommands) {
  CBoardFamily& f = Select(8, 0);
  f.ReadParameterWord();
  EXPECT_EQ(f.timerClock, 10000);
  EXPECT_EQ(f.timerMax[2], 6553u);
  board(0).Os().params.Set16(150, 0);  // no timer clock: no value accepted, no crash
  f.ReadParameterWord();
  EXPECT_EQ(f.timerMax[0], 0u);

  f.OpenTimerChannel();
  EXPECT_EQ(sim().Channels().All().size(), 3u);
  sim().Trace().Clear();
  f.StartTimer(1, 500);
  f.StopTimer(1);
  EXPECT_EQ(sim().Trace().Names(),
            "mdd8_write_channel_dword mdd8_send_channel_command mdd8_send_channel_command");
  EXPECT_EQ(Args("mdd8_send_channel_command")[0].substr(Args("mdd8_send_channel_command")[0].find(',')),
            ", 166");
  EXPECT_EQ(Args("mdd8_send_channel_command")[1].substr(Args("mdd8_send_channel_command")[1].find(',')),
            ", 167");
  f.CloseTimerChannel();
  EXPECT_TRUE(sim().Channels().All().empty());

  CBoardFamily& desk = Select(2, 1);
  desk.ReadParameterWord();
  EXPECT_EQ(desk.timerMax[0], 8191u);
  EXPECT_EQ(desk.timerMax[1], 0x1FFFFu);
  desk.OpenTimerChannel();
  EXPECT_EQ(sim().Channels().All().size(), 2u);
  desk.CloseTimerChannel();
}

TEST_F(FamilyTest, SerialChannelsCarryTheirSettings) {
  CBoardFamily& f = Select(8, 0);
  f.serialSetting[0][2] = 0x10;
  f.serialSetting[3][2] = 0x03;
  f.OpenSerialChannel(2);
  const sim::Channel* ch = sim().Channels().Find(f.serialChannel[2]);
  ASSERT_NE(ch, nullptr);
  EXPECT_EQ(ch->unit(), 1);
  EXPECT_EQ(ch->setting(), 0x13);
  DWORD first = f.serialChannel[2];
  f.OpenSerialChannel(2);  // the open closes the valid handle first
  EXPECT_EQ(sim().Channels().Find(first), nullptr);
  EXPECT_EQ(f.GetSerialTxState(2), 1);
  EXPECT_EQ(f.GetSerialRxState(2), 0);
  f.WriteSerialByte(2, 'k');
  EXPECT_EQ(f.GetSerialRxState(2), 1);
  EXPECT_EQ(f.ReadSerialByte(2), 'k');
  f.CloseSerialChannel(2);
  EXPECT_TRUE(sim().Channels().All().empty());

  CBoardFamily& desk = Select(2, 1);
  desk.serialSetting[0][1] = 0x1C5;
  desk.OpenSerialChannel(1);
  EXPECT_EQ(desk.serialDataOutPort, 15u);
  EXPECT_EQ(Args("qj8_out8_port"), std::vector<std::string>{"14, 197"});
  desk.WriteSerialByte(1, 'z');
  EXPECT_EQ(desk.GetSerialRxState(1), 1);
  EXPECT_EQ(desk.GetSerialTxState(1), 1);
  sim().Trace().Clear();
  EXPECT_EQ(desk.ReadSerialByte(2), 0);  // only line 1 is read
  EXPECT_TRUE(Args("qj8_in8_port").empty());
  EXPECT_EQ(desk.ReadSerialByte(1), 'z');
}

TEST_F(FamilyTest, InterruptChannelTest) {
  struct Case {
    WORD type;
    uint16_t board;
  };
  for (const Case& c : {Case{8, 0}, Case{2, 1}}) {
    plat::ClearMessageBoxRecords();
    CBoardFamily& f = Select(c.type, c.board);
    EXPECT_EQ(f.TestInterruptChannel(), 0) << c.type;
    std::string irq = std::to_string(board(c.board).irq);
    EXPECT_EQ(BoxTexts(), std::vector<std::string>{"IRQ " + irq +
                                                   "\r\nInterrupt-channel test was successful!\r\n"
                                                   "Your interrupt settings are correct!"});
    EXPECT_EQ(plat::MessageBoxRecords()[0].caption, "Interrupt-channel test");
  }
  CBoardFamily& f = Select(8, 0);
  board(0).irq = 3;
  sim().Faults().Add({"qj8_out8_port", 2, 0x26, 1});  // one trigger lost
  EXPECT_EQ(f.TestInterruptChannel(), 1);
  EXPECT_EQ(BoxTexts().back(),
            "IRQ 3\r\nInterrupt-channel test has failed!\r\nPlease check your interrupt-channel settings!");
  EXPECT_EQ(Select(16, 4).TestInterruptChannel(), 0);
}

TEST_F(FamilyTest, InterruptControllerPorts) {
  CBoardFamily& f = Select(8, 0);
  board(0).irr = {0x21, 0x84};
  board(0).imr = {0xB8, 0x7F};
  EXPECT_EQ(f.ReadInterruptRequestLow(), 0x21);
  EXPECT_EQ(f.ReadInterruptRequestHigh(), 0x84);
  EXPECT_EQ(f.ReadInterruptMaskLow(), 0xB8);
  EXPECT_EQ(f.ReadInterruptMaskHigh(), 0x7F);
  sim().Trace().Clear();
  f.ClearInterruptPorts(true);
  EXPECT_EQ(Args("qj8_out8_port").front(), "105, 0");
  EXPECT_EQ(Args("qj8_out8_port").back(), "75, 0");
  EXPECT_EQ(Args("qj8_out8_port").size(), 8u);
}

TEST_F(FamilyTest, ZorFamilyHasNoChannelTools) {
  CBoardFamily& f = Select(16, 4);
  f.OpenLedChannel();
  f.OpenTimerChannel();
  f.StartTimer(0, 1);
  EXPECT_EQ(BoxTexts().size(), 3u);
  for (auto& r : plat::MessageBoxRecords()) EXPECT_EQ(r.text, "This module is not implemented.");
  WORD a = 9, b = 9, c = 9;
  f.ReadClockTime(&a, &b, &c);
  EXPECT_EQ(a + b + c, 0);
}

}  // namespace
