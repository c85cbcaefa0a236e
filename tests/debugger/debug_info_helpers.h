// Loading generated executables and catching the debugger's message boxes.
#pragma once

#include <functional>
#include <memory>
#include <string>

#include "debugger/debug_interp_borland.h"
#include "tests/debugger/borland_fixture.h"

namespace fixture {

// Loads the executable's bytes; *ok gets the load result.
inline std::unique_ptr<CDebugInterpBorland> Load(const BorlandExe& exe, uint16_t loadSegment = 0x1000,
                                                 int* ok = nullptr) {
  std::string bytes = exe.Write();
  int result = -1;
  auto interp = std::make_unique<CDebugInterpBorland>(reinterpret_cast<const uint8_t*>(bytes.data()),
                                                      bytes.size(), &result, loadSegment);
  if (ok) *ok = result;
  CAddr none = CAddr::Invalid();
  interp->SetEntryAddress(&none);
  return interp;
}

}  // namespace fixture
