// Journey: the first run. bin/mirt2 starts with an empty configuration
// folder, its main window comes up with the bars its defaults give, Help >
// About shows the About box until its OK closes it, Alt+F4 ends the program
// with status 0, and the settings land in that configuration folder.
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <chrono>
#include <filesystem>
#include <string>
#include <thread>

#include "tests/app_project/real_ide.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::Control;
using real_ide::Dialog;
using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::WindowManager;
using real_ide::WindowState;

constexpr auto kSettingsFile = "HKEY_CURRENT_USER.reg";
constexpr auto kAboutTitle = "About MIRT";
// The About box's controls: its product and version lines and OK.
constexpr long long kAboutProductText = 1018, kAboutVersionText = 1019, kAboutOk = 1;
constexpr auto kAboutProduct = "MIRT - Integrated development environment";
constexpr auto kAboutVersionPrefix = "Version 2.0";
// The main frame's bars by their window ids.
constexpr long long kToolBar = 0xE800, kStatusBar = 0xE801;
constexpr long long kOutputBar = 59139;
constexpr long long kVariableBar = 59138, kCallStackBar = 59140, kRegistersBar = 59141, kProjectBar = 59142;
constexpr long long kHiddenBars[] = {kVariableBar, kCallStackBar, kRegistersBar, kProjectBar};
constexpr int kEndWaitSteps = 200;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);

// The window `id` within the main window `main` (any visibility); null when none.
const WindowState* FirstRunBar(const ProgramState& s, const WindowState& main, long long id) {
  for (const WindowState& w : s.windows) {
    if (w.id != id) continue;
    for (const WindowState* p = s.ByHandle(w.parent); p; p = s.ByHandle(p->parent))
      if (p->hwnd == main.hwnd) return &w;
  }
  return nullptr;
}

class FirstRunJourney : public ::testing::TestWithParam<WindowManager> {
 protected:
  std::string Picture(const std::string& name) const {
    return "journey_first_run_" + name + (GetParam() == WindowManager::kNone ? "" : "_openbox");
  }
  // The IDE starts with a configuration folder of its own, empty.
  real_ide::FreshConfigFolder m_config{"firstrun"};
};

TEST_P(FirstRunJourney, DefaultBarsAboutBoxAndAltF4) {
  ASSERT_TRUE(std::filesystem::is_empty(m_config.Path()));
  RealIde ide(GetParam());
  ASSERT_TRUE(ide.Start());
  RealDisplay& display = ide.Display();
  ProgramState s = display.Sync();
  display.SavePicture(Picture("started"));

  // The defaults: the tool bar above the documents' area, the output bar
  // docked below it across the frame, the status bar at the bottom; the
  // project, watch, register and call stack bars hidden.
  const WindowState* main = real_ide::MainWindowOf(s);
  ASSERT_NE(main, nullptr);
  const WindowState* tool = FirstRunBar(s, *main, kToolBar);
  const WindowState* output = FirstRunBar(s, *main, kOutputBar);
  const WindowState* status = FirstRunBar(s, *main, kStatusBar);
  const WindowState* documents = s.Find("MDICLIENT");
  ASSERT_TRUE(tool && output && status && documents);
  EXPECT_TRUE(tool->visible && output->visible && status->visible);
  EXPECT_LE(tool->rect.y + tool->rect.height, documents->rect.y);
  EXPECT_LE(documents->rect.y + documents->rect.height, output->rect.y);
  EXPECT_LE(output->rect.y + output->rect.height, status->rect.y);
  EXPECT_EQ(status->rect.y + status->rect.height, main->rect.y + main->rect.height)
      << "status bar at the bottom";
  EXPECT_EQ(output->rect.width, status->rect.width) << "output bar across the frame";
  // The frame asks to start maximized: a window manager makes it cover the
  // screen's width (a bare X server maximizes nothing).
  if (GetParam() == WindowManager::kOpenbox) EXPECT_EQ(main->rect.width, RealDisplay::kScreenWidth);
  for (long long id : kHiddenBars) {
    const WindowState* bar = FirstRunBar(s, *main, id);
    ASSERT_NE(bar, nullptr) << id;
    EXPECT_FALSE(bar->visible) << id;
  }

  // Help > About from the keyboard: the menu's second item.
  display.Key("alt+h");
  display.Key("Down");
  display.Key("Return");
  s = ide.SettledDialog(kAboutTitle);
  const WindowState* about = Dialog(s, kAboutTitle);
  ASSERT_NE(about, nullptr);
  const WindowState* product = Control(s, *about, kAboutProductText);
  const WindowState* version = Control(s, *about, kAboutVersionText);
  const WindowState* ok = Control(s, *about, kAboutOk);
  ASSERT_TRUE(product && version && ok);
  EXPECT_EQ(product->text, kAboutProduct);
  EXPECT_EQ(version->text.rfind(kAboutVersionPrefix, 0), 0u) << version->text;
  display.SavePicture(Picture("about"));

  // Its OK closes it.
  EXPECT_TRUE(
      ide.ClickUntil(ok->rect, [](const ProgramState& p) { return Dialog(p, kAboutTitle) == nullptr; }));

  display.Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  ASSERT_FALSE(display.ProgramRunning());
  const int exitStatus = display.ProgramExitStatus();
  EXPECT_TRUE(WIFEXITED(exitStatus) && WEXITSTATUS(exitStatus) == 0) << "wait status " << exitStatus;
  EXPECT_TRUE(std::filesystem::exists(m_config.Path() + "/" + kSettingsFile))
      << "settings kept in " << m_config.Path();
}

INSTANTIATE_TEST_SUITE_P(WindowManagers, FirstRunJourney,
                         ::testing::Values(WindowManager::kNone, WindowManager::kOpenbox),
                         mirt_test::WindowManagerName());

}  // namespace
