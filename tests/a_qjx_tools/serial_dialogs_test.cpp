#include <QString>
#include <string>
#include <vector>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/tool_windows.h"
#include "platform/sys/msgbox.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/message.h"
#include "platform/ui/modal.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"
#include "ytn1/ytn1.h"

namespace {

constexpr uint16_t kTesseraBoard = 0, kDeskBoard = 1;
constexpr WORD kTesseraType = 8, kDeskType = 2;
constexpr uint16_t kLineA = 1, kLineB = 2;
constexpr int kFieldA = 1048, kFieldB = 1051, kReceiveA = 1050, kReceiveB = 1049, kTransmitA = 1052,
              kTransmitB = 1053, kConfigA = 1056, kConfigB = 1057, kClearA = 1054, kTransmitHex = 1058,
              kGroupB = 1185, kExit = 1014;
constexpr int kBaudList = 1055, kDataBitsList = 1057, kParityList = 1056, kStopBitsList = 1058;
constexpr UINT_PTR kPollTimer = 1, kSendTimer = 2;
constexpr int kTicksOfBusyWait = 10;  // 10 ms ticks in 100 ms

class SerialDialogTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    plat::ClearModalRecords();
    plat::ClearMessageBoxRecords();
    SetUserMode(0);
    Select(kTesseraType, kTesseraBoard);
  }
  void TearDown() override {
    HWND open = nullptr;
    if (IsToolWindowOpen(ToolWindow::Serial, &open)) DestroyWindow(open);
    SetUserMode(0);
  }
  static void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static void Tick(HWND dialog, UINT_PTR timer) { SendMessage(dialog, WM_TIMER, timer, 0); }
  static std::string ListText(HWND dialog, int id) {
    const LRESULT at = SendDlgItemMessage(dialog, id, CB_GETCURSEL, 0, 0);
    char text[32] = {};
    if (at >= 0) SendDlgItemMessage(dialog, id, CB_GETLBTEXT, WPARAM(at), LPARAM(text));
    return text;
  }
  static std::vector<std::string> ListEntries(HWND dialog, int id) {
    std::vector<std::string> entries;
    const LRESULT count = SendDlgItemMessage(dialog, id, CB_GETCOUNT, 0, 0);
    for (LRESULT i = 0; i < count; ++i) {
      char text[32] = {};
      SendDlgItemMessage(dialog, id, CB_GETLBTEXT, WPARAM(i), LPARAM(text));
      entries.push_back(text);
    }
    return entries;
  }
  static void Picture(HWND window, const std::string& name) {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(window);
    ui_test::Picture(window).save(
        QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_" + name + ".png"));
  }
  static std::string Sent(uint16_t boardNumber, uint16_t line) {
    const auto& sent = board(boardNumber).serial[line].sent;
    return std::string(sent.begin(), sent.end());
  }
};

TEST_F(SerialDialogTest, TypedTextIsSentAndTheLoopbackShownPerChannel) {
  constexpr auto kTextA = "hello", kTextB = "B!";
  HWND dialog = a_qjx_serial_interface(kTesseraType);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(a_qjx_serial_interface(kTesseraType), dialog);
  SetDlgItemText(dialog, kFieldA, kTextA);
  SetDlgItemText(dialog, kFieldB, kTextB);
  Click(dialog, kTransmitA);
  Click(dialog, kTransmitB);
  EXPECT_EQ(Sent(kTesseraBoard, kLineA), kTextA);
  EXPECT_EQ(Sent(kTesseraBoard, kLineB), kTextB);
  EXPECT_EQ(ui_test::ItemText(dialog, kReceiveA), kTextA);
  EXPECT_EQ(ui_test::ItemText(dialog, kReceiveB), kTextB);
  Picture(dialog, "serial_interface");
  Click(dialog, kClearA);
  EXPECT_EQ(ui_test::ItemText(dialog, kReceiveA), "");
  EXPECT_EQ(ui_test::ItemText(dialog, kReceiveB), kTextB);
  Click(dialog, kExit);
  EXPECT_FALSE(IsToolWindowOpen(ToolWindow::Serial, nullptr));
  EXPECT_EQ(Args("mdd8_close_channel").size(), 2u);
}

TEST_F(SerialDialogTest, EveryWaitingByteIsReceivedInOnePollNulIncluded) {
  HWND dialog = a_qjx_serial_interface(kTesseraType);
  ASSERT_TRUE(dialog);
  for (uint8_t byte : {uint8_t('a'), uint8_t(0), uint8_t('b')})
    board(kTesseraBoard).serial[kLineA].rx.push_back(byte);
  Tick(dialog, kPollTimer);
  EXPECT_TRUE(board(kTesseraBoard).serial[kLineA].rx.empty());
  EXPECT_EQ(ui_test::ItemText(dialog, kReceiveA),
            "a\xB7"
            "b");
}

TEST_F(SerialDialogTest, EmptyFieldSendsNothing) {
  HWND dialog = a_qjx_serial_interface(kTesseraType);
  ASSERT_TRUE(dialog);
  Click(dialog, kTransmitA);
  EXPECT_TRUE(Args("mdd8_write_channel_byte").empty());
}

