// The hook through which a test driver on a real X display reads a running
// program (tests/support/README.md describes the driver). It is active when
// the environment names a file descriptor in MIRT_TEST_HOOK and the program
// runs on the xcb platform; otherwise nothing here does anything.
//
// The driver sends the client message "_MIRT_TEST_SYNC" (first long: a
// sequence number) to the window named in the hook's greeting. The message
// arrives after every input the driver sent before it; once the GUI thread's
// queue is empty after it, the hook writes the program's state to the
// descriptor:
//   hello <native window> <pid>            once, when the hook starts
//   state <sequence>                       then lines of the state:
//   focus|active|capture <hwnd>            (0 for none)
//   menu <bar item> <hot item of each open popup level>  (-1: none)
//   native <n>                             native top-level windows alive
//   wnd <hwnd> <parent> <owner> <id> <x> <y> <cx> <cy> <visible> <xid> <class>\t<text>
//                                          every window, rectangle on screen
//   wnd lines of widgets marked by ShowInTestState (handle: the widget)
//   <program lines>                        added by the program's reporters
//   end
#pragma once

#include <functional>
#include <string>

class QWidget;

namespace mirt_ui {

// The layer's own Qt widgets that are no windows of it (the message box and
// its parts) show in the state as windows of `className` with `id`: a
// visible marked top-level widget with its visible marked descendants.
void ShowInTestState(QWidget* widget, const char* className, int id);

// Adds lines ("key value\n") to every state the hook writes.
using TestStateReporter = std::function<void(std::string& out)>;
void AddTestStateReporter(TestStateReporter reporter);

// Called by the GUI thread's queue before it waits: answers a waiting sync
// when nothing is left to do. True when it answered (the caller looks again
// before it waits).
bool ServeTestHook();

}  // namespace mirt_ui
