#include "editor/loadedtexts.h"

#include <algorithm>
#include <cstdlib>

namespace {

// Big enough that a large file needs a handful; pages not yet written to
// stay out of memory.
constexpr size_t kLoadedBlock = 32u << 20;

}  // namespace

char* LoadedTexts::Take(size_t n) {
  if (m_at == nullptr || static_cast<size_t>(m_end - m_at) < n) {
    size_t size = std::max(n, kLoadedBlock);
    auto* bytes = static_cast<char*>(std::calloc(1, size));
    if (bytes == nullptr) return nullptr;
    try {
      m_blocks.push_back({bytes, size});
    } catch (...) {
      std::free(bytes);
      return nullptr;
    }
    m_at = bytes;
    m_end = bytes + size;
  }
  char* p = m_at;
  m_at += n;
  return p;
}

bool LoadedTexts::Adopt(LoadedTexts& other) {
  // The other's free room stays unused: this one's last block is still the
  // one taken from.
  try {
    m_blocks.insert(m_blocks.begin(), other.m_blocks.begin(), other.m_blocks.end());
  } catch (...) {
    return false;
  }
  other.m_blocks.clear();
  other.m_at = other.m_end = nullptr;
  return true;
}

void LoadedTexts::Clear() {
  for (const Block& b : m_blocks) std::free(b.bytes);
  m_blocks.clear();
  m_at = m_end = nullptr;
}
