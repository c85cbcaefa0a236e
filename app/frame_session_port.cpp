#include "app/frame_session_port.h"

#include "app/core/project_data.h"
#include "app/main_frame.h"
#include "debugger/session_globals.h"
#include "disasm/view/disview0doc.h"

HWND CFrameSessionPort::Window() { return m_frame.m_hWnd; }

ProjectData* CFrameSessionPort::Project() { return &g_project; }

WORD CFrameSessionPort::InstallDebugKernel() { return m_frame.InstallDebugKernel(); }

void CFrameSessionPort::RunInstallationFile() { m_frame.RunInstallationFile(); }

void CFrameSessionPort::ClearExecutionMarkers() { m_frame.ClearExecutionMarkers(); }

CControlBar* CFrameSessionPort::BarOf(DebugBar bar) {
  switch (bar) {
    case DebugBar::Registers:
      return m_frame.GetRegistersBar();
    case DebugBar::Variable:
      return m_frame.GetVariableBar();
    case DebugBar::CallStack:
      return &m_frame.GetCallStackBar();
  }
  return nullptr;
}

bool CFrameSessionPort::IsBarVisible(DebugBar bar) {
  CControlBar* control = BarOf(bar);
  return control && control->m_hWnd && control->IsWindowVisible();
}

void CFrameSessionPort::ShowBar(DebugBar bar, bool show) {
  if (CControlBar* control = BarOf(bar)) m_frame.ShowControlBar(control, show ? TRUE : FALSE, FALSE);
}

void CFrameSessionPort::RecalcLayout() { m_frame.RecalcLayout(); }

void CFrameSessionPort::GiveBarsEvaluators() {
  if (CVariableControlBar* variables = m_frame.GetVariableBar()) {
    variables->SetEvaluator(g_pEval);
    variables->SetRegisters(g_pRegisters);
  }
  if (CVariableControlBar* registers = m_frame.GetRegistersBar()) registers->SetEvaluator(g_pRegEval);
}

void CFrameSessionPort::CloseDisassembly() {
  if (!CDisview0Doc::IsOpen() || !m_frame.m_pDisassemblyDoc) return;
  CDisview0Doc* doc = m_frame.m_pDisassemblyDoc;
  m_frame.m_pDisassemblyDoc = nullptr;
  doc->OnCloseDocument();
}
