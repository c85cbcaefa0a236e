#include <gtest/gtest.h>

#include <QImage>
#include <string>
#include <vector>

#include "../platform/ui/ui_test_support.h"
#include "platform/ui/message.h"
#include "tests/support/test_support.h"
#include "ytn1/trace_error_dialog.h"
#include "ytn1/trace_list.h"
#include "ytn1/ytn1.h"

namespace {

constexpr char kTraceCaption[] = "TRACE ERROR";

BOOL CALLBACK CollectTraceWindow(HWND h, LPARAM list) {
  char caption[64] = {};
  GetWindowText(h, caption, sizeof caption);
  if (std::string(caption) == kTraceCaption) reinterpret_cast<std::vector<HWND>*>(list)->push_back(h);
  return TRUE;
}

std::vector<HWND> TraceWindows() {
  std::vector<HWND> found;
  EnumWindows(CollectTraceWindow, reinterpret_cast<LPARAM>(&found));
  return found;
}

std::vector<std::string> ListedLines(HWND window) {
  std::vector<std::string> lines;
  const LRESULT count = SendDlgItemMessage(window, ytn1::kTraceLines, LB_GETCOUNT, 0, 0);
  for (LRESULT i = 0; i < count; ++i) {
    char line[256] = {};
    SendDlgItemMessage(window, ytn1::kTraceLines, LB_GETTEXT, WPARAM(i), LPARAM(line));
    lines.push_back(line);
  }
  return lines;
}

class TraceErrorWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    CloseAll();
    SetUserMode(1);
  }
  void TearDown() override {
    CloseAll();
    SetUserMode(0);
  }
  static void CloseAll() {
    for (HWND h : TraceWindows()) DestroyWindow(h);
  }
};

TEST_F(TraceErrorWindowTest, OutsideUserModeNothingOpens) {
  SetUserMode(0);
  EXPECT_EQ(TraceError("read", -3, "task", 0x1A2), 0);
  EXPECT_TRUE(TraceWindows().empty());
  EXPECT_FALSE(ytn1::TraceList::Instance().IsOpen());
}

TEST_F(TraceErrorWindowTest, LinesGoIntoOneWindowInOrder) {
  EXPECT_EQ(TraceError("read", -3, "task", 0x1A2), 0);
  TraceError(nullptr, 7, "write", 0);
  const std::vector<HWND> windows = TraceWindows();
  ASSERT_EQ(windows.size(), 1u);
  const std::vector<std::string> expected{"read [-3] task Error: 1a2h", " [7] write Error: 0h"};
  EXPECT_EQ(ListedLines(windows[0]), expected);
  EXPECT_EQ(ytn1::TraceList::Instance().Lines(), expected);
  EXPECT_EQ(GetParent(windows[0]), nullptr);
  for (int i = 0; i < 3; ++i) PumpWaitingMessages();
  UpdateWindow(windows[0]);
  ui_test::Picture(windows[0])
      .save(QString::fromStdString(mirt_test::ProgramDir() + "/ytn1_trace_error.png"));
}

// Every way of closing destroys the window; the next line opens a fresh,
// empty one instead of filling a hidden list.
TEST_F(TraceErrorWindowTest, ClosedWindowIsReplacedByAFreshOne) {
  struct Case {
    const char* how;
    UINT message;
    WPARAM wParam;
  };
  const Case cases[] = {{"close box", WM_CLOSE, 0},
                        {"OK", WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED)},
                        {"Abbrechen", WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED)}};
  for (const Case& c : cases) {
    TraceError("first", 1, "old", 1);
    ASSERT_EQ(TraceWindows().size(), 1u) << c.how;
    const HWND old = TraceWindows()[0];
    SendMessage(old, c.message, c.wParam, 0);
    EXPECT_FALSE(IsWindow(old)) << c.how;
    EXPECT_FALSE(ytn1::TraceList::Instance().IsOpen()) << c.how;
    TraceError("second", 2, "new", 2);
    const std::vector<HWND> windows = TraceWindows();
    ASSERT_EQ(windows.size(), 1u) << c.how;
    EXPECT_EQ(ListedLines(windows[0]), std::vector<std::string>{"second [2] new Error: 2h"}) << c.how;
    CloseAll();
  }
}

}  // namespace
