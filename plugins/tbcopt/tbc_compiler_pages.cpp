// The Borland-style C compiler pages (legend in option_table.h).
#include "plugins/tbcopt/tbc_pages.h"

namespace {
using K = MemberKind;
using P = ParseOp;
using B = BuildOp;
constexpr int kTbcIdentifierLength = 250;
constexpr int kTbcFarDataThreshold = 32767;
}  // namespace

namespace tbc {

// Members: 0 unsigned char, 1 enums as integers, 2 fastthis, 3 merge
// duplicate strings, 4 compile via assembler.
const OptionPageTable kCCCodeGeneration = {
    "CCCodeGeneration",
    {{K::kCheck, 1019}, {K::kCheck, 1001}, {K::kCheck, 1021}, {K::kCheck, 1020}, {K::kCheck, 1022}},
    {{P::kUncheckTok, 1, "-b-"},
     {P::kCheckTok, 0, "-K"},
     {P::kCheckTok, 3, "-d"},
     {P::kCheckTok, 2, "-po"},
     {P::kCheckTok, 4, "-B"}},
    {{B::kWhenUnchecked, 1, "-b-"},
     {B::kWhenChecked, 0, "-K"},
     {B::kWhenChecked, 3, "-d"},
     {B::kWhenChecked, 2, "-po"},
     {B::kWhenChecked, 4, "-B"},
     {B::kAlways, -1, "-r-"}},
};

// Members: 0 fast floating point, 1 no floating point.
const OptionPageTable kCCFloat = {
    "CCFloat",
    {{K::kCheck, 1057}, {K::kCheck, 1001}},
    {{P::kCheckTok, 1, "-f-"}, {P::kUncheckTok, 0, "-ff-"}},
    {{B::kWhenChecked, 1, "-f-"}, {B::kWhenUnchecked, 1, "-f"}, {B::kWhenUnchecked, 0, "-ff-"}},
};

// Members: 0 COMDEFs, 1 underbars, 2 dependency output.
const OptionPageTable kCCOutput = {
    "CCOutput",
    {{K::kCheck, 1026}, {K::kCheck, 1025}, {K::kCheck, 1001}},
    {{P::kUncheckTok, 2, "-X"}, {P::kUncheckTok, 1, "-u-"}, {P::kCheckTok, 0, "-Fc"}},
    {{B::kWhenUnchecked, 2, "-X"}, {B::kWhenUnchecked, 1, "-u-"}, {B::kWhenChecked, 0, "-Fc"}},
};

// Members: 0 identifier length, 1 nested comments, 2 compatibility.
const OptionPageTable kCCSource = {
    "CCSource",
    {{K::kNumberCombo, 1027, "250"}, {K::kCheck, 1001}, {K::kRadio, 1028}},
    {{P::kSet, 2, nullptr, 0},
     {P::kTok, 2, "-A", 1},
     {P::kTok, 2, "-AU", 2},
     {P::kTok, 2, "-AK", 3},
     {P::kCheckTok, 1, "-C"},
     {P::kFirstValue, 0, "-i"}},
    {{B::kWhenChecked, 1, "-C"},
     {B::kNumberUnless, 0, "-i", kTbcIdentifierLength},
     {B::kWhenIndex, 2, "-A", 1},
     {B::kWhenIndex, 2, "-AU", 2},
     {B::kWhenIndex, 2, "-AK", 3}},
};

// Members: 0 debug information, 1 ignore inlines, 2 browser information,
// 3 stack overflow check, 4 standard stack frame, 5 line numbers.
const OptionPageTable kCCDebugger = {
    "CCDebugger",
    {{K::kCheck, 1034},
     {K::kCheck, 1033},
     {K::kCheck, 1035},
     {K::kCheck, 1032},
     {K::kCheck, 1001},
     {K::kCheck, 1036}},
    {{P::kUncheckTok, 1, "-vi"},
     {P::kCheckTok, 5, "-y"},
     {P::kCheckTok, 3, "-N"},
     {P::kCheckTok, 0, "-v"},
     {P::kCheckTok, 2, "-R"},
     {P::kUncheckTok, 4, "-k-"}},
    {{B::kWhenUnchecked, 4, "-k-"},
     {B::kWhenChecked, 3, "-N"},
     {B::kWhenChecked, 1, "-vi-"},
     {B::kWhenUnchecked, 1, "-vi"},
     {B::kWhenChecked, 5, "-y"},
     {B::kWhenChecked, 0, "-v"},
     {B::kWhenChecked, 2, "-R"}},
};

// Members: 0 header file name, 1 generate/use, 2 save, 3 stop after.
const OptionPageTable kCCPrecompiledHeader = {
    "CCPrecompiledHeader",
    {{K::kCombo, 1039}, {K::kRadio, 1036}, {K::kCheck, 1001}, {K::kCombo, 1040}},
    {{P::kSet, 1, nullptr, 2},
     {P::kTok, 1, "-H", 0},
     {P::kTok, 1, "-Hu", 1},
     {P::kCheckTok, 2, "-Hc"},
     {P::kAssigned, 0, "-H"},
     {P::kFirstQuoted, 3, "-H"}},
    {{B::kWhenIndex, 1, "-H", 0},
     {B::kWhenIndex, 1, "-Hu", 1},
     {B::kWhenChecked, 2, "-Hc"},
     {B::kTextUnless, 0, "-H=", 0, ""},
     {B::kQuoted, 3, "-H"}},
};

// Members: 0 code set, 1 alignment.
const OptionPageTable kCCProcessor = {
    "CCProcessor",
    {{K::kRadio, 1040}, {K::kRadio, 1045}},
    {{P::kSet, 0, nullptr, 2},
     {P::kTok, 0, "-1-", 0},
     {P::kTok, 0, "-1", 1},
     {P::kTok, 0, "-2", 2},
     {P::kTok, 0, "-3", 3},
     {P::kTok, 0, "-4", 4},
     {P::kSet, 1, nullptr, 0},
     {P::kTok, 1, "-a", 1}},
    {{B::kWhenIndex, 0, "-1-", 0},
     {B::kWhenIndex, 0, "-1", 1},
     {B::kWhenIndex, 0, "-2", 2},
     {B::kWhenIndex, 0, "-3", 3},
     {B::kWhenIndex, 0, "-4", 4},
     {B::kWhenIndex, 1, "-a", 1}},
};

const OptionPageTable kCCCallingConvention = {
    "CCCallingConvention",
    {{K::kRadio, 1047}},
    {{P::kSet, 0, nullptr, 0}, {P::kTok, 0, "-p", 1}, {P::kTok, 0, "-pr", 2}},
    {{B::kWhenIndex, 0, "-p", 1}, {B::kWhenIndex, 0, "-pr", 2}},
};

// Members: 0 far data threshold, 1 automatic far data, 2 far virtual
// tables, 3 fast huge pointers, 4 constant strings in code, 5 SS=DS.
const OptionPageTable kCCMemoryModel = {
    "CCMemoryModel",
    {{K::kNumberCombo, 1056, "32767"},
     {K::kCheck, 1055},
     {K::kCheck, 1053},
     {K::kCheck, 1054},
     {K::kCheck, 1001},
     {K::kRadio, 1050}},
    {{P::kSet, 5, nullptr, 1},
     {P::kTok, 5, "-Fs", 0},
     {P::kCheckTok, 4, "-dc"},
     {P::kCheckTok, 2, "-Vf"},
     {P::kCheckTok, 3, "-h"},
     {P::kCheckTok, 1, "-Ff"},
     {P::kAssignedWhenChecked, 0, "-Ff", 0, nullptr, 1}},
    {{B::kAlways, -1, "-ml"},
     {B::kWhenIndex, 5, "-Fs", 0},
     {B::kWhenChecked, 4, "-dc"},
     {B::kWhenChecked, 2, "-Vf"},
     {B::kWhenChecked, 3, "-h"},
     {B::kWhenChecked, 1, "-Ff"},
     {B::kCheckedNumberUnless, 0, "-Ff=", kTbcFarDataThreshold, nullptr, 1}},
};

// Members: initialized segment, group, class; uninitialized segment,
// group, class.
const OptionPageTable kCCDataSegNames = {
    "CCDataSegNames",
    {{K::kCombo, 1060, "*"},
     {K::kCombo, 1061, "*"},
     {K::kCombo, 1063, "*"},
     {K::kCombo, 1062, "*"},
     {K::kCombo, 1064, "*"},
     {K::kCombo, 1065, "*"}},
    {{P::kFirstValue, 0, "-zR"},
     {P::kFirstValue, 1, "-zS"},
     {P::kFirstValue, 2, "-zT"},
     {P::kFirstValue, 3, "-zD"},
     {P::kFirstValue, 4, "-zG"},
     {P::kFirstValue, 5, "-zB"}},
    {{B::kTextUnless, 0, "-zR", 0, "*"},
     {B::kTextUnless, 1, "-zS", 0, "*"},
     {B::kTextUnless, 2, "-zT", 0, "*"},
     {B::kTextUnless, 3, "-zD", 0, "*"},
     {B::kTextUnless, 4, "-zG", 0, "*"},
     {B::kTextUnless, 5, "-zB", 0, "*"}},
};

// Members: far data segment, group, class; virtual far tables segment, class.
const OptionPageTable kCCFarDataSegNames = {
    "CCFarDataSegNames",
    {{K::kCombo, 1065, "*"},
     {K::kCombo, 1066, "*"},
     {K::kCombo, 1067, "*"},
     {K::kCombo, 1068, "*"},
     {K::kCombo, 1069, "*"}},
    {{P::kFirstValue, 0, "-zE"},
     {P::kFirstValue, 1, "-zH"},
     {P::kFirstValue, 2, "-zF"},
     {P::kFirstValue, 3, "-zV"},
     {P::kFirstValue, 4, "-zW"}},
    {{B::kTextUnless, 0, "-zE", 0, "*"},
     {B::kTextUnless, 1, "-zH", 0, "*"},
     {B::kTextUnless, 2, "-zF", 0, "*"},
     {B::kTextUnless, 3, "-zV", 0, "*"},
     {B::kTextUnless, 4, "-zW", 0, "*"}},
};

// Members: code segment, group, class.
const OptionPageTable kCCCodeSegNames = {
    "CCCodeSegNames",
    {{K::kCombo, 1070, "*"}, {K::kCombo, 1071, "*"}, {K::kCombo, 1072, "*"}},
    {{P::kFirstValue, 0, "-zC"}, {P::kFirstValue, 1, "-zP"}, {P::kFirstValue, 2, "-zA"}},
    {{B::kTextUnless, 0, "-zC", 0, "*"},
     {B::kTextUnless, 1, "-zP", 0, "*"},
     {B::kTextUnless, 2, "-zA", 0, "*"}},
};

// Members: 0 stop after warnings, 1 stop after errors, 2 warnings,
// 3 disabled warnings, 4 enabled warnings. The two warning lists are
// written back as -w-xxx and -wxxx.
const OptionPageTable kCCMessagesDialog = {
    "CCMessagesDialog",
    {{K::kNumberCombo, 1134, "100"},
     {K::kNumberCombo, 1135, "25"},
     {K::kRadio, 1131},
     {K::kEdit, 1126},
     {K::kEdit, 1136}},
    {{P::kEmptyText, 3},
     {P::kSet, 2, nullptr, 1},
     {P::kTok, 2, "-w-", 0},
     {P::kElseTok, 2, "-w", 2},
     {P::kAppendBlank, 3, "-w-"},
     {P::kAppendBlankNoDash, 4, "-w"},
     {P::kFirstValue, 1, "-j"},
     {P::kFirstValue, 0, "-g"}},
    {{B::kTextUnless, 0, "-g", 0, "100"},
     {B::kTextUnless, 1, "-j", 0, "25"},
     {B::kWhenIndex, 2, "-w-", 0},
     {B::kWhenIndex, 2, "-w", 2},
     {B::kPieces, 3, "-w-", 0, " ,;"},
     {B::kPiecesNoDash, 4, "-w", 0, " ,;"}},
};

}  // namespace tbc
