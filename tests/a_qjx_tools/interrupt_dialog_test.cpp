#include <QImage>
#include <string>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/tool_windows.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/message.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint16_t kTesseraBoard = 0;
constexpr WORD kTesseraType = 8, kDeskType = 2;
constexpr int kReadButton = 1034, kAutomatic = 1060, kEdge = 1181;

class InterruptDialogTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
    Select(kTesseraType, kTesseraBoard);
  }
  void TearDown() override {
    HWND open = nullptr;
    if (IsToolWindowOpen(ToolWindow::Interrupt, &open)) DestroyWindow(open);
  }
};

TEST_F(InterruptDialogTest, OpeningReadsTheEdgeWithoutWritingIt) {
  sim().Trace().Clear();
  HWND dialog = a_qjx_interrupt(kTesseraType);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(Args("qj8_out8_port").empty());
  EXPECT_EQ(ui_test::ItemText(dialog, 1123), "IRQ-0 (PC - RBF)");
  EXPECT_EQ(ui_test::ItemText(dialog, 1138), "IRQ-7 (PC - TBF)");
  EXPECT_EQ(SendDlgItemMessage(dialog, kEdge, CB_GETCURSEL, 0, 0), 0);
  SendDlgItemMessage(dialog, kEdge, CB_SETCURSEL, 1, 0);
  SendMessage(dialog, WM_COMMAND, MAKEWPARAM(kEdge, CBN_SELENDOK), LPARAM(GetDlgItem(dialog, kEdge)));
  EXPECT_EQ(Args("qj8_out8_port").size(), 8u);
  SendMessage(dialog, WM_CLOSE, 0, 0);
  dialog = a_qjx_interrupt(kTesseraType);  // the negative edge the board now has is shown
  EXPECT_EQ(SendDlgItemMessage(dialog, kEdge, CB_GETCURSEL, 0, 0), 1);
  EXPECT_EQ(a_qjx_interrupt(kDeskType), dialog);
}

TEST_F(InterruptDialogTest, RegistersShowBitByBitAndAutomaticReadingSwitchesTheButton) {
  board(kTesseraBoard).irr[0] = 0x05;
  HWND dialog = a_qjx_interrupt(kTesseraType);
  ASSERT_TRUE(dialog);
  SendMessage(GetDlgItem(dialog, kReadButton), BM_CLICK, 0, 0);
  const int masterIrr[8] = {1032, 1040, 1041, 1042, 1043, 1044, 1045, 1046};
  for (int bit = 0; bit < 8; ++bit)
    EXPECT_EQ(ui_test::ItemText(dialog, masterIrr[bit]), bit == 0 || bit == 2 ? "1" : "0");
  SendMessage(GetDlgItem(dialog, kAutomatic), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, kReadButton)));
  SendMessage(GetDlgItem(dialog, kAutomatic), BM_CLICK, 0, 0);
  EXPECT_TRUE(IsWindowEnabled(GetDlgItem(dialog, kReadButton)));
  for (int i = 0; i < 3; ++i) PumpWaitingMessages();
  UpdateWindow(dialog);
  ui_test::Picture(dialog).save(QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_interrupt.png"));
}

TEST_F(InterruptDialogTest, KoraDeskHasNoInterruptTool) { EXPECT_EQ(a_qjx_interrupt(kDeskType), nullptr); }

}  // namespace
