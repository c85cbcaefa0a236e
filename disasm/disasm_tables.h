// Opcode templates of the x86 decoder. A template is read left to right: a
// blank is a tab, "%" is followed by a kind and a size character, every other
// character is copied. A null entry is an absent (invalid) form.
#pragma once

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

}  // namespace disasm
