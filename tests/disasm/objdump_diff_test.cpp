// Differential test against GNU objdump (-m i8086 -M intel): random
// instructions drawn from the decoder's own opcode set, with prefixes that
// may repeat, must have the same length and, after spelling is normalised,
// the same mnemonic and operands. An "<invalid>" line must be one that
// objdump rejects too or names after a later processor.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "disasm/instruction_text.h"
#include "disasm/disasm_tables.h"
#include "tests/disasm/code_memory.h"
#include "tests/support/test_support.h"

namespace {

struct Insn {
  std::vector<BYTE> bytes;
  DWORD address;
  std::string text;
  bool invalid = false;
};

bool Has(std::initializer_list<int> set, int v) {
  for (int x : set)
    if (x == v) return true;
  return false;
}

const std::initializer_list<int> kStringOps = {0x6C, 0x6D, 0x6E, 0x6F, 0xA4, 0xA5, 0xA6,
                                               0xA7, 0xAA, 0xAB, 0xAC, 0xAD, 0xAE, 0xAF};

// FPU register forms (escape * 8 + reg, r/m mask) that the 486 defines;
// objdump names the others after later processors or as aliases.
bool FpuRegisterFormDefined(int escape, int reg, int rm) {
  switch (escape) {
    case 0:
      return true;
    case 1:
      return reg < 2 || reg >= 6 || (reg == 2 && rm == 0) || (reg == 4 && Has({0, 1, 4, 5}, rm)) ||
             (reg == 5 && rm < 7);
    case 2:
      return reg == 5 && rm == 1;
    case 3:
      return reg == 4 && (rm == 2 || rm == 3);
    case 4:
      return reg != 2 && reg != 3;
    case 5:
      return Has({0, 2, 3, 4, 5}, reg);
    case 6:
      return reg != 2 && (reg != 3 || rm == 1);
    case 7:
      return reg == 4 && rm == 0;
  }
  return false;
}

// Why an instruction is left out of the comparison, or null. Each entry is
// a form where the decoder deliberately prints something else.
const char* Exclusion(bool op66, bool ad67, int rep, int op, bool twoByte, int modrm, int sib,
                      const std::string& text) {
  int mod = modrm >> 6, reg = (modrm >> 3) & 7, rm = modrm & 7;
  if (text.rfind("db", 0) == 0) return "longer than 15 bytes; the processor faults";
  if (rep && !(rep == 0xF0 || (!twoByte && Has(kStringOps, op))))
    return "repeat prefix on a non-string instruction (objdump: pause, bnd, ...)";
  if (!twoByte) {
    if (op == 0x9B) return "objdump folds fwait into the following FPU instruction";
    if (op == 0xD6) return "setalc is undocumented; objdump shows (bad)";
    if (reg != 0 && Has({0x8F, 0xC6, 0xC7}, op))
      return "undefined reg field of pop and mov immediate; the templates ignore it";
    if (op66 && mod == 3 && op == 0x8E)
      return "a segment register is loaded from the word register whatever the operand size "
             "(objdump names the doubleword)";
    if (op66 && op == 0x90) return "nop keeps its name under an operand-size prefix (objdump: xchg eax,eax)";
    if (mod == 3 && Has({0x62, 0x8D, 0xC4, 0xC5}, op)) return "memory-only operand with a register ModR/M";
    if (mod == 3 && op == 0xFF && (reg == 3 || reg == 5)) return "far indirect through a register";
    if (op >= 0xD8 && op <= 0xDF && mod == 3 && !FpuRegisterFormDefined(op - 0xD8, reg, rm))
      return "FPU register form the 486 leaves undefined";
  } else {
    if (Has({0x05, 0x07, 0x10, 0x11, 0x12, 0x13}, op))
      return "loadall and the 386 byte moves have other names in objdump";
    if (rep == 0xF0 && op >= 0x20 && op <= 0x26)
      return "objdump reads lock before a control register move as cr8 and up";
    if ((op66 || ad67) && (op == 0x08 || op == 0x09))
      return "objdump rejects size prefixes on invd and wbinvd";
    if (mod == 3 && Has({0xB2, 0xB4, 0xB5}, op)) return "memory-only operand with a register ModR/M";
    if (mod == 3 && op == 0x01 && (reg < 4 || reg == 7)) return "memory-only operand with a register ModR/M";
    if (mod == 3 && op == 0x01 && reg == 5)
      return "register forms of 0F 01 /5 belong to later processors (objdump: serialize, rdpkru, ...)";
    if (!op66 && op >= 0xC8 && op <= 0xCF)
      return "bswap without an operand-size prefix (a 16-bit register, undefined) keeps "
             "the 32-bit name of its template";
  }
  if (ad67 && mod == 0 && rm == 4 && sib >= 0 && (sib & 7) == 5)
    return "objdump writes a plain 32-bit offset after the index, and signed";
  return nullptr;
}

// An instruction before decoding: its prefixes, opcode and the bytes that
// follow.
struct Draft {
  bool op66 = false, ad67 = false;
  int rep = 0;
  bool twoByte = false;
  int op = 0;
  std::vector<BYTE> bytes;
  size_t modrmAt = 0;
};

void PutOpcode(Draft& d) {
  if (d.twoByte) d.bytes.push_back(0x0F);
  d.bytes.push_back(BYTE(d.op));
  d.modrmAt = d.bytes.size();
}

// The decoded instruction, or an empty one when it is excluded.
Insn Decode(Draft d, DWORD address) {
  disasm_test::SetCode(address, d.bytes);
  disasm_test::Decoded out = disasm_test::DecodeAt(address);
  int sib = d.bytes.size() > d.modrmAt + 1 ? d.bytes[d.modrmAt + 1] : -1;
  if (Exclusion(d.op66, d.ad67, d.rep, d.op, d.twoByte, d.bytes[d.modrmAt], sib, out.text)) return {};
  d.bytes.resize(out.length);
  return {d.bytes, address, out.text, out.text.find("<invalid>") != std::string::npos};
}

bool IsPrefix(int b) {
  return Has({0x0F, 0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65, 0x66, 0x67, 0xF0, 0xF2, 0xF3}, b);
}

// A random instruction from the decoder's opcode set (absent two-byte
// entries included). Each prefix may come twice, and the prefixes come in
// any order.
Draft Draw(std::mt19937& rng) {
  auto byte = [&] { return BYTE(rng() & 0xFF); };
  auto times = [&] { return rng() % 4 == 0 ? 2 : 1; };
  Draft d;
  d.op66 = rng() % 5 == 0;
  d.ad67 = rng() % 6 == 0;
  int seg = rng() % 6 == 0 ? (int[]){0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65}[rng() % 6] : 0;
  d.rep = rng() % 10 == 0 ? (int[]){0xF0, 0xF2, 0xF3}[rng() % 3] : 0;
  for (int prefix : {d.rep, seg, d.op66 ? 0x66 : 0, d.ad67 ? 0x67 : 0})
    if (prefix) d.bytes.insert(d.bytes.end(), times(), BYTE(prefix));
  std::shuffle(d.bytes.begin(), d.bytes.end(), rng);
  d.twoByte = rng() % 6 == 0;
  do {
    d.op = byte();
  } while (!d.twoByte && (!disasm::kOneByteMap[d.op] || IsPrefix(d.op)));
  PutOpcode(d);
  for (int i = 0; i < 12; ++i) d.bytes.push_back(byte());
  return d;
}

// Every opcode of both maps with every reg field, once with a memory
// operand and once with a register.
std::vector<Draft> Sweep() {
  constexpr BYTE kMemoryBx = 0x07;    // mod 0, r/m 7: [bx]
  constexpr BYTE kRegisterCx = 0xC1;  // mod 3, r/m 1
  const std::vector<BYTE> kTail = {0x12, 0x34, 0x56, 0x78, 0x9A, 0xBC, 0xDE, 0x0F};
  std::vector<Draft> all;
  for (bool twoByte : {false, true}) {
    for (int op = 0; op < 256; ++op) {
      if (!twoByte && (!disasm::kOneByteMap[op] || IsPrefix(op))) continue;
      for (int reg = 0; reg < 8; ++reg) {
        for (BYTE modrm : {kMemoryBx, kRegisterCx}) {
          Draft d;
          d.twoByte = twoByte;
          d.op = op;
          PutOpcode(d);
          d.bytes.push_back(BYTE(modrm | reg << 3));
          d.bytes.insert(d.bytes.end(), kTail.begin(), kTail.end());
          all.push_back(d);
        }
      }
    }
  }
  return all;
}

// Patterns are compiled once.
const std::regex& Pattern(const std::string& re) {
  static std::map<std::string, std::regex> cache;
  auto it = cache.find(re);
  if (it == cache.end()) it = cache.emplace(re, std::regex(re, std::regex::optimize)).first;
  return it->second;
}

std::string Replace(const std::string& s, const std::string& re, const std::string& with) {
  return std::regex_replace(s, Pattern(re), with);
}

std::string Collapse(std::string s) {
  s = Replace(s, "\\s+", " ");
  while (!s.empty() && s.back() == ' ') s.pop_back();
  while (!s.empty() && s.front() == ' ') s.erase(0, 1);
  return s;
}

// Mnemonic spellings that differ: both sides are mapped to one name.
std::string Alias(std::string s) {
  static const std::map<std::string, std::string> kAlias = {
      {"jc", "jb"},           {"jnc", "jae"},       {"jnb", "jae"},        {"jz", "je"},
      {"jnz", "jne"},         {"jpe", "jp"},        {"jpo", "jnp"},        {"setc", "setb"},
      {"setnc", "setae"},     {"setz", "sete"},     {"setnz", "setne"},    {"setnbe", "seta"},
      {"sal", "shl"},         {"calld", "call"},    {"pushd", "push"},     {"popd", "pop"},
      {"jmpd", "jmp"},        {"lgdtw", "lgdt"},    {"sgdtw", "sgdt"},     {"lidtw", "lidt"},
      {"sidtw", "sidt"},      {"lgdtd", "lgdt"},    {"sgdtd", "sgdt"},     {"lidtd", "lidt"},
      {"sidtd", "sidt"},      {"fnstcw", "fstcw"},  {"fnstsw", "fstsw"},   {"fnsave", "fsave"},
      {"fnstenv", "fstenv"},  {"fninit", "finit"},  {"fnclex", "fclex"},   {"faddq", "fadd"},
      {"fmulq", "fmul"},      {"fcomq", "fcom"},    {"fcompq", "fcomp"},   {"fsubq", "fsub"},
      {"fsubrq", "fsubr"},    {"fdivq", "fdiv"},    {"fdivrq", "fdivr"},   {"fldq", "fld"},
      {"fstq", "fst"},        {"fstpq", "fstp"},    {"fldt", "fld"},       {"fstpt", "fstp"},
      {"fildw", "fild"},      {"fistw", "fist"},    {"fistpw", "fistp"},   {"fildq", "fild"},
      {"fistpq", "fistp"},    {"fbldt", "fbld"},    {"fbstpt", "fbstp"},   {"fiaddw", "fiadd"},
      {"fimulw", "fimul"},    {"ficomw", "ficom"},  {"ficompw", "ficomp"}, {"fisubw", "fisub"},
      {"fisubrw", "fisubr"},  {"fidivw", "fidiv"},  {"fidivrw", "fidivr"}, {"repz", "repe"},
      {"rep", "repe"},        {"repnz", "repne"},   {"frstord", "frstor"}, {"fnsaved", "fsave"},
      {"fnstenvd", "fstenv"}, {"fldenvd", "fldenv"}};
  std::string out;
  size_t pos = 0;
  while (pos <= s.size()) {
    size_t end = s.find(' ', pos);
    if (end == std::string::npos) end = s.size();
    std::string word = s.substr(pos, end - pos);
    auto it = kAlias.find(word);
    if (!out.empty()) out += ' ';
    out += it != kAlias.end() ? it->second : word;
    pos = end + 1;
    if (word.find(',') != std::string::npos || word.find('[') != std::string::npos) break;
  }
  if (pos < s.size()) out += ' ' + s.substr(pos);
  return out;
}

std::string Common(std::string s, bool jump16) {
  s = Replace(s, "st,st\\(", "st(");
  s = Replace(s, "^int 0x3$", "int3");
  s = Alias(s);
  if (jump16) {
    std::smatch m;
    if (std::regex_search(s, m, Pattern("0x([0-9a-f]+)$"))) {
      unsigned long v = std::stoul(m[1].str(), nullptr, 16) & 0xFFFF;
      char buf[16];
      std::snprintf(buf, sizeof buf, "0x%lx", v);
      s = m.prefix().str() + buf;
    }
  }
  return s;
}

std::string HexNumber(const std::string& digits) {
  char buf[24];
  std::snprintf(buf, sizeof buf, "0x%lx", std::stoul(digits, nullptr, 16));
  return buf;
}

std::string NumbersToC(const std::string& s) {
  // Upper-case hex: "012h" forms and plain 4- or 8-digit values.
  static const std::regex kNum("\\b([0-9A-F]+h|[0-9A-F]{8}|[0-9A-F]{4})\\b");
  std::string out;
  auto begin = std::sregex_iterator(s.begin(), s.end(), kNum);
  size_t last = 0;
  for (auto it = begin; it != std::sregex_iterator(); ++it) {
    std::string tok = it->str();
    if (tok.back() == 'h') tok.pop_back();
    out += s.substr(last, it->position() - last) + HexNumber(tok);
    last = it->position() + it->length();
  }
  return out + s.substr(last);
}

// String instructions and xlat on both sides: prefixes, the segment the
// source is read through (when not ds), the name with its size letter, and
// " a32" when they address through 32-bit registers.
std::string StringForm(const std::string& s) {
  static const std::regex kString(
      "^((?:[a-z0-9]+ )*?)(?:([c-gs]s):)?(movs|cmps|stos|lods|scas|ins|outs|xlat)([bwd]?)(?: (.*))?$");
  std::smatch m;
  if (!std::regex_match(s, m, kString)) return s;
  std::string prefixes = Replace(m[1].str(), "\\b(es|cs|ss|ds|fs|gs|data16|data32|addr16|addr32) ", "");
  std::string operands = m[5].str();
  std::string seg = m[2].str();
  std::smatch part;
  if (seg.empty() && std::regex_search(operands, part, Pattern("\\b([c-gs]s):\\[e?(si|bx)\\]")))
    seg = part[1].str();
  if (seg == "ds") seg.clear();
  std::string size = m[4].str();
  if (size.empty() && m[3] != "xlat" &&
      std::regex_search(operands, part, Pattern("\\b(BYTE|WORD|DWORD) PTR")))
    size = part[1].str() == "BYTE" ? "b" : part[1].str() == "WORD" ? "w" : "d";
  bool a32 = operands.find("[e") != std::string::npos;
  return prefixes + (seg.empty() ? "" : seg + ":") + m[3].str() + size + (a32 ? " a32" : "");
}

std::string NormaliseOurs(const std::string& text, bool jump16) {
  std::string s = StringForm(Collapse(text));
  s = Replace(s, "\\bC([0-7])\\b", "cr$1");
  s = Replace(s, "\\bD([0-7])\\b", "dr$1");
  s = Replace(s, "\\bint 03$", "int3");
  s = NumbersToC(s);
  s = Replace(s, "(byte|word|dword|fword) ptr ", "");
  s = Replace(s, "\\b(short|near|far) ", "");
  s = Replace(s, " ;", "");
  s = Replace(s, "ds:\\[", "[");
  s = Replace(s, "\\+0x0\\]", "]");
  return Common(s, jump16);
}

std::string NormaliseObjdump(const std::string& text, bool jump16) {
  std::string s = StringForm(Collapse(text));
  // Loops that count in ecx: MASM's names.
  if (std::regex_search(s, Pattern("\\baddr32 "))) s = Replace(s, "\\b(loop|loope|loopne) ", "$1d ");
  s = Replace(s, "\\b(es|cs|ss|ds|fs|gs|data16|data32|addr16|addr32|notrack) ", "");
  s = Replace(s, "\\+eiz(\\*[248])?", "");
  s = Replace(s, "\\[eiz(\\*[248])?\\+", "[");
  s = Replace(s, "\\+0x0\\]", "]");
  s = Replace(s, "(BYTE|WORD|DWORD|QWORD|TBYTE|FWORD) PTR ", "");
  s = Replace(s, "\\bds:0x([0-9a-f]+)", "[0x$1]");
  s = Replace(s, "\\bds:\\[", "[");
  s = Replace(s, "\\*1\\b", "");
  s = Replace(s, "\\b([c-gs]s):0x([0-9a-f]+)", "$1:[0x$2]");
  return Common(s, jump16);
}

struct ObjdumpLine {
  int length = 0;
  std::string text;
};

// objdump's listing by offset; a continuation line adds its bytes.
std::map<DWORD, ObjdumpLine> RunObjdump(const std::string& file) {
  std::map<DWORD, ObjdumpLine> lines;
  std::string cmd = "objdump -D -b binary -m i8086 -M intel '" + file + "' 2>/dev/null";
  FILE* p = popen(cmd.c_str(), "r");
  if (!p) return lines;
  static const std::regex kLine("^\\s*([0-9a-f]+):\\t([0-9a-f ]+?)\\s*(?:\\t(.*))?$");
  char buf[512];
  DWORD last = 0;
  while (std::fgets(buf, sizeof buf, p)) {
    std::string line(buf);
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r')) line.pop_back();
    std::smatch m;
    if (!std::regex_match(line, m, kLine)) continue;
    DWORD at = std::stoul(m[1].str(), nullptr, 16);
    int n = int((m[2].str().size() + 1) / 3);
    if (m[3].matched && !m[3].str().empty()) {
      lines[at] = {n, m[3].str()};
      last = at;
    } else if (lines.count(last)) {
      lines[last].length += n;
    }
  }
  pclose(p);
  return lines;
}

bool HaveObjdump() { return std::system("objdump --version >/dev/null 2>&1") == 0; }

bool IsRelativeJump(const std::vector<BYTE>& b) {
  size_t i = 0;
  while (i < b.size() && Has({0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65, 0x66, 0x67, 0xF0, 0xF2, 0xF3}, b[i])) ++i;
  if (i >= b.size()) return false;
  int op = b[i];
  if (op == 0x0F) return i + 1 < b.size() && (b[i + 1] & 0xF0) == 0x80;
  return (op >= 0x70 && op <= 0x7F) || (op >= 0xE0 && op <= 0xE3) || op == 0xE8 || op == 0xE9 || op == 0xEB;
}

bool HasPrefix(const std::vector<BYTE>& b, BYTE prefix) {
  for (BYTE x : b) {
    if (x == prefix) return true;
    if (!Has({0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65, 0x66, 0x67, 0xF0, 0xF2, 0xF3}, x)) break;
  }
  return false;
}

// A fixed seed in CI; MIRT_DIFF_SEED picks another for a longer search.
unsigned Seed() {
  const char* s = std::getenv("MIRT_DIFF_SEED");
  return s ? unsigned(std::strtoul(s, nullptr, 10)) : 20240611u;
}

std::string HexBytes(const std::vector<BYTE>& bytes) {
  std::string hex;
  for (BYTE b : bytes) {
    char t[4];
    std::snprintf(t, sizeof t, "%02X ", b);
    hex += t;
  }
  return hex;
}

// Padding after an "<invalid>" instruction: whatever objdump makes of the
// bytes it rejects ends inside it, so the next one starts in step.
constexpr int kInvalidPadding = kDisasmMaxBytes;
constexpr BYTE kNop = 0x90;

// Where the decoder shows "<invalid>", objdump rejects the bytes ("(bad)",
// or "?" for a segment register that does not exist) or names an
// instruction the 486 does not execute: MMX and SSE forms, the 8087 and 287
// forms it marks as such, and instructions of later processors (cpuid and
// rsm only came with the last 486 models).
bool NotA486Instruction(const std::string& objdump) {
  static const std::regex kPrefixes(
      "^(?:(?:es|cs|ss|ds|fs|gs|data16|data32|addr16|addr32|lock|rep|repz|repnz) )*");
  static const std::regex kLater(
      "^(cmov\\w+|fcmov\\w+|fu?comip?|fisttp|ffreep|ud[012]|sys(enter|exit|call|ret)|rdpmc|rdtsc|rdmsr|wrmsr|"
      "cpuid|rsm|getsec|f?emms|prefetch\\w*|[ls]dmxcsr|stmxcsr|fxsave|fxrstor|clflush|[lms]fence|vm\\w+|"
      "movnti|bnd\\w+|nop|cmpxchg8b)\\b");
  std::string s = std::regex_replace(objdump, kPrefixes, "");
  return s.find("(bad)") != std::string::npos || s.find('?') != std::string::npos ||
         std::regex_search(s, Pattern("\\bx?mm[0-7]\\b")) ||
         std::regex_search(s, Pattern("\\((8087|287) only\\)")) || std::regex_search(s, kLater);
}

TEST(ObjdumpDifferential, RandomInstructionsAgree) {
  if (!HaveObjdump()) GTEST_SKIP() << "objdump is not installed";
  std::mt19937 rng(Seed());
  std::vector<Insn> insns, invalid;
  std::vector<BYTE> image, slots;
  // Valid instructions one after another; "<invalid>" ones each in a
  // padded slot of their own.
  auto add = [&](const Draft& d) {
    Insn in = Decode(d, DWORD(image.size()));
    if (in.bytes.empty()) return;
    if (in.invalid) {
      in = Decode(d, DWORD(slots.size()));
      slots.insert(slots.end(), in.bytes.begin(), in.bytes.end());
      slots.insert(slots.end(), kInvalidPadding, kNop);
      invalid.push_back(in);
      return;
    }
    image.insert(image.end(), in.bytes.begin(), in.bytes.end());
    insns.push_back(in);
  };
  for (const Draft& d : Sweep()) add(d);
  constexpr size_t kRandomBytes = 30000;
  for (size_t end = image.size() + kRandomBytes; image.size() < end;) add(Draw(rng));
  std::string dir = mirt_test::MakeTempDir("objdump");
  std::map<DWORD, ObjdumpLine> theirs =
      RunObjdump(mirt_test::WriteFile(dir + "/code.bin", std::string(image.begin(), image.end())));
  std::map<DWORD, ObjdumpLine> theirsInvalid =
      RunObjdump(mirt_test::WriteFile(dir + "/invalid.bin", std::string(slots.begin(), slots.end())));
  ASSERT_FALSE(theirs.empty());
  ASSERT_FALSE(invalid.empty());
  int mismatches = 0;
  for (const Insn& in : insns) {
    auto it = theirs.find(in.address);
    std::string hex = HexBytes(in.bytes);
    if (it == theirs.end()) {
      ADD_FAILURE() << "objdump has no instruction at " << in.address << ": " << hex << in.text;
      if (++mismatches > 40) break;
      continue;
    }
    bool jump16 = IsRelativeJump(in.bytes) && !HasPrefix(in.bytes, 0x66);
    std::string ours = NormaliseOurs(in.text, jump16);
    std::string other = NormaliseObjdump(it->second.text, jump16);
    if (it->second.length != int(in.bytes.size()) || ours != other) {
      ADD_FAILURE() << hex << "| ours: " << in.text << " -> " << ours << " | objdump (" << it->second.length
                    << "): " << it->second.text << " -> " << other;
      if (++mismatches > 40) break;
    }
  }
  // An instruction of the processor shown as "<invalid>" is a difference.
  for (const Insn& in : invalid) {
    auto it = theirsInvalid.find(in.address);
    std::string other = it == theirsInvalid.end() ? std::string("(none)") : Collapse(it->second.text);
    if (NotA486Instruction(other)) continue;
    ADD_FAILURE() << HexBytes(in.bytes) << "| ours: " << in.text << " | objdump: " << other;
    if (++mismatches > 80) break;
  }
}

}  // namespace
