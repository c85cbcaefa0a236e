// The Borland-style C++ and optimisation pages (legend in option_table.h).
#include "plugins/tbcopt/tbc_pages.h"

namespace {
using K = MemberKind;
using P = ParseOp;
using B = BuildOp;
constexpr const char* kTbcSizeOptimization = "-O -Ob -Oc -Ol -Z";
constexpr const char* kTbcSpeedOptimization = "-O -Ob -Og -Oi -Ol -Om -Op -Ov -Z";
}  // namespace

namespace tbc {

// Members: 0 consider size, 1 representation.
const OptionPageTable kCCppElementPointerDialog = {
    "CCppElementPointerDialog",
    {{K::kCheck, 1001}, {K::kRadio, 1073}},
    {{P::kCheckTok, 0, "-Vmp"},
     {P::kSet, 1, nullptr, 0},
     {P::kTok, 1, "-Vmm", 1},
     {P::kTok, 1, "-Vms", 2},
     {P::kTok, 1, "-Vmd", 3}},
    {{B::kWhenChecked, 0, "-Vmp"},
     {B::kWhenIndex, 1, "-Vmm", 1},
     {B::kWhenIndex, 1, "-Vms", 2},
     {B::kWhenIndex, 1, "-Vmd", 3}},
};

// Members: 0 for/while/if variables, 1 char not separate, 2 calling
// convention, 3 element pointers, 4..9 the options group.
const OptionPageTable kCCppCompatibilityDialog = {
    "CCppCompatibilityDialog",
    {{K::kCheck, 1077},
     {K::kCheck, 1001},
     {K::kCheck, 1078},
     {K::kRadio, 1079},
     {K::kCheck, 1082},
     {K::kCheck, 1083},
     {K::kCheck, 1084},
     {K::kCheck, 1085},
     {K::kCheck, 1086},
     {K::kCheck, 1087}},
    {{P::kSet, 3, nullptr, 0},
     {P::kTok, 3, "-Vb", 1},
     {P::kCheckTok, 0, "-Vd"},
     {P::kCheckTok, 1, "-K2"},
     {P::kCheckTok, 2, "-VC"},
     {P::kCheckTok, 4, "-Va"},
     {P::kCheckTok, 5, "-Vc"},
     {P::kCheckTok, 6, "-Vp"},
     {P::kCheckTok, 7, "-Vv"},
     {P::kCheckTok, 8, "-Vt"},
     {P::kCheckTok, 9, "-Vh"}},
    {{B::kWhenChecked, 0, "-Vd"},
     {B::kWhenChecked, 1, "-K2"},
     {B::kWhenChecked, 2, "-VC"},
     {B::kWhenIndex, 3, "-Vb", 1},
     {B::kWhenChecked, 4, "-Va"},
     {B::kWhenChecked, 5, "-Vc"},
     {B::kWhenChecked, 6, "-Vp"},
     {B::kWhenChecked, 7, "-Vv"},
     {B::kWhenChecked, 8, "-Vt"},
     {B::kWhenChecked, 9, "-Vh"}},
};

const OptionPageTable kCCppVirtualTablesDialog = {
    "CCppVirtualTablesDialog",
    {{K::kRadio, 1088}},
    {{P::kSet, 0, nullptr, 0}, {P::kTok, 0, "-Vs", 1}, {P::kTok, 0, "-V0", 2}, {P::kTok, 0, "-V1", 3}},
    {{B::kWhenIndex, 0, "-Vs", 1}, {B::kWhenIndex, 0, "-V0", 2}, {B::kWhenIndex, 0, "-V1", 3}},
};

const OptionPageTable kCCppTemplatesDialog = {
    "CCppTemplatesDialog",
    {{K::kRadio, 1093}},
    {{P::kSet, 0, nullptr, 0}, {P::kTok, 0, "-Jgd", 1}, {P::kTok, 0, "-Jgx", 2}},
    {{B::kWhenIndex, 0, "-Jgd", 1}, {B::kWhenIndex, 0, "-Jgx", 2}},
};

// Members: 0 exceptions, 1 position information, 2 destructor calls,
// 3 fast prologues, 4 compatible exceptions, 5 run-time type information.
const OptionPageTable kCCppExceptionsRttiDialog = {
    "CCppExceptionsRttiDialog",
    {{K::kCheck, 1095},
     {K::kCheck, 1001},
     {K::kCheck, 1096},
     {K::kCheck, 1097},
     {K::kCheck, 1098},
     {K::kCheck, 1099}},
    {{P::kUncheckTok, 0, "-x-"},
     {P::kUncheckTok, 2, "-xd-"},
     {P::kUncheckTok, 5, "-RT-"},
     {P::kCheckTok, 1, "-xp"},
     {P::kCheckTok, 3, "-xf"},
     {P::kCheckTok, 4, "-xc"}},
    {{B::kWhenUnchecked, 0, "-x-"},
     {B::kWhenChecked, 1, "-xp"},
     {B::kWhenUnchecked, 2, "-xd-"},
     {B::kWhenChecked, 3, "-xf"},
     {B::kWhenChecked, 4, "-xc"},
     {B::kWhenUnchecked, 5, "-RT-"}},
};

const OptionPageTable kCCppGeneralDialog = {
    "CCppGeneralDialog",
    {{K::kCheck, 1099}},
    {{P::kCheckTok, 0, "-Ve"}},
    {{B::kWhenChecked, 0, "-Ve"}},
};

// The size and speed levels are recognised only as the whole switch
// sequences that this page writes.
const OptionPageTable kCOptimizations = {
    "COptimizations",
    {{K::kRadio, 1100}},
    {{P::kSet, 0, nullptr, 0},
     {P::kTok, 0, "-Od", 0},
     {P::kElseTok, 0, kTbcSizeOptimization, 1},
     {P::kElseTok, 0, kTbcSpeedOptimization, 2}},
    {{B::kWhenIndex, 0, "-Od", 0},
     {B::kWhenIndex, 0, kTbcSizeOptimization, 1},
     {B::kWhenIndex, 0, kTbcSpeedOptimization, 2}},
};

}  // namespace tbc
