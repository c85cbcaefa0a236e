// The Borland-style assembler pages (legend in option_table.h).
#include "plugins/tbcopt/tbc_pages.h"

namespace {
using K = MemberKind;
using P = ParseOp;
using B = BuildOp;
// Directives and definitions are split at these characters.
constexpr const char* kTbcAsmListSeparators = " ,;";
}  // namespace

namespace tbc {

// Members: 0 maximum number of passes, 1 directives.
const OptionPageTable kAsmGeneral = {
    "CAsmGeneral",
    {{K::kNumberCombo, 1124, "5"}, {K::kEdit, 1125}},
    {{P::kAppendBlank, 1, "/j"}, {P::kFirstValueNotIn, 0, "/m", 0, "lxuv"}},
    {{B::kPieces, 1, "/j", 0, kTbcAsmListSeparators}, {B::kTextUnless, 0, "/m", 0, "5"}},
};

const OptionPageTable kAsmDefinitions = {
    "CAsmDefinitions",
    {{K::kEdit, 1059}},
    {{P::kAppendBlank, 0, "/d"}},
    {{B::kPieces, 0, "/d", 0, kTbcAsmListSeparators}},
};

// Members: 0 suppress OBJ records, 1 segment ordering, 2 debug
// information, 3 floating point.
const OptionPageTable kAsmOutput = {
    "CAsmOutput",
    {{K::kCheck, 1001}, {K::kRadio, 1112}, {K::kRadio, 1116}, {K::kRadio, 1114}},
    {{P::kSet, 2, nullptr, 2},
     {P::kSet, 3, nullptr, 1},
     {P::kSet, 1, nullptr, 1},
     {P::kTickTok, 0, "/q"},
     {P::kTok, 2, "/zi", 0},
     {P::kTok, 2, "/zd", 1},
     {P::kTok, 3, "/e", 0},
     {P::kTok, 1, "/a", 0}},
    {{B::kWhenChecked, 0, "/q"},
     {B::kWhenIndex, 2, "/zi", 0},
     {B::kWhenIndex, 2, "/zd", 1},
     {B::kWhenIndex, 2, "/zn", 2},
     {B::kWhenIndex, 3, "/e", 0},
     {B::kWhenIndex, 3, "/r", 1},
     {B::kWhenIndex, 1, "/a", 0},
     {B::kWhenIndex, 1, "/s", 1}},
};

// Members: 0 maximum symbol length, 1 maximum number of symbols, 2 case
// sensitivity.
const OptionPageTable kAsmSymbols = {
    "CAsmSymbols",
    {{K::kNumberCombo, 1121, "12"}, {K::kNumberCombo, 1122, "8192"}, {K::kRadio, 1118}},
    {{P::kSet, 2, nullptr, 2},
     {P::kSetText, 1, nullptr, 0, "8192"},
     {P::kSetText, 0, nullptr, 0, "12"},
     {P::kTok, 2, "/ml", 0},
     {P::kTok, 2, "/mx", 1},
     {P::kFirstValue, 0, "/mv"},
     {P::kFirstValue, 1, "/kh"}},
    {{B::kWhenIndex, 2, "/ml", 0},
     {B::kWhenIndex, 2, "/mx", 1},
     {B::kWhenIndex, 2, "/mu", 2},
     {B::kTextUnless, 1, "/kh", 0, "8192"},
     {B::kTextUnless, 0, "/mv", 0, "12"}},
};

// Members: 0 quiet, 1 source lines with errors, 2 warning level.
const OptionPageTable kAsmMessages = {
    "CAsmMessages",
    {{K::kCheck, 1129}, {K::kCheck, 1130}, {K::kRadio, 1126}},
    {{P::kCheckTok, 0, "/t"},
     {P::kCheckTok, 1, "/z"},
     {P::kSet, 2, nullptr, 1},
     {P::kTok, 2, "/w0", 0},
     {P::kTok, 2, "/w2", 2},
     {P::kKnown, -1, "/w1"}},
    {{B::kWhenChecked, 0, "/t"}, {B::kWhenChecked, 1, "/z"}, {B::kIndexNumber, 2, "/w%d"}},
};

// Members: 0 cross-reference, 1 false conditionals, 2 no symbol table,
// 3 listing.
const OptionPageTable kAsmListingFile = {
    "CAsmListingFile",
    {{K::kCheck, 1002}, {K::kCheck, 1003}, {K::kCheck, 1117}, {K::kRadio, 1114}},
    {{P::kCheckTok, 0, "/c"},
     {P::kCheckTok, 1, "/x"},
     {P::kCheckTok, 2, "/n"},
     {P::kSet, 3, nullptr, 0},
     {P::kTok, 3, "/l", 1},
     {P::kTok, 3, "/la", 2}},
    {{B::kWhenChecked, 0, "/c"},
     {B::kWhenChecked, 1, "/x"},
     {B::kWhenChecked, 2, "/n"},
     {B::kWhenIndex, 3, "/l", 1},
     {B::kWhenIndex, 3, "/la", 2}},
};

}  // namespace tbc
