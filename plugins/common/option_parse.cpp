// Runs the parse steps of an option page over an option string.
#include <cstring>
#include <string>

#include "plugins/common/option_tokens.h"
#include "plugins/common/option_values.h"

namespace {

// The "-" form of a switch written with "/".
std::string DashForm(const char* option) {
  std::string s(option);
  if (!s.empty() && s[0] == '/') s[0] = '-';
  return s;
}

bool StepFindsToken(const ParseStep& s, const char* options) {
  if (FindOptionToken(options, s.option)) return true;
  return s.forms == SwitchForms::kSlashOrDash && FindOptionToken(options, DashForm(s.option).c_str());
}

// The assigned value of the step's switch; with both forms the later one.
const char* StepAssigned(const ParseStep& s, const char* options, uint16_t* len) {
  const char* a = FindOptionAssignedValue(options, s.option, len);
  if (s.forms != SwitchForms::kSlashOrDash) return a;
  uint16_t len2 = 0;
  const char* b = FindOptionAssignedValue(options, DashForm(s.option).c_str(), &len2);
  if (b && (!a || b > a)) {
    *len = len2;
    return b;
  }
  return a;
}

// Every value of the switch, in order. The next search starts after the
// value's word: a value that itself begins with the switch ("/j/j") is one
// value, not two.
template <class Fn>
void ForEachOptionValue(const char* options, const char* option, Fn fn) {
  uint16_t len = 0;
  for (const char* v = FindOptionValue(options, option, &len); v; v = FindOptionValue(v + len, option, &len))
    fn(CString(v, len));
}

void AppendOptionValues(const ParseStep& s, const char* options, CString& text) {
  ForEachOptionValue(options, s.option, [&](const CString& v) {
    switch (s.op) {
      case ParseOp::kAppendComma:
        if (!text.IsEmpty()) text += ",";
        text += v;
        break;
      case ParseOp::kAppendBlankNoDash:
        if (v[0] == '-') break;
        [[fallthrough]];
      default:
        text += v + " ";
        break;
    }
  });
}

// The first value of the switch that passes `accept`, or nothing.
template <class Fn>
bool FirstOptionValue(const char* options, const char* option, CString& out, Fn accept) {
  bool found = false;
  ForEachOptionValue(options, option, [&](const CString& v) {
    if (!found && accept(v)) {
      out = v;
      found = true;
    }
  });
  return found;
}

}  // namespace

void ParseOptionPage(const OptionPageTable& table, const char* options, OptionValues& values) {
  if (!options) options = "";
  bool chainHit = false;
  for (const ParseStep& s : table.parse) {
    int* num = s.member >= 0 ? &values.num[static_cast<size_t>(s.member)] : nullptr;
    CString* text = s.member >= 0 ? &values.text[static_cast<size_t>(s.member)] : nullptr;
    switch (s.op) {
      case ParseOp::kSet:
        *num = s.value;
        chainHit = false;
        break;
      case ParseOp::kTok:
        if (StepFindsToken(s, options)) *num = s.value, chainHit = true;
        break;
      case ParseOp::kElseTok:
        if (!chainHit && StepFindsToken(s, options)) *num = s.value, chainHit = true;
        break;
      case ParseOp::kCheckTok:
        *num = StepFindsToken(s, options) ? 1 : 0;
        break;
      case ParseOp::kUncheckTok:
        *num = StepFindsToken(s, options) ? 0 : 1;
        break;
      case ParseOp::kTickTok:
        if ((s.member2 < 0 || values.num[static_cast<size_t>(s.member2)]) && StepFindsToken(s, options))
          *num = 1;
        break;
      case ParseOp::kTickTokOrAssigned: {
        uint16_t len = 0;
        if (StepFindsToken(s, options) || StepAssigned(s, options, &len)) *num = 1;
        break;
      }
      case ParseOp::kEmptyText:
        text->Empty();
        break;
      case ParseOp::kSetText:
        *text = s.arg;
        break;
      case ParseOp::kAppendComma:
      case ParseOp::kAppendBlank:
      case ParseOp::kAppendBlankNoDash:
        AppendOptionValues(s, options, *text);
        break;
      case ParseOp::kFirstValue:
        FirstOptionValue(options, s.option, *text, [](const CString&) { return true; });
        break;
      case ParseOp::kFirstValueNotIn:
        FirstOptionValue(options, s.option, *text,
                         [&](const CString& v) { return std::strchr(s.arg, v[0]) == nullptr; });
        break;
      case ParseOp::kFirstQuoted: {
        CString v;
        if (FirstOptionValue(options, s.option, v, [](const CString& x) { return x[0] == '"'; }))
          *text = v.GetLength() >= 2 ? v.Mid(1, v.GetLength() - 2) : CString();
        break;
      }
      case ParseOp::kAssigned: {
        uint16_t len = 0;
        if (const char* a = StepAssigned(s, options, &len)) *text = CString(a, len);
        break;
      }
      case ParseOp::kAssignedWhenChecked: {
        if (!values.num[static_cast<size_t>(s.member2)]) break;
        uint16_t len = 0;
        const char* a = StepAssigned(s, options, &len);
        *text = a ? CString(a, len) : CString();
        break;
      }
      case ParseOp::kKnown:
        break;
    }
  }
}

OptionValues InitialOptionValues(const OptionPageTable& table) {
  OptionValues v;
  for (const OptionMember& m : table.members) {
    v.num.push_back(m.kind == MemberKind::kRadio ? -1 : 0);
    v.text.emplace_back();
  }
  return v;
}
