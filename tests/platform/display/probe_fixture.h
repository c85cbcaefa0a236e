// The display probe on a private X server, bare or with a window manager.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "tests/support/real_input.h"

namespace display_test {

using mirt_test::ProgramState;
using mirt_test::RealDisplay;
using mirt_test::WindowManager;
using mirt_test::WindowState;

class ProbeTest : public ::testing::TestWithParam<WindowManager> {
 protected:
  void SetUp() override;
  void TearDown() override;
  // The probe's command line.
  virtual std::vector<std::string> ProbeArgs() const { return {}; }

 public:
  // The probe's views (two MDI children), in the order the hook lists them.
  static std::vector<std::string> Views(const ProgramState& s);
  static std::string TypedInto(const ProgramState& s, const std::string& view);
  // The MDI child frame around a view.
  static const WindowState* FrameOf(const ProgramState& s, const std::string& view);
  // The probe's commands run so far, as "id,id,...".
  static std::string Commands(const ProgramState& s) { return s.Value("commands"); }
  // The screen rectangle of the main menu bar's item n.
  static mirt_test::ScreenRect MenuItem(const ProgramState& s, int n);
  // The probe's main frame and its native window.
  static const WindowState* MainFrame(const ProgramState& s);
  // The bar with the list box that starts docked at the left.
  static const WindowState* ListBar(const ProgramState& s);

 protected:
  // Waits until the keys go to a window: the layer.s focus is there, and the
  // server's focus is in the main frame (a window manager sets it in its own time).
  ProgramState WaitForKeysTo(const std::string& hwnd);
  // A picture named after the test and the step.
  void Picture(const std::string& step);

  std::unique_ptr<RealDisplay> display;
};

}  // namespace display_test
