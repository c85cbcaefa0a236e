// Faults that tests plan: a named driver call fails with a class and code.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace sim {

struct Fault {
  std::string call;  // driver function name, e.g. "qj8_call_proc"
  uint8_t errorClass = 0;
  uint8_t errorCode = 0;
  int times = 1;  // how many calls fail; -1 = every call
};

class FaultPlan {
 public:
  void Add(Fault f) { faults_.push_back(std::move(f)); }
  void Clear() { faults_.clear(); }
  // The fault for this call, consumed; null when the call goes through.
  bool Take(const std::string& call, Fault* out);

 private:
  std::vector<Fault> faults_;
};

}  // namespace sim
