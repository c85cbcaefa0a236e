// The thread's hooks: keyboard and mouse hooks see queued input first and may
// swallow it, run last-installed first through CallNextHookEx, and stop when
// removed; message-filter hooks see the messages of a tracked popup menu.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/sys/thread.h"
#include "platform/ui/hooks.h"
#include "platform/ui/dialog.h"
#include "platform/ui/modal.h"
#include "platform/ui/ui.h"
#include "ui_test_support.h"

namespace {

// The small dialog of the dialog tests' resources.
constexpr int kSmallDialog = 101;

// What the hooks and the window saw, in order.
std::vector<std::string> g_seen;
HHOOK g_first = nullptr, g_second = nullptr;
bool g_swallow = false;

LRESULT CALLBACK FirstKeyHook(int code, WPARAM wParam, LPARAM lParam) {
  g_seen.push_back("first " + std::to_string(wParam) + ((lParam & 0x80000000) ? " up" : " down"));
  return CallNextHookEx(g_first, code, wParam, lParam);
}
LRESULT CALLBACK SecondKeyHook(int code, WPARAM wParam, LPARAM lParam) {
  g_seen.push_back("second " + std::to_string(wParam));
  if (g_swallow) return 1;
  return CallNextHookEx(g_second, code, wParam, lParam);
}
LRESULT CALLBACK MouseHook(int code, WPARAM wParam, LPARAM lParam) {
  auto* info = reinterpret_cast<MOUSEHOOKSTRUCT*>(lParam);
  g_seen.push_back("mouse " + std::to_string(wParam) + " at " + std::to_string(info->pt.x));
  return wParam == WM_LBUTTONDOWN ? 1 : CallNextHookEx(g_first, code, wParam, lParam);
}

LRESULT CALLBACK RecordProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_KEYDOWN || m == WM_KEYUP) g_seen.push_back("window " + std::to_string(w));
  if (m == WM_LBUTTONDOWN || m == WM_MOUSEMOVE) g_seen.push_back("window mouse " + std::to_string(m));
  return DefWindowProc(h, m, w, l);
}

void Dispatch() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessage(&m);
}

class HooksTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ui_test::EnsureApp();
    g_seen.clear();
    g_swallow = false;
    wnd = ui_test::MakeTop(200, 100, WS_POPUP | WS_VISIBLE, RecordProc);
    Dispatch();
    g_seen.clear();
  }
  void TearDown() override {
    for (HHOOK* h : {&g_first, &g_second}) {
      if (*h) UnhookWindowsHookEx(*h);
      *h = nullptr;
    }
    DestroyWindow(wnd);
  }
  HWND wnd = nullptr;
};

TEST_F(HooksTest, KeyboardHooksRunLastInstalledFirstBeforeTheWindow) {
  g_first = SetWindowsHookEx(WH_KEYBOARD, FirstKeyHook, nullptr, 0);
  g_second = SetWindowsHookEx(WH_KEYBOARD, SecondKeyHook, nullptr, GetCurrentThreadId());
  ASSERT_NE(g_first, nullptr);
  ASSERT_NE(g_second, nullptr);
  PostMessage(wnd, WM_KEYDOWN, 'A', 1);
  PostMessage(wnd, WM_KEYUP, 'A', 1);
  Dispatch();
  const std::vector<std::string> expected = {"second 65", "first 65 down", "window 65",
                                             "second 65", "first 65 up",   "window 65"};
  EXPECT_EQ(g_seen, expected);
}

TEST_F(HooksTest, AKeyboardHookMaySwallowAKey) {
  g_second = SetWindowsHookEx(WH_KEYBOARD, SecondKeyHook, nullptr, 0);
  g_swallow = true;
  PostMessage(wnd, WM_KEYDOWN, 'B', 1);
  Dispatch();
  EXPECT_EQ(g_seen, std::vector<std::string>{"second 66"});
}

