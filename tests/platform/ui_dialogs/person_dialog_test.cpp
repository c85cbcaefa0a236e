// Modal runs and queued input: a dialog that a person answers (a message
// box, a file dialog) runs on the layer's queue, where timers and posted
// messages are served meanwhile, but keys and clicks queued for the layer's
// windows before it showed do not act behind it; nor do they reach a
// disabled top-level window.
#include <gtest/gtest.h>

#include <QDialog>
#include <QEvent>
#include <QTimer>
#include <vector>

#include "../ui/ui_test_support.h"
#include "platform/ui/person_dialog_impl.h"

namespace {

using ui_test::Key;
using ui_test::MakeTop;
using ui_test::Mouse;

constexpr UINT kPostedNote = WM_APP + 7;

std::vector<UINT> g_seen;

LRESULT CALLBACK RecordingProc(HWND h, UINT m, WPARAM w, LPARAM l) {
  if (m == WM_LBUTTONDOWN || m == WM_LBUTTONUP || m == WM_KEYDOWN || m == WM_CHAR || m == kPostedNote)
    g_seen.push_back(m);
  return DefWindowProc(h, m, w, l);
}

void PumpAll() {
  MSG m;
  while (PeekMessage(&m, nullptr, 0, 0, PM_REMOVE)) {
    TranslateMessage(&m);
    DispatchMessage(&m);
  }
}

constexpr int kWindowWidth = 200, kWindowHeight = 100;
constexpr int kClickX = 10, kClickY = 10;

// A shown window with the keyboard that records what reaches it, nothing yet.
HWND MakeRecordingTop() {
  HWND top = MakeTop(kWindowWidth, kWindowHeight, WS_POPUP | WS_VISIBLE, &RecordingProc);
  SetFocus(top);
  PumpAll();
  g_seen.clear();
  return top;
}

void PressLeft(HWND top) {
  Mouse(top, QEvent::MouseButtonPress, kClickX, kClickY, Qt::LeftButton, Qt::LeftButton, 0);
}

// A click and a key arrive and wait in the queue behind a posted message.
void QueueClickKeyAndNote(HWND top) {
  PressLeft(top);
  Mouse(top, QEvent::MouseButtonRelease, kClickX, kClickY, Qt::LeftButton, Qt::NoButton, 0);
  Key(top, true, Qt::Key_Y, 0, "y");
  PostMessage(top, kPostedNote, 0, 0);
}

TEST(PersonDialog, InputQueuedBeforeItShowsDoesNotReachTheWindowsBehindIt) {
  HWND top = MakeRecordingTop();
  QueueClickKeyAndNote(top);
  QDialog dialog;
  QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
  EXPECT_TRUE(mirt_ui::RunPersonDialog(dialog));
  PumpAll();
  EXPECT_EQ(g_seen, std::vector<UINT>{kPostedNote});
  // Once it closed, input reaches the window again.
  g_seen.clear();
  PressLeft(top);
  PumpAll();
  EXPECT_EQ(g_seen, std::vector<UINT>{WM_LBUTTONDOWN});
  DestroyWindow(top);
}

// The owner of a modal dialog is disabled: a click queued for it before
// does not reach it; posted messages still do.
TEST(PersonDialog, ADisabledTopLevelWindowTakesNoQueuedInput) {
  HWND top = MakeRecordingTop();
  QueueClickKeyAndNote(top);
  EnableWindow(top, FALSE);
  PumpAll();
  EXPECT_EQ(g_seen, std::vector<UINT>{kPostedNote});
  EnableWindow(top, TRUE);
  DestroyWindow(top);
}

}  // namespace
