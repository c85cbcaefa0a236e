// The baseline of the same-thread send benchmark: a handler reached through
// a virtual call on a base pointer, defined in its own translation unit so
// the call can be neither devirtualised nor inlined.
#pragma once

#include "platform/base/windef.h"

class ValueHandler {
 public:
  virtual ~ValueHandler() = default;
  virtual LRESULT OnValue(WPARAM w, LPARAM l) = 0;
};

ValueHandler* MakeDirectHandler();
