// Opcode templates of the x86 decoder. A template is read left to right: a
// blank is a tab, "%" is followed by a kind and a size character, every other
// character is copied. A null entry is an absent (invalid) form.
//
// Kinds: E/M ModR/M operand (register or memory); G/R register of the reg
// (G) or r/m (R) field; S segment register; C/D/T control, debug and test
// register; I immediate; J relative jump target; A direct far address;
// O memory offset; X/Y ds:[si] and es:[di]; K distance keyword ("far ",
// "near ", "short "); P pending segment override; p prefix (size ":" prints
// the override like P); s size prefix (o operand, a address); 2 two-byte
// map; g group; f FPU escape; d "d" at operand size 32, then the size;
// w "w" or "d" by operand size, then the size; e operand size 32: "e" and the
// size, or "d" for size w; j "e" at address size 32.
//
// Sizes: b byte; w word; d doubleword; v word or doubleword by operand size;
// c and q byte or word/doubleword by the w bit; p far pointer (dword or
// fword); s 6 bytes; a and blank memory without a size; x sign-extended
// byte; F st(i); y register by operand size, memory a word; B and W byte and
// word whose memory operand always names its size.
#pragma once

#include <span>

namespace disasm {

// Templates by the first opcode byte.
extern const char* const kOneByteMap[256];
// Templates by the byte after 0F.
extern const char* const kTwoByteMap[256];
// 8 groups of 8 entries, indexed by group * 8 + the reg field of ModR/M.
extern const char* const kGroupTable[64];
// Memory-form names of the FPU escapes D8..DF, indexed by escape * 8 + reg.
extern const char* const kFpuMemoryNames[64];

// Register form of an FPU escape and reg field: absent, one template that
// serves every r/m value (written with a leading "*"), or a row of eight
// templates indexed by r/m.
struct FpuRegisterForm {
  const char* single;      // "*..." template, or null
  const char* const* row;  // eight entries, or null
};
extern const FpuRegisterForm kFpuRegisterForms[64];

// An opcode whose template differs under an operand or address size of 32.
struct SizeForm {
  unsigned char opcode;
  const char* tmpl;
};
// One-byte opcodes at address size 32 (string instructions, xlat, loops and
// jecxz name their 32-bit registers); these take precedence.
extern const std::span<const SizeForm> kOneByteAddress32;
// One-byte opcodes at operand size 32 (cwde, retd, pushd es, ...).
extern const std::span<const SizeForm> kOneByteOperand32;
// Two-byte opcodes at operand size 32.
extern const std::span<const SizeForm> kTwoByteOperand32;

}  // namespace disasm
