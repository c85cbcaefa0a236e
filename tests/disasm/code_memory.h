// Target memory for the decoder tests: a byte image at a base address;
// reads outside it fail. One image per thread, so threads can decode
// different code at once.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "platform/base/windef.h"

namespace disasm_test {

void SetCode(DWORD base, const std::vector<BYTE>& bytes);
// The decoder's byte reader over the current thread's image.
int ReadCode(DWORD address, BYTE* buffer, int count);
// Bytes from a string of hex pairs ("66 B8 78 56").
std::vector<BYTE> Hex(const std::string& text);
// Decodes at address with DisasmInstruction; text without the trailing
// blanks (which are checked), length in bytes.
struct Decoded {
  std::string text;
  int length;
};
Decoded DecodeAt(DWORD address);

}  // namespace disasm_test
