#include "editor/literalscan.h"

#include <algorithm>
#include <cstring>

#include "platform/base/charcase.h"

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

// Where the processor has AVX2, the scans for pairs of bytes take 32 bytes
// a step (chosen at run time: the rest of the program is built without it).
#if defined(__SSE2__) && defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
#define LITERALSCAN_WIDE 1
#define LITERALSCAN_WIDE_TARGET __attribute__((target("avx2")))
#include <immintrin.h>
#else
#define LITERALSCAN_WIDE 0
#endif

#if defined(__SSE2__)
// Long scans run ahead of the hardware's own fetching, which stops at page
// ends: once per cache line, the line a page ahead is asked for.
static inline void LiteralscanAhead(const char* base, const char* at) {
  constexpr long kAhead = 4096;
  constexpr long kLine = 64;
  if (((at - base) & (kLine - 1)) == 0) _mm_prefetch(at + kAhead, _MM_HINT_T0);
}
#endif

#if LITERALSCAN_WIDE
// The wide scans go twice as fast: they ask for the line four pages ahead,
// into the second-level cache, which keeps more of the fetches in flight
// when the text comes from memory.
static inline void LiteralscanWideAhead(const char* base, const char* at) {
  constexpr long kAhead = 16384;
  constexpr long kLine = 64;
  if (((at - base) & (kLine - 1)) == 0) _mm_prefetch(at + kAhead, _MM_HINT_T1);
}

static bool LiteralscanWide() {
  static const bool wide = __builtin_cpu_supports("avx2");
  return wide;
}
#endif

namespace {

// A single string's scan by memchr gives way to the scan by two bytes once
// its key byte stopped it this often, on average every so many bytes.
constexpr long kLiteralscanMissesToTry = 16;
constexpr long kLiteralscanBytesPerMiss = 256;

// Bytes of source text from the most to the least common; the rest are rare.
constexpr char kCommonBytes[] =
    " etaoinsrlcdhupmf_g(y);,=b*.x>-v\t0k1\"/{}+w[]2#ETAOINSRLCDUP<38&!45|69:7'%?\\@";

int Commonness(unsigned char c) {
  const char* at = std::strchr(kCommonBytes, c);
  return c == 0 || at == nullptr ? 0 : static_cast<int>(sizeof kCommonBytes - (at - kCommonBytes));
}

// The forms a pattern byte takes in the text: itself, or all its cases.
int Forms(const unsigned char* fold, unsigned char c, unsigned char* out) {
  int n = 0;
  for (int t = 1; t < 256; ++t) {
    if ((fold != nullptr ? fold[t] : t) == c) out[n++] = static_cast<unsigned char>(t);
  }
  return n;
}

}  // namespace

const unsigned char* LowerCaseTable() {
  static const auto* table = [] {
    static unsigned char t[256];
    for (int c = 0; c < 256; ++c) t[c] = mirt::ToLower1252(static_cast<unsigned char>(c));
    return t;
  }();
  return table;
}

bool KeyBytes::Add(unsigned char a, unsigned char b, unsigned char caseA, unsigned char caseB) {
  if (count == 4) return false;
  // Unused slots repeat the last key, so that a scan may test all four.
  for (int i = count; i < 4; ++i) {
    std::memset(first[i], a | caseA, 16);
    std::memset(second[i], b | caseB, 16);
    std::memset(firstCase[i], caseA, 16);
    std::memset(secondCase[i], caseB, 16);
  }
  ++count;
  return true;
}

const KeyBytes& LineBreakBytes() {
  static const KeyBytes keys = [] {
    KeyBytes k;
    k.Add('\r');
    k.Add('\n');
    return k;
  }();
  return keys;
}

bool KeyBytes::Has(unsigned char a, unsigned char b) const {
  for (int i = 0; i < count; ++i) {
    if (first[i][0] == a && second[i][0] == b) return true;
  }
  return false;
}

