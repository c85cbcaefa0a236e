// Threads waiting in SendMessage on a thread that ends get 0 instead of
// waiting forever, and so does what comes after it ended. The window thread here is a thread of its own (it
// makes the program's QApplication), so it can end while the program runs.
#include <gtest/gtest.h>

#include <QApplication>
#include <chrono>
#include <future>
#include <thread>
#include <unistd.h>

#include "platform/ui/thread_queue.h"
#include "platform/ui/ui.h"

namespace {

using namespace std::chrono_literals;

bool HasSentMessages(ThreadQueue* q, size_t n) {
  std::lock_guard<std::mutex> lock(q->m);
  return q->sent.size() >= n;
}

TEST(ThreadExitTest, SendersToAThreadThatEndsGetZero) {
  std::promise<HWND> made;
  std::promise<void> sendersWaiting;
  DWORD windowThreadId = 0;
  std::thread windowThread([&] {
    static int argc = 1;
    static char name[] = "thread_exit_test";
    static char* argv[] = {name, nullptr};
    new QApplication(argc, argv);  // this thread is the GUI thread
    WNDCLASS wc{};
    wc.lpfnWndProc = DefWindowProc;
    wc.lpszClassName = "ThreadExitTest";
    RegisterClass(&wc);
    HWND h =
        CreateWindowEx(0, "ThreadExitTest", "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
    ThreadQueue* self = ThreadQueue::Current();
    windowThreadId = CurrentThreadId();
    made.set_value(h);
    // Ends without serving what two senders wait for.
    while (!HasSentMessages(self, 2)) std::this_thread::sleep_for(1ms);
    sendersWaiting.set_value();
  });
  HWND h = made.get_future().get();
  ASSERT_NE(h, nullptr);
  auto send = [h] { return SendMessage(h, WM_SETTEXT, 0, reinterpret_cast<LPARAM>("never")); };
  auto a = std::async(std::launch::async, send);
  auto b = std::async(std::launch::async, send);
  sendersWaiting.get_future().get();
  windowThread.join();
  for (auto* f : {&a, &b}) {
    if (f->wait_for(10s) != std::future_status::ready) {
      ADD_FAILURE() << "a sender still waits";
      _exit(1);  // the waiting thread cannot be joined
    }
    EXPECT_EQ(f->get(), 0);
  }
  // Its window ended with it: what comes later gets no answer at once.
  EXPECT_FALSE(IsWindow(h));
  EXPECT_EQ(send(), 0);
  EXPECT_FALSE(PostMessage(h, WM_NULL, 0, 0));
  EXPECT_FALSE(PostThreadMessage(windowThreadId, WM_NULL, 0, 0));
}

}  // namespace
