// Tool bar bitmaps and records read from resources: any bytes are checked
// against their length before the colour table is mapped, and a record's id
// list never reaches past its end.
#include <cstdint>
#include <cstdlib>

#include "framework/sec_bmp_mgr_loader.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  SECDibLayout layout;
  if (SECParseDib(data, size, &layout)) {
    if (layout.nBitsOffset > size || layout.nBitsSize > size - layout.nBitsOffset) std::abort();
    std::vector<BYTE> info = SECMapDibColors(data, layout, [](int n) { return static_cast<COLORREF>(n); });
    if (info.size() != sizeof(BITMAPINFOHEADER) + layout.nTableEntries * sizeof(RGBQUAD)) std::abort();
    // The rows are read as the loader hands them on.
    volatile BYTE sum = 0;
    for (size_t i = 0; i < layout.nBitsSize; ++i) sum = sum + data[layout.nBitsOffset + i];
  }
  SECToolBarResource res;
  if (SECParseToolBarResource(data, size, &res) && 8 + res.ids.size() * 2 > size) std::abort();
  return 0;
}
