// Runs the build steps of an option page: its members become switches.
#include <cstdlib>
#include <cstring>

#include "platform/sys/msgbox.h"
#include "plugins/common/option_values.h"

namespace {

// A decimal number as the pages read it: no number counts as 0.
long OptionTextNumber(const CString& text) { return std::strtol(text, nullptr, 10); }

void AddSwitch(CString& out, const CString& option) { out += option + " "; }

// Splits `text` at every character of `separators`; an empty piece writes
// nothing (a bare "-D" would take the next switch as its name).
enum class DashPieces { kWrite, kLeaveOut };
void AddPieces(CString& out, const BuildStep& s, const CString& text, DashPieces dash) {
  if (text.IsEmpty()) return;
  const std::string& all = text.str();
  size_t start = 0;
  for (;;) {
    size_t end = all.find_first_of(s.arg, start);
    std::string piece = all.substr(start, end == std::string::npos ? std::string::npos : end - start);
    bool wanted = !piece.empty() && (dash == DashPieces::kWrite || piece[0] != '-');
    if (wanted) AddSwitch(out, CString(s.option) + CString(piece));
    if (end == std::string::npos) break;
    start = end + 1;
  }
}

void AddRangeValue(CString& out, const BuildStep& s, const CString& text, HWND owner) {
  const bool bare = s.bareOnError == BareSwitch::kWriteBareSwitch;
  if (text.IsEmpty() || text == s.dflt) {
    if (bare) AddSwitch(out, s.option);
    return;
  }
  long n = OptionTextNumber(text);
  if (n < s.value || n > s.value2) {
    MessageBox(owner, s.arg, "alert", MB_OK);
    if (bare) AddSwitch(out, s.option);
    return;
  }
  AddSwitch(out, CString(s.option) + "=" + text);
}

}  // namespace

CString BuildOptionPage(const OptionPageTable& table, const OptionValues& values, HWND owner) {
  CString out;
  for (const BuildStep& s : table.build) {
    const size_t m = static_cast<size_t>(s.member < 0 ? 0 : s.member);
    const int num = s.member >= 0 ? values.num[m] : 0;
    const CString& text = values.text[m];
    const bool checked2 = s.member2 < 0 || values.num[static_cast<size_t>(s.member2)] != 0;
    switch (s.op) {
      case BuildOp::kWhenChecked:
        if (num) AddSwitch(out, s.option);
        break;
      case BuildOp::kWhenUnchecked:
        if (!num) AddSwitch(out, s.option);
        break;
      case BuildOp::kWhenBothChecked:
        if (num && checked2) AddSwitch(out, s.option);
        break;
      case BuildOp::kWhenIndex:
        if (num == s.value) AddSwitch(out, s.option);
        break;
      case BuildOp::kAlways:
        AddSwitch(out, s.option);
        break;
      case BuildOp::kPieces:
        AddPieces(out, s, text, DashPieces::kWrite);
        break;
      case BuildOp::kPiecesNoDash:
        AddPieces(out, s, text, DashPieces::kLeaveOut);
        break;
      case BuildOp::kTextUnless:
        if (!text.IsEmpty() && text != s.arg) AddSwitch(out, CString(s.option) + text);
        break;
      case BuildOp::kNumberUnless:
        if (!text.IsEmpty() && OptionTextNumber(text) != s.value) AddSwitch(out, CString(s.option) + text);
        break;
      case BuildOp::kCheckedNumberUnless:
        if (checked2 && !text.IsEmpty() && OptionTextNumber(text) != s.value)
          AddSwitch(out, CString(s.option) + text);
        break;
      case BuildOp::kIndexNumber: {
        CString sw;
        sw.Format(s.option, num);
        AddSwitch(out, sw);
        break;
      }
      case BuildOp::kQuoted:
        if (!text.IsEmpty()) AddSwitch(out, CString(s.option) + "\"" + text + "\"");
        break;
      case BuildOp::kRangeValue:
        if (checked2) AddRangeValue(out, s, text, owner);
        break;
    }
  }
  return out;
}
