// The tables of Borland debug information. They stay in the file's bytes:
// a table is a view of fixed-size little-endian records whose bounds were
// checked once when it was read, and a record is decoded when it is asked
// for, always in the 32-bit layout (the 16-bit fields are widened).
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Sequential fields of one record; the table has checked that they are there.
class RecordFields {
 public:
  RecordFields(const uint8_t* p, bool wide) : m_p(p), m_wide(wide) {}

  uint8_t U8() { return *m_p++; }
  uint16_t U16() {
    uint16_t v = uint16_t(m_p[0] | m_p[1] << 8);
    m_p += 2;
    return v;
  }
  uint32_t U32() {
    uint32_t v = uint32_t(m_p[0]) | uint32_t(m_p[1]) << 8 | uint32_t(m_p[2]) << 16 | uint32_t(m_p[3]) << 24;
    m_p += 4;
    return v;
  }
  // A field that is 32 bits wide in the 32-bit layout and 16 in the other.
  uint32_t Index() { return m_wide ? U32() : U16(); }
  void Skip(size_t n) { m_p += n; }

 private:
  const uint8_t* m_p;
  bool m_wide;
};

struct BorlandSymbol {
  uint32_t name;
  uint32_t type;
  uint32_t location;  // offset in the low 16 bits, segment in the high 16
  uint16_t flags;
  uint16_t Offset() const { return uint16_t(location & 0xFFFF); }
  uint16_t Segment() const { return uint16_t(location >> 16); }

  static size_t Size(bool wide) { return wide ? 14 : 9; }
  // The type and location fields alone, for scans of the whole table.
  static uint32_t TypeOf(const uint8_t* p, bool wide) {
    RecordFields r(p + (wide ? 4 : 2), wide);
    return r.Index();
  }
  static uint32_t LocationOf(const uint8_t* p, bool wide) {
    return RecordFields(p + (wide ? 8 : 4), wide).U32();
  }
  static BorlandSymbol Decode(RecordFields r, bool wide) {
    BorlandSymbol s;
    s.name = r.Index();
    s.type = r.Index();
    s.location = r.U32();
    s.flags = wide ? r.U16() : r.U8();
    return s;
  }
};

struct BorlandModule {
  uint32_t name;
  uint8_t language;
  uint8_t flags;  // bit 3: strip leading underscores from global names

  static size_t Size(bool wide) { return wide ? 20 : 16; }
  static BorlandModule Decode(RecordFields r, bool) {
    BorlandModule m;
    m.name = r.Index();
    m.language = r.U8();
    m.flags = r.U8();
    return m;
  }
};

struct BorlandSourceFile {
  uint32_t name;
  uint32_t timeStamp;

  static size_t Size(bool wide) { return wide ? 8 : 6; }
  static BorlandSourceFile Decode(RecordFields r, bool) {
    BorlandSourceFile f;
    f.name = r.Index();
    f.timeStamp = r.U32();
    return f;
  }
};

struct BorlandLine {
  uint16_t line;
  uint16_t offset;

  static constexpr size_t kBytes = 4;  // line, then code offset
  static size_t Size(bool) { return kBytes; }
  static BorlandLine Decode(RecordFields r, bool) {
    BorlandLine l;
    l.line = r.U16();
    l.offset = r.U16();
    return l;
  }
};

struct BorlandScope {
  uint32_t firstSymbol;
  uint16_t symbolCount;
  uint16_t parent;
  uint32_t function;
  uint16_t offset;
  uint16_t length;

  static size_t Size(bool wide) { return wide ? 16 : 12; }
  static BorlandScope Decode(RecordFields r, bool) {
    BorlandScope s;
    s.firstSymbol = r.Index();
    s.symbolCount = r.U16();
    s.parent = r.U16();
    s.function = r.Index();
    s.offset = r.U16();
    s.length = r.U16();
    return s;
  }
};

struct BorlandSegment {
  uint16_t module;
  uint16_t codeSegment;
  uint16_t codeOffset;
  uint16_t codeLength;
  uint16_t firstScope;
  uint16_t scopeCount;
  uint16_t firstCorrelation;
  uint16_t correlationCount;

  static size_t Size(bool) { return 16; }
  static BorlandSegment Decode(RecordFields r, bool) {
    BorlandSegment s;
    s.module = r.U16();
    s.codeSegment = r.U16();
    s.codeOffset = r.U16();
    s.codeLength = r.U16();
    s.firstScope = r.U16();
    s.scopeCount = r.U16();
    s.firstCorrelation = r.U16();
    s.correlationCount = r.U16();
    return s;
  }
};

struct BorlandCorrelation {
  uint16_t segment;
  uint16_t sourceFile;
  uint32_t firstLine;
  uint16_t lineCount;

  static size_t Size(bool wide) { return wide ? 10 : 8; }
  static BorlandCorrelation Decode(RecordFields r, bool) {
    BorlandCorrelation k;
    k.segment = r.U16();
    k.sourceFile = r.U16();
    k.firstLine = r.Index();
    k.lineCount = r.U16();
    return k;
  }
};

// A type record; also the record of the types the evaluator adds.
struct EntryTypeTable {
  uint8_t typeId;
  uint32_t name;
  uint16_t size;
  uint8_t flags;
  uint32_t extra;  // first member, class index, element or referenced type

