// Reads arbitrary bytes as "mirt.cfg": either environments come back, each
// with all four texts, or the process would end.
#include <cstdint>
#include <cstdlib>

#include "app/core/environment_list.h"
#include "platform/sys/process_exit.h"
#include "tests/fuzz/app_core/fuzz_input_file.h"
#include "tests/fuzz/app_core/quiet_boxes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietBoxes();
  static bool trapped = [] {
    plat::SetExitProcessHandler([](int code) { throw plat::ProcessExit{code}; });
    return true;
  }();
  (void)trapped;
  std::string path = FuzzInputFile("mirt.cfg", data, size);
  CEnvironmentList list;
  try {
    list.ReadConfigFile(path.c_str());
  } catch (const plat::ProcessExit&) {
    return 0;
  }
  if (list.GetCount() == 0) abort();
  for (POSITION pos = list.GetHeadPosition(); pos;) {
    const CEnviron& env = list.GetNext(pos);
    if (!env.name || !env.settings || !env.baseMakefile || !env.defaultProject) abort();
  }
  return 0;
}
