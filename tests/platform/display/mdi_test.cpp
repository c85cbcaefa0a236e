// MDI child frames under a real display: captions active or inactive by
// state with the system-menu icon, minimise, maximise and close buttons
// that work by a click, and a maximised child's icon and buttons on the
// frame's menu bar with its name in the frame's title.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "probe_fixture.h"

namespace display_test {
namespace {

constexpr unsigned kActiveCaption = 0x000080;    // COLOR_ACTIVECAPTION
constexpr unsigned kInactiveCaption = 0x808080;  // COLOR_INACTIVECAPTION
constexpr unsigned kGlyph = 0x000000;            // the buttons' glyphs (COLOR_BTNTEXT)
constexpr int kFrameBorder = 4;                  // SM_CXFRAME of a sizeable child
constexpr int kCaptionHeight = 19;               // SM_CYCAPTION
constexpr int kButtonGap = 2;                    // around caption and menu bar buttons
constexpr int kButtonWidth = 16;                 // SM_CXSIZE and SM_CXMENUSIZE less the gap
constexpr int kIconSize = 16;                    // SM_CXSMICON
constexpr int kClientEdge = 2;                   // the MDI client's sunken edge (SM_CXEDGE)
constexpr auto kMainTitle = "Probe";
constexpr auto kMdiClient = "MDICLIENT";

using MdiTest = ProbeTest;

// A caption button of a child frame, counted from the right: 0 close,
// 1 maximise, 2 minimise (the minimise button touches the maximise one).
mirt_test::ScreenRect CaptionButton(const WindowState& frame, int fromRight) {
  int right = frame.rect.x + frame.rect.width - kFrameBorder - kButtonGap;
  if (fromRight >= 1) right -= kButtonWidth + kButtonGap;
  if (fromRight >= 2) right -= kButtonWidth;
  return {right - kButtonWidth, frame.rect.y + kFrameBorder + kButtonGap, kButtonWidth,
          kCaptionHeight - 1 - 2 * kButtonGap};
}

// A point of the caption's background: right of the close button, where a
// cascaded child above it leaves the caption uncovered.
int CaptionX(const WindowState& frame) { return frame.rect.x + frame.rect.width - kFrameBorder - 1; }
int CaptionY(const WindowState& frame) { return frame.rect.y + kFrameBorder + kButtonGap; }

// The maximised child's buttons on the menu bar, from the right: 0 close, 1 restore, 2 minimise.
mirt_test::ScreenRect BarButton(const ProgramState& s, const WindowState& main, int fromRight) {
  auto item = ProbeTest::MenuItem(s, 0);
  int right = main.rect.x + main.rect.width - kButtonGap;
  if (fromRight >= 1) right -= kButtonWidth + kButtonGap;
  if (fromRight >= 2) right -= kButtonWidth;
  return {right - kButtonWidth, item.y + kButtonGap, kButtonWidth, item.height - 2 * kButtonGap};
}

// The bar's right end, where a maximised child's buttons stand.
mirt_test::ScreenRect BarButtons(const ProgramState& s, const WindowState& main) {
  auto close = BarButton(s, main, 0), minimise = BarButton(s, main, 2);
  return {minimise.x, minimise.y, close.x + close.width - minimise.x, close.height};
}

bool HasGlyph(const std::vector<unsigned>& pixels) {
  return std::find(pixels.begin(), pixels.end(), kGlyph) != pixels.end();
}

// The frames of the two children: the active one first.
std::pair<std::string, std::string> ChildFrames(const ProgramState& s) {
  auto views = ProbeTest::Views(s);
  std::string a = ProbeTest::FrameOf(s, views.at(0))->hwnd, b = ProbeTest::FrameOf(s, views.at(1))->hwnd;
  return s.Value("mdiactive") == a ? std::make_pair(a, b) : std::make_pair(b, a);
}

TEST_P(MdiTest, CaptionsShowWhichChildIsActiveAndCarryTheSystemMenuIcon) {
  ProgramState s = display->Sync();
  auto [active, inactive] = ChildFrames(s);
  const WindowState* a = s.ByHandle(active);
  const WindowState* b = s.ByHandle(inactive);
  ASSERT_TRUE(a && b);
  EXPECT_EQ(display->PixelAt(CaptionX(*a), CaptionY(*a)), kActiveCaption);
  EXPECT_EQ(display->PixelAt(CaptionX(*b), CaptionY(*b)), kInactiveCaption);
  // The icon stands at the caption's left end, in its own colours.
  mirt_test::ScreenRect icon{a->rect.x + kFrameBorder + 1, a->rect.y + kFrameBorder + 1, kIconSize,
                             kIconSize};
  auto iconPixels = display->Pixels(icon);
  EXPECT_TRUE(
      std::any_of(iconPixels.begin(), iconPixels.end(), [](unsigned p) { return p != kActiveCaption; }));
  // Each sizeable child shows its three buttons.
  for (int i = 0; i < 3; ++i) EXPECT_TRUE(HasGlyph(display->Pixels(CaptionButton(*a, i)))) << "button " << i;
  Picture("two");
  // A click on the inactive child's caption swaps the colours.
  display->Click(b->rect.x + b->rect.width / 2, CaptionY(*b));
  s = display->WaitFor(
      [&, inactive = inactive](const ProgramState& st) { return st.Value("mdiactive") == inactive; },
      "the other child active");
  a = s.ByHandle(active);
  b = s.ByHandle(inactive);
  EXPECT_EQ(display->PixelAt(CaptionX(*a), CaptionY(*a)), kInactiveCaption);
  EXPECT_EQ(display->PixelAt(CaptionX(*b), CaptionY(*b)), kActiveCaption);
}

TEST_P(MdiTest, MaximiseButtonPutsTheChildsButtonsOnTheMenuBarAndItsNameInTheTitle) {
  ProgramState s = display->Sync();
  const std::string active = ChildFrames(s).first;
  const WindowState* child = s.ByHandle(active);
  const WindowState* main = MainFrame(s);
  ASSERT_TRUE(child && main);
  const mirt_test::ScreenRect restored = child->rect;
  const std::string childText = child->text, restoredTitle = main->text;
  EXPECT_FALSE(HasGlyph(display->Pixels(BarButtons(s, *main))));
  auto max = CaptionButton(*child, 1);
  display->Click(max.CenterX(), max.CenterY());
  const std::string maximisedTitle = std::string(kMainTitle) + " - [" + childText + "]";
  s = display->WaitFor(
      [&](const ProgramState& st) { return MainFrame(st) && MainFrame(st)->text == maximisedTitle; },
      "the title " + maximisedTitle);
  main = MainFrame(s);
  const WindowState* client = s.Find(kMdiClient);
  ASSERT_TRUE(main && client);
  // The view fills the MDI client's inside; the child's caption, above
  // it, does not show over the client's edge.
  const WindowState* view = s.ByHandle(s.focus);
  ASSERT_NE(view, nullptr);
  EXPECT_TRUE(client->rect.Contains(view->rect.x, view->rect.y));
  EXPECT_GE(view->rect.height, client->rect.height - 2 * kClientEdge);
  for (int row = 0; row < kClientEdge; ++row)
    EXPECT_NE(display->PixelAt(client->rect.CenterX(), client->rect.y + row), kActiveCaption)
        << "row " << row;
  EXPECT_TRUE(HasGlyph(display->Pixels(BarButtons(s, *main))));
  Picture("maximised");
  // The restore button on the bar brings the child back where it was.
  auto restore = BarButton(s, *main, 1);
  display->Click(restore.CenterX(), restore.CenterY());
  s = display->WaitFor(
      [&](const ProgramState& st) { return MainFrame(st) && MainFrame(st)->text == restoredTitle; },
      "the title " + restoredTitle);
  child = s.ByHandle(active);
  ASSERT_NE(child, nullptr);
  EXPECT_EQ(child->rect.y, restored.y);
  EXPECT_EQ(child->rect.height, restored.height);
  EXPECT_FALSE(HasGlyph(display->Pixels(BarButtons(s, *MainFrame(s)))));
}

TEST_P(MdiTest, TheBarsCloseButtonClosesTheMaximisedChildAndTheNextOneStaysMaximised) {
  ProgramState s = display->Sync();
  auto [active, other] = ChildFrames(s);
  const WindowState* child = s.ByHandle(active);
  ASSERT_NE(child, nullptr);
  auto max = CaptionButton(*child, 1);
  display->Click(max.CenterX(), max.CenterY());
  s = display->WaitFor(
      [&](const ProgramState& st) { return HasGlyph(display->Pixels(BarButtons(st, *MainFrame(st)))); },
      "the buttons on the bar");
  auto close = BarButton(s, *MainFrame(s), 0);
  display->Click(close.CenterX(), close.CenterY());
  const WindowState* next = s.ByHandle(other);
  ASSERT_NE(next, nullptr);
  const std::string title = std::string(kMainTitle) + " - [" + next->text + "]";
  s = display->WaitFor(
      [&, other = other](const ProgramState& st) {
        return Views(st).size() == 1 && MainFrame(st)->text == title;
      },
      "one child left, maximised");
  EXPECT_EQ(s.Value("mdiactive"), other);
  EXPECT_TRUE(HasGlyph(display->Pixels(BarButtons(s, *MainFrame(s)))));
}

TEST_P(MdiTest, CaptionButtonsCloseAndMinimiseAChild) {
  ProgramState s = display->Sync();
  auto [active, other] = ChildFrames(s);
  auto close = CaptionButton(*s.ByHandle(active), 0);
  display->Click(close.CenterX(), close.CenterY());
  s = display->WaitFor([](const ProgramState& st) { return Views(st).size() == 1; }, "one child left");
  EXPECT_EQ(s.ByHandle(active), nullptr);
  const WindowState* left = s.ByHandle(other);
  ASSERT_NE(left, nullptr);
  auto minimise = CaptionButton(*left, 2);
  display->Click(minimise.CenterX(), minimise.CenterY());
  s = display->WaitFor(
      [&, other = other](const ProgramState& st) {
        const WindowState* w = st.ByHandle(other);
        return w && w->rect.height == kCaptionHeight + 2 * kFrameBorder;
      },
      "the child minimised");
  const WindowState* client = s.Find(kMdiClient);
  left = s.ByHandle(other);
  ASSERT_TRUE(client && left);
  EXPECT_EQ(left->rect.y + left->rect.height, client->rect.y + client->rect.height - kClientEdge);
  Picture("minimised");
  // Its minimise button now restores it.
  auto restore = CaptionButton(*left, 2);
  display->Click(restore.CenterX(), restore.CenterY());
  s = display->WaitFor(
      [&, other = other](const ProgramState& st) {
        const WindowState* w = st.ByHandle(other);
        return w && w->rect.height > kCaptionHeight + 2 * kFrameBorder;
      },
      "the child restored");
}

INSTANTIATE_TEST_SUITE_P(Display, MdiTest, ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
}  // namespace display_test
