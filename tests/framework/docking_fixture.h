// A frame with the framework's four dock bars, a client pane and five
// framework bars, for the docking tests; pictures of its windows go to the
// build tree.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "afx_test_support.h"
#include "framework/sec_control_bar.h"
#include "framework/sec_dock_bar.h"
#include "framework/sec_docking.h"
#include "framework/sec_mini_dock_frame_wnd.h"

namespace dock_test {

constexpr UINT kFirstBarId = 0xE880;
constexpr int kBars = 5;

class Pane : public CWnd {};

class DockFrame : public CFrameWnd {
 public:
  Pane pane;
  SECControlBar bars[kBars];
};

class DockingTest : public ::testing::Test {
 protected:
  void SetUp() override;
  void TearDown() override;
  // Lays the frame out after dispatching what waits.
  void Layout();
  SECDockBar* Dock(UINT id) { return static_cast<SECDockBar*>(frame->GetControlBar(id)); }
  SECControlBar& Bar(int i) { return frame->bars[i]; }
  CRect In(CWnd* wnd) { return afx_test::RectIn(wnd, frame); }
  CRect Client();
  // Every visible docked bar, splitter, edge and the pane, in frame client coordinates.
  std::vector<CRect> Tiles();
  // Writes the picture of a window to <build>/bin/pictures/<name>.png.
  void Picture(CWnd* wnd, const std::string& name);
  // A drag of a bar by posted messages: press at `from` (bar client), move and release at screen `to`.
  void Drag(CWnd* wnd, CPoint from, CPoint to, UINT keys = 0);
  DockFrame* frame = nullptr;
};

}  // namespace dock_test
