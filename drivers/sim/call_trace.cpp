#include "drivers/sim/call_trace.h"

namespace sim {

std::vector<TraceEntry> CallTrace::Of(const std::string& call) const {
  std::vector<TraceEntry> out;
  for (const auto& e : entries_)
    if (e.call == call) out.push_back(e);
  return out;
}

std::string CallTrace::Names() const {
  std::string s;
  for (const auto& e : entries_) {
    if (!s.empty()) s += ' ';
    s += e.call;
  }
  return s;
}

}  // namespace sim
