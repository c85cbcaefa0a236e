// Windows, message maps, the message queue and Qt input translation.
#include <gtest/gtest.h>

#include <QEvent>
#include <QWidget>
#include <Qt>
#include <algorithm>
#include <atomic>
#include <chrono>
#include <string>
#include <thread>
#include <vector>

#include "platform/ui/cdc.h"
#include "platform/ui/cwnd.h"
#include "platform/ui/menu.h"
#include "platform/ui/thread_queue.h"
#include "platform/ui/wnd_obj.h"
#include "tests/support/test_support.h"
#include "ui_test_support.h"

using namespace ui_test;

namespace {

struct Seen {
  UINT msg;
  UINT flags;
  int x, y;
  UINT repeat;
};

class RecordingWnd : public CWnd {
 public:
  std::vector<Seen> seen;
  std::vector<std::string> lifecycle;
  UINT lastCommand = 0;
  UINT lastRange = 0;

  void OnLButtonDown(UINT f, CPoint p) { seen.push_back({WM_LBUTTONDOWN, f, p.x, p.y, 0}); }
  void OnLButtonUp(UINT f, CPoint p) { seen.push_back({WM_LBUTTONUP, f, p.x, p.y, 0}); }
  void OnLButtonDblClk(UINT f, CPoint p) { seen.push_back({WM_LBUTTONDBLCLK, f, p.x, p.y, 0}); }
  void OnMouseMove(UINT f, CPoint p) { seen.push_back({WM_MOUSEMOVE, f, p.x, p.y, 0}); }
  void OnKeyDown(UINT c, UINT rep, UINT) { seen.push_back({WM_KEYDOWN, c, 0, 0, rep}); }
  void OnChar(UINT c, UINT rep, UINT) { seen.push_back({WM_CHAR, c, 0, 0, rep}); }
  BOOL OnMouseWheel(UINT f, short d, CPoint p) {
    seen.push_back({WM_MOUSEWHEEL, f, d, p.x, 0});
    return TRUE;
  }
  void OnContextMenu(CWnd*, CPoint p) { seen.push_back({WM_CONTEXTMENU, 0, p.x, p.y, 0}); }
  int OnCreate(LPCREATESTRUCT cs) {
    lifecycle.push_back("create");
    return CWnd::OnCreate(cs);
  }
  void OnDestroy() {
    lifecycle.push_back("destroy");
    CWnd::OnDestroy();
  }
  void OnCmd() { lastCommand = 100; }
  void OnRange(UINT id) { lastRange = id; }
  LRESULT OnAsk(WPARAM w, LPARAM l) { return static_cast<LRESULT>(w * 10 + l); }
  DECLARE_MESSAGE_MAP()
};

const UINT kRegistered = RegisterWindowMessage("UiTestRegistered");

BEGIN_MESSAGE_MAP(RecordingWnd, CWnd)
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_LBUTTONDBLCLK()
ON_WM_MOUSEMOVE()
ON_WM_KEYDOWN()
ON_WM_CHAR()
ON_WM_MOUSEWHEEL()
ON_WM_CONTEXTMENU()
ON_WM_CREATE()
ON_WM_DESTROY()
ON_COMMAND(100, OnCmd)
ON_COMMAND_RANGE(200, 210, OnRange)
ON_MESSAGE(WM_USER + 1, OnAsk)
ON_REGISTERED_MESSAGE(kRegistered, OnAsk)
END_MESSAGE_MAP()

class WindowTest : public ::testing::Test {
 protected:
  void SetUp() override { EnsureApp(); }
  void TearDown() override { PumpWaitingMessages(); }

  // A bordered top-level CWnd at (100, 50): client origin (101, 51).
  void Make(RecordingWnd& w, DWORD cls = CS_DBLCLKS) {
    ASSERT_TRUE(w.CreateEx(0, AfxRegisterWndClass(cls), "rec", WS_POPUP | WS_BORDER | WS_VISIBLE, 100, 50,
                           200, 120, nullptr, nullptr));
  }

  void Drain() {
    MSG m;
    while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
      TranslateMessage(&m);
      DispatchMessage(&m);
    }
  }
};