const char* FindAnyByte(const char* p, const char* end, const KeyBytes& keys) {
  if (keys.count == 1) return static_cast<const char*>(std::memchr(p, keys.first[0][0], end - p));
#if defined(__SSE2__)
  auto lanes = [&keys](int i) { return _mm_load_si128(reinterpret_cast<const __m128i*>(keys.first[i])); };
  const __m128i k0 = lanes(0), k1 = lanes(1), k2 = lanes(2), k3 = lanes(3);
  auto hits = [&](const char* at) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i hit = _mm_or_si128(_mm_or_si128(_mm_cmpeq_epi8(x, k0), _mm_cmpeq_epi8(x, k1)),
                               _mm_or_si128(_mm_cmpeq_epi8(x, k2), _mm_cmpeq_epi8(x, k3)));
    return static_cast<unsigned>(_mm_movemask_epi8(hit));
  };
  if (end - p >= 16) {
    for (const char* base = p; end - p >= 16; p += 16) {
      LiteralscanAhead(base, p);
      if (unsigned mask = hits(p)) return p + __builtin_ctz(mask);
    }
    // The rest in one block that ends at the end, without the bytes done.
    const char* last = end - 16;
    unsigned mask = hits(last) & (0xFFFFu << (p - last));
    return mask != 0 ? last + __builtin_ctz(mask) : nullptr;
  }
#endif
  for (; p < end; ++p) {
    for (int i = 0; i < keys.count; ++i) {
      if (static_cast<unsigned char>(*p) == keys.first[i][0]) return p;
    }
  }
  return nullptr;
}

namespace {

#if LITERALSCAN_WIDE
// ScanPairs 32 bytes a step while 33 are left: the first pair found, or
// null with p where the step stopped.
template <int N>
LITERALSCAN_WIDE_TARGET const char* ScanPairsWide(const char*& p, const char* end, const KeyBytes& keys) {
  __m256i a[N], b[N], ca[N], cb[N];
  for (int i = 0; i < N; ++i) {
    a[i] = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(keys.first[i])));
    b[i] = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(keys.second[i])));
    ca[i] = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(keys.firstCase[i])));
    cb[i] = _mm256_broadcastsi128_si256(_mm_load_si128(reinterpret_cast<const __m128i*>(keys.secondCase[i])));
  }
  for (const char* base = p; end - p >= 33; p += 32) {
    LiteralscanWideAhead(base, p);
    __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p));
    __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(p + 1));
    __m256i hit = _mm256_setzero_si256();
    for (int i = 0; i < N; ++i) {
      hit = _mm256_or_si256(hit, _mm256_and_si256(_mm256_cmpeq_epi8(_mm256_or_si256(x, ca[i]), a[i]),
                                                  _mm256_cmpeq_epi8(_mm256_or_si256(y, cb[i]), b[i])));
    }
    if (auto mask = static_cast<unsigned>(_mm256_movemask_epi8(hit))) return p + __builtin_ctz(mask);
  }
  return nullptr;
}
#endif

// Pairs of `N` keys (the rest are repeats).
template <int N>
const char* ScanPairs(const char* p, const char* end, const KeyBytes& keys) {
#if LITERALSCAN_WIDE
  if (end - p >= 33 && LiteralscanWide()) {
    if (const char* hit = ScanPairsWide<N>(p, end, keys)) return hit;
  }
#endif
#if defined(__SSE2__)
  auto lanes = [](const unsigned char* v) { return _mm_load_si128(reinterpret_cast<const __m128i*>(v)); };
  __m128i a[N], b[N], ca[N], cb[N];
  for (int i = 0; i < N; ++i) {
    a[i] = lanes(keys.first[i]);
    b[i] = lanes(keys.second[i]);
    ca[i] = lanes(keys.firstCase[i]);
    cb[i] = lanes(keys.secondCase[i]);
  }
  auto hits = [&](const char* at) {
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at));
    __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(at + 1));
    __m128i hit = _mm_setzero_si128();
    for (int i = 0; i < N; ++i) {
      hit = _mm_or_si128(hit, _mm_and_si128(_mm_cmpeq_epi8(_mm_or_si128(x, ca[i]), a[i]),
                                            _mm_cmpeq_epi8(_mm_or_si128(y, cb[i]), b[i])));
    }
    return static_cast<unsigned>(_mm_movemask_epi8(hit));
  };
  if (end - p >= 17) {
    for (const char* base = p; end - p >= 17; p += 16) {
      LiteralscanAhead(base, p);
      if (unsigned mask = hits(p)) return p + __builtin_ctz(mask);
    }
    const char* last = end - 17;
    unsigned mask = hits(last) & (0xFFFFu << (p - last));
    return mask != 0 ? last + __builtin_ctz(mask) : nullptr;
  }
