// Searching the loaded 100 MB file for every match of a pattern, as Mark
// All or Replace All do (FindText from each match on), against PCRE2 with
// its JIT and RE2 finding every match in the file's bytes in one block.
// Each side's time is the fastest of a few rounds, each started with the
// caches flushed; the counts must agree.
//   ratio_pcre2 = ours / PCRE2-JIT   (<= 3)
//   ratio_re2   = ours / RE2         (< 1 for the patterns led by a literal)
#include <benchmark/benchmark.h>

#define PCRE2_CODE_UNIT_WIDTH 8
#include <pcre2.h>
#include <re2/re2.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "bench/editor/bench_text.h"
#include "editor/editbuffer.h"
#include "editor/textsearch.h"

namespace {

using Clock = std::chrono::steady_clock;
constexpr int kRounds = 3;

double Since(Clock::time_point t) { return std::chrono::duration<double>(Clock::now() - t).count(); }

// Reads a block larger than the caches, so that each side starts with its
// data out of them, as a search of a big file meets it (RE2 right after
// PCRE2 read the same bytes would otherwise find their end still cached).
constexpr size_t kFlushBytes = size_t{256} << 20;
void FlushCaches() {
  static const std::vector<unsigned char> scratch(kFlushBytes, 1);
  unsigned sum = 0;
  for (size_t i = 0; i < scratch.size(); i += 64) sum += scratch[i];
  benchmark::DoNotOptimize(sum);
}

EditBuffer& Loaded() {
  static EditBuffer* buffer = [] {
    auto* b = new EditBuffer;
    b->SetLockFiles(FALSE);
    b->LoadFile(bench_text::BigFile().c_str());
    return b;
  }();
  return *buffer;
}

const std::string& FileBytes() {
  static std::string bytes = [] {
    std::string b;
    FILE* f = std::fopen(bench_text::BigFile().c_str(), "rb");
    char chunk[1 << 16];
    for (size_t n; (n = std::fread(chunk, 1, sizeof chunk, f)) > 0;) b.append(chunk, n);
    std::fclose(f);
    return b;
  }();
  return bytes;
}

struct Pattern {
  const char* text;
  bool regex;
  bool matchCase;
};

constexpr Pattern kPatterns[] = {
    {"(malloc|realloc|memcpy)\\(", true, true},
    {"[A-Za-z_]+_t", true, true},
    {"^[ \t]*#include", true, true},  // a real tab: our sets take no escapes
    {"str[a-z]*cmp\\(", true, true},  // a class between two literals
    {"ZebraFish", false, false},
    {"zebrafish", false, true},
};

// The pattern in PCRE2's and RE2's syntax: a plain one quoted, ^ at line starts.
std::string Quoted(const Pattern& p) {
  if (p.regex) return p.text;
  std::string q;
  for (const char* s = p.text; *s != '\0'; ++s) {
    if (std::strchr("\\^$.[]|()?*+{}", *s) != nullptr) q += '\\';
    q += *s;
  }
  return q;
}

long Ours(const Pattern& p) {
  FindRecord rec;
  rec.pattern = p.text;
  rec.flags = FIND_FORWARD | (p.matchCase ? int{FIND_MATCH_CASE} : 0) | (p.regex ? int{FIND_REGEX} : 0);
  EditPos pos{Loaded().m_pLines, 0}, none;
  long count = 0;
  while (FindText(pos, none, &rec, Loaded().LinesAsLoaded())) {
    ++count;
    pos.offset += std::max(1, rec.matchLength);
  }
  return count;
}

long Pcre2(const Pattern& p, pcre2_code* code, pcre2_match_data* match) {
  const std::string& bytes = FileBytes();
  auto subject = reinterpret_cast<PCRE2_SPTR>(bytes.data());
  long count = 0;
  for (PCRE2_SIZE at = 0; at <= bytes.size();) {
    if (pcre2_jit_match(code, subject, bytes.size(), at, 0, match, nullptr) < 0) break;
    PCRE2_SIZE* v = pcre2_get_ovector_pointer(match);
    ++count;
    at = std::max(v[1], v[0] + 1);
  }
  (void)p;
  return count;
}

long Re2(const RE2& re) {
  const std::string& bytes = FileBytes();
  re2::StringPiece text(bytes), found;
  long count = 0;
  for (size_t at = 0; at <= bytes.size();) {
    if (!re.Match(text, at, bytes.size(), RE2::UNANCHORED, &found, 1)) break;
    ++count;
    size_t start = static_cast<size_t>(found.data() - bytes.data());
    at = std::max(start + found.size(), start + 1);
  }
  return count;
}

void BM_Search(benchmark::State& state) {
  const Pattern& p = kPatterns[state.range(0)];
  Loaded();
  std::string quoted = Quoted(p);
  int error = 0;
  PCRE2_SIZE offset = 0;
  uint32_t options = PCRE2_MULTILINE | (p.matchCase ? 0 : PCRE2_CASELESS);
  pcre2_code* code = pcre2_compile(reinterpret_cast<PCRE2_SPTR>(quoted.c_str()), quoted.size(), options,
                                   &error, &offset, nullptr);
  pcre2_jit_compile(code, PCRE2_JIT_COMPLETE);
  pcre2_match_data* match = pcre2_match_data_create_from_pattern(code, nullptr);
  RE2::Options reOptions;
  reOptions.set_encoding(RE2::Options::EncodingLatin1);
  reOptions.set_case_sensitive(p.matchCase);
  reOptions.set_posix_syntax(true);
  reOptions.set_one_line(false);
  RE2 re(quoted, reOptions);
  for (auto _ : state) {
    double ours = 1e9, pcre = 1e9, re2 = 1e9;
    long countOurs = 0, countPcre = 0, countRe2 = 0;
    for (int round = 0; round < kRounds; ++round) {
      FlushCaches();
      auto t = Clock::now();
      countPcre = Pcre2(p, code, match);
      pcre = std::min(pcre, Since(t));
      FlushCaches();
      t = Clock::now();
      countRe2 = Re2(re);
      re2 = std::min(re2, Since(t));
      FlushCaches();
      t = Clock::now();
      countOurs = Ours(p);
      ours = std::min(ours, Since(t));
    }
    if (countOurs != countPcre || countOurs != countRe2 || countOurs == 0) {
      state.SkipWithError(("counts differ: " + std::to_string(countOurs) + " " + std::to_string(countPcre) +
                           " " + std::to_string(countRe2))
                              .c_str());
      break;
    }
    state.SetIterationTime(ours);
    state.counters["matches"] = double(countOurs);
    state.counters["pcre2_ms"] = pcre * 1e3;
    state.counters["re2_ms"] = re2 * 1e3;
    state.counters["ratio_pcre2"] = ours / pcre;
    state.counters["ratio_re2"] = ours / re2;
  }
  state.SetLabel(std::string(p.text) + (p.regex ? " (regex" : " (plain") +
                 (p.matchCase ? ")" : ", any case)"));
  pcre2_match_data_free(match);
  pcre2_code_free(code);
}
BENCHMARK(BM_Search)->DenseRange(0, 5)->UseManualTime()->Iterations(1)->Unit(benchmark::kMillisecond);

}  // namespace