TEST_F(WindowTest, MouseInputArrivesInOrderWithClientCoordinatesAndKeyFlags) {
  RecordingWnd w;
  Make(w);
  Drain();
  w.seen.clear();
  // Window coordinates (11, 21) are client (10, 20) inside the 1-pixel border.
  Mouse(w.m_hWnd, QEvent::MouseButtonPress, 11, 21, Qt::LeftButton, Qt::LeftButton, Qt::ShiftModifier);
  Mouse(w.m_hWnd, QEvent::MouseMove, 15, 25, Qt::NoButton, Qt::LeftButton, Qt::ControlModifier);
  Mouse(w.m_hWnd, QEvent::MouseButtonRelease, 15, 25, Qt::LeftButton, Qt::NoButton, 0);
  Mouse(w.m_hWnd, QEvent::MouseButtonDblClick, 15, 25, Qt::LeftButton, Qt::LeftButton, 0);
  Drain();
  ASSERT_EQ(w.seen.size(), 4u);
  struct {
    UINT msg, flags;
    int x, y;
  } want[] = {{WM_LBUTTONDOWN, MK_LBUTTON | MK_SHIFT, 10, 20},
              {WM_MOUSEMOVE, MK_LBUTTON | MK_CONTROL, 14, 24},
              {WM_LBUTTONUP, 0, 14, 24},
              {WM_LBUTTONDBLCLK, MK_LBUTTON, 14, 24}};
  for (size_t i = 0; i < 4; ++i) {
    EXPECT_EQ(w.seen[i].msg, want[i].msg) << i;
    EXPECT_EQ(w.seen[i].flags, want[i].flags) << i;
    EXPECT_EQ(w.seen[i].x, want[i].x) << i;
    EXPECT_EQ(w.seen[i].y, want[i].y) << i;
  }
  w.DestroyWindow();
}

TEST_F(WindowTest, DoubleClickIsASecondPressWithoutTheClassStyle) {
  RecordingWnd w;
  Make(w, 0);
  Drain();
  w.seen.clear();
  Mouse(w.m_hWnd, QEvent::MouseButtonDblClick, 5, 5, Qt::LeftButton, Qt::LeftButton, 0);
  Drain();
  ASSERT_EQ(w.seen.size(), 1u);
  EXPECT_EQ(w.seen[0].msg, static_cast<UINT>(WM_LBUTTONDOWN));
  w.DestroyWindow();
}

