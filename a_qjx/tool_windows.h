// The tool dialogs behind the exports: each modeless tool is open at most
// once (while it has a window), and the dialogs plug in here.
// A tool without a registered dialog does not open.
#pragma once
#include "platform/base/windef.h"

class InsInterpreter;
struct tagMSG;

enum class ToolWindow { Cpu, Fpga, Memory, Task, Led, TimeDate, Timer, Serial, Interrupt, Count };

// Creates a modeless tool dialog with its title as window text; the
// window, or null when it could not be created.
using ToolDialogFactory = HWND (*)(LPCSTR title);
void SetToolDialogFactory(ToolWindow tool, ToolDialogFactory factory);
ToolDialogFactory GetToolDialogFactory(ToolWindow tool);

// True while the tool is open; *window gets its handle.
bool IsToolWindowOpen(ToolWindow tool, HWND* window);
// window: the tool's window, never null.
void ToolWindowOpened(ToolWindow tool, HWND window);
// Called by a tool dialog when its window is destroyed.
void ToolWindowClosed(ToolWindow tool);

// Offers a message to the open tool window it belongs to (its keyboard
// handling); true when that window took it.
bool PreTranslateToolMessage(tagMSG* msg);

// The modal tools.
struct ModalTools {
  // Returns non-zero when EEPROM values were changed. It shows the results
  // of its EEPROM file loads and saves with ShowEepromFileResult.
  int (*eepromEditor)(LPCSTR title) = nullptr;
  void (*macroDialog)() = nullptr;
  void (*debuggerSettings)() = nullptr;
  void (*insEditor)(InsInterpreter& interpreter) = nullptr;
};
ModalTools& ModalToolDialogs();
