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
    uint32_t c6 = 0, c9 = 0;                       // 16-bit extension
    uint32_t ext20 = 0, ext28 = 0, ext38 = 0;      // 32-bit extension
};

// Start of the debug information: the end of the MZ load image.
uint64_t LoadImageEnd(ByteCursor& c)
{
    c.Seek(2);
    uint16_t lastPage = c.U16();
    uint16_t pages = c.U16();
    if (lastPage == 0)
        return uint64_t(pages) * 512;
    return (uint64_t(pages) - 1) * 512 + lastPage;
}

void ReadCounts(ByteCursor& c, Header& h)
{
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
    c.U8();   // filler
    h.extSize = c.U16();
}

void ReadExtension16(ByteCursor& c, Header& h)
{
    if (!c.Has(h.extSize)) {
        c.Skip(h.extSize);  // fails the cursor
        return;
    }
    ByteCursor ext(c.Here(), h.extSize);
    c.Skip(h.extSize);
    if (h.extSize < 32)
        return;
    uint16_t w[10];
    for (uint16_t& x : w)
        x = ext.U16();
    h.classCount = w[0];
    h.parentCount = w[1];
    h.itemCount = w[5];
    h.c6 = w[6];
    h.c9 = w[9];
}

void ReadExtension32(ByteCursor& c, Header& h)
{
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

// Reads `count` records of `recSize` bytes, each by `parse`; fails without
// allocating when the file does not hold them all.
template <typename T, typename Parse>
bool ReadTable(ByteCursor& c, uint32_t count, size_t recSize, std::vector<T>& out, Parse parse)
{
    if (!c.Has(uint64_t(count) * recSize)) {
        c.Skip(uint64_t(count) * recSize);
        return false;
    }
    out.resize(count);
    for (T& rec : out) {
        ByteCursor r(c.Here(), recSize);
        rec = parse(r);
        c.Skip(recSize);
    }
    return true;
}

bool ReadTables(ByteCursor& c, const Header& h, BorlandDebugInfo& d)
{
    bool w = h.wide;
    bool ok = true;
    ok = ok && ReadTable(c, h.symbolCount, w ? 14 : 9, d.symbols, [w](ByteCursor& r) {
        BorlandSymbol s{};
        if (w) {
            s.name = r.U32(); s.type = r.U32(); s.location = r.U32(); s.flags = r.U16();
        } else {
            s.name = r.U16(); s.type = r.U16();
            uint16_t off = r.U16(), seg = r.U16();
            s.location = uint32_t(seg) << 16 | off;
            s.flags = r.U8();
        }
        return s;
    });
    ok = ok && ReadTable(c, h.moduleCount, w ? 20 : 16, d.modules, [w](ByteCursor& r) {
        BorlandModule m{};
        m.name = w ? r.U32() : r.U16();
        m.language = r.U8();
        m.flags = r.U8();
        return m;
    });
    ok = ok && ReadTable(c, h.sourceCount, w ? 8 : 6, d.sourceFiles, [w](ByteCursor& r) {
        BorlandSourceFile f{};
        f.name = w ? r.U32() : r.U16();
        f.timeStamp = r.U32();
        return f;
    });
    ok = ok && ReadTable(c, h.lineCount, 4, d.lines, [](ByteCursor& r) {
        BorlandLine l{};
        l.line = r.U16();
        l.offset = r.U16();
        return l;
    });
    ok = ok && ReadTable(c, h.scopeCount, w ? 16 : 12, d.scopes, [w](ByteCursor& r) {
        BorlandScope s{};
        s.firstSymbol = w ? r.U32() : r.U16();
        s.symbolCount = r.U16();
        s.parent = r.U16();
        s.function = w ? r.U32() : r.U16();
        s.offset = r.U16();
        s.length = r.U16();
        return s;
    });
    ok = ok && ReadTable(c, h.segmentCount, 16, d.segments, [](ByteCursor& r) {
        BorlandSegment s{};
        s.module = r.U16(); s.codeSegment = r.U16(); s.codeOffset = r.U16(); s.codeLength = r.U16();
        s.firstScope = r.U16(); s.scopeCount = r.U16();
        s.firstCorrelation = r.U16(); s.correlationCount = r.U16();
        return s;
    });
    ok = ok && ReadTable(c, h.correlationCount, w ? 10 : 8, d.correlations, [w](ByteCursor& r) {
        BorlandCorrelation k{};
        k.segment = r.U16();
        k.sourceFile = r.U16();
        k.firstLine = w ? r.U32() : r.U16();
        k.lineCount = r.U16();
        return k;
    });
    ok = ok && ReadTable(c, h.typeCount, w ? 12 : 8, d.types, [w](ByteCursor& r) {
        EntryTypeTable t{};
        t.typeId = r.U8();
        t.name = w ? r.U32() : r.U16();
        t.size = r.U16();
        t.flags = r.U8();
        t.extra = w ? r.U32() : r.U16();
        return t;
    });
    ok = ok && ReadTable(c, h.memberCount, w ? 9 : 5, d.members, [w](ByteCursor& r) {
        BorlandMember m{};
        m.info = r.U8();
        m.name = w ? r.U32() : r.U16();
        m.type = w ? r.U32() : r.U16();
        return m;
    });
    ok = ok && ReadTable(c, h.classCount, w ? 15 : 11, d.classes, [w](ByteCursor& r) {
        BorlandClass k{};
        k.firstParent = r.U16();
        k.parentCount = r.U16();
        k.firstMember = w ? r.U32() : r.U16();
        k.field8 = w ? r.U32() : r.U16();
        k.field12 = r.U16();
        k.field14 = r.U8();
        return k;
    });
    ok = ok && ReadTable(c, h.parentCount, 2, d.parents, [](ByteCursor& r) {
        return BorlandParent{r.U16()};
    });
    ok = ok && ReadTable(c, h.itemCount, w ? 4 : 8, d.items, [w](ByteCursor& r) {
        if (!w)
            r.Seek(4);
        BorlandItem it{};
        it.first = r.U16();
        it.second = r.U16();
        return it;
    });
    return ok;
}

void SkipUnusedData(ByteCursor& c, const Header& h, uint16_t version)
{
    uint64_t n = 0;
    if (h.wide) {
        n = 2 + uint64_t(h.moduleCount) * 4 + uint64_t(h.ext28) * 8 + uint64_t(h.segmentCount) * 2 +
            uint64_t(h.ext20) * 2 + h.ext38;
    } else {
        if (version >= 0x300) {
            if (h.c6 != 0)
                n += uint64_t(h.segmentCount) * 2 + uint64_t(h.c6) * 2;
            n += uint64_t(h.moduleCount) * 4;
        }
        n += uint64_t(h.c9) * 6;
    }
    c.Skip(n + h.skipSize);
}

// Name n starts behind the (n-1)-th NUL of the pool.
void IndexNames(BorlandDebugInfo& d)
{
    d.nameStarts.clear();
    if (d.nameCount == 0)
        return;
    d.nameStarts.push_back(0);
    const std::string& pool = d.namePool;
    for (size_t i = 1; i < pool.size() - 1 && d.nameStarts.size() < d.nameCount; ++i) {
        if (pool[i - 1] == '\0')
            d.nameStarts.push_back(uint32_t(i));
    }
}

}  // namespace

BorlandReadResult ReadBorlandDebugInfo(const uint8_t* data, size_t size, BorlandDebugInfo& out)
{
    out = BorlandDebugInfo();
    ByteCursor c(data, size);
    if (!c.Has(28))
        return BorlandReadResult::NoDebugInfo;
    if (!c.Seek(LoadImageEnd(c)) || c.U16() != kSignature)
        return BorlandReadResult::NoDebugInfo;
    Header h;
    out.version = c.U16();
    h.wide = out.version >= 1024;
    ReadCounts(c, h);
    if (h.wide)
        ReadExtension32(c, h);
    else
        ReadExtension16(c, h);
    if (!c.Ok() || !ReadTables(c, h, out))
        return BorlandReadResult::Damaged;
    SkipUnusedData(c, h, out.version);
    if (!c.Has(h.poolSize))
        return BorlandReadResult::Damaged;
    out.namePool.assign(reinterpret_cast<const char*>(c.Here()), h.poolSize);
    out.namePool.push_back('\0');
    out.programFlags = h.programFlags;
    out.globalCount = h.globalCount;
    out.nameCount = h.nameCount;
    IndexNames(out);
    return BorlandReadResult::Ok;
}
