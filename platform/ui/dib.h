// Private: device-independent bitmaps (headers, palettes, pixel rows).
#pragma once

#include <QImage>
#include <cstddef>

#include "platform/ui/wintypes.h"

namespace mirt_ui {

struct DibImage {
  QImage image;  // RGB32
  bool mono = false;
  int bpp = 0;
};

// Decodes a packed DIB: BITMAPINFOHEADER (or BITMAPCOREHEADER), palette,
// then the rows. `bits` may point elsewhere (null: rows follow the palette).
// Returns false for a malformed or truncated bitmap.
bool DecodeDib(const unsigned char* data, size_t size, DibImage* out, const unsigned char* bits = nullptr,
               size_t bitsSize = 0);
// A ".bmp" file: BITMAPFILEHEADER then a packed DIB.
bool DecodeBmpFile(const unsigned char* data, size_t size, DibImage* out);

}  // namespace mirt_ui