#endif
  for (; end - p >= 2; ++p) {
    auto x = static_cast<unsigned char>(p[0]), y = static_cast<unsigned char>(p[1]);
    for (int i = 0; i < N; ++i) {
      if ((x | keys.firstCase[i][0]) == keys.first[i][0] && (y | keys.secondCase[i][0]) == keys.second[i][0])
        return p;
    }
  }
  return nullptr;
}

}  // namespace

const char* FindAnyPair(const char* p, const char* end, const KeyBytes& keys) {
  switch (keys.count) {
    case 1:
      return ScanPairs<1>(p, end, keys);
    case 2:
      return ScanPairs<2>(p, end, keys);
    default:
      return ScanPairs<4>(p, end, keys);
  }
}

void LiteralScan::Set(const std::vector<std::string>& strings, Fold fold) {
  m_strings.clear();
  m_hasNul = false;
  for (const std::string& s : strings) m_hasNul = m_hasNul || s.find('\0') != std::string::npos;
  m_fold = fold == Fold::kLowerCase ? LowerCaseTable() : nullptr;
  for (const std::string& s : strings) {
    if (s.empty()) {
      m_strings.clear();  // an empty string is everywhere: nothing to scan for
      return;
    }
    m_strings.push_back({s, 0, 0});
  }
  if (m_strings.empty()) return;
  // A single string is found by memchr for its rarest byte when that byte
  // is rare in source text; else by pairs of bytes.
  if (m_strings.size() == 1 && m_fold == nullptr) {
    ChooseKeys(false);
    const Target& t = m_strings[0];
    if (t.text.size() == 1 || Commonness(static_cast<unsigned char>(t.text[t.key])) == 0) {
      m_scan = Scan::kOneByte;
      Target& one = m_strings[0];
      one.also = one.key;
      for (size_t i = 0; i < one.text.size(); ++i) {
        auto c = static_cast<unsigned char>(one.text[i]);
        if (i != one.key && (one.also == one.key ||
                             Commonness(c) < Commonness(static_cast<unsigned char>(one.text[one.also]))))
          one.also = i;
      }
      return;
    }
  }
  ChooseKeys(true);
}