  static size_t Size(bool wide) { return wide ? 12 : 8; }
  static EntryTypeTable Decode(RecordFields r, bool) {
    EntryTypeTable t;
    t.typeId = r.U8();
    t.name = r.Index();
    t.size = r.U16();
    t.flags = r.U8();
    t.extra = r.Index();
    return t;
  }
};

struct BorlandMember {
  uint8_t info;  // 0x80 last member, 0xC0 list end, 0x40 skip record
  uint32_t name;
  uint32_t type;

  static size_t Size(bool wide) { return wide ? 9 : 5; }
  static BorlandMember Decode(RecordFields r, bool) {
    BorlandMember m;
    m.info = r.U8();
    m.name = r.Index();
    m.type = r.Index();
    return m;
  }
};

struct BorlandClass {
  uint16_t firstParent;
  uint16_t parentCount;
  uint32_t firstMember;
  uint32_t field8;
  uint16_t field12;
  uint8_t field14;

  static size_t Size(bool wide) { return wide ? 15 : 11; }
  static BorlandClass Decode(RecordFields r, bool) {
    BorlandClass k;
    k.firstParent = r.U16();
    k.parentCount = r.U16();
    k.firstMember = r.Index();
    k.field8 = r.Index();
    k.field12 = r.U16();
    k.field14 = r.U8();
    return k;
  }
};

struct BorlandParent {
  uint16_t classIndex;

  static size_t Size(bool) { return 2; }
  static BorlandParent Decode(RecordFields r, bool) { return BorlandParent{r.U16()}; }
};

struct BorlandItem {
  uint16_t first;
  uint16_t second;

  static size_t Size(bool wide) { return wide ? 4 : 8; }
  static BorlandItem Decode(RecordFields r, bool wide) {
    if (!wide) r.Skip(4);
    BorlandItem it;
    it.first = r.U16();
    it.second = r.U16();
    return it;
  }
};

// The records of one table inside the file's bytes (which must outlive it).
template <typename T>
class BorlandTable {
 public:
  BorlandTable() = default;
  // `count` records of T::Size(wide) bytes must be there at `base`.
  BorlandTable(const uint8_t* base, uint32_t count, bool wide)
      : m_base(base), m_count(count), m_stride(uint8_t(T::Size(wide))), m_wide(wide) {}

  size_t size() const { return m_count; }
  bool empty() const { return m_count == 0; }
  T operator[](size_t i) const { return T::Decode(RecordFields(Bytes(i), m_wide), m_wide); }
  T back() const { return (*this)[m_count - 1]; }
  // The record's bytes, for the few fields read in bulk.
  const uint8_t* Bytes(size_t i) const { return m_base + i * m_stride; }
  bool Wide() const { return m_wide; }

  class Iterator {
   public:
    Iterator(const BorlandTable* t, size_t i) : m_t(t), m_i(i) {}
    T operator*() const { return (*m_t)[m_i]; }
    Iterator& operator++() {
      ++m_i;
      return *this;
    }
    bool operator!=(const Iterator& o) const { return m_i != o.m_i; }

   private:
    const BorlandTable* m_t;
    size_t m_i;
  };
  Iterator begin() const { return Iterator(this, 0); }
  Iterator end() const { return Iterator(this, m_count); }

 private:
  const uint8_t* m_base = nullptr;
  uint32_t m_count = 0;
  uint8_t m_stride = 0;
  bool m_wide = false;
};

// Everything read from one executable's debug information. The tables and
// the name pool point into the bytes given to the reader.
struct BorlandDebugInfo {
  uint16_t version = 0;
  uint8_t programFlags = 0;
  uint32_t globalCount = 0;
  BorlandTable<BorlandSymbol> symbols;
  BorlandTable<BorlandModule> modules;
  BorlandTable<BorlandSourceFile> sourceFiles;
  BorlandTable<BorlandLine> lines;
  BorlandTable<BorlandScope> scopes;
  std::vector<BorlandSegment> segments;  // decoded: the load segment is added
  BorlandTable<BorlandCorrelation> correlations;
  BorlandTable<EntryTypeTable> types;
  BorlandTable<BorlandMember> members;
  BorlandTable<BorlandClass> classes;
  BorlandTable<BorlandParent> parents;
  BorlandTable<BorlandItem> items;
  uint32_t nameCount = 0;  // as the header says (names: borland_names.h)

  // The name pool; it always ends with a NUL byte, at EndOfPool().
  const char* Pool() const { return m_ownPool.empty() ? m_pool : m_ownPool.data(); }
  size_t PoolSize() const { return m_poolSize; }
  uint32_t EndOfPool() const { return m_end; }
  // Takes the pool in place when it ends with a NUL, else a terminated copy.
  void SetPool(const char* pool, size_t size);

  bool CaseSensitive() const { return (programFlags & 2) != 0; }

 private:
  const char* m_pool = "";
  size_t m_poolSize = 0;
  uint32_t m_end = 0;
  std::string m_ownPool;
};

// Result of reading debug information from an executable image.
enum class BorlandReadResult { Ok, NoDebugInfo, Damaged };

// Reads the debug information behind the MZ load image of `size` bytes at
// `data`; the tables of `out` refer to those bytes. Counts, sizes and offsets
// from the file are checked against the bytes present; a file that does not
// hold what it claims is Damaged.
BorlandReadResult ReadBorlandDebugInfo(const uint8_t* data, size_t size, BorlandDebugInfo& out);
