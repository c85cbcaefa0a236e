// The IDE under a real X server, driven as a person drives it: the Project
// menu makes a new project for this machine's gcc, the tool bar's
// Make button builds it, a double click in the project tree opens the main
// source; after a restart the project and its open file come back.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include <chrono>
#include <functional>
#include <sstream>
#include <string>
#include <thread>

#include "tests/support/real_input.h"
#include "tests/support/test_support.h"

namespace {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::ScreenRect;
using mirt_test::WindowManager;
using mirt_test::WindowState;

constexpr auto kMainSource = "#include <stdio.h>\nint main(void) { puts(\"real\"); return 0; }\n";
constexpr long long kLocationEdit = 1001, kNameEdit = 1004, kTypeBox = 1013, kProjectTree = 3097;
constexpr auto kMakeCommand = "32794";
constexpr int kStartWaitMs = 20000, kBuildWaitMs = 60000;
constexpr int kEndWaitSteps = 200;
constexpr int kActAttempts = 3, kSettleSyncs = 10;
constexpr std::chrono::milliseconds kDoubleClickGap{700};
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);

// The native window of the main window, 0 while it is not shown.
unsigned long MainWindowXid(const ProgramState& s) {
  for (const WindowState& w : s.windows)
    if (w.parent == "0" && w.visible && w.text.rfind("MIRT", 0) == 0) return w.xid;
  return 0;
}

bool MainWindowShown(const ProgramState& s) { return MainWindowXid(s) != 0; }

const WindowState* Dialog(const ProgramState& s, const std::string& title) {
  for (const WindowState& w : s.windows)
    if (w.visible && w.className == "#32770" && w.text == title) return &w;
  return nullptr;
}

const WindowState* Control(const ProgramState& s, const WindowState& dialog, long long id) {
  for (const WindowState& w : s.windows)
    if (w.parent == dialog.hwnd && w.id == id) return &w;
  return nullptr;
}

// A reported rectangle "x y w h rest" of the first line with the key whose
// rest is `what`; false when there is none.
bool Reported(const ProgramState& s, const std::string& key, const std::string& what, ScreenRect& r) {
  for (const auto& [k, v] : s.values) {
    if (k != key) continue;
    std::istringstream in(v);
    std::string rest;
    in >> r.x >> r.y >> r.width >> r.height;
    std::getline(in >> std::ws, rest);
    if (rest == what) return true;
  }
  return false;
}

std::string BuildPaneText(const ProgramState& s) { return s.Value("build-pane-last-line"); }

void EndProgram(RealDisplay& display) {
  display.Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  EXPECT_FALSE(display.ProgramRunning());
}

TEST(ProjectRealInput, NewProjectBuildOpenAndRestart) {
  const std::string folder = mirt_test::MakeTempDir("real");
  ASSERT_EQ(mkdir((folder + "/demo").c_str(), 0755), 0);
  mirt_test::WriteFile(folder + "/demo/demo.c", kMainSource);
  RealDisplay display(WindowManager::kOpenbox);
  ASSERT_TRUE(display.Start(mirt_test::ProgramDir() + "/mirt2")) << display.Error();
  ProgramState s = display.WaitFor(MainWindowShown, "the main window", kStartWaitMs);
  const unsigned long mainWindow = MainWindowXid(s);
  ASSERT_NE(mainWindow, 0u);
  // The keys go to the main window once it has the input focus.
  for (int i = 0; i < kEndWaitSteps && !display.HasInputFocus(mainWindow); ++i)
    std::this_thread::sleep_for(kEndWaitStep);

  // Project > New Project: the menu's first item.
  display.Key("alt+p");
  display.Key("Return");
  s = display.WaitFor([](const ProgramState& p) { return Dialog(p, "New Project"); },
                      "the New Project dialog", kStartWaitMs);
  ASSERT_NE(Dialog(s, "New Project"), nullptr);
  // Clicks land where the dialog's controls are once it has settled.
  ScreenRect last;
  s = display.WaitFor(
      [&last](const ProgramState& p) {
        const WindowState* d = Dialog(p, "New Project");
        bool settled = d && d->rect.x == last.x && d->rect.y == last.y && d->rect.width == last.width;
        if (d) last = d->rect;
        return settled;
      },
      "the New Project dialog in its place");
  ASSERT_NE(Dialog(s, "New Project"), nullptr);
  auto click = [&](long long id) {
    const WindowState* c = Control(s, *Dialog(s, "New Project"), id);
    ASSERT_NE(c, nullptr) << id;
    display.Click(c->rect.CenterX(), c->rect.CenterY());
    std::string hwnd = c->hwnd;
    display.WaitFor([hwnd](const ProgramState& p) { return p.focus == hwnd; },
                    "the focus in the clicked control");
  };
  click(kNameEdit);
  display.Type("demo");
  display.Sync();
  click(kLocationEdit);
  display.Key("End");
  display.Key("shift+Home");
  display.Sync();
  display.Type(folder + "/demo");
  display.Sync();
  // The type box: its list opened by the click is closed again, and End
  // takes its last entry, the host environment.
  click(kTypeBox);
  display.WaitFor([](const ProgramState& p) { return p.Find("ComboLBox") != nullptr; }, "the type list");
  display.Key("Escape");
  display.WaitFor([](const ProgramState& p) { return p.Find("ComboLBox") == nullptr; },
                  "the type list closed");
  display.Key("End");
  display.Sync();
  display.SavePicture("project_new_dialog");
  display.Key("Return");  // Create
  s = display.WaitFor(
      [](const ProgramState& p) {
        ScreenRect r;
        return !Dialog(p, "New Project") && Reported(p, "project-tree-item", "demo.elf", r);
      },
      "the new project in the tree");

  // The tool bar's Make button builds it with this machine's make and gcc.
  ScreenRect make;
  ASSERT_TRUE(Reported(s, "toolbar-button", kMakeCommand, make));
  display.Click(make.CenterX(), make.CenterY());
  s = display.WaitFor(
      [](const ProgramState& p) { return BuildPaneText(p).find("Build terminated") != std::string::npos; },
      "the build's end", kBuildWaitMs);
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

  RealDisplay again(WindowManager::kOpenbox);
  ASSERT_TRUE(again.Start(mirt_test::ProgramDir() + "/mirt2")) << again.Error();
  s = again.WaitFor(
      [](const ProgramState& p) {
        ScreenRect r;
        bool source = false;
        for (const WindowState& w : p.windows)
          if (w.visible && w.parent != "0" && w.text.find("demo.c") != std::string::npos) source = true;
        return source && Reported(p, "project-tree-item", "demo.elf", r);
      },
      "the project and its open file again", kStartWaitMs);
  again.SavePicture("project_restarted");
  EndProgram(again);
}

}  // namespace
