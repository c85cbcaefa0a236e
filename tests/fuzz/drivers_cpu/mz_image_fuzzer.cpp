// MZ executables installed on a simulated board: any bytes, read and, when
// accepted, loaded and relocated.
#include <cstddef>
#include <cstdint>

#include "drivers/sim/mz_image.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  sim::MzImage img;
  if (!sim::ParseMz(data, size, &img)) return 0;
  sim::SparseMemory memory;
  sim::LoadMz(img, 0xFFFF, memory);  // the highest segment: addresses past 1 MB
  return 0;
}
