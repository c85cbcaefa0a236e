#include "debugger/code_addr_table.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "debugger/name_compare.h"
#include "platform/base/charcase.h"

namespace {

// The first i in [0, n) for which `past(i)` holds (it holds for all
// following ones too), or n.
template <typename Past>
uint32_t FirstPast(uint32_t n, Past past) {
  uint32_t lo = 0;
  while (n > 0) {
    uint32_t half = n / 2;
    if (past(lo + half)) {
      n = half;
    } else {
      lo += half + 1;
      n -= half + 1;
    }
  }
  return lo;
}

}  // namespace

std::string CCodeAddrTable::FileKey(const char* fileName) {
  std::string key(BaseNameOf(fileName));
  for (char& c : key) c = char(mirt::ToLower1252(static_cast<unsigned char>(c)));
  return key;
}

void CCodeAddrTable::Begin(const BorlandTable<BorlandLine>& lines, std::vector<const char*> files,
                           size_t limit) {
  m_lineBytes = lines.empty() ? nullptr : lines.Bytes(0);
  m_files = std::move(files);
  m_runs.clear();
  m_count = 0;
  m_limit = limit;
  m_taken = 0;
  m_highest = CAddr(0, 0);
  m_keys.clear();
  m_keyRuns.clear();
  m_refs.clear();
}

void CCodeAddrTable::Add(uint32_t first, uint32_t count, uint16_t segment, uint16_t file) {
  count = uint32_t(std::min<size_t>(count, m_limit - m_taken));
  m_taken += count;
  for (uint32_t i = 0; i < count;) {
    bool linesAscend = true;
    const uint32_t n = AscendingRun(RecordBytes(first + i), count - i, linesAscend);
    AddRun(first + i, n, segment, file, linesAscend);
    i += n;
  }
}

namespace {

// Four line records, each as (line | offset << 16); fields fit in 16 bits,
// so signed lanes compare them right.
typedef int32_t Lanes __attribute__((vector_size(16)));
typedef uint64_t Halves __attribute__((vector_size(16)));

Lanes LoadLanes(const uint8_t* p) {
  Lanes v;
  std::memcpy(&v, p, sizeof v);
  return v;
}

bool AnyLane(Lanes v) {
  const Halves h = reinterpret_cast<Halves>(v);
  return (h[0] | h[1]) != 0;
}

}  // namespace

uint32_t CCodeAddrTable::AscendingRun(const uint8_t* p, uint32_t n, bool& linesAscend) {
  uint32_t i = 0;  // records 0..i are in the run
  bool descends = false;
  if constexpr (std::endian::native == std::endian::little) {
    // Eight steps at a time while none ends the run: each lane compares
    // a record with the one before it.
    const size_t k = BorlandLine::kBytes;
    Lanes drops = {};
    for (; i + 8 < n; i += 8) {
      const Lanes b0 = LoadLanes(p + i * k), a0 = LoadLanes(p + (i + 1) * k);
      const Lanes b1 = LoadLanes(p + (i + 4) * k), a1 = LoadLanes(p + (i + 5) * k);
      const Lanes offsetStops =
          ((a0 >> 16 & 0xFFFF) <= (b0 >> 16 & 0xFFFF)) | ((a1 >> 16 & 0xFFFF) <= (b1 >> 16 & 0xFFFF));
      if (AnyLane(offsetStops)) break;
      drops |= ((a0 & 0xFFFF) < (b0 & 0xFFFF)) | ((a1 & 0xFFFF) < (b1 & 0xFFFF));
    }
    descends = AnyLane(drops);
  }
  uint32_t prev = RawRecord(p + i * BorlandLine::kBytes);
  for (++i; i < n; ++i) {
    const uint32_t raw = RawRecord(p + i * BorlandLine::kBytes);
    if (OffsetOfRaw(raw) <= OffsetOfRaw(prev)) break;
    descends |= LineOfRaw(raw) < LineOfRaw(prev);
    prev = raw;
  }
  linesAscend = !descends;
  return i;
}

