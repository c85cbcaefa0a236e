// Which words of an option string an option page owns.
#include <cstring>
#include <string>

#include "plugins/common/option_values.h"

namespace {

enum class KnownShape : uint8_t { kWord, kValuePrefix, kAssignedPrefix };

// Each blank-separated word of `option` is an exact switch.
bool KnownWordOf(const char* option, const std::string& word) {
  std::string all(option);
  size_t start = 0;
  for (;;) {
    size_t end = all.find(' ', start);
    if (all.compare(start, end == std::string::npos ? std::string::npos : end - start, word) == 0 &&
        (end == std::string::npos ? all.size() - start : end - start) == word.size())
      return true;
    if (end == std::string::npos) return false;
    start = end + 1;
  }
}

bool MatchesShape(KnownShape shape, const std::string& option, const std::string& word) {
  switch (shape) {
    case KnownShape::kWord:
      return KnownWordOf(option.c_str(), word);
    case KnownShape::kValuePrefix:  // also the bare switch, which reading skips
      return word.size() >= option.size() && word.compare(0, option.size(), option) == 0 &&
             (word.size() == option.size() || word[option.size()] != '=');
    case KnownShape::kAssignedPrefix:
      return word.size() > option.size() && word.compare(0, option.size(), option) == 0 &&
             word[option.size()] == '=';
  }
  return false;
}

KnownShape ShapeOfParseStep(const ParseStep& s) {
  switch (s.op) {
    case ParseOp::kAppendComma:
    case ParseOp::kAppendBlank:
    case ParseOp::kAppendBlankNoDash:
    case ParseOp::kFirstValue:
    case ParseOp::kFirstValueNotIn:
    case ParseOp::kFirstQuoted:
      return KnownShape::kValuePrefix;
    case ParseOp::kAssigned:
    case ParseOp::kAssignedWhenChecked:
      return KnownShape::kAssignedPrefix;
    case ParseOp::kKnown:
      return s.value == 1 ? KnownShape::kValuePrefix : KnownShape::kWord;
    default:
      return KnownShape::kWord;
  }
}

bool ParseStepKnows(const ParseStep& s, const std::string& word) {
  if (!s.option) return false;
  KnownShape shape = ShapeOfParseStep(s);
  if (MatchesShape(shape, s.option, word)) return true;
  if (s.op == ParseOp::kTickTokOrAssigned && MatchesShape(KnownShape::kAssignedPrefix, s.option, word))
    return true;
  if (s.forms != SwitchForms::kSlashOrDash || s.option[0] != '/') return false;
  std::string dash = std::string("-") + (s.option + 1);
  return MatchesShape(shape, dash, word) ||
         (s.op == ParseOp::kTickTokOrAssigned && MatchesShape(KnownShape::kAssignedPrefix, dash, word));
}

bool BuildStepKnows(const BuildStep& s, const std::string& word) {
  switch (s.op) {
    case BuildOp::kPieces:
    case BuildOp::kPiecesNoDash:
    case BuildOp::kTextUnless:
    case BuildOp::kNumberUnless:
    case BuildOp::kCheckedNumberUnless:
    case BuildOp::kQuoted:
      return MatchesShape(KnownShape::kValuePrefix, s.option, word);
    case BuildOp::kRangeValue:
      return MatchesShape(KnownShape::kWord, s.option, word) ||
             MatchesShape(KnownShape::kAssignedPrefix, s.option, word);
    case BuildOp::kIndexNumber:
      return false;
    default:
      return MatchesShape(KnownShape::kWord, s.option, word);
  }
}

}  // namespace

bool IsPageSwitch(const OptionPageTable& table, const CString& word) {
  const std::string& w = word.str();
  for (const ParseStep& s : table.parse)
    if (ParseStepKnows(s, w)) return true;
  for (const BuildStep& s : table.build)
    if (BuildStepKnows(s, w)) return true;
  return false;
}
