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

TEST(PersonDialog, InputQueuedBeforeItShowsDoesNotReachTheWindowsBehindIt) {
  HWND top = MakeTop(200, 100, WS_POPUP | WS_VISIBLE, &RecordingProc);
  SetFocus(top);
  PumpAll();
  g_seen.clear();
  // A click and a key arrive and wait in the queue, then the dialog opens.
  Mouse(top, QEvent::MouseButtonPress, 10, 10, Qt::LeftButton, Qt::LeftButton, 0);
  Mouse(top, QEvent::MouseButtonRelease, 10, 10, Qt::LeftButton, Qt::NoButton, 0);
  Key(top, true, Qt::Key_Y, 0, "y");
  PostMessage(top, kPostedNote, 0, 0);
  QDialog dialog;
  QTimer::singleShot(0, &dialog, [&] { dialog.accept(); });
  EXPECT_TRUE(mirt_ui::RunPersonDialog(dialog));
  PumpAll();
  EXPECT_EQ(g_seen, std::vector<UINT>{kPostedNote});
  // Once it closed, input reaches the window again.
  g_seen.clear();
  Mouse(top, QEvent::MouseButtonPress, 10, 10, Qt::LeftButton, Qt::LeftButton, 0);
  PumpAll();
  EXPECT_EQ(g_seen, std::vector<UINT>{WM_LBUTTONDOWN});
  DestroyWindow(top);
}

// The owner of a modal dialog is disabled: a click queued for it before
// does not reach it; posted messages still do.
TEST(PersonDialog, ADisabledTopLevelWindowTakesNoQueuedInput) {
  HWND top = MakeTop(200, 100, WS_POPUP | WS_VISIBLE, &RecordingProc);
  SetFocus(top);
  PumpAll();
  g_seen.clear();
  Mouse(top, QEvent::MouseButtonPress, 10, 10, Qt::LeftButton, Qt::LeftButton, 0);
  Key(top, true, Qt::Key_Y, 0, "y");
  PostMessage(top, kPostedNote, 0, 0);
  EnableWindow(top, FALSE);
  PumpAll();
  EXPECT_EQ(g_seen, std::vector<UINT>{kPostedNote});
  EnableWindow(top, TRUE);
  DestroyWindow(top);
}

}  // namespace
