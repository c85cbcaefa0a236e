// The texts of the lines read from a file, laid one after another in a few
// big blocks that the buffer holds: a loaded line's text points in here and
// is not its own (its capacity is 0) until it is first changed, when it is
// copied into a block of its own. The blocks go back all at once.
#pragma once

#include <cstddef>
#include <vector>

class LoadedTexts {
 public:
  LoadedTexts() = default;
  ~LoadedTexts() { Clear(); }
  LoadedTexts(const LoadedTexts&) = delete;
  LoadedTexts& operator=(const LoadedTexts&) = delete;

  // Room for n zero bytes, or null when memory runs out.
  char* Take(size_t n);
  // Takes over the other's blocks (its lines now live in this buffer);
  // false, with nothing moved, when memory runs out.
  bool Adopt(LoadedTexts& other);
  // Hands every block back; no line may point into them any more.
  void Clear();
  size_t BlockCount() const { return m_blocks.size(); }

 private:
  struct Block {
    char* bytes;
    size_t size;
  };
  std::vector<Block> m_blocks;
  char* m_at = nullptr;  // free room in the last block
  char* m_end = nullptr;
};
