#include "disasm/x86_decoder.h"

#include <cstring>

#include "disasm/disasm_tables.h"

namespace disasm {
namespace {

const char kHexDigits[] = "0123456789ABCDEF";
const char* const kReg32[8] = {"eax", "ecx", "edx", "ebx", "esp", "ebp", "esi", "edi"};
const char* const kBase16[8] = {"bx+si", "bx+di", "bp+si", "bp+di", "si", "di", "bp", "bx"};
const char* const kScale[4] = {"", "*2", "*4", "*8"};

const char* FindSizeForm(std::span<const SizeForm> forms, BYTE opcode) {
  for (const SizeForm& f : forms)
    if (f.opcode == opcode) return f.tmpl;
  return nullptr;
}

}  // namespace

int X86Decoder::Decode(DWORD address, char* out) {
  m_addr = address;
  BYTE first = Fetch();
  if (m_count == 1) {
    m_w = first & 1;
    const char* tmpl = OneByteTemplate(first);
    if (tmpl) {
      Expand(tmpl);
    } else {
      Put("db");
      Tab();
      PutHex(first, 2);
      PutChar('h');
    }
  }
  if (m_unreadable || m_tooLong) {
    // Nothing of a cut instruction is shown; the next line starts one
    // byte further on.
    m_len = 0;
    m_tabDone = false;
    if (m_count == 0 || m_unreadable) {
      Put("??");
    } else {
      Put("db");
      Tab();
      PutHex(first, 2);
      PutChar('h');
    }
    m_count = 1;
  }
  std::memcpy(out, m_text, m_len);
  std::memset(out + m_len, ' ', kDisasmTrailingBlanks);
  out[m_len + kDisasmTrailingBlanks] = 0;
  return m_count;
}

BYTE X86Decoder::Fetch() {
  if (m_unreadable || m_tooLong) return 0;
  if (m_count >= kDisasmMaxBytes) {
    m_tooLong = true;
    return 0;
  }
  BYTE b = 0;
  if (m_reader(m_addr, &b, 1) != 0) {
    m_unreadable = true;
    return 0;
  }
  ++m_addr;
  ++m_count;
  return b;
}

DWORD X86Decoder::Fetch16() {
  DWORD lo = Fetch();
  return lo | (DWORD(Fetch()) << 8);
}

DWORD X86Decoder::Fetch32() {
  DWORD lo = Fetch16();
  return lo | (Fetch16() << 16);
}

int X86Decoder::ModRM() {
  if (m_modrm < 0) m_modrm = Fetch();
  return m_modrm;
}

int X86Decoder::Sib() {
  if (m_sib < 0) m_sib = Fetch();
  return m_sib;
}

void X86Decoder::Expand(const char* tmpl) {
  if (!tmpl) {
    Put("<invalid>");
    return;
  }
  if (std::strpbrk(tmpl, "CDFGRST")) m_sizeKeyword = false;
  const char* t = tmpl;
  while (*t && !m_unreadable && !m_tooLong) {
    char c = *t++;
    if (c == '%') {
      char kind = *t;
      if (!kind) break;
      ++t;
      char size = *t;
      if (size) ++t;
      Operand(kind, size);
    } else if (c == ' ') {
      Tab();
    } else {
      PutChar(c);
    }
  }
}

void X86Decoder::Operand(char kind, char size) {
  switch (kind) {
    case 'E':
    case 'M':
      PrintModRM(size);
      break;
    case 'G':
      if (size == 'F')
        PrintRegister(ModRM() & 7, 'F');
      else
        PrintRegister((ModRM() >> 3) & 7, size);
      m_sizeKeyword = false;
      break;
    case 'R':
      // The general register of the control, debug and test register
      // moves is in the r/m field.
      PrintRegister(ModRM() & 7, size);
      m_sizeKeyword = false;
      break;
    case 'S': {
      int reg = (ModRM() >> 3) & 7;
      if (reg < 6) {
        PutChar("ecsdfg"[reg]);
        PutChar('s');
      } else {
        Put("<invalid>");
      }
      m_sizeKeyword = false;
      break;
    }
    case 'C':
    case 'D':
    case 'T':
      Put(kind == 'C' ? "C" : kind == 'D' ? "D" : "tr");
      PutChar(char('0' + ((ModRM() >> 3) & 7)));
      m_sizeKeyword = false;
      break;
    case 'I':
      PrintImmediate(size);
      break;
    case 'J':
      PrintJump(size);
      break;
    case 'A':
      PrintFarAddress();
      break;
    case 'O':
      PrintOffset();
      break;
    case 'X':
      Put(Ad32() ? "ds:[esi]" : "ds:[si]");
      break;
    case 'Y':
      Put(Ad32() ? "es:[edi]" : "es:[di]");
      break;
    case 'K':
      Put(size == 'f' ? "far " : size == 'n' ? "near " : size == 's' ? "short " : "");
      break;
    case 'P':
      PrintOverride();
      break;
    case 'p':
      if (size == ':') {
        PrintOverride();
        break;
      }
      if (size && std::strchr("cdefgs", size)) m_seg = size;
      NextOpcode();
      break;
    case 's':
      // Each size prefix sets its size; a repeated one changes nothing.
      if (size == 'a')
        m_adSize = 32;
      else if (size == 'o')
        m_opSize = 32;
      NextOpcode();
      break;
    case '2':
      Expand(TwoByteTemplate(Fetch()));
      break;
    case 'g':
      Group(size - '0');
      break;
    case 'f':
      Fpu(size - '0');
      break;
    case 'd':
      if (Op32()) PutChar('d');
      PutSize(size);
      break;
    case 'w':
      PutChar(Op32() ? 'd' : 'w');
      PutSize(size);
      break;
    case 'e':
      if (Op32() && size == 'w') {
        PutChar('d');
      } else {
        if (Op32()) PutChar('e');
        PutSize(size);
      }
      break;
    case 'j':
      // jcxz counts in cx or ecx by the address size alone.
      if (Ad32()) PutChar('e');
      break;
    default:
      break;
  }
}

void X86Decoder::NextOpcode() {
  BYTE b = Fetch();
  if (m_unreadable || m_tooLong) return;
  m_w = b & 1;
  Expand(OneByteTemplate(b));
}

const char* X86Decoder::OneByteTemplate(BYTE opcode) const {
  if (Ad32())
    if (const char* t = FindSizeForm(kOneByteAddress32, opcode)) return t;
  if (Op32())
    if (const char* t = FindSizeForm(kOneByteOperand32, opcode)) return t;
  return kOneByteMap[opcode];
}

const char* X86Decoder::TwoByteTemplate(BYTE opcode) const {
  if (Op32())
    if (const char* t = FindSizeForm(kTwoByteOperand32, opcode)) return t;
  return kTwoByteMap[opcode];
}

void X86Decoder::Group(int group) {
  if (group < 0 || group > 7) return;
  int reg = (ModRM() >> 3) & 7;
  if (m_unreadable || m_tooLong) return;
  Expand(kGroupTable[group * 8 + reg]);
}

void X86Decoder::Fpu(int escape) {
  if (escape < 0 || escape > 7) return;
  int m = ModRM();
  if (m_unreadable || m_tooLong) return;
  int reg = (m >> 3) & 7;
  int index = escape * 8 + reg;
  if ((m >> 6) == 3) {
    const FpuRegisterForm& form = kFpuRegisterForms[index];
    if (form.single) {
      Expand(form.single + 1);
      return;
    }
    if (form.row) {
      Expand(form.row[m & 7]);
      return;
    }
  }
  const char* name = kFpuMemoryNames[index];
  Put(name ? name : "<invalid>");
  Expand(" %EF");
}

void X86Decoder::PrintRegister(int index, char size) {
  if (size == 'F') {
    Put("st(");
    PutChar(char('0' + index));
    PutChar(')');
    return;
  }
  bool byteSized = size == 'b' || size == 'B' || ((size == 'q' || size == 'c') && m_w == 0);
  if (byteSized) {
    PutChar("acdbacdb"[index]);
    PutChar("llllhhhh"[index]);
    return;
  }
  bool wide = size == 'd' || ((size == 'v' || size == 'q' || size == 'c' || size == 'y') && Op32());
  if (wide) PutChar('e');
  PutChar("acdbsbsd"[index]);
  PutChar("xxxxppii"[index]);
}

void X86Decoder::PrintModRM(char size) {
  int m = ModRM();
  if (m_unreadable || m_tooLong) return;
  int mod = m >> 6;
  int rm = m & 7;
  if (mod == 3) {
    PrintRegister(rm, size);
    return;
  }
  // B and W name their size even where the template's registers hide it.
  if (size == 'B' || size == 'W') {
    m_sizeKeyword = true;
    size = size == 'B' ? 'b' : 'w';
  } else if (size == 'y') {
    size = 'w';
  }
  PrintMemory(size, mod, rm);
}

void X86Decoder::PrintSizeKeyword(char size) {
  if (size == ' ' || size == 'a') return;  // memory without a size
  if (size == 'b' || m_w == 0)
    Put("byte ptr ");
  else if (size == 'p')
    Put(Op32() ? "fword ptr " : "dword ptr ");
  else if (size == 'w')
    Put("word ptr ");
  else if (size == 'd' || Op32())
    Put("dword ptr ");
  else
    Put("word ptr ");
}

void X86Decoder::PrintMemory(char size, int mod, int rm) {
  if (m_sizeKeyword) PrintSizeKeyword(size);
  PrintOverride();
  PutChar('[');
  if (!Ad32()) {
    if (mod == 0 && rm == 6) {
      PutWord(Fetch16());
      PutChar(']');
      return;
    }
    Put(kBase16[rm]);
  } else if (mod == 0 && rm == 5) {
    PutPlain32(Fetch32());
    PutChar(']');
    return;
  } else if (rm == 4) {
    PrintSib(mod);
  } else {
    Put(kReg32[rm]);
  }
  PrintDisplacement(mod);
  PutChar(']');
}

void X86Decoder::PrintSib(int mod) {
  int s = Sib();
  int base = s & 7;
  int index = (s >> 3) & 7;
  if (base == 5 && mod == 0)
    PutPlain32(Fetch32());
  else
    Put(kReg32[base]);
  if (index != 4) {
    PutChar('+');
    Put(kReg32[index]);
    Put(kScale[s >> 6]);
  }
}

void X86Decoder::PrintDisplacement(int mod) {
  if (mod == 1) {
    signed char d = static_cast<signed char>(Fetch());
    if (d != 0) PutSigned(d, Ad32() ? 5 : 3);
  } else if (mod == 2) {
    if (Ad32())
      PutSigned(static_cast<int32_t>(Fetch32()), 9);
    else
      PutSigned(static_cast<int16_t>(Fetch16()), 5);
  }
}

void X86Decoder::PrintImmediate(char size) {
  if (size == 'q') size = m_w == 0 ? 'b' : 'v';
  switch (size) {
    case 'b':
      PutByte(Fetch());
      break;
    case 'w':
      PutWord(Fetch16());
      break;
    case 'd':
      PutPlain32(Fetch32());
      break;
    case 'v':
    case 'c':
      if (Op32())
        PutPlain32(Fetch32());
      else
        PutWord(Fetch16());
      break;
    case 'x': {
      // A sign-extended byte, shown at the width of the operand.
      DWORD v = static_cast<DWORD>(static_cast<int32_t>(static_cast<signed char>(Fetch())));
      if (Op32())
        PutPlain32(v);
      else
        PutWord(v & 0xFFFF);
      break;
    }
    default:
      break;
  }
}

void X86Decoder::PrintJump(char size) {
  if (size == 'v') size = Op32() ? 'd' : 'w';
  int32_t disp;
  if (size == 'b')
    disp = static_cast<signed char>(Fetch());
  else if (size == 'w')
    disp = static_cast<int16_t>(Fetch16());
  else if (size == 'd')
    disp = static_cast<int32_t>(Fetch32());
  else
    return;
  PutHex(m_addr + static_cast<DWORD>(disp), 8);
}

void X86Decoder::PrintFarAddress() {
  // The offset is as wide as the operand size.
  DWORD offset = Op32() ? Fetch32() : Fetch16();
  DWORD seg = Fetch16();
  PutHex(seg, 4);
  PutChar(':');
  PutHex(offset, Op32() ? 8 : 4);
}

void X86Decoder::PrintOffset() {
  PrintOverride();
  PutChar('[');
  if (Ad32())
    PutPlain32(Fetch32());
  else
    PutWord(Fetch16());
  PutChar(']');
}

void X86Decoder::PrintOverride() {
  if (m_seg) {
    PutChar(m_seg);
    Put("s:");
  }
}

void X86Decoder::Put(const char* s) {
  while (*s) PutChar(*s++);
}

void X86Decoder::PutChar(char c) {
  if (m_len < kDisasmMaxText) m_text[m_len++] = c;
}

void X86Decoder::PutSize(char size) {
  if (size) PutChar(size);
}

void X86Decoder::PutHex(DWORD value, int digits) {
  for (int shift = (digits - 1) * 4; shift >= 0; shift -= 4)
    PutChar(shift >= 32 ? '0' : kHexDigits[(value >> shift) & 15]);
}

void X86Decoder::PutByte(DWORD value) {
  PutHex(value & 0xFF, 3);
  PutChar('h');
}

void X86Decoder::PutWord(DWORD value) {
  PutHex(value & 0xFFFF, 5);
  PutChar('h');
}

void X86Decoder::PutPlain32(DWORD value) {
  // All significant digits: eight when anything lies above bit 15.
  PutHex(value, (value & 0xFFFF0000u) ? 8 : 4);
}

void X86Decoder::PutSigned(long long value, int digits) {
  PutChar(value < 0 ? '-' : '+');
  unsigned long long magnitude =
      value < 0 ? 0ull - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
  PutHex(static_cast<DWORD>(magnitude), digits);
  PutChar('h');
}

void X86Decoder::Tab() {
  if (m_tabDone) {
    PutChar(' ');
    return;
  }
  m_tabDone = true;
  PutChar(' ');
  while (m_len % 8 != 0 && m_len < kDisasmMaxText) PutChar(' ');
}

}  // namespace disasm
