#include "a_qjx/tool_windows.h"

#include "a_qjx/clock_dialogs.h"
#include "a_qjx/debugger_settings_dialog.h"
#include "a_qjx/eeprom_editor_dialog.h"
#include "a_qjx/info_dialogs.h"
#include "a_qjx/ins_editor_dialog.h"
#include "a_qjx/interrupt_dialog.h"
#include "a_qjx/led_dialog.h"
#include "a_qjx/macro_dialog.h"
#include "a_qjx/memory_dialog.h"
#include "a_qjx/serial_interface_dialog.h"
#include "a_qjx/task_dialog.h"
#include "platform/ui/cwnd.h"

namespace {

constexpr int kTools = int(ToolWindow::Count);

// A tool is open while it has a window.
struct ToolState {
  HWND window = nullptr;
  ToolDialogFactory factory = nullptr;
};

// The dialogs of the library, by tool.
ToolDialogFactory DefaultFactory(ToolWindow tool) {
  switch (tool) {
    case ToolWindow::Cpu:
      return &CModelessToolDialog::Open<CCpuDialog>;
    case ToolWindow::Fpga:
      return &CModelessToolDialog::Open<CInfoDialog>;
    case ToolWindow::Memory:
      return &CModelessToolDialog::Open<CMemoryDialog>;
    case ToolWindow::Led:
      return &CModelessToolDialog::Open<CLedDialog>;
    case ToolWindow::TimeDate:
      return &CModelessToolDialog::Open<CTimeDateDialog>;
    case ToolWindow::Timer:
      return &CModelessToolDialog::Open<CTimerDialog>;
    case ToolWindow::Interrupt:
      return &CModelessToolDialog::Open<CInterruptDialog>;
    case ToolWindow::Task:
      return &CModelessToolDialog::Open<CTaskDialog>;
    case ToolWindow::Serial:
      return &CModelessToolDialog::Open<CSerialInterfaceDialog>;
    default:
      return nullptr;
  }
}

ToolState& State(ToolWindow tool) {
  static ToolState states[kTools];
  static const bool filled = [] {
    for (int t = 0; t < kTools; ++t) states[t].factory = DefaultFactory(ToolWindow(t));
    return true;
  }();
  (void)filled;
  return states[int(tool)];
}

}  // namespace

void SetToolDialogFactory(ToolWindow tool, ToolDialogFactory factory) { State(tool).factory = factory; }
ToolDialogFactory GetToolDialogFactory(ToolWindow tool) { return State(tool).factory; }

bool IsToolWindowOpen(ToolWindow tool, HWND* window) {
  const ToolState& s = State(tool);
  if (!s.window) return false;
  *window = s.window;
  return true;
}

void ToolWindowOpened(ToolWindow tool, HWND window) { State(tool).window = window; }

void ToolWindowClosed(ToolWindow tool) { State(tool).window = nullptr; }

bool PreTranslateToolMessage(tagMSG* msg) {
  if (!msg || !msg->hwnd) return false;
  for (int t = 0; t < kTools; ++t) {
    const HWND window = State(ToolWindow(t)).window;
    if (!window || (msg->hwnd != window && !::IsChild(window, msg->hwnd))) continue;
    CWnd* tool = CWnd::FromHandlePermanent(window);
    return tool && tool->PreTranslateMessage(msg);
  }
  return false;
}

ModalTools& ModalToolDialogs() {
  static ModalTools tools = [] {
    ModalTools t;
    t.insEditor = &RunInsEditor;
    t.eepromEditor = &RunEepromEditor;
    t.macroDialog = &RunMacroDialog;
    t.debuggerSettings = &RunDebuggerSettings;
    return t;
  }();
  return tools;
}
