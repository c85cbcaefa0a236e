#include "disasm/instruction_text.h"

#include <atomic>
#include <cstring>

namespace {

// How far back the search for a previous instruction starts.
constexpr DWORD kPreviousWindow = 35;

std::atomic<DisasmReader> g_reader{nullptr};
std::atomic<DWORD> g_lowBound{0};

int ReadNothing(DWORD, BYTE*, int) { return 1; }

DisasmReader Reader() {
  DisasmReader r = g_reader.load();
  return r ? r : ReadNothing;
}

void EncloseInParentheses(char* out) {
  size_t len = std::strlen(out);
  while (len > 0 && out[len - 1] == ' ') --len;
  std::memmove(out + 1, out, len);
  out[0] = '(';
  out[len + 1] = ')';
  out[len + 2] = 0;
}

}  // namespace

void DisasmInit(DisasmReader reader) {
  g_reader.store(reader);
  g_lowBound.store(0);
}

DWORD DisasmInstruction(DWORD address, char* out) {
  disasm::X86Decoder decoder(Reader());
  return address + static_cast<DWORD>(decoder.Decode(address, out));
}

DWORD DisasmPrevious(DWORD* address, char* out) {
  DWORD target = *address;
  DWORD low = g_lowBound.load();
  DWORD start = target - low > kPreviousWindow ? target - kPreviousWindow : low;
  if (target < low) start = low;
  DisasmReader reader = Reader();
  DWORD next = start;
  do {
    start = next;
    disasm::X86Decoder decoder(reader);
    next = start + static_cast<DWORD>(decoder.Decode(start, out));
  } while (next < target && next > start);
  if (next != target) EncloseInParentheses(out);
  *address = next;
  return start;
}
