// The IDE program under a real X server, driven as a person drives it: the
// steps the real-input tests share (start, the dialogs' controls, a new
// host project from the Project menu, the tool bar's Make button, the end).
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "tests/support/real_input.h"

namespace real_ide {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::ScreenRect;
using mirt_test::WindowManager;
using mirt_test::WindowState;

constexpr auto kSettingsTitle = "Project Settings";

constexpr int kStartWaitMs = 20000, kBuildWaitMs = 60000;

// The main window, null while it is not shown; its native window (0 then).
const WindowState* MainWindowOf(const ProgramState& s);
unsigned long MainWindowXid(const ProgramState& s);

// The visible dialog with this title, null when there is none.
const WindowState* Dialog(const ProgramState& s, const std::string& title);

// The control `id` of a dialog, also on a page within it; null when none.
const WindowState* Control(const ProgramState& s, const WindowState& dialog, long long id);

using mirt_test::Reported;

// The Build pane's last line, and the first of its lines holding `part`
// ("" when none does).
std::string BuildPaneText(const ProgramState& s);
// Every line the Build pane holds, each ended by "\n".
std::string BuildPaneLines(const ProgramState& s);
std::string BuildPaneLineWith(const ProgramState& s, const std::string& part);

// True when the program reports the line "key value"; the same as a
// condition for WaitFor.
bool HasValue(const ProgramState& s, const std::string& key, const std::string& value);
std::function<bool(const ProgramState&)> Shows(const std::string& key, const std::string& value);

// True when a document window whose title holds `file` is shown.
bool DocumentShown(const ProgramState& s, const std::string& file);

// A new, empty configuration folder ($MIRT_CONFIG_DIR) for the IDEs
// started while it lives; the folder before comes back at its end.
class FreshConfigFolder {
 public:
  explicit FreshConfigFolder(const std::string& name);
  ~FreshConfigFolder();
  FreshConfigFolder(const FreshConfigFolder&) = delete;
  FreshConfigFolder& operator=(const FreshConfigFolder&) = delete;
  const std::string& Path() const { return m_path; }

 private:
  std::string m_path, m_before;
};

// One IDE on its own display.
class RealIde {
 public:
  explicit RealIde(WindowManager wm) : m_display(wm) {}

  RealDisplay& Display() { return m_display; }

  // Starts bin/mirt2 (or `program`, with `args`) and waits until its main
  // window is shown and has the keys; false (with a failure) when it did not come.
  bool Start(const std::vector<std::string>& args = {}, const std::string& program = "");
  // Waits until the dialog is shown and stands still; its state.
  ProgramState SettledDialog(const std::string& title);
  // Project > Settings, and the page `pageDowns` below the first in its
  // page tree; the state once the page's control `control` shows.
  ProgramState OpenSettingsPage(int pageDowns, long long control, const std::string& what);
  // A click on OK of the dialog `title`, and the dialog's end.
  ProgramState PressOk(const std::string& title);
  // Clicks the control of the dialog in `s` and waits for the focus in it.
  bool ClickControl(const ProgramState& s, const std::string& title, long long id);
  // Project > New Project: a project `name` for this machine's gcc in
  // `folder`/`name`, which must hold `name`.c; false when it does not reach
  // the project tree.
  bool NewHostProject(const std::string& folder, const std::string& name);
  // The tool bar's Make button; the state once the build has ended (well or not).
  ProgramState Make();
  // Alt+F4 on the main window, and the program's end.
  void End();

  // Clicks the middle of `r` until `done` holds (a window manager may take
  // the first click on a new window for itself); false when it never did.
  bool ClickUntil(const ScreenRect& r, const std::function<bool(const ProgramState&)>& done);
  // Opens `file` from the project tree: its groups opened from the
  // keyboard, then a double click on it; false when no editor shows it.
  bool OpenFromProjectTree(const std::string& root, const std::string& file);
  // The same for each of `sources` (names as the tree shows them); false
  // when one did not come up in an editor window.
  bool OpenProjectSources(const std::string& root, const std::vector<std::string>& sources);
  // Double-clicks the Build pane's first row holding `part` until `done`
  // holds; false when no row holds it or `done` never came.
  bool OpenBuildMessage(const std::string& part, const std::function<bool(const ProgramState&)>& done);
  // Debug > Watch Expression with `expression`.
  void WatchExpression(const std::string& expression);
  // File > Exit, Yes to the question to save the project, and the
  // program's end. (Under openbox, Alt+F4 sent at machine speed lets the
  // Alt's release reach the program before openbox's close request: a lone
  // Alt, which opens the menu bar.)
  void ExitSaving();

  unsigned long MainWindow() const { return m_mainWindow; }

  // Project > New Project: a project `name` for the TESSERA boards in
  // `folder`/`name` (made when missing); false when it does not reach the
  // project tree.
  bool NewBoardProject(const std::string& folder, const std::string& name);

 private:
  // New Project with the type list's entry that `typeKey` picks, waiting
  // for the tree's `root`; the filled-in dialog's picture under `picture`.
  bool NewProjectOfType(const std::string& folder, const std::string& name, const std::string& typeKey,
                        const std::string& root, const std::string& picture);

  RealDisplay m_display;
  unsigned long m_mainWindow = 0;
};

}  // namespace real_ide