TEST_F(WindowTest, KeysBecomeVirtualKeysCharactersAndRepeatCounts) {
  RecordingWnd w;
  Make(w);
  w.SetFocus();
  Drain();
  w.seen.clear();
  Key(w.m_hWnd, true, Qt::Key_A, Qt::ShiftModifier, "A");
  Key(w.m_hWnd, true, Qt::Key_Left, 0, "", false);
  Key(w.m_hWnd, true, Qt::Key_Left, 0, "", true);
  Key(w.m_hWnd, true, Qt::Key_Left, 0, "", true);
  Key(w.m_hWnd, true, Qt::Key_Eacute, 0, "\xe9");
  Drain();
  ASSERT_EQ(w.seen.size(), 6u);
  EXPECT_EQ(w.seen[0].msg, static_cast<UINT>(WM_KEYDOWN));
  EXPECT_EQ(w.seen[0].flags, static_cast<UINT>('A'));
  EXPECT_EQ(w.seen[1].msg, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(w.seen[1].flags, static_cast<UINT>('A'));
  EXPECT_EQ(w.seen[2].flags, static_cast<UINT>(VK_LEFT));
  EXPECT_EQ(w.seen[2].repeat, 1u);
  EXPECT_EQ(w.seen[3].flags, static_cast<UINT>(VK_LEFT));
  EXPECT_EQ(w.seen[3].repeat, 2u);  // two held repeats fold into one message
  EXPECT_EQ(w.seen[5].msg, static_cast<UINT>(WM_CHAR));
  EXPECT_EQ(w.seen[5].flags, 0xE9u);  // Windows-1252 byte
  w.DestroyWindow();
}

TEST_F(WindowTest, WheelAndContextMenuCarryScreenCoordinates) {
  RecordingWnd w;
  Make(w);
  w.SetFocus();
  Drain();
  w.seen.clear();
  Mouse(w.m_hWnd, QEvent::MouseButtonPress, 11, 21, Qt::RightButton, Qt::RightButton, 0);
  Mouse(w.m_hWnd, QEvent::MouseButtonRelease, 11, 21, Qt::RightButton, Qt::NoButton, 0);
  Key(w.m_hWnd, false, Qt::Key_Menu, 0, "");
  Drain();
  ASSERT_GE(w.seen.size(), 2u);
  EXPECT_EQ(w.seen[0].msg, static_cast<UINT>(WM_CONTEXTMENU));
  EXPECT_EQ(w.seen[0].x, 111);
  EXPECT_EQ(w.seen[0].y, 71);
  EXPECT_EQ(w.seen[1].msg, static_cast<UINT>(WM_CONTEXTMENU));
  EXPECT_EQ(w.seen[1].x, -1);  // from the keyboard
  w.DestroyWindow();
}

TEST_F(WindowTest, CommandsRegisteredAndUserMessagesReachTheirHandlers) {
  RecordingWnd w;
  Make(w);
  w.SendMessage(WM_COMMAND, MAKEWPARAM(100, 0), 0);
  w.SendMessage(WM_COMMAND, MAKEWPARAM(205, 1), 0);  // from an accelerator
  EXPECT_EQ(w.lastCommand, 100u);
  EXPECT_EQ(w.lastRange, 205u);
  EXPECT_EQ(w.SendMessage(WM_USER + 1, 4, 2), 42);
  EXPECT_EQ(w.SendMessage(kRegistered, 7, 1), 71);
  EXPECT_EQ(kRegistered, RegisterWindowMessage("uitestregistered"));
  w.DestroyWindow();
}

TEST_F(WindowTest, DragLoopInsideAHandlerEndsOnThePostedButtonUp) {
  static int moves = 0;
  static bool ended = false;
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_LBUTTONDOWN) {
        SetCapture(h);
        MSG msg;
        while (GetMessage(&msg, nullptr, 0, 0)) {
          if (msg.message == WM_MOUSEMOVE) ++moves;
          if (msg.message == WM_LBUTTONUP) {
            ended = true;
            break;
          }
          DispatchMessage(&msg);
        }
        ReleaseCapture();
        return 0;
      }
      return DefWindowProc(h, m, w, l);
    }
  };
  HWND h = MakeTop(100, 100, WS_POPUP | WS_VISIBLE, &Proc::Fn);
  PostMessage(h, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
  PostMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 6));
  PostMessage(h, WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(7, 7));
  PostMessage(h, WM_LBUTTONUP, 0, MAKELPARAM(7, 7));
  Drain();
  EXPECT_TRUE(ended);
  EXPECT_EQ(moves, 2);
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyWindow(h);
}

TEST_F(WindowTest, SendMessageFromAWorkerReturnsTheHandlersValue) {
  RecordingWnd w;
  Make(w);
  std::atomic<LRESULT> got{0};
  std::atomic<bool> done{false};
  HWND h = w.m_hWnd;
  std::thread worker([&] {
    got = ::SendMessage(h, WM_USER + 1, 12, 3);
    done = true;
  });
  // The GUI thread keeps serving sent messages while it waits.
  EXPECT_TRUE(WaitServingMessages([&] { return done.load(); }, 5000));
  worker.join();
  EXPECT_EQ(got.load(), 123);
  w.DestroyWindow();
}

TEST_F(WindowTest, SentMessagesAreServedInsideGetMessage) {
  RecordingWnd w;
  Make(w);
  HWND h = w.m_hWnd;
  std::atomic<LRESULT> got{0};
  std::thread worker([&] {
    got = ::SendMessage(h, WM_USER + 1, 5, 5);
    PostMessage(h, WM_USER + 2, 0, 0);
  });
  MSG m;
  while (GetMessage(&m, nullptr, 0, 0)) {
    if (m.message == WM_USER + 2) break;
    DispatchMessage(&m);
  }
  worker.join();
  EXPECT_EQ(got.load(), 55);
  w.DestroyWindow();
}

