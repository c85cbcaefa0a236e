#include "a_qjx/tool_windows.h"

namespace {

constexpr int kTools = int(ToolWindow::Count);

struct ToolState {
    WORD open = 0;
    HWND window = nullptr;
    ToolDialogFactory factory = nullptr;
};

ToolState& State(ToolWindow tool) {
    static ToolState states[kTools];
    return states[int(tool)];
}

}  // namespace

void SetToolDialogFactory(ToolWindow tool, ToolDialogFactory factory) { State(tool).factory = factory; }
ToolDialogFactory GetToolDialogFactory(ToolWindow tool) { return State(tool).factory; }

bool IsToolWindowOpen(ToolWindow tool, HWND* window) {
    const ToolState& s = State(tool);
    if (!s.open) return false;
    *window = s.window;
    return true;
}

void ToolWindowOpened(ToolWindow tool, HWND window) {
    State(tool).open = 1;
    State(tool).window = window;
}

void ToolWindowClosed(ToolWindow tool) {
    State(tool).open = 0;
    State(tool).window = nullptr;
}

ModalTools& ModalToolDialogs() {
    static ModalTools tools;
    return tools;
}
