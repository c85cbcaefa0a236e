#include "debugger/borland_tables.h"

#include "debugger/byte_cursor.h"

namespace {

const uint16_t kSignature = 0x52FB;

struct Header {
  bool wide = false;  // 32-bit layout
  uint32_t poolSize = 0, nameCount = 0, typeCount = 0, memberCount = 0;
  uint32_t symbolCount = 0, globalCount = 0, moduleCount = 0, scopeCount = 0;
  uint32_t lineCount = 0, sourceCount = 0, segmentCount = 0, correlationCount = 0;
  uint8_t programFlags = 0;
  uint16_t skipSize = 0, extSize = 0;
  uint32_t classCount = 0, parentCount = 0, itemCount = 0;
  uint32_t c6 = 0, c9 = 0;                   // 16-bit extension
  uint32_t ext20 = 0, ext28 = 0, ext38 = 0;  // 32-bit extension
};

// Start of the debug information: the end of the MZ load image.
uint64_t LoadImageEnd(ByteCursor& c) {
  c.Seek(2);
  uint16_t lastPage = c.U16();
  uint16_t pages = c.U16();
  if (lastPage == 0) return uint64_t(pages) * 512;
  return (uint64_t(pages) - 1) * 512 + lastPage;
}

void ReadCounts(ByteCursor& c, Header& h) {
  auto count = [&]() -> uint32_t { return h.wide ? c.U32() : c.U16(); };
  h.poolSize = c.U32();
  h.nameCount = count();
  h.typeCount = count();
  h.memberCount = count();
  h.symbolCount = count();
  h.globalCount = count();
  h.moduleCount = count();
  count();  // locals
  h.scopeCount = count();
  h.lineCount = count();
  h.sourceCount = count();
  h.segmentCount = count();
  h.correlationCount = count();
  c.U32();  // image size
  c.U32();  // debugger hook
  h.programFlags = c.U8();
  c.U16();  // string segment offset
  h.skipSize = c.U16();
  c.U8();  // filler
  h.extSize = c.U16();
}

void ReadExtension16(ByteCursor& c, Header& h) {
  if (!c.Has(h.extSize)) {
    c.Skip(h.extSize);  // fails the cursor
    return;
  }
  ByteCursor ext(c.Here(), h.extSize);
  c.Skip(h.extSize);
  if (h.extSize < 32) return;
  uint16_t w[10];
  for (uint16_t& x : w) x = ext.U16();
  h.classCount = w[0];
  h.parentCount = w[1];
  h.itemCount = w[5];
  h.c6 = w[6];
  h.c9 = w[9];
}

void ReadExtension32(ByteCursor& c, Header& h) {
  if (!c.Has(42)) {
    c.Skip(42);
    return;
  }
  ByteCursor ext(c.Here(), 42);
  h.classCount = ext.U32();
  h.parentCount = ext.U32();
  ext.Seek(16);
  h.itemCount = ext.U32();
  h.ext20 = ext.U32();
  ext.Seek(28);
  h.ext28 = ext.U32();
  ext.Seek(38);
  h.ext38 = ext.U16();
  c.Skip(h.extSize > 42 ? h.extSize : 42);
}

// A table of `count` records; fails the cursor when the file does not
// hold them all.
template <typename T>
BorlandTable<T> TableAt(ByteCursor& c, uint32_t count, bool wide) {
  const uint64_t bytes = uint64_t(count) * T::Size(wide);
  if (!c.Has(bytes)) {
    c.Skip(bytes);
    return {};
  }
  BorlandTable<T> table(c.Here(), count, wide);
  c.Skip(bytes);
  return table;
}

bool ReadTables(ByteCursor& c, const Header& h, BorlandDebugInfo& d) {
  const bool w = h.wide;
  d.symbols = TableAt<BorlandSymbol>(c, h.symbolCount, w);
  d.modules = TableAt<BorlandModule>(c, h.moduleCount, w);
  d.sourceFiles = TableAt<BorlandSourceFile>(c, h.sourceCount, w);
  d.lines = TableAt<BorlandLine>(c, h.lineCount, w);
  d.scopes = TableAt<BorlandScope>(c, h.scopeCount, w);
  BorlandTable<BorlandSegment> segments = TableAt<BorlandSegment>(c, h.segmentCount, w);
  d.correlations = TableAt<BorlandCorrelation>(c, h.correlationCount, w);
  d.types = TableAt<EntryTypeTable>(c, h.typeCount, w);
  d.members = TableAt<BorlandMember>(c, h.memberCount, w);
  d.classes = TableAt<BorlandClass>(c, h.classCount, w);
  d.parents = TableAt<BorlandParent>(c, h.parentCount, w);
  d.items = TableAt<BorlandItem>(c, h.itemCount, w);
  if (!c.Ok()) return false;
  d.segments.reserve(segments.size());
  for (const BorlandSegment s : segments) d.segments.push_back(s);
  return true;
}

void SkipUnusedData(ByteCursor& c, const Header& h, uint16_t version) {
  uint64_t n = 0;
  if (h.wide) {
    n = 2 + uint64_t(h.moduleCount) * 4 + uint64_t(h.ext28) * 8 + uint64_t(h.segmentCount) * 2 +
        uint64_t(h.ext20) * 2 + h.ext38;
  } else {
    if (version >= 0x300) {
      if (h.c6 != 0) n += uint64_t(h.segmentCount) * 2 + uint64_t(h.c6) * 2;
      n += uint64_t(h.moduleCount) * 4;
    }
    n += uint64_t(h.c9) * 6;
  }
  c.Skip(n + h.skipSize);
}

}  // namespace

BorlandReadResult ReadBorlandDebugInfo(const uint8_t* data, size_t size, BorlandDebugInfo& out) {
  out = BorlandDebugInfo();
  ByteCursor c(data, size);
  if (!c.Has(28)) return BorlandReadResult::NoDebugInfo;
  if (!c.Seek(LoadImageEnd(c)) || c.U16() != kSignature) return BorlandReadResult::NoDebugInfo;
  Header h;
  out.version = c.U16();
  h.wide = out.version >= 1024;
  ReadCounts(c, h);
  if (h.wide)
    ReadExtension32(c, h);
  else
    ReadExtension16(c, h);
  if (!c.Ok() || !ReadTables(c, h, out)) return BorlandReadResult::Damaged;
  SkipUnusedData(c, h, out.version);
  if (!c.Has(h.poolSize)) return BorlandReadResult::Damaged;
  out.SetPool(reinterpret_cast<const char*>(c.Here()), h.poolSize);
  out.programFlags = h.programFlags;
  out.globalCount = h.globalCount;
  out.nameCount = h.nameCount;
  return BorlandReadResult::Ok;
}

void BorlandDebugInfo::SetPool(const char* pool, size_t size) {
  m_poolSize = size;
  m_ownPool.clear();
  if (size != 0 && pool[size - 1] == '\0') {
    m_pool = pool;
    m_end = uint32_t(size - 1);
    return;
  }
  m_pool = "";
  m_end = 0;
  if (size != 0) {
    m_ownPool.assign(pool, size);
    m_ownPool.push_back('\0');
    m_end = uint32_t(size);
  }
}
