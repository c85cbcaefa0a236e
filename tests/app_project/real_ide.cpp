#include "tests/app_project/real_ide.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <functional>
#include <sstream>
#include <thread>

#include "tests/support/test_support.h"

namespace real_ide {

namespace {

constexpr auto kMakeCommand = "32794";
// The Build pane's last line after a build.
constexpr long long kLocationEdit = 1001, kNameEdit = 1004, kTypeBox = 1013;
constexpr int kEndWaitSteps = 200;
constexpr int kClickAttempts = 3, kFocusWaitSteps = 40;
constexpr auto kEndWaitStep = std::chrono::milliseconds(50);
constexpr auto kNewProjectTitle = "New Project";
constexpr long long kSettingsPageTree = 1000, kOkButton = 1;
// Project menu: New Project, Open Project, Close Project, Insert File Into
// Project, Settings (the separator is skipped).
constexpr int kSettingsItemDowns = 4;
constexpr int kFirstItemInset = 8;  // pixels into a tree's first row
constexpr auto kConfigVariable = "MIRT_CONFIG_DIR";
constexpr auto kWatchTitle = "Watch Expression";
constexpr long long kProjectTree = 3097;
constexpr long long kYesButton = 6;  // the question box's Yes
constexpr int kActAttempts = 3, kSettleSyncs = 10;
// Clicks closer together than the double-click time make one double click:
// a double click waits this long after the clicks before it.
constexpr std::chrono::milliseconds kDoubleClickGap{700};
// From the Debug menu's first item, Up wraps to its last: "Access
// I/O-Ports", then "Watch Selection", then "Watch Expression".
constexpr int kUpsToWatchExpression = 3;

bool MainWindowShown(const ProgramState& s) { return MainWindowXid(s) != 0; }

// True when `w` lies within the window `ancestor`.
bool RealIdeWithin(const ProgramState& s, const WindowState& w, const std::string& ancestor) {
  for (const WindowState* p = s.ByHandle(w.parent); p; p = s.ByHandle(p->parent))
    if (p->hwnd == ancestor) return true;
  return false;
}

// Acts on the rectangle `find` gives until `done` holds: a double click
// that a busy machine spreads too far apart counts as two clicks, and a
// window manager may take a first click for itself.
bool RealIdeActUntil(RealDisplay& display, const std::function<bool(const ProgramState&, ScreenRect&)>& find,
                     const std::function<bool(const ProgramState&)>& done) {
  for (int attempt = 0; attempt < kActAttempts; ++attempt) {
    ScreenRect r;
    ProgramState now = display.Sync();
    if (done(now)) return true;
    if (!find(now, r)) return false;
    std::this_thread::sleep_for(kDoubleClickGap);
    display.DoubleClick(r.CenterX(), r.CenterY());
    for (int i = 0; i < kSettleSyncs; ++i)
      if (done(display.Sync())) return true;
  }
  return false;
}

// A window's place, seen at one sync after another: settled once two
// syncs in a row saw it in the same place (a window manager may move a
// new window after it first appeared).
struct RealIdePlace {
  ScreenRect last;
  bool seen = false;
  bool Settled(const ScreenRect& now) {
    const bool same =
        seen && now.x == last.x && now.y == last.y && now.width == last.width && now.height == last.height;
    last = now;
    seen = true;
    return same;
  }
};

}  // namespace

const WindowState* MainWindowOf(const ProgramState& s) {
  for (const WindowState& w : s.windows)
    if (w.parent == "0" && w.visible && w.text.rfind("MIRT", 0) == 0) return &w;
  return nullptr;
}

unsigned long MainWindowXid(const ProgramState& s) {
  const WindowState* main = MainWindowOf(s);
  return main ? main->xid : 0;
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

std::string BuildPaneLines(const ProgramState& s) {
  std::string all;
  for (const auto& [k, v] : s.values)
    if (k == "build-pane-line") all += v + "\n";
  return all;
}

std::string BuildPaneLineWith(const ProgramState& s, const std::string& part) {
  for (const auto& [k, v] : s.values)
    if (k == "build-pane-line" && v.find(part) != std::string::npos) return v;
  return "";
}

bool HasValue(const ProgramState& s, const std::string& key, const std::string& value) {
  for (const auto& [k, v] : s.values)
    if (k == key && v == value) return true;
  return false;
}

std::function<bool(const ProgramState&)> Shows(const std::string& key, const std::string& value) {
  return [key, value](const ProgramState& p) { return HasValue(p, key, value); };
}

bool DocumentShown(const ProgramState& s, const std::string& file) {
  for (const WindowState& w : s.windows)
    if (w.visible && w.parent != "0" && w.text.find(file) != std::string::npos) return true;
  return false;
}

FreshConfigFolder::FreshConfigFolder(const std::string& name) : m_path(mirt_test::MakeTempDir(name)) {
  const char* before = std::getenv(kConfigVariable);
  m_before = before ? before : "";
  setenv(kConfigVariable, m_path.c_str(), 1);
}

FreshConfigFolder::~FreshConfigFolder() { setenv(kConfigVariable, m_before.c_str(), 1); }

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
  RealIdePlace place;
  return m_display.WaitFor(
      [&place, &title](const ProgramState& p) {
        const WindowState* d = Dialog(p, title);
        return d && place.Settled(d->rect);
      },
      "the dialog " + title + " in its place");
}

ProgramState RealIde::OpenSettingsPage(int pageDowns, long long control, const std::string& what) {
  m_display.Key("alt+p");
  for (int i = 0; i < kSettingsItemDowns; ++i) m_display.Key("Down");
  m_display.Key("Return");
  ProgramState s = SettledDialog(kSettingsTitle);
  const WindowState* dialog = Dialog(s, kSettingsTitle);
  const WindowState* tree = dialog ? Control(s, *dialog, kSettingsPageTree) : nullptr;
  if (!tree) {
    ADD_FAILURE() << "no page tree in " << kSettingsTitle;
    return s;
  }
  // The page tree takes the keys from a click on its first item, which is
  // the page shown; the arrow keys walk to the page.
  const std::string treeHandle = tree->hwnd;
  m_display.Click(tree->rect.x + tree->rect.width / 2, tree->rect.y + kFirstItemInset);
  m_display.WaitFor([&treeHandle](const ProgramState& p) { return p.focus == treeHandle; },
                    "the keys in the tree");
  m_display.Key("Home");
  for (int i = 0; i < pageDowns; ++i) m_display.Key("Down");
  return m_display.WaitFor(
      [control](const ProgramState& p) {
        const WindowState* d = Dialog(p, kSettingsTitle);
        return d && Control(p, *d, control) != nullptr;
      },
      what);
}

ProgramState RealIde::PressOk(const std::string& title) {
  ProgramState s = m_display.Sync();
  const WindowState* d = Dialog(s, title);
  const WindowState* ok = d ? Control(s, *d, kOkButton) : nullptr;
  if (!ok) {
    ADD_FAILURE() << "no OK in " << title;
    return s;
  }
  m_display.Click(ok->rect.CenterX(), ok->rect.CenterY());
  return m_display.WaitFor([&title](const ProgramState& p) { return !Dialog(p, title); }, title + " closed");
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

bool RealIde::NewBoardProject(const std::string& folder, const std::string& name) {
  // Home takes the type list's first entry, the TESSERA boards'.
  return NewProjectOfType(folder, name, "Home", name + ".exe", "project_new_board_dialog");
}

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

ProgramState RealIde::Make() {
  ScreenRect make;
  ProgramState s = m_display.Sync();
  if (!Reported(s, "toolbar-button", kMakeCommand, make)) {
    ADD_FAILURE() << "no Make button";
    return s;
  }
  // The frame counts the builds that ended; a click a window manager took
  // for itself starts none and is given again.
  const std::string before = s.Value("builds-ended");
  const std::string paneBefore = BuildPaneText(s);
  auto ended = [&before](const ProgramState& p) { return p.Value("builds-ended") != before; };
  for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
    m_display.Click(make.CenterX(), make.CenterY());
    for (int i = 0; i < kFocusWaitSteps; ++i) {
      s = m_display.Sync();
      if (ended(s) || BuildPaneText(s) != paneBefore)
        return m_display.WaitFor(ended, "the build's end", kBuildWaitMs);
      std::this_thread::sleep_for(kEndWaitStep);
    }
  }
  return m_display.WaitFor(ended, "the build's end", kBuildWaitMs);
}

void RealIde::End() {
  m_display.Key("alt+F4");
  for (int i = 0; i < kEndWaitSteps && m_display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  EXPECT_FALSE(m_display.ProgramRunning());
}

bool RealIde::ClickUntil(const ScreenRect& r, const std::function<bool(const ProgramState&)>& done) {
  for (int attempt = 0; attempt < kClickAttempts; ++attempt) {
    m_display.Click(r.CenterX(), r.CenterY());
    for (int i = 0; i < kFocusWaitSteps; ++i) {
      if (done(m_display.Sync())) return true;
      std::this_thread::sleep_for(kEndWaitStep);
    }
  }
  return false;
}

bool RealIde::OpenFromProjectTree(const std::string& root, const std::string& file) {
  auto treeShows = [](const std::string& text) {
    return [text](const ProgramState& p) {
      ScreenRect r;
      return Reported(p, "project-tree-item", text, r);
    };
  };
  ScreenRect item;
  if (!Reported(m_display.Sync(), "project-tree-item", root, item)) return false;
  m_display.Click(item.CenterX(), item.CenterY());
  m_display.WaitFor(
      [](const ProgramState& p) {
        const WindowState* tree = p.Find("SysTreeView32", kProjectTree);
        return tree && p.focus == tree->hwnd;
      },
      "the keys in the project tree");
  m_display.Key("Home");
  m_display.Key("Right");  // the root opens
  m_display.WaitFor(treeShows("Sources"), "the Sources group");
  m_display.Key("Down");
  m_display.Key("Right");  // "Sources" opens
  m_display.WaitFor(treeShows(file), "the item " + file);
  return RealIdeActUntil(
      m_display,
      [&file](const ProgramState& p, ScreenRect& r) { return Reported(p, "project-tree-item", file, r); },
      [&file](const ProgramState& p) { return DocumentShown(p, file); });
}

bool RealIde::OpenProjectSources(const std::string& root, const std::vector<std::string>& sources) {
  if (sources.empty()) return true;
  if (!OpenFromProjectTree(root, sources.front())) return false;
  for (size_t i = 1; i < sources.size(); ++i) {
    const std::string& file = sources[i];
    auto find = [&file](const ProgramState& p, ScreenRect& r) {
      return Reported(p, "project-tree-item", file, r);
    };
    ScreenRect r;
    m_display.WaitFor([&find, &r](const ProgramState& p) { return find(p, r); }, "the item " + file);
    if (!RealIdeActUntil(m_display, find, [&file](const ProgramState& p) { return DocumentShown(p, file); }))
      return false;
  }
  return true;
}

bool RealIde::OpenBuildMessage(const std::string& part,
                               const std::function<bool(const ProgramState&)>& done) {
  return RealIdeActUntil(
      m_display,
      [&part](const ProgramState& p, ScreenRect& r) {
        for (const auto& [k, v] : p.values) {
          if (k != "build-pane-row" || v.find(part) == std::string::npos) continue;
          std::istringstream in(v);
          return static_cast<bool>(in >> r.x >> r.y >> r.width >> r.height);
        }
        return false;
      },
      done);
}

void RealIde::WatchExpression(const std::string& expression) {
  m_display.Key("alt+d");
  for (int i = 0; i < kUpsToWatchExpression; ++i) m_display.Key("Up");
  m_display.Key("Return");
  m_display.WaitFor([](const ProgramState& p) { return Dialog(p, kWatchTitle) != nullptr; },
                    "the Watch Expression dialog");
  m_display.Type(expression);
  m_display.Key("Return");
}

void RealIde::ExitSaving() {
  auto yesOf = [](const ProgramState& p) -> const WindowState* {
    const WindowState* box = p.Find("#32770");
    const WindowState* yes = p.Find("Button", kYesButton);
    return box && yes && yes->parent == box->hwnd ? yes : nullptr;
  };
  // File > Exit: Up from the menu's first item wraps to its last.
  m_display.Key("alt+f");
  m_display.Key("Up");
  m_display.Key("Return");
  m_display.WaitFor([&yesOf](const ProgramState& p) { return yesOf(p) != nullptr; }, "the save question");
  // The click goes where the button stands once a window manager has placed
  // the box, and again when the manager took it for itself.
  for (int attempt = 0; attempt < kActAttempts && m_display.ProgramRunning(); ++attempt) {
    RealIdePlace place;
    ProgramState s = m_display.WaitFor(
        [&yesOf, &place](const ProgramState& p) {
          const WindowState* yes = yesOf(p);
          return !yes || place.Settled(yes->rect);
        },
        "the save question in its place");
    const WindowState* box = s.Find("#32770");
    if (!yesOf(s) || !box) break;
    const unsigned long boxWindow = box->xid;
    m_display.WaitFor([this, boxWindow](const ProgramState&) { return m_display.HasInputFocus(boxWindow); },
                      "the keyboard in the save question");
    m_display.Click(place.last.CenterX(), place.last.CenterY());
    for (int i = 0; i < kEndWaitSteps / kActAttempts && m_display.ProgramRunning(); ++i)
      std::this_thread::sleep_for(kEndWaitStep);
  }
  for (int i = 0; i < kEndWaitSteps && m_display.ProgramRunning(); ++i)
    std::this_thread::sleep_for(kEndWaitStep);
  if (m_display.ProgramRunning()) m_display.SavePicture("exit_saving_still_running");
  EXPECT_FALSE(m_display.ProgramRunning());
}

}  // namespace real_ide