// The window's handler sends a message back to the worker's queue while the
// worker waits in SendMessage: the worker serves it, so both sends return.
// In odd rounds the handler pauses first, so the worker waits asleep.
TEST_F(WindowTest, AWorkerWaitingInSendMessageServesWhatIsSentBackToIt) {
  constexpr int kRounds = 200;
  constexpr UINT kAsk = WM_USER + 3;
  constexpr LRESULT kAnswer = 77;
  static constexpr auto kPause = std::chrono::microseconds(200);
  static std::atomic<ThreadQueue*> workerQueue{nullptr};
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM wp, LPARAM lp) {
      if (m != kAsk) return DefWindowProc(h, m, wp, lp);
      if (wp % 2) std::this_thread::sleep_for(kPause);
      SentMessage back{nullptr, WM_NULL, 0, 0};
      workerQueue.load()->Deliver(&back);
      ThreadQueue::Current()->AwaitAnswer(back);
      return kAnswer;
    }
  };
  HWND h = MakeTop(50, 50, WS_POPUP, &Proc::Fn);
  std::atomic<int> answered{0};
  std::thread worker([&] {
    workerQueue = ThreadQueue::Current();
    for (int round = 0; round < kRounds; ++round)
      if (::SendMessage(h, kAsk, round, 0) == kAnswer) ++answered;
  });
  std::thread watchdog([&] {
    for (int waited = 0; answered < kRounds; ++waited) {
      if (waited == 3000) {
        ADD_FAILURE() << "a send back to the waiting worker was never served";
        _exit(1);  // the window's thread waits in its handler
      }
      std::this_thread::sleep_for(std::chrono::milliseconds(10));
    }
  });
  EXPECT_TRUE(WaitServingMessages([&] { return answered == kRounds; }, INFINITE));
  worker.join();
  watchdog.join();
  DestroyWindow(h);
}

TEST_F(WindowTest, TheClassIconServesAsItsSmallIconToo) {
  const HICON icon = LoadIcon(nullptr, IDI_APPLICATION);
  WNDCLASS wc{};
  wc.lpfnWndProc = DefWindowProc;
  wc.lpszClassName = "UiTestIconic";
  wc.hIcon = icon;
  RegisterClass(&wc);
  HWND h =
      CreateWindowEx(0, "UiTestIconic", "", WS_OVERLAPPED, 0, 0, 50, 50, nullptr, nullptr, nullptr, nullptr);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtr(h, GCL_HICON)), icon);
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtr(h, GCL_HICONSM)), icon);
  const HICON other = LoadIcon(nullptr, IDI_QUESTION);
  SetClassLongPtr(h, GCL_HICON, reinterpret_cast<LONG_PTR>(other));
  EXPECT_EQ(reinterpret_cast<HICON>(GetClassLongPtr(h, GCL_HICONSM)), other);
  DestroyWindow(h);
}

namespace {
// The children of `parent` from top to bottom, as the layer orders them and
// as their widgets stack (Qt lists a widget's children bottom first).
std::vector<HWND> ZOrderOf(HWND parent) {
  std::vector<HWND> order;
  for (HWND h = GetWindow(parent, GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) order.push_back(h);
  return order;
}
std::vector<HWND> WidgetStackOf(HWND parent, const std::vector<HWND>& among) {
  std::vector<HWND> order;
  for (QObject* o : mirt_ui::WidgetOf(parent)->children())
    for (HWND h : among)
      if (o == mirt_ui::WidgetOf(h)) order.insert(order.begin(), h);
  return order;
}
}  // namespace

TEST_F(WindowTest, WidgetsStackInTheZOrderAfterEachMove) {
  HWND top = MakeTop(300, 200);
  constexpr int kChildren = 5;
  std::vector<HWND> kids;
  for (int i = 0; i < kChildren; ++i)
    kids.push_back(CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, i * 5, i * 5, 50, 50, top,
                                  reinterpret_cast<HMENU>(static_cast<INT_PTR>(i + 1)), nullptr, nullptr));
  ASSERT_EQ(WidgetStackOf(top, kids), ZOrderOf(top)) << "after creation";
  // Moves: which child, placed after what (by child index, or a placement).
  constexpr int kTop = -1, kBottom = -2;
  struct Move {
    int child;
    int after;
  };
  constexpr Move kMoves[] = {{4, kTop}, {0, kBottom}, {2, 4}, {1, 3}, {3, kTop}, {4, 0}, {2, kBottom}};
  for (const Move& m : kMoves) {
    HWND after = m.after == kTop ? HWND_TOP : m.after == kBottom ? HWND_BOTTOM : kids[m.after];
    SetWindowPos(kids[m.child], after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
    ASSERT_EQ(WidgetStackOf(top, kids), ZOrderOf(top)) << "child " << m.child << " after " << m.after;
  }
  HWND other = MakeTop(100, 100);
  HWND moved =
      CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, other, nullptr, nullptr, nullptr);
  SetParent(moved, top);
  kids.push_back(moved);
  EXPECT_EQ(WidgetStackOf(top, kids), ZOrderOf(top)) << "after SetParent";
  DestroyWindow(other);
  DestroyWindow(top);
}

