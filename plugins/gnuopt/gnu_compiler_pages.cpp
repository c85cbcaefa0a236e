// The GNU compiler pages: what they show and which switches of the
// compiler string they read and write (legend in option_table.h).
#include "plugins/gnuopt/gnu_pages.h"

namespace {
using K = MemberKind;
using P = ParseOp;
using B = BuildOp;
}  // namespace

namespace gnu {

const OptionPageTable kCCOutput = {
    "CCOutput",
    {{K::kRadio, 1161}},
    {{P::kSet, 0, nullptr, 0}, {P::kTok, 0, "-S", 1}, {P::kTok, 0, "-E", 2}},
    {{B::kWhenIndex, 0, "-S", 1}, {B::kWhenIndex, 0, "-E", 2}},
};

// Members: 0 compatibility, 1 no builtin functions, 2 freestanding.
const OptionPageTable kCCSource = {
    "CCSource",
    {{K::kRadio, 1028}, {K::kCheck, 1001}, {K::kCheck, 1166}},
    {{P::kSet, 0, nullptr, 0},
     {P::kTok, 0, "-std=gnu99", 1},
     {P::kTok, 0, "-ansi", 2},
     {P::kCheckTok, 1, "-fno-builtin"},
     {P::kCheckTok, 2, "-ffreestanding"},
     {P::kKnown, -1, "-std=gnu89"}},
    {{B::kWhenChecked, 1, "-fno-builtin"},
     {B::kWhenChecked, 2, "-ffreestanding"},
     {B::kWhenIndex, 0, "-std=gnu89", 0},
     {B::kWhenIndex, 0, "-std=gnu99", 1},
     {B::kWhenIndex, 0, "-ansi", 2}},
};

const OptionPageTable kCCDebugger = {
    "CCDebugger",
    {{K::kRadio, 1161}},
    {{P::kSet, 0, nullptr, 0}, {P::kTok, 0, "-g3", 2}, {P::kElseTok, 0, "-g", 1}},
    {{B::kWhenIndex, 0, "-g", 1}, {B::kWhenIndex, 0, "-g3", 2}},
};

const OptionPageTable kCCMessagesDialog = {
    "CCMessagesDialog",
    {{K::kRadio, 1131}},
    {{P::kSet, 0, nullptr, 2},
     {P::kTok, 0, "-w", 0},
     {P::kElseTok, 0, "-pedantic", 1},
     {P::kElseTok, 0, "-Wall", 2}},
    {{B::kWhenIndex, 0, "-w", 0}, {B::kWhenIndex, 0, "-pedantic", 1}, {B::kWhenIndex, 0, "-Wall", 2}},
};

const OptionPageTable kCCppTemplatesDialog = {
    "CCppTemplatesDialog",
    {{K::kRadio, 1156}},
    {{P::kSet, 0, nullptr, 0},
     {P::kTok, 0, "-frepo", 1},
     {P::kTok, 0, "-fno-implicit-templates", 2},
     {P::kTok, 0, "-falt-external-templates", 3}},
    {{B::kWhenIndex, 0, "-frepo", 1},
     {B::kWhenIndex, 0, "-fno-implicit-templates", 2},
     {B::kWhenIndex, 0, "-falt-external-templates", 3}},
};

// Members: 0 no run-time type identification, 1 vtable relocations.
const OptionPageTable kCCppGeneralDialog = {
    "CCppGeneralDialog",
    {{K::kCheck, 1001}, {K::kCheck, 1160}},
    {{P::kCheckTok, 0, "-fno-rtti"}, {P::kCheckTok, 1, "-fvtable-gc"}},
    {{B::kWhenChecked, 0, "-fno-rtti"}, {B::kWhenChecked, 1, "-fvtable-gc"}},
};

const OptionPageTable kCOptimizations = {
    "COptimizations",
    {{K::kRadio, 1100}},
    // "-O0" and "-O" are this page's too: kept as unknown switches behind
    // the level written here, they would override it on the compiler's line.
    {{P::kSet, 0, nullptr, 0},
     {P::kKnown, -1, "-O0"},
     {P::kTok, 0, "-O", 1},
     {P::kTok, 0, "-O1", 1},
     {P::kTok, 0, "-O2", 2},
     {P::kTok, 0, "-O3", 3},
     {P::kTok, 0, "-Os", 4}},
    {{B::kWhenIndex, 0, "-O1", 1},
     {B::kWhenIndex, 0, "-O2", 2},
     {B::kWhenIndex, 0, "-O3", 3},
     {B::kWhenIndex, 0, "-Os", 4}},
};

}  // namespace gnu
