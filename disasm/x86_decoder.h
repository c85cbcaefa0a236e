// Table-driven decoder of one x86 instruction (8086 to 486, real mode, with
// operand- and address-size prefixes) into Intel-order assembler text.
// Every decode uses its own object, so decodes on several threads never
// share state.
#pragma once

#include "platform/base/windef.h"

// Reads count target bytes at a linear address into buffer; 0 on success.
typedef int (*DisasmReader)(DWORD address, BYTE* buffer, int count);

// Longest instruction the processor accepts.
constexpr int kDisasmMaxBytes = 15;
// Blanks appended to every instruction text.
constexpr int kDisasmTrailingBlanks = 43;
// Longest instruction text before the trailing blanks.
constexpr int kDisasmMaxText = 200;
// Size of a buffer that always holds a decoded text with its blanks.
constexpr int kDisasmOutSize = kDisasmMaxText + kDisasmTrailingBlanks + 3;

namespace disasm {

class X86Decoder {
 public:
  explicit X86Decoder(DisasmReader reader) : m_reader(reader) {}

  // Decodes the instruction at address into out (at least kDisasmOutSize
  // characters); returns its length in bytes, 1 to 15. An unreadable
  // byte gives the text "??" and length 1; an instruction longer than 15
  // bytes shows its first byte as "db".
  int Decode(DWORD address, char* out);

 private:
  BYTE Fetch();
  DWORD Fetch16();
  DWORD Fetch32();
  int ModRM();
  int Sib();

  void Expand(const char* tmpl);
  void Operand(char kind, char size);
  void NextOpcode();
  const char* OneByteTemplate(BYTE opcode) const;
  const char* TwoByteTemplate(BYTE opcode) const;
  void Group(int group);
  void Fpu(int escape);

  void PrintRegister(int index, char size);
  void PrintModRM(char size);
  void PrintMemory(char size, int mod, int rm);
  void PrintSib(int mod);
  void PrintDisplacement(int mod);
  void PrintImmediate(char size);
  void PrintJump(char size);
  void PrintFarAddress();
  void PrintOffset();
  void PrintOverride();
  void PrintSizeKeyword(char size);

  void Put(const char* s);
  void PutChar(char c);
  void PutSize(char size);
  void PutHex(DWORD value, int digits);
  void PutByte(DWORD value);
  void PutWord(DWORD value);
  void PutPlain32(DWORD value);
  void PutSigned(long long value, int digits);
  void Tab();

  bool Op32() const { return m_opSize == 32; }
  bool Ad32() const { return m_adSize == 32; }

  DisasmReader m_reader;
  DWORD m_addr = 0;
  int m_count = 0;
  int m_opSize = 16;
  int m_adSize = 16;
  char m_seg = 0;
  int m_w = 0;
  bool m_sizeKeyword = true;
  int m_modrm = -1;
  int m_sib = -1;
  bool m_tabDone = false;
  bool m_unreadable = false;
  bool m_tooLong = false;
  char m_text[kDisasmMaxText + 1];
  int m_len = 0;
};

}  // namespace disasm
