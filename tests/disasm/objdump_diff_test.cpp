// Differential test against GNU objdump (-m i8086 -M intel): random
// instructions drawn from the decoder's own opcode set must have the same
// length and, after spelling is normalised, the same mnemonic and operands.
#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <random>
#include <regex>
#include <string>
#include <vector>

#include "disasm/disasm.h"
#include "disasm/disasm_tables.h"
#include "tests/disasm/code_memory.h"
#include "tests/support/test_support.h"

namespace {

struct Insn {
  std::vector<BYTE> bytes;
  DWORD address;
  std::string text;
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
  if (text.find("<invalid>") != std::string::npos) return "absent table entry";
  if (rep && !(rep == 0xF0 || (!twoByte && Has(kStringOps, op))))
    return "repeat prefix on a non-string instruction (objdump: pause, bnd, ...)";
  if (!twoByte) {
    if (op == 0x9B) return "objdump folds fwait into the following FPU instruction";
    if (op == 0xD6) return "setalc is undocumented; objdump shows (bad)";
    if (op66 && Has({0x98, 0x99, 0xCF, 0xC2, 0xC3, 0xCA, 0xCB, 0xE3}, op))
      return "these templates keep their 16-bit names under an operand-size prefix";
    if (reg != 0 && Has({0x8F, 0xC6, 0xC7}, op))
      return "undefined reg field of pop and mov immediate; the templates ignore it";
    if (op66 && Has({0xC8, 0xC9}, op))
      return "enter and leave keep their 16-bit names under an operand-size prefix";
    if (op66 && mod == 3 && Has({0x8C, 0x8E}, op))
      return "segment moves name the word register of their template";
    if (op66 && op == 0x90) return "nop keeps its name under an operand-size prefix (objdump: xchg eax,eax)";
    if (mod == 3 && Has({0x62, 0x8D, 0xC4, 0xC5}, op)) return "memory-only operand with a register ModR/M";
    if (mod == 3 && op == 0xFF && (reg == 3 || reg == 5)) return "far indirect through a register";
    if (op >= 0xD8 && op <= 0xDF && mod == 3 && !FpuRegisterFormDefined(op - 0xD8, reg, rm))
      return "FPU register form the 486 leaves undefined";
    if (ad67 && Has({0xE0, 0xE1, 0xE2}, op))
      return "loops under an address-size prefix count in ecx, which the text does not show";
  } else {
    if (Has({0x05, 0x07, 0x10, 0x11, 0x12, 0x13}, op))
      return "loadall and the 386 byte moves have other names in objdump";
    if (rep == 0xF0 && op >= 0x20 && op <= 0x26)
      return "objdump reads lock before a control register move as cr8 and up";
    if ((op66 || ad67) && (op == 0x08 || op == 0x09))
      return "objdump rejects size prefixes on invd and wbinvd";
    if (op66 && mod == 3 && op <= 0x03)
      return "lar, lsl, sldt, str and smsw name the word register of their template";
    if (mod == 3 && Has({0xB2, 0xB4, 0xB5}, op)) return "memory-only operand with a register ModR/M";
    if (mod == 3 && op == 0x01 && reg < 4) return "memory-only operand with a register ModR/M";
    if (!op66 && op >= 0xC8 && op <= 0xCF)
      return "bswap without an operand-size prefix (a 16-bit register, undefined) keeps "
             "the 32-bit name of its template";
  }
  if (ad67 && mod == 0 && rm == 4 && sib >= 0 && (sib & 7) == 5)
    return "objdump writes a plain 32-bit offset after the index, and signed";
  return nullptr;
}

// A random instruction from the decoder's opcode set, or an empty one when
// the draw is excluded.
Insn Draw(std::mt19937& rng, DWORD address) {
  auto byte = [&] { return BYTE(rng() & 0xFF); };
  std::vector<BYTE> bytes;
  bool op66 = rng() % 5 == 0, ad67 = rng() % 6 == 0;
  int seg = rng() % 6 == 0 ? (int[]){0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65}[rng() % 6] : 0;
  int rep = rng() % 10 == 0 ? (int[]){0xF0, 0xF2, 0xF3}[rng() % 3] : 0;
  if (rep) bytes.push_back(BYTE(rep));
  if (seg) bytes.push_back(BYTE(seg));
  if (op66) bytes.push_back(0x66);
  if (ad67) bytes.push_back(0x67);
  bool twoByte = rng() % 6 == 0;
  int op;
  for (;;) {
    op = byte();
    if (twoByte) {
      if (disasm::kTwoByteMap[op]) break;
    } else if (disasm::kOneByteMap[op] &&
               !Has({0x0F, 0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65, 0x66, 0x67, 0xF0, 0xF2, 0xF3}, op)) {
      break;
    }
  }
  if (twoByte) bytes.push_back(0x0F);
  bytes.push_back(BYTE(op));
  size_t modrmAt = bytes.size();
  for (int i = 0; i < 12; ++i) bytes.push_back(byte());
  disasm_test::SetCode(address, bytes);
  disasm_test::Decoded d = disasm_test::DecodeAt(address);
  int sib = bytes.size() > modrmAt + 1 ? bytes[modrmAt + 1] : -1;
  if (Exclusion(op66, ad67, rep, op, twoByte, bytes[modrmAt], sib, d.text)) return {};
  bytes.resize(d.length);
  return {bytes, address, d.text};
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

std::string NormaliseOurs(const std::string& text, bool jump16) {
  std::string s = Collapse(text);
  s = Replace(s, "\\bC([0-7])\\b", "cr$1");
  s = Replace(s, "\\bD([0-7])\\b", "dr$1");
  s = Replace(s, "\\bint 03$", "int3");
  s = NumbersToC(s);
  s = Replace(s, "(byte|word|dword) ptr ", "");
  s = Replace(s, "\\b(short|near|far) ", "");
  s = Replace(s, " ;", "");
  s = Replace(s, "ds:\\[", "[");
  s = Replace(s, "\\b[c-gs]s:((movs|cmps|stos|lods|scas|ins|outs)[bwd])", "$1");
  s = Replace(s, "\\+0x0\\]", "]");
  return Common(s, jump16);
}

std::string NormaliseObjdump(const std::string& text, bool jump16) {
  std::string s = Collapse(text);
  if (s.find(" PTR ") != std::string::npos)
    s = Replace(s,
                "^((?:(?:es|cs|ss|ds|fs|gs|data16|data32|addr16|addr32|lock|rep|repz|repnz|repe|repne) )*)"
                "(movs|cmps|stos|lods|scas|ins|outs) .*?(BYTE|WORD|DWORD).*$",
                "$1$2$3");
  s = Replace(s, "(movs|cmps|stos|lods|scas|ins|outs)BYTE$", "$1b");
  s = Replace(s, "(movs|cmps|stos|lods|scas|ins|outs)WORD$", "$1w");
  s = Replace(s, "(movs|cmps|stos|lods|scas|ins|outs)DWORD$", "$1d");
  s = Replace(s, "\\b(es|cs|ss|ds|fs|gs|data16|data32|addr16|addr32|notrack) ", "");
  s = Replace(s, "\\bxlat .*", "xlat");
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
  std::string cmd = "objdump -D -b binary -m i8086 -M intel " + file + " 2>/dev/null";
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

// imul with a byte immediate shows the byte; objdump the sign-extended word.
std::string ByteImmediateOfImul(const std::vector<BYTE>& b, std::string s) {
  size_t i = 0;
  while (i < b.size() && Has({0x26, 0x2E, 0x36, 0x3E, 0x64, 0x65, 0x66, 0x67, 0xF0, 0xF2, 0xF3}, b[i])) ++i;
  std::smatch m;
  if (i < b.size() && b[i] == 0x6B && std::regex_search(s, m, Pattern("0x([0-9a-f]+)$"))) {
    char buf[8];
    std::snprintf(buf, sizeof buf, "0x%lx", std::stoul(m[1].str(), nullptr, 16) & 0xFF);
    s = m.prefix().str() + buf;
  }
  return s;
}

// A fixed seed in CI; MIRT_DIFF_SEED picks another for a longer search.
unsigned Seed() {
  const char* s = std::getenv("MIRT_DIFF_SEED");
  return s ? unsigned(std::strtoul(s, nullptr, 10)) : 20240611u;
}

TEST(ObjdumpDifferential, RandomInstructionsAgree) {
  if (!HaveObjdump()) GTEST_SKIP() << "objdump is not installed";
  std::mt19937 rng(Seed());
  std::vector<Insn> insns;
  std::vector<BYTE> image;
  while (image.size() < 30000) {
    Insn in = Draw(rng, DWORD(image.size()));
    if (in.bytes.empty()) continue;
    image.insert(image.end(), in.bytes.begin(), in.bytes.end());
    insns.push_back(in);
  }
  std::string dir = mirt_test::MakeTempDir("objdump");
  std::string file = mirt_test::WriteFile(dir + "/code.bin", std::string(image.begin(), image.end()));
  std::map<DWORD, ObjdumpLine> theirs = RunObjdump(file);
  ASSERT_FALSE(theirs.empty());
  int mismatches = 0;
  for (const Insn& in : insns) {
    auto it = theirs.find(in.address);
    std::string hex;
    for (BYTE b : in.bytes) {
      char t[4];
      std::snprintf(t, sizeof t, "%02X ", b);
      hex += t;
    }
    if (it == theirs.end()) {
      ADD_FAILURE() << "objdump has no instruction at " << in.address << ": " << hex << in.text;
      if (++mismatches > 40) break;
      continue;
    }
    bool jump16 = IsRelativeJump(in.bytes) && !HasPrefix(in.bytes, 0x66);
    std::string ours = NormaliseOurs(in.text, jump16);
    std::string other = ByteImmediateOfImul(in.bytes, NormaliseObjdump(it->second.text, jump16));
    if (it->second.length != int(in.bytes.size()) || ours != other) {
      ADD_FAILURE() << hex << "| ours: " << in.text << " -> " << ours << " | objdump (" << it->second.length
                    << "): " << it->second.text << " -> " << other;
      if (++mismatches > 40) break;
    }
  }
}

}  // namespace
