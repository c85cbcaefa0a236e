// The message boxes the debugger showed, as "[caption] text" lines.
#pragma once

#include <string>

#include "platform/sys/msgbox.h"

namespace fixture {

inline void ClearBoxes() { plat::ClearMessageBoxRecords(); }

inline std::string BoxesShown() {
  std::string said;
  for (const plat::MessageBoxRecord& r : plat::MessageBoxRecords())
    said += "[" + r.caption + "] " + r.text + "\n";
  plat::ClearMessageBoxRecords();
  return said;
}

}  // namespace fixture
