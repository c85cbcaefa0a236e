#include "bench/platform_ui/direct_handler.h"

namespace {
class DirectHandler : public ValueHandler {
 public:
  LRESULT OnValue(WPARAM w, LPARAM l) override { return static_cast<LRESULT>(w + l); }
};
}  // namespace

ValueHandler* MakeDirectHandler() { return new DirectHandler; }
