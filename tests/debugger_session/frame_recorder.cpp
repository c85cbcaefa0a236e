#include "tests/debugger_session/frame_recorder.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <thread>

#include "debugger/session/frame_messages.h"
#include "editor/view/sourcedebugport.h"
#include "platform/ui/application.h"
#include "platform/ui/message.h"
#include "platform/ui/window.h"

namespace session_test {

namespace {

constexpr char kFakeFrameClass[] = "SessionTestFrame";
FakeFrame* g_fakeFrame = nullptr;

std::string PayloadText(UINT message, WPARAM wParam, LPARAM lParam) {
  auto text = [](LPARAM p) { return p ? std::string(reinterpret_cast<const char*>(p)) : std::string(); };
  switch (message) {
    case WM_OUTPUT_TEXT:
    case WM_DEBUG_FINISHED:
    case WM_CALLSTACK_TEXT:
    case WM_REGISTER_TEXT:
    case WM_WATCH_SELECTION:
      return text(lParam);
    case WM_WATCH_VALUE:
      return text(LPARAM(wParam)) + "|" + text(lParam);
    case WM_DISASSEMBLY_UPDATE:
      return Hex(uint32_t(lParam));
    case WM_STOP_LOCATION: {
      const auto* stop = reinterpret_cast<const StopLocation*>(lParam);
      return std::string(stop->file ? stop->file : "") + ":" + std::to_string(stop->line) + "@" +
             Hex(stop->address.Linear());
    }
    default:
      return "";
  }
}

const char* MessageName(UINT message) {
  static const char* const kNames[] = {
      "WM_OUTPUT_TEXT",        "WM_DEBUG_FINISHED",      "WM_CALLSTACK_TEXT", "WM_STOP_LOCATION",
      "WM_WATCH_VALUE",        "WM_REGISTER_TEXT",       "WM_PROGRAM_END",    "WM_WATCH_SELECTION",
      "WM_DISASSEMBLY_UPDATE", "WM_DEBUG_ERROR_REQUEST", "WM_RUN_TO_CURSOR",  "WM_KERNEL_NO_ANSWER",
      "WM_BUILD_OK",           "WM_BUILD_UP_TO_DATE",    "WM_BUILD_FAILED",   "WM_SYSTEM_CRASHED"};
  return message >= kFrameMessageBase && message < kFrameMessageBase + 16
             ? kNames[message - kFrameMessageBase]
             : "other";
}

std::string Describe(const FrameRecord& r) {
  return std::string(MessageName(r.message)) + (r.delivery == Delivery::Sent ? " sent " : " posted ") + "\"" +
         r.text + "\"";
}

}  // namespace

FakeFrame::FakeFrame() {
  mirt_ui::EnsureApplication();
  static bool registered = false;
  if (!registered) {
    WNDCLASS wc{};
    wc.lpfnWndProc = &FakeFrame::Proc;
    wc.lpszClassName = kFakeFrameClass;
    RegisterClass(&wc);
    registered = true;
  }
  g_fakeFrame = this;
  m_hwnd = CreateWindowEx(0, kFakeFrameClass, "", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr, nullptr, nullptr);
}

FakeFrame::~FakeFrame() {
  Pump();
  DestroyWindow(m_hwnd);
  g_fakeFrame = nullptr;
}

LRESULT FakeFrame::Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  if (g_fakeFrame && message >= kFrameMessageBase && message < kFrameMessageBase + 16) {
    g_fakeFrame->m_records.push_back({message,
                                      g_fakeFrame->m_dispatchingPosted ? Delivery::Posted : Delivery::Sent,
                                      PayloadText(message, wParam, lParam)});
    return 0;
  }
  return DefWindowProc(hwnd, message, wParam, lParam);
}

void FakeFrame::Pump() {
  MSG msg;
  while (PeekMessage(&msg, nullptr, 0, 0, PM_REMOVE)) {
    m_dispatchingPosted = true;
    DispatchMessage(&msg);
    m_dispatchingPosted = false;
  }
}

bool FakeFrame::PumpUntil(const std::function<bool()>& ready, DWORD ms) {
  const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(ms);
  for (;;) {
    Pump();
    if (ready()) return true;
    if (std::chrono::steady_clock::now() > end) return false;
    std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
}

bool FakeFrame::WaitForMessage(UINT message, DWORD ms) {
  const size_t from = m_records.size();
  return PumpUntil(
      [&] {
        for (size_t i = from; i < m_records.size(); ++i)
          if (m_records[i].message == message) return true;
        return false;
      },
      ms);
}

std::vector<FrameRecord> FakeFrame::Take() {
  Pump();
  std::vector<FrameRecord> out;
  out.swap(m_records);
  return out;
}

void ExpectFrameSequence(const std::vector<FrameRecord>& got, const std::vector<FrameRecord>& want) {
  std::string g, w;
  for (const FrameRecord& r : got) g += Describe(r) + "\n";
  for (const FrameRecord& r : want) w += Describe(r) + "\n";
  EXPECT_EQ(g, w);
}

std::string Hex(uint32_t v) {
  char buf[16];
  std::snprintf(buf, sizeof buf, "%x", v);
  return buf;
}

}  // namespace session_test
