// The Borland-style linker pages (legend in option_table.h). Switches are
// read with "/" or "-" in front and written with "/".
#include "plugins/tbcopt/tbc_pages.h"

namespace {
using K = MemberKind;
using P = ParseOp;
using B = BuildOp;
constexpr SwitchForms kEither = SwitchForms::kSlashOrDash;
constexpr int kTbcMaxLinkerValue = 65535;
constexpr int kTbcMinPackSize = 1;
constexpr int kTbcMinAlignment = 2;
}  // namespace

namespace tbc {

// Members: 0 case-sensitive symbols, 1 case-sensitive exports, 2 debug
// information, 3 no default libraries, 4 pack code segments, 5 pack size.
const OptionPageTable kLinkerGeneralDialog = {
    "CLinkerGeneralDialog",
    {{K::kCheck, 1002},
     {K::kCheck, 1003},
     {K::kCheck, 1004},
     {K::kCheck, 1005},
     {K::kCheck, 1001},
     {K::kNumberCombo, 1006, "8192"}},
    {{P::kTickTok, 0, "/c", 0, nullptr, -1, kEither},
     {P::kTickTok, 1, "/C", 0, nullptr, -1, kEither},
     {P::kTickTok, 2, "/v", 0, nullptr, -1, kEither},
     {P::kTickTok, 3, "/n", 0, nullptr, -1, kEither},
     {P::kTickTokOrAssigned, 4, "/P", 0, nullptr, -1, kEither},
     {P::kAssigned, 5, "/P", 0, nullptr, -1, kEither}},
    {{B::kWhenChecked, 0, "/c"},
     {B::kWhenChecked, 1, "/C"},
     {B::kWhenChecked, 2, "/v"},
     {B::kWhenChecked, 3, "/n"},
     {B::kRangeValue, 5, "/P", kTbcMinPackSize,
      "ignoring incorrect value for pack size (must be between 1 and 65535)", 4, kTbcMaxLinkerValue, "8192",
      BareSwitch::kWriteBareSwitch}},
};

// Members: 0 map kind, 1 mangled names, 2 source line numbers.
const OptionPageTable kLinkerMapfileDialog = {
    "CLinkerMapfileDialog",
    {{K::kRadio, 1007}, {K::kCheck, 1001}, {K::kCheck, 1010}},
    {{P::kSet, 0, nullptr, 1},
     {P::kTok, 0, "/x", 0, nullptr, -1, kEither},
     {P::kTok, 0, "/s", 1, nullptr, -1, kEither},
     {P::kTok, 0, "/m", 2, nullptr, -1, kEither},
     {P::kTickTok, 1, "/Gm", 0, nullptr, -1, kEither},
     {P::kTickTok, 2, "/l", 0, nullptr, -1, kEither}},
    {{B::kWhenChecked, 1, "/Gm"},
     {B::kWhenChecked, 2, "/l"},
     {B::kWhenIndex, 0, "/x", 0},
     {B::kWhenIndex, 0, "/s", 1},
     {B::kWhenIndex, 0, "/m", 2}},
};

// Members: 0 initialize segments, 1 no far call optimisation, 2 32 bit,
// 3 segment alignment, 4 discard nonresident names, 5 transfer resident names.
const OptionPageTable kLinkerSpecialDialog = {
    "CLinkerSpecialDialog",
    {{K::kCheck, 1001},
     {K::kCheck, 1011},
     {K::kCheck, 1012},
     {K::kNumberCombo, 1013, "512"},
     {K::kCheck, 1014},
     {K::kCheck, 1015}},
    {{P::kTickTok, 0, "/i", 0, nullptr, -1, kEither},
     {P::kTickTok, 1, "/f", 0, nullptr, -1, kEither},
     {P::kTickTok, 2, "/3", 0, nullptr, -1, kEither},
     {P::kTickTok, 4, "/Gn", 0, nullptr, -1, kEither},
     {P::kTickTok, 5, "/Gr", 0, nullptr, -1, kEither},
     {P::kAssigned, 3, "/A", 0, nullptr, -1, kEither}},
    {{B::kWhenChecked, 0, "/i"},
     {B::kWhenChecked, 1, "/f"},
     {B::kWhenChecked, 2, "/3"},
     {B::kWhenChecked, 4, "/Gn"},
     {B::kWhenChecked, 5, "/Gr"},
     {B::kRangeValue, 3, "/A", kTbcMinAlignment,
      "ignoring incorrect value for segment alignment (must be between 2 and 65535)", -1, kTbcMaxLinkerValue,
      "512", BareSwitch::kNoBareSwitch}},
};

// Members: 0 duplicate symbols, 1 "No stack" warning.
const OptionPageTable kLinkerWarningDialog = {
    "CLinkerWarningDialog",
    {{K::kCheck, 1001}, {K::kCheck, 1016}},
    {{P::kTickTok, 0, "/d", 0, nullptr, -1, kEither}, {P::kTickTok, 1, "/k", 0, nullptr, -1, kEither}},
    {{B::kWhenChecked, 0, "/d"}, {B::kWhenChecked, 1, "/k"}},
};

}  // namespace tbc
