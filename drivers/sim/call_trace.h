// The record of driver calls: name, arguments and result of each, in order.
#pragma once
#include <cstdint>
#include <deque>
#include <sstream>
#include <string>
#include <vector>

namespace sim {

struct TraceEntry {
  std::string call;
  std::string args;
  long long result = 0;
};

// Keeps the newest calls only (a board running in the IDE makes calls for
// as long as it runs): at least kKept, at most twice as many. The oldest
// call goes as each new one comes, so no call pays for a trim of many.
class CallTrace {
 public:
  static constexpr size_t kKept = 16384;

  void Add(TraceEntry e) {
    if (entries_.size() >= 2 * kKept) entries_.pop_front();
    entries_.push_back(std::move(e));
  }
  const std::deque<TraceEntry>& Entries() const { return entries_; }
  void Clear() { entries_.clear(); }
  // The calls named `call`, in order.
  std::vector<TraceEntry> Of(const std::string& call) const;
  // The call names joined by blanks (for compact assertions).
  std::string Names() const;

 private:
  std::deque<TraceEntry> entries_;
};

// Formats call arguments: numbers in decimal, texts quoted, null as "null".
inline void FormatArg(std::ostringstream& o, const char* s) {
  if (s)
    o << '"' << s << '"';
  else
    o << "null";
}
template <class T>
void FormatArg(std::ostringstream& o, T* p) {
  o << (p ? "ptr" : "null");
}
template <class T>
void FormatArg(std::ostringstream& o, T v) {
  o << +v;
}

template <class... A>
std::string FormatArgs(A... a) {
  std::ostringstream o;
  bool first = true;
  ((o << (first ? "" : ", "), FormatArg(o, a), first = false), ...);
  return o.str();
}

}  // namespace sim
