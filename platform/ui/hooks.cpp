#include "platform/ui/hooks.h"

#include <algorithm>
#include <memory>
#include <vector>

#include "platform/sys/thread.h"
#include "platform/ui/input.h"
#include "platform/ui/message.h"
#include "platform/ui/ui.h"

namespace {

struct HookRecord {
  int type;
  HOOKPROC proc;
};

// The thread's hooks of each type, the last installed first.
struct ThreadHooks {
  std::vector<std::unique_ptr<HookRecord>> keyboard, mouse, filter;
  std::vector<std::unique_ptr<HookRecord>>* Chain(int type) {
    switch (type) {
      case WH_KEYBOARD:
        return &keyboard;
      case WH_MOUSE:
        return &mouse;
      case WH_MSGFILTER:
        return &filter;
      default:
        return nullptr;
    }
  }
};

ThreadHooks& Hooks() {
  thread_local ThreadHooks hooks;
  return hooks;
}

// Key messages carry the transition in bit 31 (1: released) and Alt in bit 29.
constexpr LPARAM kHookKeyUpBit = static_cast<LPARAM>(0x80000000u);
constexpr LPARAM kHookAltDownBit = 0x20000000;

// Runs a chain from `from` on; 0 past its end.
LRESULT RunChain(std::vector<std::unique_ptr<HookRecord>>& chain, size_t from, int code, WPARAM wParam,
                 LPARAM lParam) {
  if (from >= chain.size()) return 0;
  return chain[from]->proc(code, wParam, lParam);
}

bool IsKeyMessage(UINT m) {
  return m == WM_KEYDOWN || m == WM_KEYUP || m == WM_SYSKEYDOWN || m == WM_SYSKEYUP;
}
bool IsMouseMessage(UINT m) {
  return (m >= WM_MOUSEFIRST && m <= WM_MOUSELAST) || (m >= WM_NCMOUSEMOVE && m <= WM_NCMBUTTONDBLCLK);
}

}  // namespace

HHOOK SetWindowsHookEx(int idHook, HOOKPROC lpfn, HINSTANCE, DWORD dwThreadId) {
  auto* chain = Hooks().Chain(idHook);
  if (!chain || !lpfn || (dwThreadId != 0 && dwThreadId != ::GetCurrentThreadId())) return nullptr;
  chain->insert(chain->begin(), std::make_unique<HookRecord>(HookRecord{idHook, lpfn}));
  return reinterpret_cast<HHOOK>(chain->front().get());
}

BOOL UnhookWindowsHookEx(HHOOK hhk) {
  auto* record = reinterpret_cast<HookRecord*>(hhk);
  for (auto* chain : {&Hooks().keyboard, &Hooks().mouse, &Hooks().filter}) {
    auto it = std::find_if(chain->begin(), chain->end(), [&](const auto& h) { return h.get() == record; });
    if (it == chain->end()) continue;
    chain->erase(it);
    return TRUE;
  }
  return FALSE;
}

LRESULT CallNextHookEx(HHOOK hhk, int nCode, WPARAM wParam, LPARAM lParam) {
  auto* record = reinterpret_cast<HookRecord*>(hhk);
  for (auto* chain : {&Hooks().keyboard, &Hooks().mouse, &Hooks().filter}) {
    for (size_t i = 0; i < chain->size(); ++i) {
      if ((*chain)[i].get() == record) return RunChain(*chain, i + 1, nCode, wParam, lParam);
    }
  }
  return 0;
}

BOOL CallMsgFilter(LPMSG lpMsg, int nCode) {
  if (!lpMsg) return FALSE;
  return RunChain(Hooks().filter, 0, nCode, 0, reinterpret_cast<LPARAM>(lpMsg)) != 0;
}

namespace mirt_ui {

bool InputHooksSwallow(const MSG& msg) {
  ThreadHooks& hooks = Hooks();
  if (IsKeyMessage(msg.message) && !hooks.keyboard.empty()) {
    LPARAM flags = msg.lParam;
    if (msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP) flags |= kHookKeyUpBit;
    if (msg.message == WM_SYSKEYDOWN || msg.message == WM_SYSKEYUP) flags |= kHookAltDownBit;
    return RunChain(hooks.keyboard, 0, HC_ACTION, msg.wParam, flags) != 0;
  }
  if (IsMouseMessage(msg.message) && !hooks.mouse.empty()) {
    MOUSEHOOKSTRUCT info{};
    // Client mouse messages carry client coordinates, the others screen ones.
    info.pt = POINT{GET_X_LPARAM(msg.lParam), GET_Y_LPARAM(msg.lParam)};
    if (msg.message >= WM_MOUSEFIRST && msg.message <= WM_MOUSELAST && msg.message != WM_MOUSEWHEEL)
      ::ClientToScreen(msg.hwnd, &info.pt);
    info.hwnd = msg.hwnd;
    info.wHitTestCode = HTCLIENT;
    return RunChain(hooks.mouse, 0, HC_ACTION, msg.message, reinterpret_cast<LPARAM>(&info)) != 0;
  }
  return false;
}

}  // namespace mirt_ui
