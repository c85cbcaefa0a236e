// Option pages as data. A page is a list of members (its controls), the
// steps that read the members from an option string and the steps that
// write them back as switches. plugins/gnuopt and plugins/tbcopt hold one
// table per page; option_parse.cpp and option_build.cpp run them.
//
// Members (OptionMember::kind):
//   kCheck   check box, int 0/1, starts at 0 (DDX_Check on `control`)
//   kRadio   radio group, int index of the button, starts at -1 (DDX_Radio
//            on the group's first button `control`)
//   kEdit    text of an edit field, starts empty
//   kCombo   text of a drop-down combo; `comboDefault` is put into its list
//            and chosen while the text is empty, else the text is added and
//            chosen; a null default leaves the list to the template
//   kNumberCombo  as kCombo, and only digits can be typed into it
//
// Parse steps (ParseStep::op); "found" means FindOptionToken, "values"
// FindOptionValue, "assigned" FindOptionAssignedValue (option_tokens.h).
// With ParseStep::forms == kSlashOrDash a switch written with "/" is also
// looked for with "-" in front. A chain of kTok/kElseTok starts at kSet.
//   kSet         member = value (ends a chain)
//   kTok         switch found: member = value (the last one found wins)
//   kElseTok     no switch of the chain found yet, this one found: member = value
//   kCheckTok    member = found ? 1 : 0
//   kUncheckTok  member = found ? 0 : 1
//   kTickTok     found (and member2, when given, ticked): member = 1 (never
//                cleared)
//   kTickTokOrAssigned  the switch alone or with "=value" found: member = 1
//   kEmptyText   text = ""
//   kSetText     text = `arg`
//   kAppendComma every value is appended, after a "," when the text is not empty
//   kAppendBlank every value is appended with one blank after it
//   kAppendBlankNoDash  as kAppendBlank, for values that do not begin with "-"
//   kFirstValue  text = the first value (left alone when there is none)
//   kFirstValueNotIn  text = the first value whose first character is not in `arg`
//   kFirstQuoted text = the first value that begins with '"', without its
//                first and last character
//   kAssigned    text = the assigned value (the later of both forms)
//   kAssignedWhenChecked  member2 ticked: text = the assigned value or ""
//   kKnown       reads nothing: the switch (a value prefix when `value` is 1)
//                belongs to the page, so it is not carried over as unknown
//
// Build steps (BuildStep::op); each switch is written with one blank after it.
//   kWhenChecked     member ticked: switch
//   kWhenUnchecked   member not ticked: switch
//   kWhenBothChecked member and member2 ticked: switch
//   kWhenIndex       member == value: switch
//   kAlways          switch
//   kPieces          text split at each character of `arg`; every non-empty
//                    piece gives switch + piece (a bare switch would mean
//                    something else to the tool)
//   kPiecesNoDash    as kPieces, leaving out pieces that begin with "-": the
//                    switch with such a piece is another switch (the list of
//                    warnings "-w" + "-" is "-w-", all warnings off)
//   kTextUnless      text not empty and not `arg`: switch + text
//   kNumberUnless    text not empty and its number not `value`: switch + text
//   kCheckedNumberUnless  member2 ticked, text not empty and its number not
//                    `value`: switch + text
//   kIndexNumber     switch formatted with "%d" of the member
//   kQuoted          text not empty: switch + '"' + text + '"'
//   kRangeValue      member2 (when given) ticked: the number of the text is
//                    checked against [value, value2]: outside, `arg` is shown
//                    in an "alert" box and the bare switch written (or nothing
//                    when `bareOnError` is kNoBareSwitch); equal to `dflt` (or
//                    empty): the bare switch (or nothing); else switch "=" text
#pragma once

#include <cstdint>
#include <vector>

enum class MemberKind : uint8_t { kCheck, kRadio, kEdit, kCombo, kNumberCombo };

struct OptionMember {
  MemberKind kind;
  int control;
  const char* comboDefault = nullptr;
};

enum class ParseOp : uint8_t {
  kSet,
  kTok,
  kElseTok,
  kCheckTok,
  kUncheckTok,
  kTickTok,
  kTickTokOrAssigned,
  kEmptyText,
  kSetText,
  kAppendComma,
  kAppendBlank,
  kAppendBlankNoDash,
  kFirstValue,
  kFirstValueNotIn,
  kFirstQuoted,
  kAssigned,
  kAssignedWhenChecked,
  kKnown,
};

enum class SwitchForms : uint8_t { kAsWritten, kSlashOrDash };

struct ParseStep {
  ParseOp op;
  int member = -1;
  const char* option = nullptr;
  int value = 0;
  const char* arg = nullptr;
  int member2 = -1;
  SwitchForms forms = SwitchForms::kAsWritten;
};

enum class BuildOp : uint8_t {
  kWhenChecked,
  kWhenUnchecked,
  kWhenBothChecked,
  kWhenIndex,
  kAlways,
  kPieces,
  kPiecesNoDash,
  kTextUnless,
  kNumberUnless,
  kCheckedNumberUnless,
  kIndexNumber,
  kQuoted,
  kRangeValue,
};

enum class BareSwitch : uint8_t { kWriteBareSwitch, kNoBareSwitch };

struct BuildStep {
  BuildOp op;
  int member = -1;
  const char* option = nullptr;
  int value = 0;
  const char* arg = nullptr;
  int member2 = -1;
  int value2 = 0;
  const char* dflt = nullptr;
  BareSwitch bareOnError = BareSwitch::kWriteBareSwitch;
};

// Which option string of the record a page reads and writes.
enum class OptionString : uint8_t { kNone, kCompiler, kAssembler, kLinker };

struct OptionPageTable {
  const char* className;
  std::vector<OptionMember> members;
  std::vector<ParseStep> parse;
  std::vector<BuildStep> build;
};