void CCodeAddrTable::AddRun(uint32_t first, uint32_t count, uint16_t segment, uint16_t file,
                            bool linesAscend) {
  Run r{0, 0, first, count, uint32_t(m_runs.size()), segment, file, linesAscend};
  r.start = Linear(r, 0);
  // Its last record is its highest; the first record read keeps a tie.
  const uint32_t last = Linear(r, count - 1);
  if (last > m_highest.Linear()) m_highest = CAddr(segment, Offset(r, count - 1));
  m_runs.push_back(r);
}

void CCodeAddrTable::Finish() {
  if (!MergeRuns()) {
    SplitIntoRecords();
    MergeRuns();
  }
  m_count = 0;
  for (Run& r : m_runs) {
    r.entry = uint32_t(m_count);
    m_count += r.count;
  }
  IndexFiles();
}

bool CCodeAddrTable::MergeRuns() {
  // Stable: runs starting at one address keep their reading order.
  auto byStart = [](const Run& a, const Run& b) { return a.start < b.start; };
  if (!std::is_sorted(m_runs.begin(), m_runs.end(), byStart))
    std::stable_sort(m_runs.begin(), m_runs.end(), byStart);
  for (size_t i = 1; i < m_runs.size(); ++i) {
    const Run& prev = m_runs[i - 1];
    if (Linear(prev, prev.count - 1) > m_runs[i].start) return false;
  }
  // A run may only end where the next starts: of the two records there,
  // the one read earlier gives way.
  size_t kept = 0;
  for (Run cur : m_runs) {
    if (kept) {
      Run& prev = m_runs[kept - 1];
      if (Linear(prev, prev.count - 1) == cur.start) {
        if (prev.order < cur.order) {
          if (--prev.count == 0) --kept;
        } else {
          if (--cur.count == 0) continue;
          ++cur.first;
          cur.start = Linear(cur, 0);
        }
      }
    }
    m_runs[kept++] = cur;
  }
  m_runs.resize(kept);
  return true;
}

void CCodeAddrTable::SplitIntoRecords() {
  std::sort(m_runs.begin(), m_runs.end(), [](const Run& a, const Run& b) { return a.order < b.order; });
  std::vector<Run> single;
  single.reserve(m_taken);
  for (const Run& r : m_runs) {
    for (uint32_t i = 0; i < r.count; ++i) {
      const uint32_t order = uint32_t(single.size());
      single.push_back({Linear(r, i), 0, r.first + i, 1, order, r.segment, r.file, true});
    }
  }
  m_runs = std::move(single);
}

void CCodeAddrTable::IndexFiles() {
  // Files with one key share their entries.
  std::vector<std::string> keyOfFile(m_files.size());
  for (size_t f = 0; f < m_files.size(); ++f) keyOfFile[f] = FileKey(m_files[f]);
  std::vector<std::string> names = keyOfFile;
  std::sort(names.begin(), names.end());
  names.erase(std::unique(names.begin(), names.end()), names.end());
  std::vector<uint32_t> key(m_files.size());
  for (size_t f = 0; f < m_files.size(); ++f)
    key[f] = uint32_t(std::lower_bound(names.begin(), names.end(), keyOfFile[f]) - names.begin());

  // The runs of each key in address order.
  std::vector<uint32_t> start(names.size() + 1, 0);
  for (const Run& r : m_runs) ++start[key[r.file] + 1];
  for (size_t k = 0; k < names.size(); ++k) start[k + 1] += start[k];
  m_keyRuns.resize(m_runs.size());
  std::vector<uint32_t> next(start.begin(), start.end() - 1);
  for (size_t i = 0; i < m_runs.size(); ++i) m_keyRuns[next[key[m_runs[i].file]]++] = uint32_t(i);

  m_keys.resize(names.size());
  for (size_t k = 0; k < names.size(); ++k) {
    Key& K = m_keys[k];
    K.name = std::move(names[k]);
    K.runsBegin = start[k];
    K.runsEnd = start[k + 1];
    K.byRuns = LinesAscendAcross(m_keyRuns.data() + K.runsBegin, K.runsEnd - K.runsBegin);
    K.refsBegin = K.refsEnd = uint32_t(m_refs.size());
    if (K.byRuns) continue;
    // By line, and within a line by address (stable).
    for (uint32_t i = K.runsBegin; i < K.runsEnd; ++i) {
      const Run& r = m_runs[m_keyRuns[i]];
      for (uint32_t j = 0; j < r.count; ++j) m_refs.push_back({Line(r, j), r.entry + j});
    }
    K.refsEnd = uint32_t(m_refs.size());
    std::stable_sort(m_refs.begin() + K.refsBegin, m_refs.end(),
                     [](const LineRef& a, const LineRef& b) { return a.line < b.line; });
  }
}

