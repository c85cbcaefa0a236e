// The IDE under a real X server, driven as a person drives it: the Project
// menu makes a new project for this machine's gcc, the tool bar's
// Make button builds it, a double click in the project tree opens the main
// source; after a restart the project and its open file come back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <string>
#include <thread>

#include "tests/app_project/real_ide.h"
#include "tests/support/test_support.h"

namespace {

using real_ide::BuildPaneText;
using real_ide::ProgramState;
using real_ide::RealDisplay;
using real_ide::RealIde;
using real_ide::Reported;
using real_ide::ScreenRect;
using real_ide::WindowManager;
using real_ide::WindowState;

constexpr auto kMainSource = "#include <stdio.h>\nint main(void) { puts(\"real\"); return 0; }\n";
constexpr long long kProjectTree = 3097;
constexpr int kEndWaitSteps = 200;
constexpr int kActAttempts = 3, kSettleSyncs = 10;
constexpr std::chrono::milliseconds kDoubleClickGap{700};
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);

TEST(ProjectRealInput, NewProjectBuildOpenAndRestart) {
  const std::string folder = mirt_test::MakeTempDir("real");
  ASSERT_EQ(mkdir((folder + "/demo").c_str(), 0755), 0);
  mirt_test::WriteFile(folder + "/demo/demo.c", kMainSource);
  RealIde ide(WindowManager::kOpenbox);
  ASSERT_TRUE(ide.Start());
  RealDisplay& display = ide.Display();
  const unsigned long mainWindow = ide.MainWindow();
  ASSERT_TRUE(ide.NewHostProject(folder, "demo"));

  // The tool bar's Make button builds it with this machine's make and gcc.
  ProgramState s = ide.Make();
  EXPECT_NE(BuildPaneText(s).find("Build terminated successfully"), std::string::npos) << BuildPaneText(s);

  // Open the groups from the keyboard, then double-click the main source;
  // a double click that a busy machine spreads too far apart counts as two
  // clicks, so it is tried again.
  auto treeShows = [](const char* text) {
    return [text](const ProgramState& p) {
      ScreenRect r;
      return Reported(p, "project-tree-item", text, r);
    };
  };
  auto actUntil = [&display](const std::string& item, const std::function<void(const ScreenRect&)>& act,
                             const std::function<bool(const ProgramState&)>& done) {
    for (int attempt = 0; attempt < kActAttempts; ++attempt) {
      ScreenRect r;
      ProgramState now = display.Sync();
      if (done(now)) return true;
      if (!Reported(now, "project-tree-item", item, r)) return false;
      act(r);
      for (int i = 0; i < kSettleSyncs; ++i)
        if (done(display.Sync())) return true;
    }
    return false;
  };
  auto doubleClick = [&display](const ScreenRect& r) {
    // Clicks closer together than the double-click time make one double
    // click: the earlier ones must not join this one.
    std::this_thread::sleep_for(kDoubleClickGap);
    display.DoubleClick(r.CenterX(), r.CenterY());
  };
  ScreenRect root;
  ASSERT_TRUE(Reported(display.Sync(), "project-tree-item", "demo.elf", root));
  display.Click(root.CenterX(), root.CenterY());
  display.WaitFor(
      [](const ProgramState& p) {
        const WindowState* tree = p.Find("SysTreeView32", kProjectTree);
        return tree && p.focus == tree->hwnd;
      },
      "the keys in the project tree");
  display.Key("Home");
  display.Key("Right");  // the root opens
  display.WaitFor(treeShows("Sources"), "the Sources group");
  display.Key("Down");
  display.Key("Right");  // "Sources" opens
  display.WaitFor(treeShows("demo.c"), "the main source's item");
  ASSERT_TRUE(actUntil("demo.c", doubleClick, [](const ProgramState& p) {
    for (const WindowState& w : p.windows)
      if (w.visible && w.text.find("demo.c") != std::string::npos && w.parent != "0") return true;
    return false;
  }));
  display.SavePicture("project_built_and_open");

  // Closing saves the project when asked; the next start brings it back
  // with its open file.
  display.Key("alt+F4");
  // The save question is a box of its own: its Yes button is clicked.
  constexpr long long kYesButton = 6;  // IDYES
  ProgramState asked = display.WaitFor(
      [](const ProgramState& p) {
        const WindowState* box = p.Find("#32770");
        const WindowState* yes = p.Find("Button", kYesButton);
        return box && yes && yes->parent == box->hwnd;
      },
      "the save question");
  const ScreenRect yes = asked.Find("Button", kYesButton)->rect;
  // A window manager may take the first click on a new window for itself.
  for (int attempt = 0; attempt < kActAttempts && display.ProgramRunning(); ++attempt) {
    display.Click(yes.CenterX(), yes.CenterY());
    for (int i = 0; i < kEndWaitSteps / kActAttempts && display.ProgramRunning(); ++i)
      std::this_thread::sleep_for(kEndWaitStep);
  }
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  ASSERT_FALSE(display.ProgramRunning());
  EXPECT_NE(mirt_test::ReadFile(folder + "/demo/demo.kpj").find("SOURCEFILES=demo.c"), std::string::npos);

  RealIde restarted(WindowManager::kOpenbox);
  ASSERT_TRUE(restarted.Start());
  RealDisplay& again = restarted.Display();
  s = again.WaitFor(
      [](const ProgramState& p) {
        ScreenRect r;
        bool source = false;
        for (const WindowState& w : p.windows)
          if (w.visible && w.parent != "0" && w.text.find("demo.c") != std::string::npos) source = true;
        return source && Reported(p, "project-tree-item", "demo.elf", r);
      },
      "the project and its open file again", real_ide::kStartWaitMs);
  again.SavePicture("project_restarted");
  restarted.End();
}

}  // namespace
