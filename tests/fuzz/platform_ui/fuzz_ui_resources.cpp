// Compiled resource images and the binary forms read from them: menus,
// dialog templates, accelerators and bitmaps.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "platform/ui/dib.h"
#include "platform/ui/res_file.h"
#include "platform/ui/resources.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  std::vector<mirt_ui::ResEntry> entries;
  mirt_ui::ParseResFile(data, size, &entries);
  // Each kind is also read straight from the input, so that the readers
  // see data of any shape.
  std::vector<MenuTemplateItem> menu;
  ParseMenuTemplate(data, size, &menu);
  DialogTemplate dialog;
  ParseDialogTemplate(data, size, &dialog);
  std::vector<ACCEL> accels;
  mirt_ui::ParseAccelerators(data, size, &accels);
  mirt_ui::DibImage dib;
  mirt_ui::DecodeDib(data, size, &dib);
  mirt_ui::DecodeBmpFile(data, size, &dib);
  for (const mirt_ui::ResEntry& e : entries) {
    if (!e.type.isOrdinal) continue;
    switch (e.type.ordinal) {
      case 2:
        mirt_ui::DecodeDib(e.data, e.size, &dib);
        break;
      case 4:
        menu.clear();
        ParseMenuTemplate(e.data, e.size, &menu);
        break;
      case 5:
        ParseDialogTemplate(e.data, e.size, &dialog);
        break;
      case 9:
        accels.clear();
        mirt_ui::ParseAccelerators(e.data, e.size, &accels);
        break;
    }
  }
  return 0;
}
