// Image lists read back from bytes.
#include <cstddef>
#include <cstdint>
#include <cstring>

#include "platform/ui/imagelist.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  size_t at = 0;
  HIMAGELIST h = mirt_ui::ReadImageList([&](void* p, size_t n) {
    if (size - at < n) return false;
    memcpy(p, data + at, n);
    at += n;
    return true;
  });
  if (h) {
    int n = ImageList_GetImageCount(h);
    IMAGEINFO info;
    if (n > 0) ImageList_GetImageInfo(h, n - 1, &info);
    ImageList_Destroy(h);
  }
  return 0;
}
