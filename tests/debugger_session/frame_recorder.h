// A stand-in for the main frame: a window that records the frame messages
// of a debug session in order, as a sequence table.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/base/windef.h"

namespace session_test {

// A number in lower-case hex without a prefix, as the tests' logs show it.
std::string Hex(uint32_t v);

enum class Delivery { Sent, Posted };

// One message as the frame saw it. `text` is the payload in words:
// texts as they are, a stop as "file:line@linear" (hex linear), a watch
// value as "type|value", an address update as its hex linear address;
// empty for messages without payload.
struct FrameRecord {
  UINT message;
  Delivery delivery;
  std::string text;
};

class FakeFrame {
 public:
  FakeFrame();
  ~FakeFrame();
  FakeFrame(const FakeFrame&) = delete;
  FakeFrame& operator=(const FakeFrame&) = delete;

  HWND Window() const { return m_hwnd; }
  // Delivers the posted messages waiting (and serves sent ones).
  void Pump();
  // Pumps until `ready` holds or the time (ms) is over; true when ready.
  bool PumpUntil(const std::function<bool()>& ready, DWORD ms);
  // Pumps until a message of this number arrived (after the first `skip`).
  bool WaitForMessage(UINT message, DWORD ms);
  // Takes the records so far.
  std::vector<FrameRecord> Take();
  const std::vector<FrameRecord>& Records() const { return m_records; }

 private:
  static LRESULT Proc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  HWND m_hwnd = nullptr;
  std::vector<FrameRecord> m_records;
  bool m_dispatchingPosted = false;
};

// The frame's records against the expected table, one message per row.
void ExpectFrameSequence(const std::vector<FrameRecord>& got, const std::vector<FrameRecord>& want);

}  // namespace session_test
