// Finding one of a few short strings in text fast: each string is looked
// for by its least common byte (a vector scan for up to four such bytes),
// and only where that byte stands is the whole string compared. Case can
// be folded by a byte table.
#pragma once

#include <cstddef>
#include <string>
#include <vector>

// The Windows-1252 lower-case table: folds the case of text bytes.
const unsigned char* LowerCaseTable();

// First byte of [p, end) equal to one of the `count` (1 to 4) bytes, or null.
const char* FindAnyByte(const char* p, const char* end, const unsigned char* bytes, int count);
// First position q in [p, end - 1) where q[0] q[1] is one of the `count`
// (1 to 4) pairs firsts[i] seconds[i], or null.
const char* FindAnyPair(const char* p, const char* end, const unsigned char* firsts,
                        const unsigned char* seconds, int count);

class LiteralScan {
 public:
  enum class Fold { kExact, kLowerCase };

  // The strings are searched as they are (kExact) or against text put
  // through LowerCaseTable (kLowerCase: the strings are lower case already).
  void Set(const std::vector<std::string>& strings, Fold fold);
  bool Empty() const { return m_strings.empty(); }

  // Offset of an occurrence of one of the strings in [p, p + n), or -1: the
  // leftmost when there is a single string.
  long Find(const char* p, size_t n) const;
  // Offset of the rightmost occurrence of the first string, or -1.
  long FindLast(const char* p, size_t n) const;

 private:
  struct Target {
    std::string text;
    size_t key;  // index of the byte (or first byte of the pair) looked for
  };
  enum class Scan { kOneByte, kPairs, kBytes, kTable };
  bool Equal(const char* p, const std::string& s) const;
  void ChooseKeys(bool pairs);
  long FindOne(const char* p, size_t n) const;
  const char* NextKey(const char* q, const char* end) const;

  std::vector<Target> m_strings;
  const unsigned char* m_fold = nullptr;
  Scan m_scan = Scan::kTable;
  unsigned char m_keys[4] = {};     // bytes scanned for, or first bytes of pairs
  unsigned char m_seconds[4] = {};  // second bytes of pairs
  int m_keyCount = 0;
  bool m_isKey[256] = {};
};