// Picks for each string the byte, or pair of bytes, whose forms are least
// common, and how to scan for them all.
void LiteralScan::ChooseKeys(bool pairs) {
  unsigned char firsts[256], seconds[256];
  auto cost = [&](const std::string& s, size_t i) {
    long c = 0;
    int nf = Forms(m_fold, static_cast<unsigned char>(s[i]), firsts);
    if (!pairs || i + 1 >= s.size()) {
      for (int k = 0; k < nf; ++k) c += Commonness(firsts[k]) + 1;
      return c;
    }
    int ns = Forms(m_fold, static_cast<unsigned char>(s[i + 1]), seconds);
    for (int k = 0; k < nf; ++k) {
      for (int j = 0; j < ns; ++j) c += long(Commonness(firsts[k]) + 1) * (Commonness(seconds[j]) + 1);
    }
    return c;
  };
  bool allPairs = pairs;
  for (Target& t : m_strings) {
    size_t last = pairs && t.text.size() > 1 ? t.text.size() - 1 : t.text.size();
    long best = -1;
    for (size_t i = 0; i < last; ++i) {
      long c = cost(t.text, i);
      if (best < 0 || c < best) {
        best = c;
        t.key = i;
      }
    }
    allPairs = allPairs && t.text.size() > 1;
  }
  std::fill(std::begin(m_isKey), std::end(m_isKey), false);
  m_keys.Clear();
  if (allPairs) {
    // Every form of each chosen pair, when there are at most four.
    bool fits = true;
    // Two forms that differ in the case bit only are one key with that bit.
    auto caseBit = [](unsigned char* forms, int& n) -> unsigned char {
      if (n != 2 || (forms[0] ^ forms[1]) != 0x20) return 0;
      forms[0] |= 0x20;
      n = 1;
      return 0x20;
    };
    for (const Target& t : m_strings) {
      int nf = Forms(m_fold, static_cast<unsigned char>(t.text[t.key]), firsts);
      int ns = Forms(m_fold, static_cast<unsigned char>(t.text[t.key + 1]), seconds);
      unsigned char caseA = caseBit(firsts, nf), caseB = caseBit(seconds, ns);
      for (int k = 0; k < nf && fits; ++k) {
        for (int j = 0; j < ns && fits; ++j) {
          if (!m_keys.Has(firsts[k], seconds[j]) && !m_keys.Add(firsts[k], seconds[j], caseA, caseB))
            fits = false;
        }
      }
    }
    if (fits) {
      m_scan = Scan::kPairs;
      return;
    }
    m_keys.Clear();
  }
  for (const Target& t : m_strings) {
    int nf = Forms(m_fold, static_cast<unsigned char>(t.text[t.key]), firsts);
    for (int k = 0; k < nf; ++k) m_isKey[firsts[k]] = true;
  }
  for (int c = 1; c < 256; ++c) {
    if (!m_isKey[c]) continue;
    if (!m_keys.Add(static_cast<unsigned char>(c))) {
      m_scan = Scan::kTable;
      return;
    }
  }
  m_scan = Scan::kBytes;
}

bool LiteralScan::Equal(const char* p, const std::string& s) const {
  if (m_fold == nullptr) return SameBytes(p, s.data(), s.size());
  for (size_t i = 0; i < s.size(); ++i) {
    if (m_fold[static_cast<unsigned char>(p[i])] != static_cast<unsigned char>(s[i])) return false;
  }
  return true;
}

// The leftmost occurrence of the single string. Its key byte is rare in
// source text, so memchr (the C library's widest vector scan) looks for it
// only where a whole occurrence fits around it, and the string is compared
// where the second byte checked stands at its distance too. Where the text
// has the key often after all, a vector scan for the key byte and that
// second byte at once takes over, so that the key seldom stops it; with
// AVX2 that scan, 32 bytes a step, does the whole search.
long LiteralScan::FindOne(const char* p, size_t n) const {
  const Target& t = m_strings[0];
  const size_t len = t.text.size();
  if (n < len) return -1;
  const char* last = p + n - len;  // where the last occurrence may begin
#if LITERALSCAN_WIDE
  // Two bytes 32 at a time keep up with memchr's one, and seldom stop.
  if (t.also != t.key && LiteralscanWide()) return FindOnePairs(p, p, last);
#endif
  const auto key = static_cast<unsigned char>(t.text[t.key]);
  const char* q = p + t.key;
  const char* stop = last + t.key + 1;
  long misses = 0;
  while (q < stop && (q = static_cast<const char*>(std::memchr(q, key, stop - q))) != nullptr) {
    const char* start = q - t.key;
    if (start[t.also] == t.text[t.also] && SameBytes(start, t.text.data(), len))
      return static_cast<long>(start - p);
    ++q;
    ++misses;
    if (t.also != t.key && misses >= kLiteralscanMissesToTry && q - p < misses * kLiteralscanBytesPerMiss)
      return FindOnePairs(p, q - t.key, last);
  }
  return -1;
}