bool CCodeAddrTable::LinesAscendAcross(const uint32_t* runs, uint32_t n) const {
  for (uint32_t i = 0; i < n; ++i) {
    const Run& r = m_runs[runs[i]];
    if (!r.linesAscend) return false;
    if (i > 0) {
      const Run& before = m_runs[runs[i - 1]];
      if (Line(r, 0) < Line(before, before.count - 1)) return false;
    }
  }
  return true;
}

size_t CCodeAddrTable::RunOfEntry(size_t i) const {
  auto it =
      std::upper_bound(m_runs.begin(), m_runs.end(), i, [](size_t v, const Run& r) { return v < r.entry; });
  return size_t(it - m_runs.begin()) - 1;
}

SCodeAddrTableEntry CCodeAddrTable::At(size_t i) const {
  const Run& r = m_runs[RunOfEntry(i)];
  const uint32_t raw = RawRecord(RecordBytes(r.first + uint32_t(i - r.entry)));
  return {m_files[r.file], CAddr(r.segment, OffsetOfRaw(raw)), LineOfRaw(raw)};
}

uint32_t CCodeAddrTable::LinearAt(size_t i) const {
  const Run& r = m_runs[RunOfEntry(i)];
  return Linear(r, uint32_t(i - r.entry));
}

size_t CCodeAddrTable::FindExact(uint32_t linear) const {
  size_t i = FindFloor(linear);
  if (i != npos && LinearAt(i) == linear) return i;
  return npos;
}

size_t CCodeAddrTable::FindExact(uint32_t linear, SCodeAddrTableEntry* entry, int* previousLine) const {
  uint32_t record = 0;
  const size_t run = FloorRun(linear, record);
  if (run == npos) return npos;
  const Run& r = m_runs[run];
  const uint32_t raw = RawRecord(RecordBytes(r.first + record));
  if (uint32_t(r.segment) * 16 + OffsetOfRaw(raw) != linear) return npos;
  *entry = {m_files[r.file], CAddr(r.segment, OffsetOfRaw(raw)), LineOfRaw(raw)};
  // Entries run on from one run into the next.
  if (record > 0)
    *previousLine = Line(r, record - 1);
  else if (run > 0)
    *previousLine = Line(m_runs[run - 1], m_runs[run - 1].count - 1);
  else
    *previousLine = -1;
  return r.entry + record;
}

size_t CCodeAddrTable::FloorRun(uint32_t linear, uint32_t& record) const {
  auto it = std::upper_bound(m_runs.begin(), m_runs.end(), linear,
                             [](uint32_t v, const Run& r) { return v < r.start; });
  if (it == m_runs.begin()) return npos;
  const Run& r = *(it - 1);
  // At least its first record is at or below.
  record = FirstPast(r.count, [&](uint32_t i) { return Linear(r, i) > linear; }) - 1;
  return size_t(it - m_runs.begin()) - 1;
}

size_t CCodeAddrTable::FindFloor(uint32_t linear) const {
  uint32_t record = 0;
  const size_t run = FloorRun(linear, record);
  return run == npos ? npos : m_runs[run].entry + record;
}