TEST_F(SerialDialogTest, BusyTransmitterWaitsWithoutBlockingThenReportsWhatWasNotSent) {
  constexpr auto kText = "abc";
  HWND dialog = a_qjx_serial_interface(kTesseraType);
  ASSERT_TRUE(dialog);
  board(kTesseraBoard).serial[kLineA].transmitterBusy = true;
  SetDlgItemText(dialog, kFieldA, kText);
  Click(dialog, kTransmitA);  // returns at once: the bytes wait for the send timer
  EXPECT_EQ(Sent(kTesseraBoard, kLineA), "");
  Tick(dialog, kSendTimer);
  board(kTesseraBoard).serial[kLineA].transmitterBusy = false;  // free again before 100 ms
  Tick(dialog, kSendTimer);
  EXPECT_EQ(Sent(kTesseraBoard, kLineA), kText);
  EXPECT_TRUE(plat::MessageBoxRecords().empty());

  board(kTesseraBoard).serial[kLineA].transmitterBusy = true;
  Click(dialog, kTransmitA);
  for (int i = 0; i < kTicksOfBusyWait; ++i) Tick(dialog, kSendTimer);
  const auto boxes = plat::MessageBoxRecords();
  ASSERT_EQ(boxes.size(), 1u);
  EXPECT_EQ(boxes[0].text, "The transmitter of channel A is busy: 3 characters were not sent.");
  board(kTesseraBoard).serial[kLineA].transmitterBusy = false;
  Tick(dialog, kSendTimer);  // the dropped text is not sent later
  EXPECT_EQ(Sent(kTesseraBoard, kLineA), kText);
}

TEST_F(SerialDialogTest, TransmitHexSendsTheByteInUserMode) {
  SetUserMode(1);
  HWND dialog = a_qjx_serial_interface(kTesseraType);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kTransmitHex)));
  SetDlgItemText(dialog, kFieldA, "41");
  Click(dialog, kTransmitHex);
  EXPECT_EQ(Sent(kTesseraBoard, kLineA), "\x41");
}

TEST_F(SerialDialogTest, KoraDeskShowsAndOpensChannelAOnlyAndOffers153600) {
  Select(kDeskType, kDeskBoard);
  HWND dialog = a_qjx_serial_interface(kDeskType);
  ASSERT_TRUE(dialog);
  for (int id : {kGroupB, kFieldB, kTransmitB, kReceiveB})
    EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, id)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, kFieldA)));
  EXPECT_TRUE(Args("mdd8_open_channel").empty());
  constexpr auto kText = "ok";
  SetDlgItemText(dialog, kFieldA, kText);
  Click(dialog, kTransmitA);
  EXPECT_EQ(Sent(kDeskBoard, kLineA), kText);
  EXPECT_EQ(ui_test::ItemText(dialog, kReceiveA), kText);
  std::vector<std::string> baud;
  plat::PushDialogAction([&](HWND config) {
    baud = ListEntries(config, kBaudList);
    EXPECT_EQ(ListText(config, kBaudList), "9600");
    EXPECT_EQ(ListEntries(config, kDataBitsList), std::vector<std::string>{"8"});
    EXPECT_EQ(ListText(config, kParityList), "No");
    EXPECT_EQ(ListText(config, kStopBitsList), "1");
    Picture(config, "serial_configuration_desk");
    SendMessage(config, WM_COMMAND, IDCANCEL, 0);
  });
  Click(dialog, kConfigA);
  EXPECT_EQ(baud, (std::vector<std::string>{"38400", "19200", "9600", "153600"}));
}

// The baud code the channel has, and the entry the configuration shows.
struct BaudShown {
  WORD code;
  const char* shown;
};
class SerialBaudTest : public SerialDialogTest, public ::testing::WithParamInterface<BaudShown> {};

TEST_P(SerialBaudTest, ConfigurationShowsTheStoredCodeAndOkReopensWithTheChoice) {
  HWND dialog = a_qjx_serial_interface(kTesseraType);
  ASSERT_TRUE(dialog);
  CBoardFamily& family = Select(kTesseraType, kTesseraBoard);
  family.serialSetting[0][kLineB] = GetParam().code;
  std::string shown;
  plat::PushDialogAction([&](HWND config) {
    shown = ListText(config, kBaudList);
    SendDlgItemMessage(config, kParityList, CB_SETCURSEL, 2, 0);    // "Even"
    SendDlgItemMessage(config, kDataBitsList, CB_SETCURSEL, 0, 0);  // "7"
    Picture(config, "serial_configuration");
    SendMessage(config, WM_COMMAND, IDOK, 0);
  });
  Click(dialog, kConfigB);
  EXPECT_EQ(shown, GetParam().shown);
  constexpr WORD kEven = 24, kSevenBits = 2;
  EXPECT_EQ(family.serialSetting[3][kLineB], kEven);
  EXPECT_EQ(family.serialSetting[1][kLineB], kSevenBits);
  EXPECT_EQ(Args("mdd8_open_channel").size(), 1u);
}

INSTANTIATE_TEST_SUITE_P(Codes, SerialBaudTest,
                         ::testing::Values(BaudShown{0, "110"}, BaudShown{192, "4800"},
                                           BaudShown{224, "9600"}, BaudShown{256, "19200"},
                                           BaudShown{512, "38400"}, BaudShown{100, "9600"}));

TEST_F(SerialDialogTest, DriverErrorFoundByAPollClosesTheTerminal) {
  HWND dialog = a_qjx_serial_interface(kTesseraType);
  ASSERT_TRUE(dialog);
  sim().Faults().Add({"mdd8_get_channel_info", 2, 0x26, 1});
  Tick(dialog, kPollTimer);
  for (int i = 0; i < 3; ++i) PumpWaitingMessages();
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_FALSE(BoxTexts().empty());
}

}  // namespace
