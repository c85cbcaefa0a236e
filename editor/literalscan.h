// Finding one of a few short strings in text fast: each string is looked
// for by its least common byte (a vector scan for up to four such bytes),
// and only where that byte stands is the whole string compared. Case can
// be folded by a byte table.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <vector>

// The Windows-1252 lower-case table: folds the case of text bytes.
const unsigned char* LowerCaseTable();

// Up to four bytes, or pairs of bytes, to scan for, each spread over a
// vector's lanes once so that a scan starts without setting up. A pair's
// bytes may carry a case bit (0x20) that the text byte gets before it is
// compared: a key "a" with the bit stands for both "a" and "A".
struct KeyBytes {
  alignas(16) unsigned char first[4][16] = {};
  alignas(16) unsigned char second[4][16] = {};
  alignas(16) unsigned char firstCase[4][16] = {};
  alignas(16) unsigned char secondCase[4][16] = {};
  int count = 0;

  void Clear() { count = 0; }
  // False when four are there already.
  bool Add(unsigned char a, unsigned char b = 0, unsigned char caseA = 0, unsigned char caseB = 0);
  bool Has(unsigned char a, unsigned char b) const;
};

// Whether the n bytes at a and at b are the same: a short string's bytes
// are compared in place, a word at a time, instead of by a call.
inline bool SameBytes(const char* a, const char* b, size_t n) {
  if (n >= 8) {
    std::uint64_t x, y;
    for (; n > 8; n -= 8, a += 8, b += 8) {
      std::memcpy(&x, a, 8);
      std::memcpy(&y, b, 8);
      if (x != y) return false;
    }
    std::memcpy(&x, a + n - 8, 8);  // the last word overlaps the one before
    std::memcpy(&y, b + n - 8, 8);
    return x == y;
  }
  if (n >= 4) {
    std::uint32_t x0, y0, x1, y1;
    std::memcpy(&x0, a, 4);
    std::memcpy(&y0, b, 4);
    std::memcpy(&x1, a + n - 4, 4);
    std::memcpy(&y1, b + n - 4, 4);
    return x0 == y0 && x1 == y1;
  }
  for (size_t i = 0; i < n; ++i) {
    if (a[i] != b[i]) return false;
  }
  return true;
}

// CR and LF as keys.
const KeyBytes& LineBreakBytes();

// First byte of [p, end) equal to one of the keys' first bytes, or null.
const char* FindAnyByte(const char* p, const char* end, const KeyBytes& keys);
// First position q in [p, end - 1) where q[0] q[1] is one of the keys'
// pairs, or null.
const char* FindAnyPair(const char* p, const char* end, const KeyBytes& keys);

class LiteralScan {
 public:
  enum class Fold { kExact, kLowerCase };

  // The strings are searched as they are (kExact) or against text put
  // through LowerCaseTable (kLowerCase: the strings are lower case already).
  void Set(const std::vector<std::string>& strings, Fold fold);
  bool Empty() const { return m_strings.empty(); }
  // Whether a string holds a NUL byte.
  bool HasNul() const { return m_hasNul; }

  // Offset of an occurrence of one of the strings in [p, p + n), or -1: the
  // leftmost when there is a single string.
  long Find(const char* p, size_t n) const;
  // Offset of the rightmost occurrence of the first string, or -1.
  long FindLast(const char* p, size_t n) const;

 private:
  struct Target {
    std::string text;
    size_t key;   // index of the byte (or first byte of the pair) looked for
    size_t also;  // kOneByte: another byte checked with it (the next rarest)
  };
  enum class Scan { kOneByte, kPairs, kBytes, kTable };
  bool Equal(const char* p, const std::string& s) const;
  void ChooseKeys(bool pairs);
  long FindOne(const char* p, size_t n) const;
  long FindOnePairs(const char* p, const char* start, const char* last) const;
  const char* NextKey(const char* q, const char* end) const;

  std::vector<Target> m_strings;
  const unsigned char* m_fold = nullptr;
  Scan m_scan = Scan::kTable;
  KeyBytes m_keys;  // bytes scanned for, or pairs
  bool m_isKey[256] = {};
  bool m_hasNul = false;
};
