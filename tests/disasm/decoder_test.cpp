// Decoder output: whole texts and lengths for every operand form, the
// prefixes, both operand and address sizes, and invalid bytes.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <thread>
#include <vector>

#include "disasm/instruction_text.h"
#include "tests/disasm/code_memory.h"

using disasm_test::DecodeAt;
using disasm_test::Hex;
using disasm_test::SetCode;

namespace {

struct Case {
  DWORD address;
  const char* bytes;
  const char* text;
  int length;
};

// Texts as decoded: the first blank of a template pads to column 8, later
// ones are single blanks.
const Case kCases[] = {
    {0, "90", "nop", 1},
    {0, "B8 34 12", "mov     ax,01234h", 3},
    {0, "66 B8 78 56 34 12", "mov     eax,12345678", 6},
    {0, "66 B8 01 00 00 00", "mov     eax,0001", 6},
    {0, "66 B8 00 00 10 00", "mov     eax,00100000", 6},
    {0, "66 B8 00 00 00 01", "mov     eax,01000000", 6},
    {0, "C6 07 05", "mov     byte ptr [bx],005h", 3},
    {0, "8B 07", "mov     ax,[bx]", 2},
    {0, "2E 8B 47 FE", "mov     ax,cs:[bx-002h]", 4},
    {0, "8B 46 00", "mov     ax,[bp]", 3},
    {0, "8B 47 80", "mov     ax,[bx-080h]", 3},
    {0, "8D 40 10", "lea     ax,[bx+si+010h]", 3},
    {0, "8B 87 FE FF", "mov     ax,[bx-00002h]", 4},
    {0, "8B 87 34 12", "mov     ax,[bx+01234h]", 4},
    {0, "8B 06 34 12", "mov     ax,[01234h]", 4},
    {0, "89 D8", "mov     ax,bx", 2},
    {0, "88 E0", "mov     al,ah", 2},
    {0, "8C D8", "mov     ax,ds", 2},
    {0, "8E D8", "mov     ds,ax", 2},
    {0, "8E F8", "mov     <invalid>,ax", 2},
    {0, "8F 07", "pop     word ptr [bx]", 2},
    {0, "62 07", "bound   ax,[bx]", 2},
    {0, "63 C8", "arpl    ax,cx", 2},
    // segment overrides and string forms
    {0, "F3 A4", "repe    movsb", 2},
    {0, "26 A4", "es:movsb", 2},
    {0, "2E F3 A4", "repe    cs:movsb", 3},
    {0, "A5", "movsw", 1},
    {0, "66 A5", "movsd", 2},
    {0, "A7", "cmpsw ", 1},
    {0, "F2 AE", "repne   scasb", 2},
    {0, "F0 00 07", "lock    add [bx],al", 3},
    {0, "64 8B 07", "mov     ax,fs:[bx]", 3},
    {0, "65 A0 34 12", "mov     al,gs:[01234h]", 4},
    {0, "A3 34 12", "mov     [01234h],ax", 3},
    {0, "67 A1 78 56 34 12", "mov     ax,[12345678]", 6},
    {0, "60", "pusha ", 1},
    {0, "66 60", "pushad ", 2},
    {0, "9C", "pushf ", 1},
    {0, "6D", "insw", 1},
    {0, "66 6D", "insd", 2},
    {0, "6C", "insb", 1},
    // immediates
    {0, "83 C0 FF", "add     ax,0FFFFh", 3},
    {0, "66 83 C0 FF", "add     eax,FFFFFFFF", 4},
    {0, "6A 01", "push    00001h", 2},
    {0, "6A 80", "push    0FF80h", 2},
    {0, "68 34 12", "push    01234h", 3},
    {0, "80 3E 34 12 05", "cmp     byte ptr [01234h],005h", 5},
    {0, "82 C0 01", "add     al,001h", 3},
    {0, "81 06 34 12 78 56", "add     word ptr [01234h],05678h", 6},
    {0, "66 81 06 34 12 78 56 34 12", "add     dword ptr [01234h],12345678", 9},
    {0, "69 C0 34 12", "imul    ax,ax,01234h", 4},
    {0, "6B C0 FF", "imul    ax,ax,0FFFFh", 3},
    {0, "6B C0 7F", "imul    ax,ax,0007Fh", 3},
    {0, "66 6B C0 FF", "imul    eax,eax,FFFFFFFF", 4},
    {0, "C8 10 00 01", "enter   00010h,001h", 4},
    {0, "C2 04 00", "ret     00004h", 3},
    {0, "CA 04 00", "retf    00004h", 3},
    {0, "CC", "int     03", 1},
    {0, "CD 21", "int     021h", 2},
    {0, "D4 0A", "aam     ; 00Ah", 2},
    {0, "E4 60", "in      al,060h", 2},
    {0, "66 ED", "in      eax,dx", 2},
    {0, "E7 60", "out     060h,ax", 2},
    {0, "A8 80", "test    al,080h", 2},
    {0, "B3 7F", "mov     bl,07Fh", 2},
    {0, "BF FF FF", "mov     di,0FFFFh", 3},
    // groups
    {0, "F6 D0", "not     al", 2},
    {0, "F7 D0", "not     ax", 2},
    {0, "F6 1F", "neg     byte ptr [bx]", 2},
    {0, "F6 E3", "mul     bl", 2},
    {0, "66 F7 E3", "mul     ebx", 3},
    {0, "F6 C3 05", "test    bl,005h", 3},
    {0, "F7 C3 34 12", "test    bx,01234h", 4},
    {0, "F7 07 34 12", "test    word ptr [bx],01234h", 4},
    {0, "FE 07", "inc     byte ptr [bx]", 2},
    {0, "FE 17", "<invalid>", 2},
    {0, "FF 17", "call    near word ptr [bx]", 2},
    {0, "FF 1F", "call    far dword ptr [bx]", 2},
    {0, "66 FF 1F", "call    far fword ptr [bx]", 3},
    {0, "FF 2E 34 12", "jmp     far dword ptr [01234h]", 4},
    {0, "FF E0", "jmp     near ax", 2},
    {0, "FF 36 34 12", "push    word ptr [01234h]", 4},
    {0, "D1 E0", "shl     ax,1", 2},
    {0, "D3 F8", "sar     ax,cl", 2},
    {0, "D2 C8", "ror     al,cl", 2},
    {0, "C0 E0 04", "shl     al,004h", 3},
    {0, "C1 27 04", "shl     word ptr [bx],004h", 3},
    // jumps and far addresses
    {0x100, "EB FE", "jmp     short 00000100", 2},
    {0x100, "74 10", "je      00000112", 2},
    {0x100, "7F F0", "jg      000000F2", 2},
    {0x10, "E8 FD FF", "call    00000010", 3},
    {0x10, "E9 00 10", "jmp     00001013", 3},
    {0x100, "0F 84 FE FF", "jz      00000102", 4},
    {0x100, "66 0F 85 00 00 01 00", "jnz     00010107", 7},
    {0, "E3 05", "jcxz    00000007", 2},
    {0, "67 E3 05", "jecxz   00000008", 3},
    {0, "66 E3 05", "jcxz    00000008", 3},
    {0, "E2 FE", "loop    00000000", 2},
    {0, "9A 78 56 34 12", "call    1234:5678", 5},
    {0, "EA 00 00 FF FF", "jmp     FFFF:0000", 5},
    {0, "66 9A 78 56 34 12 CD AB", "call    ABCD:12345678", 8},
    {0, "67 9A 78 56 34 12", "call    1234:5678", 6},
    // 32-bit addressing
    {0, "67 8B 04 88", "mov     ax,[eax+ecx*4]", 4},
    {0, "66 67 8B 04 88", "mov     eax,[eax+ecx*4]", 5},
    {0, "67 8B 05 78 56 34 12", "mov     ax,[12345678]", 7},
    {0, "67 8B 44 24 08", "mov     ax,[esp+00008h]", 5},
    {0, "67 8B 43 F8", "mov     ax,[ebx-00008h]", 4},
    {0, "67 8B 80 78 56 34 12", "mov     ax,[eax+012345678h]", 7},
    {0, "67 8B 80 00 00 00 80", "mov     ax,[eax-080000000h]", 7},
    {0, "67 8B 04 25 78 56 34 12", "mov     ax,[12345678]", 8},
    {0, "67 8B 04 CD 00 10 00 00", "mov     ax,[1000+ecx*8]", 8},
    {0, "67 C6 00 05", "mov     byte ptr [eax],005h", 4},
    // two-byte map
    {0, "0F B6 C3", "movzx   ax,bl", 3},
    {0, "0F BE 07", "movsx   ax,byte ptr [bx]", 3},
    {0, "0F BF 07", "movsx   ax,word ptr [bx]", 3},
    {0, "0F B6 07", "movzx   ax,byte ptr [bx]", 3},
    {0, "0F B7 07", "movzx   ax,word ptr [bx]", 3},
    {0, "66 0F B7 07", "movzx   eax,word ptr [bx]", 4},
    {0, "66 0F B7 C3", "movzx   eax,bx", 4},
    {0, "0F 94 C0", "setz    al", 3},
    {0, "0F 95 07", "setnz   byte ptr [bx]", 3},
    {0, "0F B0 C8", "cmpxchg al,cl", 3},
    {0, "66 0F AF C1", "imul    eax,ecx", 4},
    {0, "0F A4 C3 04", "shld    bx,ax,004h", 4},
    {0, "0F AD C3", "shrd    bx,ax,cl", 3},
    {0, "0F B2 07", "lss     ax,[bx]", 3},
    {0, "0F C8", "bswap   eax", 2},
    {0, "0F 20 C0", "mov     eax,C0", 3},
    {0, "0F 22 D8", "mov     C3,eax", 3},
    {0, "0F 23 F9", "mov     D7,ecx", 3},
    {0, "0F 24 F2", "mov     edx,tr6", 3},
    {0, "0F 01 E0", "smsw    ax", 3},
    {0, "0F 00 C8", "str     ax", 3},
    {0, "0F 01 16 34 12", "lgdt    word ptr [01234h]", 5},
    {0, "66 0F BA E0 05", "bt      eax,005h", 5},
    {0, "0F BA 00 05", "<invalid>       word ptr [bx+si],005h", 4},
    {0, "0F A0", "push    fs", 2},
    {0, "0F 06", "clts", 2},
    {0, "0F 0B", "<invalid>", 2},
    {0, "0F FF", "<invalid>", 2},
    // FPU
    {0, "DE D9", "fcompp", 2},
    {0, "DB E3", "finit", 2},
    {0, "DD C9", "<invalid>       st(1)", 2},
    {0, "D9 C1", "fld     st(1)", 2},
    {0, "D9 C9", "fxch    st,st(1)", 2},
    {0, "D9 E8", "fld1", 2},
    {0, "D9 D1", "<invalid>", 2},
    {0, "D8 C2", "fadd    st(2)", 2},
    {0, "DC C1", "fadd    st(1),st", 2},
    {0, "DE F9", "fdivp   st(1),st", 2},
    {0, "DD D8", "fstp    st(0)", 2},
    {0, "DF E0", "fstsw   ax", 2},
    {0, "DA E9", "fucompp", 2},
    {0, "D8 06 34 12", "fadd    [01234h]", 4},
    {0, "DD 07", "fldq    [bx]", 2},
    {0, "DB 2F", "fldt    [bx]", 2},
    {0, "DB 0F", "<invalid>       [bx]", 2},
    {0, "D9 7E FE", "fstcw   [bp-002h]", 3},
    // one-byte forms without operands, and bytes without a template
    {0, "40", "inc     ax", 1},
    {0, "66 40", "inc     eax", 2},
    {0, "91", "xchg    cx,ax", 1},
    {0, "0E", "push    cs", 1},
    {0, "D6", "setalc", 1},
    {0, "9B", "fwait", 1},
    {0, "CF", "iret", 1},
    {0, "F1", "db      F1h", 1},
    {0, "F0 F1", "lock    <invalid>", 2},
};

// Forms whose length or text depends on what the processor does with a
// prefix: each size prefix sets its size once, and the implicit operands,
// register sizes and segment overrides show what is executed.
const Case kProcessorCases[] = {
    // repeated size prefixes
    {0, "66 66 40", "inc     eax", 3},
    {0, "66 66 B8 01 02 03 04", "mov     eax,04030201", 7},
    {0, "67 67 8B 04 88", "mov     ax,[eax+ecx*4]", 5},
    {0, "66 67 66 67 A1 78 56 34 12", "mov     eax,[12345678]", 9},
    // invlpg, memory only
    {0, "0F 01 BF 34 12", "invlpg  [bx+01234h]", 5},
    {0, "0F 01 38", "invlpg  [bx+si]", 3},
    // 32-bit names under an operand-size prefix
    {0, "66 98", "cwde", 2},
    {0, "66 99", "cdq", 2},
    {0, "98", "cbw", 1},
    {0, "66 C3", "retd", 2},
    {0, "66 C2 04 00", "retd    00004h", 4},
    {0, "66 CB", "retfd", 2},
    {0, "66 CA 04 00", "retfd   00004h", 4},
    {0, "66 CF", "iretd", 2},
    {0, "66 06", "pushd   es", 2},
    {0, "66 1F", "popd    ds", 2},
    {0, "66 0F A0", "pushd   fs", 3},
    {0, "66 0F A9", "popd    gs", 3},
    {0, "66 C8 10 00 01", "enterd  00010h,001h", 5},
    {0, "66 C9", "leaved", 2},
    {0, "66 0F 02 C1", "lar     eax,ecx", 4},
    {0, "66 0F 03 07", "lsl     eax,[bx]", 4},
    {0, "0F 02 C1", "lar     ax,cx", 3},
    {0, "66 0F 00 C0", "sldt    eax", 4},
    {0, "66 0F 00 C8", "str     eax", 4},
    {0, "66 0F 00 07", "sldt    word ptr [bx]", 4},
    {0, "66 0F 01 E0", "smsw    eax", 4},
    {0, "66 8C D8", "mov     eax,ds", 3},
    // the FPU's 32-bit and 16-bit integer operands
    {0, "DA 17", "ficom   [bx]", 2},
    {0, "DE 17", "ficomw  [bx]", 2},
    {0, "DA 1F", "ficomp  [bx]", 2},
    {0, "DE 1F", "ficompw [bx]", 2},
    {0, "DA 3F", "fidivr  [bx]", 2},
    {0, "DE 3F", "fidivrw [bx]", 2},
    // address size 32: the registers that count and address
    {0, "67 A4", "movsb   es:[edi],[esi]", 2},
    {0, "67 26 A4", "movsb   es:[edi],es:[esi]", 3},
    {0, "66 67 A5", "movsd   es:[edi],[esi]", 3},
    {0, "67 A7", "cmpsw   [esi],es:[edi]", 2},
    {0, "F3 67 AB", "repe    stosw es:[edi]", 3},
    {0, "67 AD", "lodsw   [esi]", 2},
    {0, "67 AE", "scasb   es:[edi]", 2},
    {0, "67 6D", "insw    es:[edi],dx", 2},
    {0, "67 2E 6E", "outsb   dx,cs:[esi]", 3},
    {0, "67 D7", "xlat    [ebx]", 2},
    {0, "67 E2 FD", "loopd   00000000", 3},
    {0, "67 E1 FD", "looped  00000000", 3},
    {0, "67 E0 FD", "loopned 00000000", 3},
    // segment overrides only where they take effect
    {0, "64 AA", "stosb", 2},
    {0, "26 AB", "stosw ", 2},
    {0, "26 AE", "scasb", 2},
    {0, "26 6C", "insb", 2},
    {0, "26 6E", "es:outsb", 2},
    {0, "2E 6F", "cs:outsw", 2},
    {0, "26 D7", "es:xlat", 2},
    {0, "26 AC", "es:lodsb", 2},
    {0, "36 A6", "ss:cmpsb", 2},
};

class DecoderCase : public ::testing::TestWithParam<Case> {};

TEST_P(DecoderCase, DecodesTextAndLength) {
  const Case& c = GetParam();
  SetCode(c.address, Hex(c.bytes));
  disasm_test::Decoded d = DecodeAt(c.address);
  EXPECT_EQ(d.text, c.text) << c.bytes;
  EXPECT_EQ(d.length, c.length) << c.bytes;
}

INSTANTIATE_TEST_SUITE_P(Forms, DecoderCase, ::testing::ValuesIn(kCases));
INSTANTIATE_TEST_SUITE_P(AsExecuted, DecoderCase, ::testing::ValuesIn(kProcessorCases));

std::vector<BYTE> Repeat(BYTE b, int n, std::vector<BYTE> tail = {}) {
  std::vector<BYTE> v(n, b);
  v.insert(v.end(), tail.begin(), tail.end());
  return v;
}

// An instruction is at most 15 bytes: longer prefix runs end as a data
// byte of length 1, so every line makes progress.
TEST(Decoder, PrefixRunsStopAtFifteenBytes) {
  SetCode(0, Repeat(0x26, 14, {0x90}));
  EXPECT_EQ(DecodeAt(0).length, 15);
  SetCode(0, Repeat(0x26, 15, {0x90}));
  disasm_test::Decoded d = DecodeAt(0);
  EXPECT_EQ(d.text, "db      26h");
  EXPECT_EQ(d.length, 1);
  for (BYTE prefix : {0xF0, 0xF3, 0x66, 0x67, 0x2E}) {
    SetCode(0, Repeat(prefix, 300));
    d = DecodeAt(0);
    EXPECT_EQ(d.length, 1);
    EXPECT_LE(d.text.size(), size_t(kDisasmMaxText));
  }
}

TEST(Decoder, LongestTextFitsTheBuffer) {
  SetCode(0, Repeat(0xF2, 13, {0x66, 0x67, 0x81, 0x84, 0xCD, 0x78, 0x56, 0x34, 0x12}));
  disasm_test::Decoded d = DecodeAt(0);
  EXPECT_LE(d.text.size(), size_t(kDisasmMaxText));
  EXPECT_EQ(d.length, 1);
}

// A byte that cannot be read shows as "??", not as whatever a buffer held.
TEST(Decoder, UnreadableBytesAreShown) {
  SetCode(0x10, Hex("B8 34"));
  disasm_test::Decoded d = DecodeAt(0x10);
  EXPECT_EQ(d.text, "??");
  EXPECT_EQ(d.length, 1);
  d = DecodeAt(0x20);
  EXPECT_EQ(d.text, "??");
  EXPECT_EQ(d.length, 1);
}

struct PreviousCase {
  DWORD address;
  DWORD start;
  DWORD end;
  const char* text;
};

// mov ax,01234h three bytes apart from address 0.
TEST(DecoderPrevious, FindsTheInstructionBefore) {
  std::vector<BYTE> code;
  for (int i = 0; i < 40; ++i) code.insert(code.end(), {0xB8, 0x34, 0x12});
  SetCode(0, code);
  const PreviousCase cases[] = {
      {48, 45, 48, "mov     ax,01234h"}, {49, 48, 51, "(mov     ax,01234h)"}, {3, 0, 3, "mov     ax,01234h"},
      {2, 0, 3, "(mov     ax,01234h)"},  {0, 0, 3, "(mov     ax,01234h)"},
  };
  for (const PreviousCase& c : cases) {
    char out[kDisasmOutSize];
    DWORD addr = c.address;
    DWORD start = DisasmPrevious(&addr, out);
    EXPECT_EQ(start, c.start) << c.address;
    EXPECT_EQ(addr, c.end) << c.address;
    std::string text(out);
    if (c.text[0] == '(') {
      EXPECT_EQ(text, c.text);
    } else {
      EXPECT_EQ(text, std::string(c.text) + std::string(kDisasmTrailingBlanks, ' '));
    }
  }
}

TEST(DecoderPrevious, NeverRunsAwayAtTheTopOfTheAddressSpace) {
  SetCode(0xFFFFFFF0u, std::vector<BYTE>(16, 0x90));
  char out[kDisasmOutSize];
  DWORD addr = 0xFFFFFFFFu;
  DWORD start = DisasmPrevious(&addr, out);
  EXPECT_EQ(start, 0xFFFFFFFEu);
  EXPECT_EQ(addr, 0xFFFFFFFFu);
}

// Two threads decode different code at the same time and get the texts that
// each gets alone.
TEST(Decoder, ThreadsDecodeIndependently) {
  auto run = [](const char* bytes, const char* expected, bool* ok) {
    SetCode(0, Hex(bytes));
    *ok = true;
    for (int i = 0; i < 20000 && *ok; ++i) {
      char out[kDisasmOutSize];
      DisasmInstruction(0, out);
      *ok = std::strncmp(out, expected, std::strlen(expected)) == 0;
    }
  };
  bool ok1 = false, ok2 = false;
  std::thread a(run, "66 67 8B 04 88", "mov     eax,[eax+ecx*4]", &ok1);
  std::thread b(run, "2E F3 A4", "repe    cs:movsb", &ok2);
  a.join();
  b.join();
  EXPECT_TRUE(ok1);
  EXPECT_TRUE(ok2);
}

}  // namespace