TEST_F(WindowTest, CreationDestructionOrderAndZOrder) {
  HWND top = MakeTop(300, 200);
  static std::vector<std::string> log;
  log.clear();
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM w, LPARAM l) {
      char name[16] = "";
      if (m == WM_CREATE || m == WM_DESTROY || m == WM_NCDESTROY) GetWindowText(h, name, sizeof name);
      if (m == WM_CREATE) log.push_back(std::string("create ") + name);
      if (m == WM_DESTROY) log.push_back(std::string("destroy ") + name);
      if (m == WM_NCDESTROY) log.push_back(std::string("ncdestroy ") + name);
      return DefWindowProc(h, m, w, l);
    }
  };
  WNDCLASS wc{};
  wc.lpfnWndProc = Proc::Fn;
  wc.lpszClassName = "UiTestLogged";
  RegisterClass(&wc);
  HWND a = CreateWindowEx(0, "UiTestLogged", "a", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, (HMENU)1, nullptr,
                          nullptr);
  HWND b = CreateWindowEx(0, "UiTestLogged", "b", WS_CHILD | WS_VISIBLE, 20, 20, 50, 50, top, (HMENU)2,
                          nullptr, nullptr);
  HWND c = CreateWindowEx(0, "UiTestLogged", "c", WS_CHILD | WS_VISIBLE, 0, 0, 10, 10, a, (HMENU)3, nullptr,
                          nullptr);
  // New children go to the bottom: the first created is on top.
  EXPECT_EQ(GetWindow(top, GW_CHILD), a);
  EXPECT_EQ(GetWindow(a, GW_HWNDNEXT), b);
  EXPECT_EQ(GetDlgItem(top, 2), b);
  POINT pt{25, 25};
  EXPECT_EQ(ChildWindowFromPoint(top, pt), a);
  SetWindowPos(b, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  EXPECT_EQ(GetTopWindow(top), b);
  EXPECT_EQ(ChildWindowFromPoint(top, pt), b);
  POINT screen{25, 25};
  ClientToScreen(top, &screen);
  EXPECT_EQ(WindowFromPoint(screen), b);
  DestroyWindow(a);
  std::vector<std::string> want = {"create a",  "create b",    "create c",   "destroy a",
                                   "destroy c", "ncdestroy c", "ncdestroy a"};
  EXPECT_EQ(log, want);
  EXPECT_FALSE(IsWindow(c));
  EXPECT_TRUE(IsWindow(b));
  DestroyWindow(top);
  EXPECT_FALSE(IsWindow(b));
}

// A child made hidden under a hidden parent stays hidden when the parent is
// shown (Qt shows such children with their parent unless told otherwise),
// so it neither covers its visible siblings nor takes their clicks.
TEST_F(WindowTest, AChildMadeHiddenStaysHiddenWhenItsParentIsShown) {
  HWND top = MakeTop(300, 200, WS_POPUP);
  HWND shown =
      CreateWindowEx(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 50, 50, top, (HMENU)1, nullptr, nullptr);
  HWND hidden = CreateWindowEx(0, "STATIC", "", WS_CHILD, 0, 0, 50, 50, top, (HMENU)2, nullptr, nullptr);
  ShowWindow(top, SW_SHOW);
  EXPECT_TRUE(mirt_ui::WidgetOf(shown)->isVisible());
  EXPECT_FALSE(mirt_ui::WidgetOf(hidden)->isVisible());
  ShowWindow(shown, SW_HIDE);
  ShowWindow(hidden, SW_SHOW);
  EXPECT_FALSE(mirt_ui::WidgetOf(shown)->isVisible());
  EXPECT_TRUE(mirt_ui::WidgetOf(hidden)->isVisible());
  DestroyWindow(top);
}

