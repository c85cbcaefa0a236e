// The line list: one entry per code address that starts a source line,
// ordered by address, with an index from (file, line) to address.
//
// The entries stay in the file's line table. A run is a stretch of one
// correlation whose code offsets strictly ascend; the list is its runs in
// address order. Files mostly come that way, so building the list costs one
// pass over the line table. Runs that overlap fall back to one run per
// record.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "debugger/addr.h"
#include "debugger/borland_tables.h"

struct SCodeAddrTableEntry {
  const char* file;  // source file name, owned by the debug information
  CAddr address;
  uint16_t line;
};

class CCodeAddrTable {
 public:
  static const size_t npos = size_t(-1);

  // Starts a new list over the line table (which must outlive the list)
  // and these file names; at most `limit` records are taken.
  void Begin(const BorlandTable<BorlandLine>& lines, std::vector<const char*> files, size_t limit);
  // The records [first, first + count) of the line table, read in this
  // order, in the code segment `segment` and the file with index `file`.
  // Of several records at one linear address the one read last stays.
  void Add(uint32_t first, uint32_t count, uint16_t segment, uint16_t file);
  // Orders the runs and builds the (file, line) index.
  void Finish();
  // The highest address of all records read (0:0 when none is above 0).
  const CAddr& Highest() const { return m_highest; }

  size_t Count() const { return m_count; }
  // Ascending by linear address: entry i + 1 is the next higher one.
  SCodeAddrTableEntry At(size_t i) const;
  uint32_t LinearAt(size_t i) const;
  // The entry at exactly this linear address, or npos.
  size_t FindExact(uint32_t linear) const;
  // The same with that entry and the line of the entry before it (-1 when
  // it is the first), found in one search.
  size_t FindExact(uint32_t linear, SCodeAddrTableEntry* entry, int* previousLine) const;
  // The entry with the greatest address at or below `linear`, or npos.
  size_t FindFloor(uint32_t linear) const;
  // Of the entries of the file (compared without directory, ignoring
  // case) whose line is at least `line`: the smallest line, at its highest
  // address. npos when none.
  size_t FindLine(const char* fileName, uint16_t line) const;

  // Whether an entry is at exactly this linear address.
  bool StartsLine(uint32_t linear) const { return FindExact(linear) != npos; }

  // Answers StartsLine for many addresses; asked from the highest address
  // down, it walks the list once.
  class DescendingStarts {
   public:
    explicit DescendingStarts(const CCodeAddrTable& table);
    bool operator()(uint32_t linear);

   private:
    void StepDown(uint32_t linear);

    const CCodeAddrTable& m_table;
    // The entry with the greatest address at or below the last one
    // asked: its run (npos for none) and record in the run.
    size_t m_run = npos;
    uint32_t m_record = 0;
    uint32_t m_last = UINT32_MAX;
  };

 private:
  struct Run {
    uint32_t start;  // linear address of its first record
    uint32_t entry;  // list index of its first record
    uint32_t first;  // line table index of its first record
    uint32_t count;
    uint32_t order;  // reading order among runs
    uint16_t segment;
    uint16_t file;
    bool linesAscend;
  };
  struct LineRef {
    uint16_t line;
    uint32_t entry;
  };
  // The entries of the files of one name: by runs when their lines ascend
  // with their addresses, else by sorted references.
  struct Key {
    std::string name;
    uint32_t runsBegin, runsEnd;  // in m_keyRuns
    uint32_t refsBegin, refsEnd;  // in m_refs
    bool byRuns;
  };

  static std::string FileKey(const char* fileName);
  // A line table record straight from its bytes: line in the low half,
  // code offset in the high half.
  static uint32_t RawRecord(const uint8_t* p) {
    return uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  }
  static uint16_t LineOfRaw(uint32_t raw) { return uint16_t(raw); }
  static uint16_t OffsetOfRaw(uint32_t raw) { return uint16_t(raw >> 16); }
  const uint8_t* RecordBytes(uint32_t index) const {
    return m_lineBytes + size_t(index) * BorlandLine::kBytes;
  }
  // Records from `p` on (at most n) whose offsets strictly ascend, and
  // whether their lines never descend.
  static uint32_t AscendingRun(const uint8_t* p, uint32_t n, bool& linesAscend);
  // Record i of a run: its line, offset and linear address.
  uint16_t Line(const Run& r, uint32_t i) const { return LineOfRaw(RawRecord(RecordBytes(r.first + i))); }
  uint16_t Offset(const Run& r, uint32_t i) const { return OffsetOfRaw(RawRecord(RecordBytes(r.first + i))); }
  uint32_t Linear(const Run& r, uint32_t i) const { return uint32_t(r.segment) * 16 + Offset(r, i); }
  void AddRun(uint32_t first, uint32_t count, uint16_t segment, uint16_t file, bool linesAscend);
  bool MergeRuns();
  void SplitIntoRecords();
  void IndexFiles();
  // Whether the lines of these runs (in address order) never descend.
  bool LinesAscendAcross(const uint32_t* runs, uint32_t n) const;
  size_t RunOfEntry(size_t i) const;
  // The run holding the entry FindFloor gives (npos for none) and its
  // record in that run.
  size_t FloorRun(uint32_t linear, uint32_t& record) const;
  size_t FindLineByRuns(const Key& k, uint16_t line) const;

  const uint8_t* m_lineBytes = nullptr;  // the line table
  std::vector<const char*> m_files;
  std::vector<Run> m_runs;
  size_t m_count = 0;
  size_t m_limit = 0;
  size_t m_taken = 0;
  CAddr m_highest;
  std::vector<Key> m_keys;  // by name
  std::vector<uint32_t> m_keyRuns;
  std::vector<LineRef> m_refs;
};
