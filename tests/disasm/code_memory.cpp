#include "tests/disasm/code_memory.h"

#include <cstdlib>
#include <cstring>

#include <gtest/gtest.h>

#include "disasm/instruction_text.h"

namespace disasm_test {

namespace {
thread_local DWORD t_base = 0;
thread_local std::vector<BYTE> t_bytes;
}  // namespace

void SetCode(DWORD base, const std::vector<BYTE>& bytes) {
  t_base = base;
  t_bytes = bytes;
  DisasmInit(ReadCode);
}

int ReadCode(DWORD address, BYTE* buffer, int count) {
  for (int i = 0; i < count; ++i) {
    DWORD at = address + DWORD(i) - t_base;
    if (address + DWORD(i) < t_base || at >= t_bytes.size()) return 1;
    buffer[i] = t_bytes[at];
  }
  return 0;
}

std::vector<BYTE> Hex(const std::string& text) {
  std::vector<BYTE> out;
  const char* p = text.c_str();
  while (*p) {
    char* end;
    unsigned long v = std::strtoul(p, &end, 16);
    if (end == p) break;
    out.push_back(BYTE(v));
    p = end;
  }
  return out;
}

Decoded DecodeAt(DWORD address) {
  char out[kDisasmOutSize + 16];
  std::memset(out, 'X', sizeof out);
  DWORD next = DisasmInstruction(address, out);
  std::string text(out);
  const std::string blanks(kDisasmTrailingBlanks, ' ');
  EXPECT_GE(text.size(), blanks.size());
  EXPECT_EQ(text.substr(text.size() - blanks.size()), blanks) << text;
  return {text.substr(0, text.size() - blanks.size()), int(next - address)};
}

}  // namespace disasm_test
