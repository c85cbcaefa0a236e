// Loads arbitrary bytes as a project and as a template; whatever loads must
// load again from its own file text to the same text.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/core/project_data.h"
#include "tests/fuzz/app_core/fuzz_input_file.h"
#include "tests/fuzz/app_core/quiet_boxes.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  QuietBoxes();
  std::string path = FuzzInputFile("p.kpj", data, size);
  for (int mode : {kProjectFile, kProjectTemplate}) {
    ProjectData p;
    p.SetFilePath(path.c_str());
    if (p.Load(mode) != 1) continue;
    std::string text = p.FileText(mode);
    std::string again =
        FuzzInputFile("again.kpj", reinterpret_cast<const uint8_t*>(text.data()), text.size());
    ProjectData q;
    q.SetFilePath(again.c_str());
    if (q.Load(mode) != 1 || q.FileText(mode) != text) abort();
  }
  return 0;
}
