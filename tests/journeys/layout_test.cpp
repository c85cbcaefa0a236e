// Journey: the layout a person arranges comes back after a restart. The
// output bar is dragged by its gripper to the frame's left edge, a tool bar
// button is dragged off the bar with Alt held, and during a debug session
// the Variable bar is floated by a double click on its gripper; the IDE is
// closed and started again, and the bars and the tool bar's buttons are
// where they were left.
//
// Bare server only: under a window manager the frame starts maximised, so
// there is no place outside it to drop a button, and the debug session
// makes a second run too dear for CI's budget.
#include <gtest/gtest.h>

#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/afx/afxres.h"
#include "tests/app_project/real_ide.h"
#include "tests/support/host_debug_program.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::Reported;
using real_ide::ScreenRect;
using real_ide::WindowManager;
using real_ide::WindowState;
using Visibility = ProgramState::Visibility;

constexpr long long kOutputBar = 59139, kVariableBar = 59138;
constexpr auto kMakeCommand = "32794", kStepOverCommand = "32780";
constexpr auto kDraggedOffCommand = "57600";  // File New, the bar's first button
constexpr int kGripperReach = 8;              // a point this far into a bar lies on its gripper strip
constexpr int kEdgeReach = 4;                 // the drag ends this far inside the frame's left edge
constexpr int kOffFrameGap = 60;              // the button is dropped this far below the frame
constexpr int kDragSteps = 12;
// From the View menu's first item: Status Bar, Document Tabs, Project
// Tree, Output, Call Stack, Variable Watches.
constexpr int kDownsToVariableWatches = 6;
constexpr int kDebugWaitMs = 20000;
constexpr int kEndWaitSteps = 200;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);

// A window by its id, hidden ones too.
const WindowState* LayoutWindow(const ProgramState& s, long long id) {
  for (const WindowState& w : s.windows)
    if (w.id == id && w.parent != "0") return &w;
  return nullptr;
}

// The id of the dock bar that holds the window with this id (0: none).
long long LayoutDockSide(const ProgramState& s, long long id) {
  const WindowState* w = LayoutWindow(s, id);
  const WindowState* dock = w ? s.ByHandle(w->parent) : nullptr;
  return dock ? dock->id : 0;
}

const WindowState* LayoutMainWindow(const ProgramState& s) {
  for (const WindowState& w : s.windows)
    if (w.parent == "0" && w.visible && w.text.rfind("MIRT", 0) == 0) return &w;
  return nullptr;
}

// The tool bar's commands, left to right.
std::vector<std::string> LayoutToolBarCommands(const ProgramState& s) {
  std::vector<std::string> commands;
  for (const auto& [key, rest] : s.values)
    if (key == "toolbar-button") commands.push_back(rest.substr(rest.rfind(' ') + 1));
  return commands;
}

bool LayoutHasCommand(const ProgramState& s, const std::string& command) {
  ScreenRect r;
  return Reported(s, "toolbar-button", command, r);
}

bool LayoutShows(const ProgramState& s, const std::string& key, const std::string& value) {
  for (const auto& [k, v] : s.values)
    if (k == key && v == value) return true;
  return false;
}

// Alt+F4, keeping the project's changes when the IDE asks; the exit status.
int LayoutClose(RealDisplay& display) {
  display.Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  if (display.ProgramRunning()) display.Key("Return");
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  return display.ProgramRunning() ? -1 : display.ProgramExitStatus();
}

