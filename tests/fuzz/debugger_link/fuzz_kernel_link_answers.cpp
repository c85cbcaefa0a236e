// The kernel link's handling of the kernel's answers: the input is what the
// peer sends; its first bytes also choose the link operations to run.
#include <cstdint>
#include <cstring>
#include <vector>

#include "debugger/debug_control.h"
#include "debugger/kernel_link_serial.h"

namespace {

// A link whose line is the fuzz input; once it is used up, the wait for an
// answer is aborted as a user's stop would.
class ScriptedLink : public CTDKernelCommunicationSerial {
 public:
  ScriptedLink(const uint8_t* data, size_t size) : m_data(data), m_size(size) {}
  bool IsOpen() const override { return true; }
  bool Write(const BYTE*, DWORD) override { return true; }
  DWORD Read(BYTE* buffer, DWORD count) override {
    DWORD n = 0;
    while (n < count && m_pos < m_size) buffer[n++] = m_data[m_pos++];
    if (n == 0) abortFlag = 1;
    return n;
  }
  bool Exhausted() const { return m_pos >= m_size; }
  uint8_t Next() { return m_pos < m_size ? m_data[m_pos++] : 0; }

 private:
  const uint8_t* m_data;
  size_t m_size;
  size_t m_pos = 0;
};

class NullControl : public CDebugControl {
 public:
  bool Go(const CAddr*) override { return true; }
  bool SingleStep() override { return true; }
  void Break() override {}
  bool HandleDebugEvent() override { return true; }
};

struct Command {
  char letter;
  WORD expected;
};
const Command kCommands[] = {{'C', 5},   {'N', 6}, {'J', 48}, {'K', 0},
                             {'F', 127}, {'G', 0}, {'O', 0},  {'U', 0}};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  NullControl control;
  g_pDebugControl = &control;
  ScriptedLink link(data, size);
  BYTE request[CTDKernelCommunication::kMaxRequest] = {};
  for (int op = 0; op < 16 && !link.Exhausted(); ++op) {
    link.splitMode = 0;  // no pauses between bytes here
    uint8_t choice = link.Next();
    switch (choice % 4) {
      case 0: {
        std::vector<BYTE> answer(CTDKernelCommunication::kMaxAnswer + 1);
        link.Poll(answer.data());
        break;
      }
      case 1: {
        std::vector<BYTE> answer(5);
        link.ReceiveEvent(answer.data(), choice & 0x10);
        break;
      }
      case 2: {
        const Command& c = kCommands[(choice >> 2) % (sizeof kCommands / sizeof kCommands[0])];
        std::vector<BYTE> answer(c.expected + 1u);
        link.SendKernelCommand(c.letter, request, static_cast<WORD>(choice >> 1), answer.data(), c.expected);
        break;
      }
      default:
        link.Escape();
        break;
    }
  }
  g_pDebugControl = nullptr;
  return 0;
}