#if LITERALSCAN_WIDE
namespace {

// The first step of 32 bytes from `start` on, while 32 are left before
// `last`, where the string's key byte and other byte stand at their
// distance: their places as a bit mask (0 when there is none, with `start`
// where the steps stopped). Nothing is called inside, so that the keys stay
// in registers.
LITERALSCAN_WIDE_TARGET unsigned LiteralscanPairsWide(const char* p, const char*& start, const char* last,
                                                      char key, size_t keyAt, char also, size_t alsoAt) {
  const __m256i k = _mm256_set1_epi8(key);
  const __m256i a = _mm256_set1_epi8(also);
  const char* s = start;
  unsigned mask = 0;
  for (; last - s >= 32; s += 32) {
    LiteralscanWideAhead(p, s);
    __m256i x = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + keyAt));
    __m256i y = _mm256_loadu_si256(reinterpret_cast<const __m256i*>(s + alsoAt));
    mask = static_cast<unsigned>(
        _mm256_movemask_epi8(_mm256_and_si256(_mm256_cmpeq_epi8(x, k), _mm256_cmpeq_epi8(y, a))));
    if (mask != 0) break;
  }
  start = s;
  return mask;
}

}  // namespace
#endif

// FindOne from `start` on, by the key byte and the second byte together.
long LiteralScan::FindOnePairs(const char* p, const char* start, const char* last) const {
  const Target& t = m_strings[0];
  const size_t len = t.text.size();
#if LITERALSCAN_WIDE
  if (last - start >= 32 && LiteralscanWide()) {
    while (unsigned mask =
               LiteralscanPairsWide(p, start, last, t.text[t.key], t.key, t.text[t.also], t.also)) {
      for (; mask != 0; mask &= mask - 1) {
        const char* at = start + __builtin_ctz(mask);
        if (SameBytes(at, t.text.data(), len)) return static_cast<long>(at - p);
      }
      start += 32;
    }
  }
#endif
#if defined(__SSE2__)
  const __m128i k = _mm_set1_epi8(t.text[t.key]);
  const __m128i a = _mm_set1_epi8(t.text[t.also]);
  for (; last - start >= 16; start += 16) {
    LiteralscanAhead(p, start);
    __m128i x = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + t.key));
    __m128i y = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + t.also));
    auto mask =
        static_cast<unsigned>(_mm_movemask_epi8(_mm_and_si128(_mm_cmpeq_epi8(x, k), _mm_cmpeq_epi8(y, a))));
    for (; mask != 0; mask &= mask - 1) {
      const char* at = start + __builtin_ctz(mask);
      if (SameBytes(at, t.text.data(), len)) return static_cast<long>(at - p);
    }
  }
#endif
  for (; start <= last; ++start) {
    if (start[t.key] == t.text[t.key] && SameBytes(start, t.text.data(), len))
      return static_cast<long>(start - p);
  }
  return -1;
}

const char* LiteralScan::NextKey(const char* q, const char* end) const {
  switch (m_scan) {
    case Scan::kPairs:
      return FindAnyPair(q, end, m_keys);
    case Scan::kBytes:
      return FindAnyByte(q, end, m_keys);
    default:
      while (q < end && !m_isKey[static_cast<unsigned char>(*q)]) ++q;
      return q < end ? q : nullptr;
  }
}

long LiteralScan::Find(const char* p, size_t n) const {
  if (m_strings.empty()) return -1;
  if (m_scan == Scan::kOneByte) return FindOne(p, n);
  const char* end = p + n;
  for (const char* q = p; (q = NextKey(q, end)) != nullptr; ++q) {
    unsigned char key = static_cast<unsigned char>(*q);
    if (m_fold != nullptr) key = m_fold[key];
    for (const Target& t : m_strings) {
      if (static_cast<unsigned char>(t.text[t.key]) != key) continue;
      size_t before = static_cast<size_t>(q - p);
      if (before < t.key || n - (before - t.key) < t.text.size()) continue;
      const char* start = q - t.key;
      if (Equal(start, t.text)) return static_cast<long>(start - p);
    }
  }
  return -1;
}

long LiteralScan::FindLast(const char* p, size_t n) const {
  if (m_strings.empty()) return -1;
  const std::string& s = m_strings[0].text;
  if (n < s.size()) return -1;
  for (size_t at = n - s.size() + 1; at-- > 0;) {
    if (Equal(p + at, s)) return static_cast<long>(at);
  }
  return -1;
}