TEST_F(WindowTest, FramesAndScrollBarsShrinkTheClientArea) {
  struct Case {
    DWORD style, ex;
    int left, top, width, height;
  } cases[] = {
      {WS_CHILD, 0, 0, 0, 100, 80},
      {WS_CHILD | WS_BORDER, 0, 1, 1, 98, 78},
      {WS_CHILD, WS_EX_CLIENTEDGE, 2, 2, 96, 76},
      {WS_CHILD | WS_THICKFRAME, 0, 4, 4, 92, 72},
      {WS_CHILD | WS_VSCROLL | WS_HSCROLL, 0, 0, 0, 84, 64},
      {WS_CHILD | WS_BORDER | WS_VSCROLL, WS_EX_CLIENTEDGE, 3, 3, 78, 74},
  };
  HWND top = MakeTop(300, 200);
  for (const Case& c : cases) {
    HWND h = CreateWindowEx(c.ex, "UiTestPlain", "", c.style | WS_VISIBLE, 10, 20, 100, 80, top, nullptr,
                            nullptr, nullptr);
    RECT r;
    GetClientRect(h, &r);
    EXPECT_EQ(r.right, c.width) << c.style;
    EXPECT_EQ(r.bottom, c.height) << c.style;
    POINT p{0, 0};
    MapWindowPoints(h, top, &p, 1);
    EXPECT_EQ(p.x, 10 + c.left) << c.style;
    EXPECT_EQ(p.y, 20 + c.top) << c.style;
    DestroyWindow(h);
  }
  DestroyWindow(top);
}

// A window's new menu bar changes its client area only when it comes or
// goes: another menu in its place sends no WM_SIZE and keeps the client.
TEST_F(WindowTest, AnotherMenuInPlaceKeepsTheClientAndSendsNoSize) {
  static int sizes = 0;
  auto proc = [](HWND h, UINT m, WPARAM w, LPARAM l) -> LRESULT {
    if (m == WM_SIZE) ++sizes;
    return DefWindowProc(h, m, w, l);
  };
  HWND top = MakeTop(300, 200, WS_OVERLAPPEDWINDOW | WS_VISIBLE, proc);
  HMENU first = CreateMenu(), second = CreateMenu();
  AppendMenu(first, MF_STRING, 1, "&File");
  AppendMenu(second, MF_STRING, 2, "&Edit");
  struct Step {
    HMENU menu;
    bool sized;
  } steps[] = {{first, true}, {second, false}, {nullptr, true}};
  for (const Step& step : steps) {
    RECT before, after;
    GetClientRect(top, &before);
    sizes = 0;
    SetMenu(top, step.menu);
    GetClientRect(top, &after);
    EXPECT_EQ(sizes > 0, step.sized) << (step.menu == first ? "first" : step.menu ? "second" : "none");
    EXPECT_EQ(after.bottom != before.bottom, step.sized);
  }
  DestroyWindow(top);
  DestroyMenu(first);
  DestroyMenu(second);
}

TEST_F(WindowTest, TimersArriveAsTimerMessagesAndStopWhenKilled) {
  HWND h = MakeTop(50, 50);
  SetTimer(h, 7, 10, nullptr);
  MSG m;
  int ticks = 0;
  while (ticks < 2 && GetMessage(&m, nullptr, 0, 0)) {
    if (m.message == WM_TIMER && m.wParam == 7) ++ticks;
    DispatchMessage(&m);
  }
  EXPECT_EQ(ticks, 2);
  EXPECT_TRUE(KillTimer(h, 7));
  EXPECT_FALSE(KillTimer(h, 7));
  DestroyWindow(h);
}

