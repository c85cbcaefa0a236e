#include "drivers/sim/mz_image.h"

namespace sim {

namespace {

uint16_t Word(const uint8_t* p, size_t at) { return uint16_t(p[at] | p[at + 1] << 8); }

constexpr size_t kHeaderSize = 28;

}  // namespace

bool ParseMz(const uint8_t* data, size_t size, MzImage* out) {
  if (!data || size < kHeaderSize || data[0] != 'M' || data[1] != 'Z') return false;
  uint16_t lastPage = Word(data, 2), pages = Word(data, 4), relocCount = Word(data, 6),
           headerParas = Word(data, 8), minAlloc = Word(data, 10);
  if (pages == 0 || lastPage >= 512) return false;
  // The file image ends in its last 512-byte page (a full page when 0).
  size_t imageEnd = size_t(pages) * 512 - (lastPage ? 512 - lastPage : 0);
  size_t headerEnd = size_t(headerParas) * 16;
  size_t relocAt = Word(data, 24);
  if (headerEnd < kHeaderSize || headerEnd > imageEnd || imageEnd > size) return false;
  if (relocAt + size_t(relocCount) * 4 > headerEnd) return false;
  MzImage img;
  img.module.assign(data + headerEnd, data + imageEnd);
  img.extraBytes = uint32_t(minAlloc) * 16;
  if (img.module.size() + img.extraBytes > kMzMaxMemory) return false;
  for (uint16_t i = 0; i < relocCount; ++i) {
    MzRelocation r{Word(data, relocAt + 4 * i), Word(data, relocAt + 4 * i + 2)};
    // A relocated word lies inside the module.
    if (uint32_t(r.segment) * 16 + r.offset + 2 > img.module.size()) return false;
    img.relocations.push_back(r);
  }
  img.ss = Word(data, 14);
  img.sp = Word(data, 16);
  img.ip = Word(data, 20);
  img.cs = Word(data, 22);
  *out = std::move(img);
  return true;
}

uint32_t MzMemorySize(const MzImage& image) { return uint32_t(image.module.size()) + image.extraBytes; }

void LoadMz(const MzImage& image, uint16_t loadSegment, SparseMemory& memory) {
  uint32_t base = uint32_t(loadSegment) * 16;
  memory.Write(base, image.module.data(), uint32_t(image.module.size()));
  for (const MzRelocation& r : image.relocations) {
    uint32_t at = base + uint32_t(r.segment) * 16 + r.offset;
    memory.Write16(at, uint16_t(memory.Read16(at) + loadSegment));
  }
}

}  // namespace sim
