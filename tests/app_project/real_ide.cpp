#include "tests/app_project/real_ide.h"

#include <gtest/gtest.h>

#include <chrono>
#include <sstream>
#include <thread>

#include "tests/support/test_support.h"

namespace real_ide {

namespace {

constexpr auto kMakeCommand = "32794";
constexpr long long kLocationEdit = 1001, kNameEdit = 1004, kTypeBox = 1013;
constexpr int kEndWaitSteps = 200;
constexpr int kClickAttempts = 3, kFocusWaitSteps = 40;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);
constexpr auto kNewProjectTitle = "New Project";

bool MainWindowShown(const ProgramState& s) { return MainWindowXid(s) != 0; }

// True when `w` lies within the window `ancestor`.
bool RealIdeWithin(const ProgramState& s, const WindowState& w, const std::string& ancestor) {
  for (const WindowState* p = s.ByHandle(w.parent); p; p = s.ByHandle(p->parent))
    if (p->hwnd == ancestor) return true;
  return false;
}

}  // namespace

unsigned long MainWindowXid(const ProgramState& s) {
  for (const WindowState& w : s.windows)
    if (w.parent == "0" && w.visible && w.text.rfind("MIRT", 0) == 0) return w.xid;
  return 0;
}

const WindowState* Dialog(const ProgramState& s, const std::string& title) {
  for (const WindowState& w : s.windows)
    if (w.visible && w.className == "#32770" && w.text == title) return &w;
  return nullptr;
}

const WindowState* Control(const ProgramState& s, const WindowState& dialog, long long id) {
  // The dialog's own controls first: a control's parts may carry the same id.
  for (const WindowState& w : s.windows)
    if (w.id == id && w.parent == dialog.hwnd) return &w;
  for (const WindowState& w : s.windows)
    if (w.visible && w.id == id && RealIdeWithin(s, w, dialog.hwnd)) return &w;
  return nullptr;
}

std::string BuildPaneText(const ProgramState& s) { return s.Value("build-pane-last-line"); }

std::string BuildPaneLineWith(const ProgramState& s, const std::string& part) {
  for (const auto& [k, v] : s.values)
    if (k == "build-pane-line" && v.find(part) != std::string::npos) return v;
  return "";
}

bool RealIde::Start(const std::vector<std::string>& args, const std::string& program) {
  if (!m_display.Start(program.empty() ? mirt_test::ProgramDir() + "/mirt2" : program, args)) {
    ADD_FAILURE() << m_display.Error();
    return false;
  }
  ProgramState s = m_display.WaitFor(MainWindowShown, "the main window", kStartWaitMs);
  m_mainWindow = MainWindowXid(s);
  if (!m_mainWindow) return false;
  // The keys go to the main window once it has the input focus.
  for (int i = 0; i < kEndWaitSteps && !m_display.HasInputFocus(m_mainWindow); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  return true;
}

ProgramState RealIde::SettledDialog(const std::string& title) {
  m_display.WaitFor([&title](const ProgramState& p) { return Dialog(p, title) != nullptr; },
                    "the dialog " + title, kStartWaitMs);
  // Clicks land where the dialog's controls are once it has settled.
  ScreenRect last;
  return m_display.WaitFor(
      [&last, &title](const ProgramState& p) {
        const WindowState* d = Dialog(p, title);
        bool settled = d && d->rect.x == last.x && d->rect.y == last.y && d->rect.width == last.width;
        if (d) last = d->rect;
        return settled;
      },
      "the dialog " + title + " in its place");
}

bool RealIde::ClickControl(const ProgramState& s, const std::string& title, long long id) {
  const WindowState* d = Dialog(s, title);
  const WindowState* c = d ? Control(s, *d, id) : nullptr;
  if (!c) {
    ADD_FAILURE() << "no control " << id << " in " << title;
    return false;
  }
  // A window manager may take the first click on a new window for itself:
  // the click is repeated until the control has the focus.
  const std::string hwnd = c->hwnd;
  for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
    m_display.Click(c->rect.CenterX(), c->rect.CenterY());
    for (int i = 0; i < kFocusWaitSteps; ++i) {
      if (m_display.Sync().focus == hwnd) return true;
      std::this_thread::sleep_for(kEndWaitStep);
    }
  }
  ADD_FAILURE() << "the focus did not come into control " << id << " of " << title;
  return false;
}

bool RealIde::NewHostProject(const std::string& folder, const std::string& name) {
  // End takes the type list's last entry, the host environment.
  return NewProjectOfType(folder, name, "End", name + ".elf", "project_new_dialog");
}

