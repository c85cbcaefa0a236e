// Texts of lines rebuilt all at once (such as by Replace All), packed one
// after another, each with its NUL, in a few blocks that the buffer holds.
// A line whose text lies here borrows it as it would a loaded text (it is
// copied before it changes); each block counts the lines that borrow from
// it and goes back once none does. Big blocks have their pages made
// resident a stretch ahead of the fill, and near the end of one the next is
// made ready.
#pragma once

#include <cstddef>
#include <vector>

#include "platform/sys/page_warmer.h"

class SharedTexts {
 public:
  // Texts this long or longer are not packed here.
  static constexpr size_t kLongest = 64 * 1024;

  SharedTexts() = default;
  ~SharedTexts() { Clear(); }
  SharedTexts(const SharedTexts&) = delete;
  SharedTexts& operator=(const SharedTexts&) = delete;

  // Room for n bytes and a NUL (written zero) that one more line borrows;
  // null for a text of kLongest bytes or more, or when memory runs out.
  char* Take(size_t n);
  // The line borrowing `text`, a text Take gave, no longer does.
  void Release(const char* text);
  // Hands every block back; no line may borrow from them any more.
  void Clear();

  // Blocks held (for tests).
  size_t BlockCount() const { return m_blocks.size(); }

 private:
  struct Block {
    char* begin;
    size_t size;
    size_t borrowers;
  };
  // The first block that begins after p.
  std::vector<Block>::iterator BlockAfter(const char* p);
  // The block holding p, or -1.
  long BlockOf(const char* p);
  // The spare, made the block being filled (mapped first if there is none).
  bool NewBlock(size_t atLeast);
  // Maps a spare of `size` bytes whose pages the warmer may make resident.
  bool MapSpare(size_t size);
  void FreeBlock(size_t i);
  // Near the end of the fill block, the next one is mapped and its first
  // pages made resident by the warmer.
  void MakeSpareReady();
  plat::WarmFront& FillFront() { return m_fronts[m_fillFront]; }
  plat::WarmFront& SpareFront() { return m_fronts[1 - m_fillFront]; }

  std::vector<Block> m_blocks;  // by address
  long m_fill = -1;             // the block being filled
  char* m_at = nullptr;         // its free room
  char* m_end = nullptr;
  size_t m_nextSize = 0;  // size of the next block
  Block m_spare{};        // the next block, made ready (begin null: none)
  // The fill block's and the spare's fronts, kept in place for the warmer.
  plat::WarmFront m_fronts[2];
  int m_fillFront = 0;
  plat::PageWarmer m_warmer;
};
