#include "tests/debugger/borland_fixture.h"

#include <map>

namespace fixture {

namespace {

class Out {
 public:
  std::string bytes;
  void U8(uint32_t v) { bytes.push_back(char(v & 0xFF)); }
  void U16(uint32_t v) {
    U8(v);
    U8(v >> 8);
  }
  void U32(uint32_t v) {
    U16(v);
    U16(v >> 16);
  }
  void Count(bool wide, uint32_t v) { wide ? U32(v) : U16(v); }
  void Fill(size_t n, uint8_t b = 0xEE) { bytes.append(n, char(b)); }
};

// The name pool: names numbered in order of first use; "" is name 0.
class Pool {
 public:
  uint32_t Index(const std::string& name) {
    if (name.empty()) return 0;
    auto it = m_index.find(name);
    if (it != m_index.end()) return it->second;
    m_names.push_back(name);
    return m_index[name] = uint32_t(m_names.size());
  }
  std::string Bytes() const {
    std::string b;
    for (const std::string& n : m_names) b += n + '\0';
    return b;
  }
  uint32_t Count() const { return uint32_t(m_names.size()); }

 private:
  std::vector<std::string> m_names;
  std::map<std::string, uint32_t> m_index;
};

}  // namespace

BorlandExe::BorlandExe() {
  for (uint8_t id = 1; id <= 16; ++id) types.push_back({id, "", BasicTypeSize(id), 0});
}

uint32_t BorlandExe::AddType(uint8_t id, const std::string& name, uint16_t size, uint32_t extra) {
  types.push_back({id, name, size, extra});
  return uint32_t(types.size());
}

uint32_t BorlandExe::AddSymbol(const std::string& name, uint32_t type, uint16_t segment, uint16_t offset,
                               uint16_t flags) {
  symbols.push_back({name, type, segment, offset, flags});
  if (scopes.empty()) globalCount = uint32_t(symbols.size());
  return uint32_t(symbols.size());
}

uint16_t BorlandExe::AddModule(const std::string& name, uint8_t language, uint8_t flags) {
  modules.push_back({name, language, flags});
  return uint16_t(modules.size());
}

uint16_t BorlandExe::AddSegment(uint16_t module, uint16_t codeSegment, uint16_t codeOffset,
                                uint16_t codeLength) {
  segments.push_back({module, codeSegment, codeOffset, codeLength, 0, 0, 0, 0});
  return uint16_t(segments.size());
}

void BorlandExe::AddLines(uint16_t segment, const std::string& file,
                          const std::vector<std::pair<uint16_t, uint16_t>>& lineOffsets) {
  uint16_t fileIndex = 0;
  for (size_t i = 0; i < sourceFiles.size(); ++i) {
    if (sourceFiles[i] == file) fileIndex = uint16_t(i + 1);
  }
  if (!fileIndex) {
    sourceFiles.push_back(file);
    fileIndex = uint16_t(sourceFiles.size());
  }
  correlations.push_back({segment, fileIndex, uint32_t(lines.size() + 1), uint16_t(lineOffsets.size())});
  lines.insert(lines.end(), lineOffsets.begin(), lineOffsets.end());
  Segment& s = segments[segment - 1];
  if (s.correlationCount == 0) s.firstCorrelation = uint16_t(correlations.size());
  ++s.correlationCount;
}

uint16_t BorlandExe::AddScope(uint16_t segment, uint16_t parent, uint16_t offset, uint16_t length,
                              const std::vector<Symbol>& locals) {
  if (scopes.empty()) globalCount = uint32_t(symbols.size());
  scopes.push_back({uint32_t(symbols.size() + 1), uint16_t(locals.size()), parent, 0, offset, length});
  symbols.insert(symbols.end(), locals.begin(), locals.end());
  Segment& s = segments[segment - 1];
  if (s.scopeCount == 0) s.firstScope = uint16_t(scopes.size());
  ++s.scopeCount;
  return uint16_t(scopes.size());
}

uint32_t BorlandExe::AddMembers(const std::vector<std::pair<std::string, uint32_t>>& list) {
  uint32_t first = uint32_t(members.size() + 1);
  for (size_t i = 0; i < list.size(); ++i)
    members.push_back({uint8_t(i + 1 == list.size() ? 0x80 : 0), list[i].first, list[i].second});
  return first;
}

std::string BorlandExe::Write() const {
  const bool w = wide;
  Pool pool;
  // Names are numbered in table order, so that the pool is stable.
  std::vector<uint32_t> symName, modName, fileName, typeName, memberName;
  for (const Symbol& s : symbols) symName.push_back(pool.Index(s.name));
  for (const Module& m : modules) modName.push_back(pool.Index(m.name));
  for (const std::string& f : sourceFiles) fileName.push_back(pool.Index(f));
  for (const Type& t : types) typeName.push_back(pool.Index(t.name));
  for (const Member& m : members) memberName.push_back(m.info == 0x40 ? m.skipBytes : pool.Index(m.name));

  Out o;
  // MZ header and load image.
  if (!mzFile.empty()) {
    o.bytes = mzFile;
  } else {
    uint32_t image = imageSize < 28 ? 28 : imageSize;
    o.U16(0x5A4D);
    o.U16(image % 512);
    o.U16((image + 511) / 512);
    o.Fill(image - 6, 0);
  }

  std::string poolBytes = pool.Bytes();
  o.U16(0x52FB);
  o.U16(w ? (version < 1024 ? 0x400 : version) : version);
  o.U32(uint32_t(poolBytes.size()));
  o.Count(w, pool.Count());
  o.Count(w, uint32_t(types.size()));
  o.Count(w, uint32_t(members.size()));
  o.Count(w, uint32_t(symbols.size()));
  o.Count(w, globalCount);
  o.Count(w, uint32_t(modules.size()));
  o.Count(w, 0);
  o.Count(w, uint32_t(scopes.size()));
  o.Count(w, uint32_t(lines.size()));
  o.Count(w, uint32_t(sourceFiles.size()));
  o.Count(w, uint32_t(segments.size()));
  o.Count(w, uint32_t(correlations.size()));
  o.U32(0);
  o.U32(0);
  o.U8(programFlags);
  o.U16(0);
  o.U16(skipSize);
  o.U8(0);
  if (w) {
    o.U16(42);
    o.U32(uint32_t(classes.size()));
    o.U32(uint32_t(parents.size()));
    o.U32(0);
    o.U32(0);
    o.U32(uint32_t(items.size()));
    o.U32(ext20);
    o.U32(0);
    o.U32(ext28);
    o.U32(0);
    o.U16(0);
    o.U16(ext38);
    o.U16(0);
  } else {
    o.U16(ext16Size);
    std::vector<uint16_t> ext(ext16Size / 2 + 1, 0);
    if (ext16Size >= 32) {
      ext[0] = uint16_t(classes.size());
      ext[1] = uint16_t(parents.size());
      ext[5] = uint16_t(items.size());
      ext[6] = c6;
      ext[9] = c9;
    }
    for (size_t i = 0; i < ext16Size / 2u; ++i) o.U16(ext[i]);
    if (ext16Size % 2) o.U8(0);
  }

  for (size_t i = 0; i < symbols.size(); ++i) {
    const Symbol& s = symbols[i];
    if (w) {
      o.U32(symName[i]);
      o.U32(s.type);
      o.U16(s.offset);
      o.U16(s.segment);
      o.U16(s.flags);
    } else {
      o.U16(symName[i]);
      o.U16(s.type);
      o.U16(s.offset);
      o.U16(s.segment);
      o.U8(s.flags);
    }
  }
  for (size_t i = 0; i < modules.size(); ++i) {
    o.Count(w, modName[i]);
    o.U8(modules[i].language);
    o.U8(modules[i].flags);
    o.Fill(w ? 14 : 12);
  }
  for (size_t i = 0; i < sourceFiles.size(); ++i) {
    o.Count(w, fileName[i]);
    o.U32(0x12345678);
  }
  for (const auto& l : lines) {
    o.U16(l.first);
    o.U16(l.second);
  }
  for (const Scope& s : scopes) {
    o.Count(w, s.firstSymbol);
    o.U16(s.symbolCount);
    o.U16(s.parent);
    o.Count(w, s.function);
    o.U16(s.offset);
    o.U16(s.length);
  }
  for (const Segment& s : segments) {
    for (uint16_t v : {s.module, s.codeSegment, s.codeOffset, s.codeLength, s.firstScope, s.scopeCount,
                       s.firstCorrelation, s.correlationCount})
      o.U16(v);
  }
  for (const Correlation& k : correlations) {
    o.U16(k.segment);
    o.U16(k.sourceFile);
    o.Count(w, k.firstLine);
    o.U16(k.lineCount);
  }
  for (size_t i = 0; i < types.size(); ++i) {
    const Type& t = types[i];
    o.U8(t.id);
    o.Count(w, typeName[i]);
    o.U16(t.size);
    o.U8(0);
    o.Count(w, t.extra);
  }
  for (size_t i = 0; i < members.size(); ++i) {
    o.U8(members[i].info);
    o.Count(w, memberName[i]);
    o.Count(w, members[i].type);
  }
  // A short 16-bit extension has no room for these tables' counts.
  const bool noExtTables = !w && ext16Size < 32;
  const uint32_t skipC6 = noExtTables ? 0 : c6, skipC9 = noExtTables ? 0 : c9;
  for (const Class& k : noExtTables ? std::vector<Class>() : classes) {
    o.U16(k.firstParent);
    o.U16(k.parentCount);
    o.Count(w, k.firstMember);
    o.Count(w, 0);
    o.U16(0);
    o.U8(0);
  }
  for (uint16_t p : noExtTables ? std::vector<uint16_t>() : parents) o.U16(p);
  for (const auto& it : noExtTables ? std::vector<std::pair<uint16_t, uint16_t>>() : items) {
    if (!w) o.Fill(4);
    o.U16(it.first);
    o.U16(it.second);
  }

  // Data the reader skips.
  if (w) {
    o.Fill(2 + modules.size() * 4 + ext28 * 8 + segments.size() * 2 + ext20 * 2 + ext38);
  } else {
    if (version >= 0x300) {
      if (skipC6) o.Fill(segments.size() * 2 + skipC6 * 2);
      o.Fill(modules.size() * 4);
    }
    o.Fill(size_t(skipC9) * 6);
  }
  o.Fill(skipSize);
  o.bytes += poolBytes;
  return o.bytes;
}

}  // namespace fixture
