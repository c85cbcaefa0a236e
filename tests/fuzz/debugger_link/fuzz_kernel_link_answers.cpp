// The kernel link's handling of the kernel's answers: the input is what the
// peer sends; its first bytes also choose the link operations to run.
#include <cstdint>
#include <cstring>
#include <vector>

#include "debugger/debug_control.h"
#include "debugger/kernel_link_serial.h"
#include "tests/fuzz/debugger_link/scripted_link.h"

namespace {

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
  fuzz_link::ScriptedLink link(data, size);
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