TEST_F(HooksTest, RemovedHooksSeeNothing) {
  g_first = SetWindowsHookEx(WH_KEYBOARD, FirstKeyHook, nullptr, 0);
  EXPECT_TRUE(UnhookWindowsHookEx(g_first));
  EXPECT_FALSE(UnhookWindowsHookEx(g_first));
  g_first = nullptr;
  PostMessage(wnd, WM_KEYDOWN, 'C', 1);
  Dispatch();
  EXPECT_EQ(g_seen, std::vector<std::string>{"window 67"});
}

TEST_F(HooksTest, MouseHookGetsTheMessageAndScreenPoint) {
  g_first = SetWindowsHookEx(WH_MOUSE, MouseHook, nullptr, 0);
  POINT origin{0, 0};
  ClientToScreen(wnd, &origin);
  constexpr int kX = 10, kY = 12;
  PostMessage(wnd, WM_MOUSEMOVE, 0, MAKELPARAM(kX, kY));
  PostMessage(wnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(kX, kY));  // swallowed by the hook
  Dispatch();
  ASSERT_EQ(g_seen.size(), 3u);
  EXPECT_EQ(g_seen[0], "mouse " + std::to_string(WM_MOUSEMOVE) + " at " + std::to_string(origin.x + kX));
  EXPECT_EQ(g_seen[1], "window mouse " + std::to_string(WM_MOUSEMOVE));
  EXPECT_EQ(g_seen[2], "mouse " + std::to_string(WM_LBUTTONDOWN) + " at " + std::to_string(origin.x + kX));
}

TEST_F(HooksTest, UnknownHookKindsAndOtherThreadsAreRefused) {
  EXPECT_EQ(SetWindowsHookEx(12345, FirstKeyHook, nullptr, 0), nullptr);
  EXPECT_EQ(SetWindowsHookEx(WH_KEYBOARD, nullptr, nullptr, 0), nullptr);
  EXPECT_EQ(SetWindowsHookEx(WH_KEYBOARD, FirstKeyHook, nullptr, GetCurrentThreadId() + 1), nullptr);
}

// What the message filter saw: the codes of the loops, for F2 key presses.
std::vector<int> g_filterCodes;
LRESULT CALLBACK FilterHook(int code, WPARAM, LPARAM lParam) {
  auto* msg = reinterpret_cast<MSG*>(lParam);
  if (msg->message == WM_KEYDOWN && msg->wParam == VK_F2) {
    g_filterCodes.push_back(code);
    return 1;  // handled: the dialog never sees it
  }
  return CallNextHookEx(g_first, code, 0, lParam);
}

INT_PTR CALLBACK PlainDialogProc(HWND, UINT m, WPARAM w, LPARAM) {
  if (m == WM_KEYDOWN && w == VK_F2) g_seen.push_back("dialog F2");
  return m == WM_INITDIALOG;
}

TEST_F(HooksTest, MessageFilterSeesTheMessagesOfAModalDialogFirst) {
  g_filterCodes.clear();
  g_first = SetWindowsHookEx(WH_MSGFILTER, FilterHook, nullptr, 0);
  plat::PushDialogAction([](HWND h) { PostMessage(h, WM_KEYDOWN, VK_F2, 1); });
  DialogBoxParam(nullptr, MAKEINTRESOURCE(kSmallDialog), wnd, PlainDialogProc, 0);
  EXPECT_EQ(g_filterCodes, std::vector<int>{MSGF_DIALOGBOX});
  EXPECT_TRUE(g_seen.empty());
  MSG direct{wnd, WM_KEYDOWN, VK_F2, 0, 0, {0, 0}, 0};
  EXPECT_TRUE(CallMsgFilter(&direct, MSGF_MENU));
  EXPECT_EQ(g_filterCodes.back(), MSGF_MENU);
  direct.wParam = VK_F3;
  EXPECT_FALSE(CallMsgFilter(&direct, MSGF_MENU));
}

}  // namespace
