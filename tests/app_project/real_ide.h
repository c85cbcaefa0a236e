// The IDE program under a real X server, driven as a person drives it: the
// steps the real-input tests share (start, the dialogs' controls, a new
// host project from the Project menu, the tool bar's Make button, the end).
#pragma once

#include <string>
#include <vector>

#include "tests/support/real_input.h"

namespace real_ide {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::ScreenRect;
using mirt_test::WindowManager;
using mirt_test::WindowState;

constexpr int kStartWaitMs = 20000, kBuildWaitMs = 60000;

// The native window of the main window, 0 while it is not shown.
unsigned long MainWindowXid(const ProgramState& s);

// The visible dialog with this title, null when there is none.
const WindowState* Dialog(const ProgramState& s, const std::string& title);

// The control `id` of a dialog, also on a page within it; null when none.
const WindowState* Control(const ProgramState& s, const WindowState& dialog, long long id);

using mirt_test::Reported;

// The Build pane's last line, and the first of its lines holding `part`
// ("" when none does).
std::string BuildPaneText(const ProgramState& s);
std::string BuildPaneLineWith(const ProgramState& s, const std::string& part);

// One IDE on its own display.
class RealIde {
 public:
  explicit RealIde(WindowManager wm) : m_display(wm) {}

  RealDisplay& Display() { return m_display; }

  // Starts bin/mirt2 (or `program`) and waits until its main window is
  // shown and has the keys; false (with a failure) when it did not come.
  bool Start(const std::vector<std::string>& args = {}, const std::string& program = "");
  // Waits until the dialog is shown and stands still; its state.
  ProgramState SettledDialog(const std::string& title);
  // Clicks the control of the dialog in `s` and waits for the focus in it.
  bool ClickControl(const ProgramState& s, const std::string& title, long long id);
  // Project > New Project: a project `name` for this machine's gcc in
  // `folder`/`name`, which must hold `name`.c; false when it does not reach
  // the project tree.
  bool NewHostProject(const std::string& folder, const std::string& name);
  // The tool bar's Make button; the state once the build has ended.
  ProgramState Make();
  // Alt+F4 on the main window, and the program's end.
  void End();

  unsigned long MainWindow() const { return m_mainWindow; }

  // Project > New Project: a project `name` for the TESSERA boards in
  // `folder`/`name` (made when missing); false when it does not reach the
  // project tree.
  bool NewBoardProject(const std::string& folder, const std::string& name);

  // Opens the project tree's root and its Sources group from the keyboard
  // and double-clicks each of `sources` (names as the tree shows them);
  // false when one did not come up in an editor window.
  bool OpenProjectSources(const std::string& root, const std::vector<std::string>& sources);

 private:
  // New Project with the type list's entry that `typeKey` picks, waiting
  // for the tree's `root`; the filled-in dialog's picture under `picture`.
  bool NewProjectOfType(const std::string& folder, const std::string& name, const std::string& typeKey,
                        const std::string& root, const std::string& picture);

  RealDisplay m_display;
  unsigned long m_mainWindow = 0;
};

}  // namespace real_ide
