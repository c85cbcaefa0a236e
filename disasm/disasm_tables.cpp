// Opcode templates of the x86 decoder (8086 to 486).
#include "disasm/disasm_tables.h"

namespace disasm {

// clang-format off

const char* const kOneByteMap[256] = {
    // 00
    "add %Eb,%Gb", "add %Ev,%Gv", "add %Gb,%Eb", "add %Gv,%Ev", "add al,%Ib",
    "add %eax,%Iv", "push es", "pop es", "or %Eb,%Gb", "or %Ev,%Gv",
    "or %Gb,%Eb", "or %Gv,%Ev", "or al,%Ib", "or %eax,%Iv", "push cs", "%2 ",
    // 10
    "adc %Eb,%Gb", "adc %Ev,%Gv", "adc %Gb,%Eb", "adc %Gv,%Ev", "adc al,%Ib",
    "adc %eax,%Iv", "push ss", "pop ss", "sbb %Eb,%Gb", "sbb %Ev,%Gv",
    "sbb %Gb,%Eb", "sbb %Gv,%Ev", "sbb al,%Ib", "sbb %eax,%Iv", "push ds",
    "pop ds",
    // 20
    "and %Eb,%Gb", "and %Ev,%Gv", "and %Gb,%Eb", "and %Gv,%Ev", "and al,%Ib",
    "and %eax,%Iv", "%pe", "daa", "sub %Eb,%Gb", "sub %Ev,%Gv", "sub %Gb,%Eb",
    "sub %Gv,%Ev", "sub al,%Ib", "sub %eax,%Iv", "%pc", "das",
    // 30
    "xor %Eb,%Gb", "xor %Ev,%Gv", "xor %Gb,%Eb", "xor %Gv,%Ev", "xor al,%Ib",
    "xor %eax,%Iv", "%ps", "aaa", "cmp %Eb,%Gb", "cmp %Ev,%Gv", "cmp %Gb,%Eb",
    "cmp %Gv,%Ev", "cmp al,%Ib", "cmp %eax,%Iv", "%pd", "aas",
    // 40
    "inc %eax", "inc %ecx", "inc %edx", "inc %ebx", "inc %esp", "inc %ebp",
    "inc %esi", "inc %edi", "dec %eax", "dec %ecx", "dec %edx", "dec %ebx",
    "dec %esp", "dec %ebp", "dec %esi", "dec %edi",
    // 50
    "push %eax", "push %ecx", "push %edx", "push %ebx", "push %esp",
    "push %ebp", "push %esi", "push %edi", "pop %eax", "pop %ecx", "pop %edx",
    "pop %ebx", "pop %esp", "pop %ebp", "pop %esi", "pop %edi",
    // 60
    "pusha%d ", "popa%d ", "bound %Gv,%Ma", "arpl %Ew,%Gw", "%pf", "%pg",
    "%so", "%sa", "push %Iv", "imul %Gv,%Ev,%Iv", "push %Ix",
    "imul %Gv,%Ev,%Ix", "insb", "ins%ew", "%P outsb", "%P outs%ew",
    // 70
    "jo %Jb", "jno %Jb", "jc %Jb", "jnc %Jb", "je %Jb", "jne %Jb", "jbe %Jb",
    "ja %Jb", "js %Jb", "jns %Jb", "jpe %Jb", "jpo %Jb", "jl %Jb", "jge %Jb",
    "jle %Jb", "jg %Jb",
    // 80
    "%g0 %Eb,%Ib", "%g0 %Ev,%Iv", "%g0 %Eb,%Ib", "%g0 %Ev,%Ix", "test %Eb,%Gb",
    "test %Ev,%Gv", "xchg %Eb,%Gb", "xchg %Ev,%Gv", "mov %Eb,%Gb",
    "mov %Ev,%Gv", "mov %Gb,%Eb", "mov %Gv,%Ev", "mov %Ey,%Sw", "lea %Gv,%M ",
    "mov %Sw,%Ew", "pop %Ev",
    // 90
    "nop", "xchg %ecx,%eax", "xchg %edx,%eax", "xchg %ebx,%eax",
    "xchg %esp,%eax", "xchg %ebp,%eax", "xchg %esi,%eax", "xchg %edi,%eax",
    "cbw", "cwd", "call %Ap", "fwait", "pushf%d ", "popf%d ", "sahf", "lahf",
    // A0
    "mov al,%Oc", "mov %eax,%Ov", "mov %Oc,al", "mov %Ov,%eax", "%P movsb",
    "%P movs%w", "%P cmpsb", "%P cmps%w ", "test al,%Ib", "test %eax,%Iv",
    "stosb", "stos%w ", "%P lodsb", "%P lods%w ", "scasb", "scas%w ",
    // B0
    "mov al,%Ib", "mov cl,%Ib", "mov dl,%Ib", "mov bl,%Ib", "mov ah,%Ib",
    "mov ch,%Ib", "mov dh,%Ib", "mov bh,%Ib", "mov %eax,%Iv", "mov %ecx,%Iv",
    "mov %edx,%Iv", "mov %ebx,%Iv", "mov %esp,%Iv", "mov %ebp,%Iv",
    "mov %esi,%Iv", "mov %edi,%Iv",
    // C0
    "%g1 %Eb,%Ib", "%g1 %Ev,%Ib", "ret %Iw", "ret", "les %Gv,%Mp",
    "lds %Gv,%Mp", "mov %Eb,%Ib", "mov %Ev,%Iv", "enter %Iw,%Ib", "leave",
    "retf %Iw", "retf", "int 03", "int %Ib", "into", "iret",
    // D0
    "%g1 %Eb,1", "%g1 %Ev,1", "%g1 %Eb,cl", "%g1 %Ev,cl", "aam ; %Ib",
    "aad ; %Ib", "setalc", "%P xlat", "%f0", "%f1", "%f2", "%f3", "%f4", "%f5",
    "%f6", "%f7",
    // E0
    "loopne %Jb", "loope %Jb", "loop %Jb", "j%j cxz %Jb", "in al,%Ib",
    "in %eax,%Ib", "out %Ib,al", "out %Ib,%eax", "call %Jv", "jmp %Jv",
    "jmp %Ap", "jmp %Ks%Jb", "in al,dx", "in %eax,dx", "out dx,al",
    "out dx,%eax",
    // F0
    "lock %p ", nullptr, "repne %p ", "repe %p ", "hlt", "cmc", "%g2", "%g2",
    "clc", "stc", "cli", "sti", "cld", "std", "%g3", "%g4",
};

const char* const kTwoByteMap[256] = {
    // 00
    "%g5", "%g6", "lar %Gv,%Ey", "lsl %Gv,%Ey", nullptr, "loadall", "clts",
    "loadall", "invd", "wbinvd", nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr,
    // 10
    "mov %Eb,%Gb", "mov %Ev,%Gv", "mov %Gb,%Eb", "mov %Gv,%Ev", nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr,
    // 20
    "mov %Rd,%Cd", "mov %Rd,%Dd", "mov %Cd,%Rd", "mov %Dd,%Rd", "mov %Rd,%Td",
    nullptr, "mov %Td,%Rd", nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr,
    // 30
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // 40
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // 50
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // 60
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // 70
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // 80
    "jo %Jv", "jno %Jv", "jb %Jv", "jnb %Jv", "jz %Jv", "jnz %Jv", "jbe %Jv",
    "ja %Jv", "js %Jv", "jns %Jv", "jp %Jv", "jnp %Jv", "jl %Jv", "jge %Jv",
    "jle %Jv", "jg %Jv",
    // 90
    "seto %Eb", "setno %Eb", "setc %Eb", "setnc %Eb", "setz %Eb", "setnz %Eb",
    "setbe %Eb", "setnbe %Eb", "sets %Eb", "setns %Eb", "setp %Eb",
    "setnp %Eb", "setl %Eb", "setge %Eb", "setle %Eb", "setg %Eb",
    // A0
    "push fs", "pop fs", nullptr, "bt %Ev,%Gv", "shld %Ev,%Gv,%Ib",
    "shld %Ev,%Gv,cl", nullptr, nullptr, "push gs", "pop gs", nullptr,
    "bts %Ev,%Gv", "shrd %Ev,%Gv,%Ib", "shrd %Ev,%Gv,cl", nullptr,
    "imul %Gv,%Ev",
    // B0
    "cmpxchg %Eb,%Gb", "cmpxchg %Ev,%Gv", "lss %Gv,%Mp", "btr %Ev,%Gv",
    "lfs %Gv,%Mp", "lgs %Gv,%Mp", "movzx %Gv,%EB", "movzx %Gv,%EW", nullptr,
    nullptr, "%g7 %Ev,%Ib", "btc %Ev,%Gv", "bsf %Gv,%Ev", "bsr %Gv,%Ev",
    "movsx %Gv,%EB", "movsx %Gv,%EW",
    // C0
    "xadd %Eb,%Gb", "xadd %Ev,%Gv", nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, "bswap eax", "bswap ecx", "bswap edx", "bswap ebx",
    "bswap esp", "bswap ebp", "bswap esi", "bswap edi",
    // D0
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // E0
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    // F0
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
};

// Groups 0, 1 and 7 are bare mnemonics that the calling template completes.
const char* const kGroupTable[64] = {
    // 0: 80-83
    "add", "or", "adc", "sbb", "and", "sub", "xor", "cmp",
    // 1: C0, C1, D0-D3
    "rol", "ror", "rcl", "rcr", "shl", "shr", "shl", "sar",
    // 2: F6, F7 (not and neg follow the w bit like the others)
    "test %Eq,%Iq", "test %Eq,%Iq", "not %Eq", "neg %Eq", "mul %Ec",
    "imul %Ec", "div %Ec", "idiv %Ec",
    // 3: FE
    "inc %Eb", "dec %Eb", nullptr, nullptr, nullptr, nullptr, nullptr,
    nullptr,
    // 4: FF
    "inc %Ev", "dec %Ev", "call %Kn%Ev", "call %Kf%Ep", "jmp %Kn%Ev",
    "jmp %Kf%Ep", "push %Ev", nullptr,
    // 5: 0F 00
    "sldt %Ey", "str %Ey", "lldt %Ew", "ltr %Ew", "verr %Ew", "verw %Ew",
    nullptr, nullptr,
    // 6: 0F 01
    "sgdt %Ms", "sidt %Ms", "lgdt %Ms", "lidt %Ms", "smsw %Ey", nullptr,
    "lmsw %Ew", "invlpg %M ",
    // 7: 0F BA
    nullptr, nullptr, nullptr, nullptr, "bt", "bts", "btr", "btc",
};

const char* const kFpuMemoryNames[64] = {
    "fadd", "fmul", "fcom", "fcomp", "fsub", "fsubr", "fdiv", "fdivr",
    "fld", nullptr, "fst", "fstp", "fldenv", "fldcw", "fstenv", "fstcw",
    "fiadd", "fimul", "ficom", "ficomp", "fisub", "fisubr", "fidiv", "fidivr",
    "fild", nullptr, "fist", "fistp", nullptr, "fldt", nullptr, "fstpt",
    "faddq", "fmulq", "fcomq", "fcompq", "fsubq", "fsubrq", "fdivq", "fdivrq",
    "fldq", nullptr, "fstq", "fstpq", "frstor", nullptr, "fsave", "fstsw",
    "fiaddw", "fimulw", "ficomw", "ficompw", "fisubw", "fisubrw", "fidivw",
    "fidivrw",
    "fildw", nullptr, "fistw", "fistpw", "fbldt", "fildq", "fbstpt",
    "fistpq",
};

namespace {

const char* const kD9Reg2[8] = {"fnop", nullptr, nullptr, nullptr,
                                nullptr, nullptr, nullptr, nullptr};
const char* const kD9Reg4[8] = {"fchs", "fabs", nullptr, nullptr,
                                "ftst", "fxam", nullptr, nullptr};
const char* const kD9Reg5[8] = {"fld1",   "fldl2t", "fldl2e", "fldpi",
                                "fldlg2", "fldln2", "fldz",   nullptr};
const char* const kD9Reg6[8] = {"f2xm1",   "fyl2x",  "fptan",   "fpatan",
                                "fxtract", "fprem1", "fdecstp", "fincstp"};
const char* const kD9Reg7[8] = {"fprem",   "fyl2xp1", "fsqrt", "fsincos",
                                "frndint", "fscale",  "fsin",  "fcos"};
const char* const kDAReg5[8] = {nullptr, "fucompp", nullptr, nullptr,
                                nullptr, nullptr,   nullptr, nullptr};
const char* const kDBReg4[8] = {nullptr, nullptr, "fclex", "finit",
                                nullptr, nullptr, nullptr, nullptr};
const char* const kDEReg3[8] = {nullptr, "fcompp", nullptr, nullptr,
                                nullptr, nullptr,  nullptr, nullptr};
const char* const kDFReg4[8] = {"fstsw ax", nullptr, nullptr, nullptr,
                                nullptr,    nullptr, nullptr, nullptr};

constexpr FpuRegisterForm kNone = {nullptr, nullptr};
constexpr FpuRegisterForm One(const char* t) { return {t, nullptr}; }
constexpr FpuRegisterForm Row(const char* const* r) { return {nullptr, r}; }

}  // namespace

const FpuRegisterForm kFpuRegisterForms[64] = {
    // D8: the memory names with st(i)
    kNone, kNone, kNone, kNone, kNone, kNone, kNone, kNone,
    // D9
    kNone, One("*fxch st,%GF"), Row(kD9Reg2), kNone, Row(kD9Reg4),
    Row(kD9Reg5), Row(kD9Reg6), Row(kD9Reg7),
    // DA
    kNone, kNone, kNone, kNone, kNone, Row(kDAReg5), kNone, kNone,
    // DB
    kNone, kNone, kNone, kNone, Row(kDBReg4), kNone, kNone, kNone,
    // DC
    One("*fadd %GF,st"), One("*fmul %GF,st"), kNone, kNone,
    One("*fsubr %GF,st"), One("*fsub %GF,st"), One("*fdivr %GF,st"),
    One("*fdiv %GF,st"),
    // DD
    One("*ffree %GF"), kNone, One("*fst %GF"), One("*fstp %GF"),
    One("*fucom %GF"), One("*fucomp %GF"), kNone, kNone,
    // DE
    One("*faddp %GF,st"), One("*fmulp %GF,st"), kNone, Row(kDEReg3),
    One("*fsubrp %GF,st"), One("*fsubp %GF,st"), One("*fdivrp %GF,st"),
    One("*fdivp %GF,st"),
    // DF
    kNone, kNone, kNone, kNone, Row(kDFReg4), kNone, kNone, kNone,
};

namespace {

const SizeForm kAddress32[] = {
    {0x6C, "insb es:[edi],dx"},        {0x6D, "ins%ew es:[edi],dx"},
    {0x6E, "outsb dx,%p:[esi]"},       {0x6F, "outs%ew dx,%p:[esi]"},
    {0xA4, "movsb es:[edi],%p:[esi]"}, {0xA5, "movs%ew es:[edi],%p:[esi]"},
    {0xA6, "cmpsb %p:[esi],es:[edi]"}, {0xA7, "cmps%ew %p:[esi],es:[edi]"},
    {0xAA, "stosb es:[edi]"},          {0xAB, "stos%ew es:[edi]"},
    {0xAC, "lodsb %p:[esi]"},          {0xAD, "lods%ew %p:[esi]"},
    {0xAE, "scasb es:[edi]"},          {0xAF, "scas%ew es:[edi]"},
    {0xD7, "xlat %p:[ebx]"},           {0xE0, "loopned %Jb"},
    {0xE1, "looped %Jb"},              {0xE2, "loopd %Jb"},
};

const SizeForm kOperand32[] = {
    {0x06, "pushd es"},  {0x07, "popd es"},  {0x0E, "pushd cs"},
    {0x16, "pushd ss"},  {0x17, "popd ss"},  {0x1E, "pushd ds"},
    {0x1F, "popd ds"},   {0x98, "cwde"},     {0x99, "cdq"},
    {0xC2, "retd %Iw"},  {0xC3, "retd"},     {0xC8, "enterd %Iw,%Ib"},
    {0xC9, "leaved"},    {0xCA, "retfd %Iw"}, {0xCB, "retfd"},
    {0xCF, "iretd"},
};

const SizeForm kTwoByte32[] = {
    {0xA0, "pushd fs"}, {0xA1, "popd fs"}, {0xA8, "pushd gs"}, {0xA9, "popd gs"},
};

}  // namespace

const std::span<const SizeForm> kOneByteAddress32(kAddress32);
const std::span<const SizeForm> kOneByteOperand32(kOperand32);
const std::span<const SizeForm> kTwoByteOperand32(kTwoByte32);

// clang-format on

}  // namespace disasm
