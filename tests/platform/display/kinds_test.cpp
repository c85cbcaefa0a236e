// Window kinds: menus and drop-lists are override-redirect pop-ups placed
// where the layer puts them, dialogs are transient for their owner, the
// floating bar's frame is a frameless tool window of the main frame, and
// the main frame is managed.
#include <gtest/gtest.h>

#include "probe_fixture.h"

namespace display_test {
namespace {

constexpr auto kMenuClass = "#32768";
constexpr auto kDialogClass = "#32770";
constexpr auto kDropListClass = "ComboLBox";
constexpr int kComboId = 2003;  // IDC_PROBE_COMBO

using KindsTest = ProbeTest;

bool HasNative(const WindowState* w) { return w && w->xid; }

TEST_P(KindsTest, MenusArePopupsPlacedExactlyUnderTheirItem) {
  ProgramState s = display->Sync();
  auto file = MenuItem(s, 0);
  display->Click(file.CenterX(), file.CenterY());
  s = display->WaitFor([](const ProgramState& st) { return HasNative(st.Find(kMenuClass)); },
                       "the File menu");
  const WindowState* menu = s.Find(kMenuClass);
  ASSERT_TRUE(HasNative(menu));
  EXPECT_TRUE(display->IsOverrideRedirect(menu->xid));
  auto frame = display->FrameRect(menu->xid);
  EXPECT_EQ(frame.x, file.x);
  EXPECT_EQ(frame.y, file.y + file.height);
  EXPECT_EQ(frame.width, menu->rect.width);
  Picture("menu");
  display->Key("Escape");
}

TEST_P(KindsTest, DialogsAreTransientForTheirOwnerAndDropListsArePopups) {
  ProgramState s = display->Sync();
  const WindowState* main = MainFrame(s);
  ASSERT_TRUE(HasNative(main));
  const unsigned long mainXid = main->xid;
  EXPECT_FALSE(display->IsOverrideRedirect(mainXid));
  EXPECT_EQ(display->TransientFor(mainXid), 0u);
  display->Key("ctrl+g");
  s = display->WaitFor([](const ProgramState& st) { return HasNative(st.Find(kDialogClass)); }, "the dialog");
  const WindowState* dialog = s.Find(kDialogClass);
  ASSERT_TRUE(HasNative(dialog));
  EXPECT_FALSE(display->IsOverrideRedirect(dialog->xid));
  EXPECT_EQ(display->TransientFor(dialog->xid), mainXid);
  const WindowState* combo = s.Find("COMBOBOX", kComboId);
  ASSERT_NE(combo, nullptr);
  display->Click(combo->rect.x + combo->rect.width - 4, combo->rect.CenterY());
  s = display->WaitFor([](const ProgramState& st) { return HasNative(st.Find(kDropListClass)); },
                       "the drop-list");
  const WindowState* list = s.Find(kDropListClass);
  ASSERT_TRUE(HasNative(list));
  EXPECT_TRUE(display->IsOverrideRedirect(list->xid));
  EXPECT_EQ(display->FrameRect(list->xid).y, list->rect.y);
  Picture("droplist");
}

TEST_P(KindsTest, TheFloatingBarsFrameIsAFramelessToolWindowOfTheMainFrame) {
  ProgramState s = display->Sync();
  const WindowState* main = MainFrame(s);
  const WindowState* floating = s.ByHandle(s.Value("floatframe"));
  ASSERT_TRUE(HasNative(main));
  ASSERT_TRUE(HasNative(floating));
  EXPECT_FALSE(display->IsOverrideRedirect(floating->xid));
  EXPECT_EQ(display->TransientFor(floating->xid), main->xid);
  // No title bar of the window manager: the frame is the window itself.
  auto frame = display->FrameRect(floating->xid);
  EXPECT_EQ(frame.width, floating->rect.width);
  EXPECT_EQ(frame.height, floating->rect.height);
}

INSTANTIATE_TEST_SUITE_P(Display, KindsTest, ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
