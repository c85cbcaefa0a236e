#include <QImage>
#include <string>

#include "../platform/ui/ui_test_support.h"
#include "a_qjx/a_qjx.h"
#include "a_qjx/clock_values.h"
#include "a_qjx/tool_ids.h"
#include "a_qjx/tool_windows.h"
#include "platform/ui/afxctrl.h"
#include "platform/ui/message.h"
#include "tests/a_qjx/family_fixture.h"
#include "tests/support/test_support.h"

namespace {

constexpr uint16_t kTesseraBoard = 0, kDeskBoard = 1;
constexpr WORD kTesseraType = 8, kDeskType = 2;

class ClockDialogTest : public FamilyTest {
 protected:
  void SetUp() override {
    FamilyTest::SetUp();
    ui_test::EnsureApp();
  }
  void TearDown() override {
    for (ToolWindow t : {ToolWindow::TimeDate, ToolWindow::Timer}) {
      HWND open = nullptr;
      if (IsToolWindowOpen(t, &open)) DestroyWindow(open);
    }
  }
  static void Click(HWND dialog, int id) { SendMessage(GetDlgItem(dialog, id), BM_CLICK, 0, 0); }
  static void Leave(HWND dialog, int id) {
    SendMessage(dialog, WM_COMMAND, MAKEWPARAM(id, EN_KILLFOCUS), LPARAM(GetDlgItem(dialog, id)));
  }
  static void Picture(HWND window, const std::string& name) {
    for (int i = 0; i < 3; ++i) PumpWaitingMessages();
    UpdateWindow(window);
    ui_test::Picture(window).save(
        QString::fromStdString(mirt_test::ProgramDir() + "/a_qjx_" + name + ".png"));
  }
};

TEST(ClockValues, DaysFollowTheMonthAndTheLeapYears) {
  struct Case {
    UINT month, year, days;
  };
  const Case cases[] = {{1, 2005, 31}, {4, 2005, 30}, {2, 2005, 28},
                        {2, 2004, 29}, {2, 1900, 28}, {2, 2000, 29}};
  for (const Case& c : cases) EXPECT_EQ(DaysInMonth(c.month, c.year), c.days) << c.month << "/" << c.year;
}

TEST_F(ClockDialogTest, ShowsTheBoardClockAndWritesItBack) {
  CBoardFamily& f = Select(kTesseraType, kTesseraBoard);
  f.OpenClockChannel();
  constexpr WORD kBoardYear = 99;  // years since 1900
  f.WriteClockDate(24, 12, kBoardYear, 5);
  f.WriteClockTime(10, 20, 30);
  f.CloseClockChannel();
  HWND dialog = a_qjx_time_date(kTesseraType);
  ASSERT_TRUE(dialog);
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_TD_YEAR), "1999");
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_TD_DAY), "24");
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_TD_HOUR), "10");
  EXPECT_EQ(SendDlgItemMessage(dialog, IDC_TD_WEEKDAY, CB_GETCURSEL, 0, 0), 5);
  Picture(dialog, "time_date");
  SetDlgItemText(dialog, IDC_TD_YEAR, "2005");
  Click(dialog, IDC_TD_OK);
  EXPECT_FALSE(IsWindow(dialog));
  f.OpenClockChannel();
  WORD day = 0, month = 0, year = 0, weekday = 0;
  f.ReadClockDate(&day, &month, &year, &weekday);
  f.CloseClockChannel();
  EXPECT_EQ(year, 105);
  EXPECT_EQ(day, 24);
}

TEST_F(ClockDialogTest, RefusesTimesAndDaysThatDoNotExist) {
  Select(kTesseraType, kTesseraBoard);
  HWND dialog = a_qjx_time_date(kTesseraType);
  ASSERT_TRUE(dialog);
  SetDlgItemText(dialog, IDC_TD_HOUR, "24");
  Click(dialog, IDC_TD_OK);
  EXPECT_TRUE(IsWindow(dialog));
  SetDlgItemText(dialog, IDC_TD_HOUR, "23");
  SetDlgItemText(dialog, IDC_TD_MONTH, "2");
  SetDlgItemText(dialog, IDC_TD_YEAR, "2005");
  SetDlgItemText(dialog, IDC_TD_DAY, "29");
  plat::ClearMessageBoxRecords();
  Click(dialog, IDC_TD_OK);
  EXPECT_TRUE(IsWindow(dialog));
  ASSERT_FALSE(BoxTexts().empty());
  EXPECT_EQ(BoxTexts()[0], "The day does not exist in this month.");
  Click(dialog, IDC_TD_CANCEL);
  EXPECT_FALSE(IsWindow(dialog));
  EXPECT_TRUE(sim().Channels().All().empty());  // the clock channel is closed
}

TEST_F(ClockDialogTest, TimersStartStopClampAndStopWhenTheDialogCloses) {
  Select(kTesseraType, kTesseraBoard);
  HWND dialog = a_qjx_timer(kTesseraType);
  ASSERT_TRUE(dialog);
  const std::string range = ui_test::ItemText(dialog, IDC_TIMER_RANGE_A);
  ASSERT_NE(range, "0");
  SetDlgItemText(dialog, IDC_TIMER_INTERVAL_A, "4000000000");
  Leave(dialog, IDC_TIMER_INTERVAL_A);
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_TIMER_INTERVAL_A), range);
  SetDlgItemText(dialog, IDC_TIMER_INTERVAL_A, "1000");
  sim().Trace().Clear();
  Click(dialog, IDC_TIMER_RUN_A);
  EXPECT_EQ(ui_test::ItemText(dialog, IDC_TIMER_RUN_A), "Started");
  EXPECT_FALSE(IsWindowEnabled(GetDlgItem(dialog, IDC_TIMER_INTERVAL_A)));
  EXPECT_EQ(Args("mdd8_send_channel_command").size(), 1u);
  Picture(dialog, "timer");
  sim().Trace().Clear();
  SendMessage(dialog, WM_CLOSE, 0, 0);
  EXPECT_FALSE(IsWindow(dialog));
  ASSERT_EQ(Args("mdd8_send_channel_command").size(), 1u);  // the started timer stops
  EXPECT_NE(Args("mdd8_send_channel_command")[0].find("167"), std::string::npos);
  EXPECT_TRUE(sim().Channels().All().empty());
}

TEST_F(ClockDialogTest, KoraDeskHasNoTimerC) {
  Select(kDeskType, kDeskBoard);
  HWND dialog = a_qjx_timer(kDeskType);
  ASSERT_TRUE(dialog);
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, IDC_TIMER_GROUP_C)));
  EXPECT_FALSE(IsWindowVisible(GetDlgItem(dialog, 1065)));
  EXPECT_TRUE(IsWindowVisible(GetDlgItem(dialog, IDC_TIMER_RUN_A)));
}

}  // namespace
