#include "drivers/sim/fault_plan.h"

namespace sim {

bool FaultPlan::Take(const std::string& call, Fault* out) {
  for (auto it = faults_.begin(); it != faults_.end(); ++it) {
    if (it->call != call) continue;
    *out = *it;
    if (it->times > 0 && --it->times == 0) faults_.erase(it);
    return true;
  }
  return false;
}

}  // namespace sim
