// Message boxes during fuzzing: answered at once with the default button,
// neither printed nor kept.
#pragma once

#include "platform/sys/msgbox.h"

inline void QuietBoxes() {
  static bool installed = [] {
    plat::SetMessageBoxHandler(
        [](const plat::MessageBoxRecord& r) { return plat::MessageBoxDefaultAnswer(r.type); });
    return true;
  }();
  (void)installed;
  plat::ClearMessageBoxRecords();
}