ProgramState RealIde::Make() {
  ScreenRect make;
  ProgramState s = m_display.Sync();
  if (!Reported(s, "toolbar-button", kMakeCommand, make)) {
    ADD_FAILURE() << "no Make button";
    return s;
  }
  m_display.Click(make.CenterX(), make.CenterY());
  return m_display.WaitFor(
      [](const ProgramState& p) { return BuildPaneText(p).find("Build terminated") != std::string::npos; },
      "the build's end", kBuildWaitMs);
}

void RealIde::End() {
  m_display.Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && m_display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  EXPECT_FALSE(m_display.ProgramRunning());
}

// ---- Board projects ----

bool RealIde::NewProjectOfType(const std::string& folder, const std::string& name, const std::string& typeKey,
                               const std::string& root, const std::string& picture) {
  // Project > New Project: the menu's first item.
  m_display.Key("alt+p");
  m_display.Key("Return");
  ProgramState s = SettledDialog(kNewProjectTitle);
  if (!Dialog(s, kNewProjectTitle)) return false;
  if (!ClickControl(s, kNewProjectTitle, kNameEdit)) return false;
  m_display.Type(name);
  m_display.Sync();
  if (!ClickControl(s, kNewProjectTitle, kLocationEdit)) return false;
  m_display.Key("End");
  m_display.Key("shift+Home");
  m_display.Sync();
  m_display.Type(folder + "/" + name);
  m_display.Sync();
  // The type box: its list opened by the click is closed again, and the
  // key picks the entry.
  if (!ClickControl(s, kNewProjectTitle, kTypeBox)) return false;
  m_display.WaitFor([](const ProgramState& p) { return p.Find("ComboLBox") != nullptr; }, "the type list");
  m_display.Key("Escape");
  m_display.WaitFor([](const ProgramState& p) { return p.Find("ComboLBox") == nullptr; },
                    "the type list closed");
  m_display.Key(typeKey);
  m_display.Sync();
  m_display.SavePicture(picture);
  m_display.Key("Return");  // Create
  s = m_display.WaitFor(
      [&root](const ProgramState& p) {
        ScreenRect r;
        return !Dialog(p, kNewProjectTitle) && Reported(p, "project-tree-item", root, r);
      },
      "the new project in the tree");
  ScreenRect r;
  return Reported(s, "project-tree-item", root, r);
}

bool RealIde::NewBoardProject(const std::string& folder, const std::string& name) {
  // Home takes the type list's first entry, the TESSERA boards'.
  return NewProjectOfType(folder, name, "Home", name + ".exe", "project_new_board_dialog");
}

namespace {

constexpr long long kRealIdeProjectTree = 3097;
constexpr int kRealIdeOpenAttempts = 3, kRealIdeOpenSyncs = 10;
// Clicks closer together than the double-click time make one double click:
// earlier clicks must not join the next one.
constexpr auto kRealIdeDoubleClickGap = std::chrono::milliseconds(700);

bool RealIdeEditorShows(const ProgramState& s, const std::string& name) {
  for (const WindowState& w : s.windows)
    if (w.visible && w.parent != "0" && w.text.find(name) != std::string::npos) return true;
  return false;
}

bool RealIdeTreeShows(const ProgramState& s, const std::string& item) {
  ScreenRect r;
  return Reported(s, "project-tree-item", item, r);
}

}  // namespace

bool RealIde::OpenProjectSources(const std::string& root, const std::vector<std::string>& sources) {
  ScreenRect r;
  if (!Reported(m_display.Sync(), "project-tree-item", root, r)) return false;
  m_display.Click(r.CenterX(), r.CenterY());
  m_display.WaitFor(
      [](const ProgramState& p) {
        const WindowState* tree = p.Find("SysTreeView32", kRealIdeProjectTree);
        return tree && p.focus == tree->hwnd;
      },
      "the keys in the project tree");
  m_display.Key("Home");
  m_display.Key("Right");  // the root opens
  m_display.WaitFor([](const ProgramState& p) { return RealIdeTreeShows(p, "Sources"); },
                    "the Sources group");
  m_display.Key("Down");
  m_display.Key("Right");  // "Sources" opens
  for (const std::string& name : sources) {
    m_display.WaitFor([&name](const ProgramState& p) { return RealIdeTreeShows(p, name); },
                      "the item " + name);
    // A busy machine may spread a double click into two clicks: tried again.
    bool open = false;
    for (int attempt = 0; attempt < kRealIdeOpenAttempts && !open; ++attempt) {
      if (!Reported(m_display.Sync(), "project-tree-item", name, r)) return false;
      std::this_thread::sleep_for(kRealIdeDoubleClickGap);
      m_display.DoubleClick(r.CenterX(), r.CenterY());
      for (int i = 0; i < kRealIdeOpenSyncs && !open; ++i) open = RealIdeEditorShows(m_display.Sync(), name);
    }
    if (!open) return false;
  }
  return true;
}

}  // namespace real_ide