CCodeAddrTable::DescendingStarts::DescendingStarts(const CCodeAddrTable& table) : m_table(table) {
  // The floor of the highest address is the last entry.
  if (!table.m_runs.empty()) {
    m_run = table.m_runs.size() - 1;
    m_record = table.m_runs.back().count - 1;
  }
}

bool CCodeAddrTable::DescendingStarts::operator()(uint32_t linear) {
  const std::vector<Run>& runs = m_table.m_runs;
  if (linear > m_last)
    m_run = m_table.FloorRun(linear, m_record);
  else
    StepDown(linear);
  m_last = linear;
  return m_run != npos && m_table.Linear(runs[m_run], m_record) == linear;
}

void CCodeAddrTable::DescendingStarts::StepDown(uint32_t linear) {
  // A few steps down from the last floor, else a search from scratch.
  const std::vector<Run>& runs = m_table.m_runs;
  int steps = 8;
  while (m_run != npos && linear < runs[m_run].start) {
    if (steps-- == 0) {
      m_run = m_table.FloorRun(linear, m_record);
      return;
    }
    m_run = m_run == 0 ? npos : m_run - 1;
    m_record = m_run == npos ? 0 : runs[m_run].count - 1;
  }
  if (m_run == npos) return;
  // The run's first record is at or below: records step down by offset.
  const Run& r = runs[m_run];
  const uint32_t offset = linear - uint32_t(r.segment) * 16;
  const uint8_t* p = m_table.RecordBytes(r.first + m_record);
  while (OffsetOfRaw(RawRecord(p)) > offset) {
    if (steps-- == 0) {
      m_run = m_table.FloorRun(linear, m_record);
      return;
    }
    p -= BorlandLine::kBytes;
    --m_record;
  }
}

size_t CCodeAddrTable::FindLine(const char* fileName, uint16_t line) const {
  const std::string name = FileKey(fileName);
  auto k = std::lower_bound(m_keys.begin(), m_keys.end(), name,
                            [](const Key& key, const std::string& v) { return key.name < v; });
  if (k == m_keys.end() || k->name != name) return npos;
  if (k->byRuns) return FindLineByRuns(*k, line);
  auto begin = m_refs.begin() + k->refsBegin;
  auto end = m_refs.begin() + k->refsEnd;
  auto it = std::lower_bound(begin, end, line, [](const LineRef& r, uint16_t v) { return r.line < v; });
  if (it == end) return npos;
  // The last of the smallest line is its highest address.
  auto after = std::upper_bound(it, end, it->line, [](uint16_t v, const LineRef& r) { return v < r.line; });
  return (after - 1)->entry;
}

size_t CCodeAddrTable::FindLineByRuns(const Key& k, uint16_t line) const {
  // The key's lines ascend with its addresses through all its runs.
  const uint32_t* runs = m_keyRuns.data() + k.runsBegin;
  const uint32_t n = k.runsEnd - k.runsBegin;
  auto run = [&](uint32_t i) -> const Run& { return m_runs[runs[i]]; };
  auto firstLine = [&](uint32_t i) { return Line(run(i), 0); };
  auto lastLine = [&](uint32_t i) { return Line(run(i), run(i).count - 1); };
  const uint32_t from = FirstPast(n, [&](uint32_t i) { return lastLine(i) >= line; });
  if (from == n) return npos;
  const Run& a = run(from);
  const uint16_t found = Line(a, FirstPast(a.count, [&](uint32_t i) { return Line(a, i) >= line; }));
  // Its highest address: in the last run that starts at or below that line.
  const uint32_t to = from + FirstPast(n - from, [&](uint32_t i) { return firstLine(from + i) > found; }) - 1;
  const Run& b = run(to);
  return b.entry + FirstPast(b.count, [&](uint32_t i) { return Line(b, i) > found; }) - 1;
}
