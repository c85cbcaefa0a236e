// The window class "Scintilla": messages reach the editing component and
// its notifications reach the parent as WM_NOTIFY.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "platform/ui/scintilla.h"
#include "platform/ui/ui.h"
#include "ui_test_support.h"

namespace {

std::vector<UINT> g_sciCodes;

LRESULT CALLBACK SciParentProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_NOTIFY) g_sciCodes.push_back(reinterpret_cast<NMHDR*>(lp)->code);
  return DefWindowProc(h, msg, wp, lp);
}

class ScintillaWindowTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    g_sciCodes.clear();
    parent = ui_test::MakeTop(400, 300, WS_POPUP | WS_VISIBLE, SciParentProc);
    sci = CreateWindowEx(0, SCINTILLA_CLASS, "Source", WS_CHILD | WS_VISIBLE | WS_TABSTOP, 2, 3, 300, 200,
                         parent, reinterpret_cast<HMENU>(kSciId), nullptr, nullptr);
  }
  void TearDown() override { DestroyWindow(parent); }
  static constexpr int kSciId = 77;
  HWND parent = nullptr;
  HWND sci = nullptr;
};

TEST_F(ScintillaWindowTest, MessagesEditTheText) {
  ASSERT_TRUE(IsScintillaAvailable());
  ASSERT_TRUE(sci);
  constexpr auto kText = "first\nsecond line";
  SendMessage(sci, SCI_ADDTEXT, std::char_traits<char>::length(kText), reinterpret_cast<LPARAM>(kText));
  EXPECT_EQ(SendMessage(sci, SCI_GETLENGTH, 0, 0), LRESULT(std::char_traits<char>::length(kText)));
  EXPECT_EQ(SendMessage(sci, SCI_GETLINECOUNT, 0, 0), 2);
  EXPECT_EQ(SendMessage(sci, SCI_LINELENGTH, 1, 0), 11);
  char line[32] = {};
  SendMessage(sci, SCI_GETLINE, 1, reinterpret_cast<LPARAM>(line));
  EXPECT_STREQ(line, "second line");
  SendMessage(sci, SCI_GOTOLINE, 1, 0);
  EXPECT_EQ(SendMessage(sci, SCI_LINEFROMPOSITION, SendMessage(sci, SCI_GETCURRENTPOS, 0, 0), 0), 1);
  SendMessage(sci, SCI_CLEARALL, 0, 0);
  EXPECT_EQ(SendMessage(sci, SCI_GETLENGTH, 0, 0), 0);
}

TEST_F(ScintillaWindowTest, NotificationsReachTheParent) {
  ASSERT_TRUE(sci);
  SendMessage(sci, SCI_SETSAVEPOINT, 0, 0);
  g_sciCodes.clear();
  constexpr auto kText = "x";
  SendMessage(sci, SCI_ADDTEXT, 1, reinterpret_cast<LPARAM>(kText));
  const auto has = [](UINT code) {
    return std::find(g_sciCodes.begin(), g_sciCodes.end(), code) != g_sciCodes.end();
  };
  EXPECT_TRUE(has(SCN_MODIFIED));
  EXPECT_TRUE(has(SCN_SAVEPOINTLEFT));
  g_sciCodes.clear();
  SendMessage(sci, SCI_SETSAVEPOINT, 0, 0);
  EXPECT_TRUE(has(SCN_SAVEPOINTREACHED));
}

}  // namespace
