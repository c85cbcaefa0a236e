// The main frame as a debug session sees it: its window, the project, the
// installers, the execution marks and the debug bars.
#pragma once

#include "debugger/session/debug_session.h"

class CControlBar;
class CMainFrame;

class CFrameSessionPort : public DebugSessionFrame {
 public:
  explicit CFrameSessionPort(CMainFrame& frame) : m_frame(frame) {}

  HWND Window() override;
  ProjectData* Project() override;
  WORD InstallDebugKernel() override;
  void RunInstallationFile() override;
  void ClearExecutionMarkers() override;
  bool IsBarVisible(DebugBar bar) override;
  void ShowBar(DebugBar bar, bool show) override;
  void RecalcLayout() override;
  void GiveBarsEvaluators() override;
  void CloseDisassembly() override;

 private:
  CControlBar* BarOf(DebugBar bar);

  CMainFrame& m_frame;
};