TEST(LayoutJourney, DockedFloatedAndCustomisedBarsComeBackAfterARestart) {
  const std::string folder = mirt_test::MakeTempDir("layout");
  mirt_test::WriteFile(folder + "/demo.c", mirt_test::kHostDebugProgram);
  const std::string project = mirt_test::WriteFile(folder + "/demo.kpj", mirt_test::kHostDebugProject);
  RealIde ide(WindowManager::kNone);
  ASSERT_TRUE(ide.Start({project}));
  RealDisplay& display = ide.Display();
  ProgramState s = display.Sync();
  const WindowState* main = LayoutMainWindow(s);
  ASSERT_NE(main, nullptr);
  const ScreenRect frame = main->rect;

  // The output bar's gripper dragged to the frame's left edge docks it there.
  ScreenRect button;
  const WindowState* output = LayoutWindow(s, kOutputBar);
  ASSERT_TRUE(output && output->visible);
  ASSERT_EQ(LayoutDockSide(s, kOutputBar), AFX_IDW_DOCKBAR_BOTTOM);
  // A wide bar tests the sides in its own orientation first: Shift, held
  // once the drag has begun, makes it try the standing one.
  const WindowState* leftDock = LayoutWindow(s, AFX_IDW_DOCKBAR_LEFT);
  ASSERT_NE(leftDock, nullptr);
  const int fromX = output->rect.x + kGripperReach, fromY = output->rect.CenterY();
  const int toX = frame.x + kEdgeReach, toY = leftDock->rect.CenterY();
  display.MoveTo(fromX, fromY);
  display.Press();
  display.KeyDown("shift");
  for (int i = 1; i <= kDragSteps; ++i) {
    display.MoveTo(fromX + (toX - fromX) * i / kDragSteps, fromY + (toY - fromY) * i / kDragSteps);
    display.Sync();
  }
  display.Release();
  display.KeyUp("shift");
  s = display.WaitFor(
      [](const ProgramState& p) { return LayoutDockSide(p, kOutputBar) == AFX_IDW_DOCKBAR_LEFT; },
      "the output bar on the left");
  output = LayoutWindow(s, kOutputBar);
  EXPECT_LT(output->rect.x - frame.x, kGripperReach);
  display.SavePicture("layout_output_left");

  // Alt+drag of a button to below the frame takes it off the tool bar.
  ASSERT_TRUE(Reported(s, "toolbar-button", kDraggedOffCommand, button));
  display.KeyDown("alt");
  display.Drag(button.CenterX(), button.CenterY(), button.CenterX(), frame.y + frame.height + kOffFrameGap,
               kDragSteps);
  display.KeyUp("alt");
  display.Key("Escape");  // a lone Alt may have woken the menu
  s = display.WaitFor([](const ProgramState& p) { return !LayoutHasCommand(p, kDraggedOffCommand); },
                      "the button off the tool bar");
  display.SavePicture("layout_button_off");

  // Make, then Step Over starts a debug session, where the Variable bar shows.
  ASSERT_TRUE(Reported(s, "toolbar-button", kMakeCommand, button));
  display.Click(button.CenterX(), button.CenterY());
  s = display.WaitFor(
      [](const ProgramState& p) {
        return p.Value("build-pane-last-line").find("Build terminated") != std::string::npos;
      },
      "the build's end", real_ide::kBuildWaitMs);
  ASSERT_NE(s.Value("build-pane-last-line").find("successfully"), std::string::npos)
      << s.Value("build-pane-last-line");
  ASSERT_TRUE(Reported(s, "toolbar-button", kStepOverCommand, button));
  display.Click(button.CenterX(), button.CenterY());
  s = display.WaitFor([](const ProgramState& p) { return LayoutShows(p, "debug-session", "1"); },
                      "the debug session", kDebugWaitMs);
  const WindowState* variables = LayoutWindow(s, kVariableBar);
  if (!variables || !variables->visible) {
    display.Key("alt+v");
    for (int i = 0; i < kDownsToVariableWatches; ++i) display.Key("Down");
    display.Key("Return");
    s = display.WaitFor(
        [](const ProgramState& p) {
          const WindowState* w = LayoutWindow(p, kVariableBar);
          return w && w->visible && w->rect.width > 0;
        },
        "the Variable bar");
    variables = LayoutWindow(s, kVariableBar);
  }
  ASSERT_EQ(LayoutDockSide(s, kVariableBar), AFX_IDW_DOCKBAR_RIGHT);
  display.DoubleClick(variables->rect.CenterX(), variables->rect.y + kGripperReach);
  s = display.WaitFor(
      [](const ProgramState& p) { return LayoutDockSide(p, kVariableBar) == AFX_IDW_DOCKBAR_FLOAT; },
      "the Variable bar floating");
  display.SavePicture("layout_variables_floating");
  display.Key("shift+F5");
  s = display.WaitFor([](const ProgramState& p) { return LayoutShows(p, "debug-session", "0"); },
                      "the end of the session", kDebugWaitMs);

  const ScreenRect outputLeft = LayoutWindow(s, kOutputBar)->rect;
  const std::vector<std::string> commands = LayoutToolBarCommands(s);
  ASSERT_EQ(LayoutClose(display), 0);

  // Started again: the same bars on the same sides, the same buttons.
  RealIde again(WindowManager::kNone);
  ASSERT_TRUE(again.Start());
  s = again.Display().WaitFor(
      [](const ProgramState& p) { return LayoutDockSide(p, kOutputBar) == AFX_IDW_DOCKBAR_LEFT; },
      "the output bar on the left again");
  again.Display().SavePicture("layout_restarted");
  const WindowState* restored = LayoutWindow(s, kOutputBar);
  ASSERT_NE(restored, nullptr);
  EXPECT_TRUE(restored->visible);
  EXPECT_EQ(restored->rect.x, outputLeft.x);
  EXPECT_EQ(restored->rect.width, outputLeft.width);
  // The Variable bar floats, hidden until a debug session shows it: no
  // empty floating frame stands on the screen.
  EXPECT_EQ(LayoutDockSide(s, kVariableBar), AFX_IDW_DOCKBAR_FLOAT);
  for (const WindowState& w : s.windows)
    EXPECT_FALSE(w.parent == "0" && w.visible && w.text.rfind("MIRT", 0) != 0)
        << "a window '" << w.text << "'";
  EXPECT_EQ(LayoutToolBarCommands(s), commands);
  EXPECT_FALSE(LayoutHasCommand(s, kDraggedOffCommand));
  EXPECT_EQ(LayoutClose(again.Display()), 0);
}

}  // namespace
