// The GNU assembler and linker pages (legend in option_table.h).
#include "plugins/gnuopt/gnu_pages.h"

namespace {
using K = MemberKind;
using P = ParseOp;
using B = BuildOp;
}  // namespace

namespace gnu {

// Members: 0 join sections, 1 retain local labels, 2 work faster.
const OptionPageTable kAsmGeneral = {
    "CAsmGeneral",
    {{K::kCheck, 1167}, {K::kCheck, 1169}, {K::kCheck, 1168}},
    {{P::kCheckTok, 0, "-R"}, {P::kCheckTok, 1, "-L"}, {P::kCheckTok, 2, "-f"}},
    {{B::kWhenChecked, 0, "-R"}, {B::kWhenChecked, 1, "-L"}, {B::kWhenChecked, 2, "-f"}},
};

// Members: 0 warning level, 1 difference tables.
const OptionPageTable kAsmMessages = {
    "CAsmMessages",
    {{K::kRadio, 1126}, {K::kCheck, 1129}},
    {{P::kCheckTok, 1, "-K"},
     {P::kSet, 0, nullptr, 1},
     {P::kTok, 0, "--no-warn", 0},
     {P::kTok, 0, "--fatal-warnings", 2},
     {P::kKnown, -1, "--warn"}},
    {{B::kWhenChecked, 1, "-K"},
     {B::kWhenIndex, 0, "--no-warn", 0},
     {B::kWhenIndex, 0, "--warn", 1},
     {B::kWhenIndex, 0, "--fatal-warnings", 2}},
};

// Members: 0 listing, 1 omit debugging directives, 2 omit false conditionals.
const OptionPageTable kAsmListingFile = {
    "CAsmListingFile",
    {{K::kRadio, 1114}, {K::kCheck, 1117}, {K::kCheck, 1003}},
    {{P::kCheckTok, 1, "-ad"},
     {P::kCheckTok, 2, "-ac"},
     {P::kSet, 0, nullptr, 0},
     {P::kTok, 0, "-al", 1},
     {P::kTok, 0, "-ah", 2}},
    {{B::kWhenChecked, 1, "-ad"},
     {B::kWhenChecked, 2, "-ac"},
     {B::kWhenIndex, 0, "-al", 1},
     {B::kWhenIndex, 0, "-ah", 2}},
};

// Members: 0 sort common, 1 incremental, 2 omit debug, 3 no default libraries.
const OptionPageTable kLinkerGeneralDialog = {
    "CLinkerGeneralDialog",
    {{K::kCheck, 1002}, {K::kCheck, 1003}, {K::kCheck, 1004}, {K::kCheck, 1005}},
    {{P::kTickTok, 1, "-i"},
     {P::kTickTok, 0, "--sort-common"},
     {P::kTickTok, 2, "-S"},
     {P::kTickTok, 3, "-nostdlib"}},
    {{B::kWhenChecked, 1, "-i"},
     {B::kWhenChecked, 0, "--sort-common"},
     {B::kWhenChecked, 2, "-S"},
     {B::kWhenChecked, 3, "-nostdlib"}},
};

// Members: 0 generate map file, 1 cross reference, 2 mangled names.
const OptionPageTable kLinkerMapfileDialog = {
    "CLinkerMapfileDialog",
    {{K::kCheck, 1170}, {K::kCheck, 1010}, {K::kCheck, 1001}},
    {{P::kTickTok, 0, "-Map"},
     {P::kTickTok, 1, "--cref", 0, nullptr, 0},
     {P::kTickTok, 2, "--no-demangle", 0, nullptr, 0}},
    {{B::kWhenChecked, 0, "-Map Mapfile"},
     {B::kWhenBothChecked, 2, "--no-demangle", 0, nullptr, 0},
     {B::kWhenBothChecked, 1, "--cref", 0, nullptr, 0}},
};

// Members: 0 warn common, 1 fatal warnings, 2 warn once.
const OptionPageTable kLinkerWarningDialog = {
    "CLinkerWarningDialog",
    {{K::kCheck, 1001}, {K::kCheck, 1016}, {K::kCheck, 1171}},
    {{P::kTickTok, 1, "--fatal-warnings"},
     {P::kTickTok, 2, "--warn-once"},
     {P::kTickTok, 0, "--warn-common"}},
    {{B::kWhenChecked, 1, "--fatal-warnings"},
     {B::kWhenChecked, 2, "--warn-once"},
     {B::kWhenChecked, 0, "--warn-common"}},
};

}  // namespace gnu
