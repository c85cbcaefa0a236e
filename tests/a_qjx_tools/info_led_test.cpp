#include <QImage>
#include <string>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/tool_ids.h"
#include "a_qjx/tool_windows.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/message.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint16_t kTesseraBoard = 0, kDeskBoard = 1, kLineBoard = 2, kMiniBoard = 3;
constexpr WORD kTesseraType = 8, kDeskType = 2, kLineType = 6, kMiniType = 7;

class InfoDialogTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
  }
  void TearDown() override {
    for (int t = 0; t < int(ToolWindow::Count); ++t) {
      HWND open = nullptr;
      if (IsToolWindowOpen(ToolWindow(t), &open)) DestroyWindow(open);
    }
  }
  static void Picture(HWND window, const std::string& name) {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(window);
    ui_test::Picture(window).save(
        QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_" + name + ".png"));
  }
};

TEST_F(InfoDialogTest, CpuDialogShowsTheTextsOnceAndOpensOnce) {
  Select(kTesseraType, kTesseraBoard);
  HWND dialog = a_qjx_cpu(kTesseraType);
  ASSERT_TRUE(dialog);
  const CBoardFamily& f = *g_currentFamily;
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_CPU_TYPE), std::string(f.cpuType));
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_CPU_CLOCK), std::string(f.cpuClock));
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_CPU_MAKER), std::string(f.cpuMaker));
  EXPECT_NE(ui_test::ItemText(dialog, IDC_CPU_TYPE), "TYPE");
  Picture(dialog, "cpu");
  sim().Trace().Clear();
  EXPECT_EQ(a_qjx_cpu(kTesseraType), dialog);
  EXPECT_TRUE(sim().Trace().Entries().empty());  // the texts are not read again
  SendMessage(GetDlgItem(dialog, 1014), BM_CLICK, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
  HWND again = a_qjx_cpu(kTesseraType);
  EXPECT_TRUE(again);
}

TEST_F(InfoDialogTest, InformationDialogShowsTheFpgaText) {
  Select(kMiniType, kMiniBoard);
  HWND dialog = a_qjx_fpga(kMiniType);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_INFO_TEXT), "IC3: Version 37\r\nIC4: Version 19");
  Picture(dialog, "fpga_information");
  SendMessage(dialog, WM_COMMAND, IDCANCEL, 0);  // Esc ends it too: no hidden tool stays open
  EXPECT_FALSE(IsWindow(dialog));
  HWND open = nullptr;
  EXPECT_FALSE(IsToolWindowOpen(ToolWindow::Fpga, &open));
}

TEST_F(InfoDialogTest, LedBoxesSwitchTheLedsAndClosingClosesTheChannel) {
  Select(kLineType, kLineBoard);
  HWND dialog = a_qjx_led(kLineType);
  ASSERT_TRUE(dialog);
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_LED_EXTERNAL)));
  EXPECT_EQ(board(kLineBoard).leds[0], 0);
  EXPECT_EQ(board(kLineBoard).leds[1], 0);
  SendMessage(GetDlgItem(dialog, IDC_LED_INTERNAL), BM_CLICK, 0, 0);
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_LED_INTERNAL), "1");
  EXPECT_EQ(board(kLineBoard).leds[1], 1);
  SendMessage(GetDlgItem(dialog, IDC_LED_EXTERNAL), BM_CLICK, 0, 0);
  EXPECT_EQ(board(kLineBoard).leds[0], 1);
  Picture(dialog, "led");
  EXPECT_FALSE(sim().Channels().All().empty());
  SendMessage(dialog, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(sim().Channels().All().empty());
  EXPECT_TRUE(a_qjx_led(kLineType));  // opens the channel again
  EXPECT_FALSE(sim().Channels().All().empty());
}

TEST_F(InfoDialogTest, KoraDeskShowsOnlyTheInternalLed) {
  Select(kDeskType, kDeskBoard);
  HWND dialog = a_qjx_led(kDeskType);
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_LED_EXTERNAL)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_LED_EXTERNAL_LABEL)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_LED_INTERNAL)));
}

}  // namespace