TEST_F(WindowTest, CaptureChangeIsAnnounced) {
  static HWND lost = nullptr;
  struct Proc {
    static LRESULT CALLBACK Fn(HWND h, UINT m, WPARAM w, LPARAM l) {
      if (m == WM_CAPTURECHANGED) lost = h;
      return DefWindowProc(h, m, w, l);
    }
  };
  HWND a = MakeTop(50, 50, WS_POPUP | WS_VISIBLE, &Proc::Fn);
  HWND b = MakeTop(50, 50);
  SetCapture(a);
  EXPECT_EQ(GetCapture(), a);
  SetCapture(b);
  EXPECT_EQ(lost, a);
  ReleaseCapture();
  EXPECT_EQ(GetCapture(), nullptr);
  DestroyWindow(a);
  DestroyWindow(b);
}

TEST_F(WindowTest, PeekMessageFiltersAndKeepsWhatItDoesNotRemove) {
  HWND h = MakeTop(50, 50);
  Drain();
  PostMessage(h, WM_USER + 5, 1, 0);
  PostMessage(h, WM_USER + 6, 2, 0);
  MSG m;
  ASSERT_TRUE(PeekMessage(&m, h, WM_USER + 6, WM_USER + 6, PM_NOREMOVE));
  EXPECT_EQ(m.wParam, 2u);
  ASSERT_TRUE(PeekMessage(&m, h, WM_USER + 6, WM_USER + 6, PM_REMOVE));
  ASSERT_TRUE(PeekMessage(&m, h, 0, 0, PM_REMOVE));
  EXPECT_EQ(m.message, static_cast<UINT>(WM_USER + 5));
  EXPECT_FALSE(PeekMessage(&m, h, WM_USER, WM_USER + 100, PM_REMOVE));
  PostQuitMessage(3);
  EXPECT_FALSE(GetMessage(&m, nullptr, 0, 0));
  EXPECT_EQ(m.wParam, 3u);
  DestroyWindow(h);
}

}  // namespace

namespace {

// A change to a child window's frame made before the window's first paint,
// and one made after it: the frame must look the same either way.
struct FrameChange {
  const char* name;
  void (*apply)(HWND child);
};

constexpr int kFrameTestWidth = 320;
constexpr int kFrameTestHeight = 200;
constexpr DWORD kFrameTestChildStyle =
    WS_CHILD | WS_VISIBLE | WS_CAPTION | WS_SYSMENU | WS_THICKFRAME | WS_VSCROLL;
constexpr auto kFrameTestNewTitle = "second title";
constexpr int kFrameTestScrollMax = 99;
constexpr int kFrameTestScrollPos = 60;

const FrameChange kFrameChanges[] = {
    {"activated", [](HWND c) { SendMessage(c, WM_NCACTIVATE, TRUE, 0); }},
    {"activated then deactivated",
     [](HWND c) {
       SendMessage(c, WM_NCACTIVATE, TRUE, 0);
       SendMessage(c, WM_NCACTIVATE, FALSE, 0);
     }},
    {"retitled", [](HWND c) { SetWindowText(c, kFrameTestNewTitle); }},
    {"scrolled",
     [](HWND c) {
       SCROLLINFO si{sizeof si, SIF_RANGE | SIF_POS, 0, kFrameTestScrollMax, 0, kFrameTestScrollPos, 0};
       SetScrollInfo(c, SB_VERT, &si, TRUE);
     }},
};

HWND FrameTestChild(HWND parent) {
  return CreateWindowEx(0, "UiTestPlain", "first title", kFrameTestChildStyle, 0, 0, kFrameTestWidth,
                        kFrameTestHeight, parent, nullptr, nullptr, nullptr);
}

}  // namespace

TEST(FramePaint, AFrameChangedBeforeItsFirstPaintLooksAsOneChangedAfterIt) {
  for (const FrameChange& change : kFrameChanges) {
    SCOPED_TRACE(change.name);
    HWND top = MakeTop(kFrameTestWidth, kFrameTestHeight);
    HWND painted = FrameTestChild(top);
    UpdateWindow(painted);
    change.apply(painted);
    HWND pending = FrameTestChild(top);
    change.apply(pending);
    UpdateWindow(pending);
    const QImage before = Picture(painted);
    const QImage after = Picture(pending);
    EXPECT_TRUE(before == after);
    std::string name = change.name;
    std::replace(name.begin(), name.end(), ' ', '_');
    before.save(QString::fromStdString(mirt_test::ProgramDir() + "/ui_frame_" + name + ".png"));
    DestroyWindow(top);
  }
}
