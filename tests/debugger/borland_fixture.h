// Writes MZ executables with Borland debug information, in the 16-bit or the
// 32-bit layout, from a compact description, so that every test states its
// own fixture.
#pragma once

#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "debugger/borland_type_ids.h"

namespace fixture {

struct Type {
  uint8_t id;
  std::string name;
  uint16_t size;
  uint32_t extra;
};
struct Member {
  uint8_t info;
  std::string name;
  uint32_t type;
  uint32_t skipBytes = 0;
};
struct Symbol {
  std::string name;
  uint32_t type;
  uint16_t segment;
  uint16_t offset;
  uint16_t flags = 0;
};
struct Module {
  std::string name;
  uint8_t language;
  uint8_t flags;
};
struct Scope {
  uint32_t firstSymbol;
  uint16_t symbolCount;
  uint16_t parent;
  uint32_t function;
  uint16_t offset;
  uint16_t length;
};
struct Segment {
  uint16_t module, codeSegment, codeOffset, codeLength, firstScope, scopeCount, firstCorrelation,
      correlationCount;
};
struct Correlation {
  uint16_t segment, sourceFile;
  uint32_t firstLine;
  uint16_t lineCount;
};
struct Class {
  uint16_t firstParent, parentCount;
  uint32_t firstMember;
};

// Indexes handed out by the adders are 1-based, as in the file.
class BorlandExe {
 public:
  // Type records 1 to 16 are the basic types: record i has id i and the
  // basic size of id i.
  BorlandExe();

  bool wide = false;         // 32-bit layout
  uint16_t version = 0x300;  // below 1024 unless wide
  uint8_t programFlags = 0;  // bit 1: case-sensitive names
  uint32_t globalCount = 0;
  uint32_t imageSize = 0x300;  // bytes of the MZ load image
  // When set, the MZ part of the file as it stands (a program that runs);
  // its header's page counts must cover exactly these bytes.
  std::string mzFile;
  uint16_t ext16Size = 32;                   // extension size of the 16-bit layout
  uint16_t skipSize = 3;                     // header's skip size
  uint16_t c6 = 1, c9 = 2;                   // 16-bit extension counts of skipped data
  uint32_t ext20 = 1, ext28 = 2, ext38 = 5;  // 32-bit extension skip counts

  std::vector<Type> types;
  std::vector<Member> members;
  std::vector<Symbol> symbols;
  std::vector<Module> modules;
  std::vector<std::string> sourceFiles;
  std::vector<std::pair<uint16_t, uint16_t>> lines;  // (line, code offset)
  std::vector<Scope> scopes;
  std::vector<Segment> segments;
  std::vector<Correlation> correlations;
  std::vector<Class> classes;
  std::vector<uint16_t> parents;
  std::vector<std::pair<uint16_t, uint16_t>> items;

  uint32_t AddType(uint8_t id, const std::string& name, uint16_t size, uint32_t extra);
  uint32_t AddSymbol(const std::string& name, uint32_t type, uint16_t segment, uint16_t offset,
                     uint16_t flags = 0);
  uint16_t AddModule(const std::string& name, uint8_t language = 0, uint8_t flags = 0);
  uint16_t AddSegment(uint16_t module, uint16_t codeSegment, uint16_t codeOffset, uint16_t codeLength);
  // A source file's line records in one segment: (line, code offset) pairs.
  void AddLines(uint16_t segment, const std::string& file,
                const std::vector<std::pair<uint16_t, uint16_t>>& lineOffsets);
  // A scope of the segment over [offset, offset + length) holding the
  // given symbols (added here), with a parent scope index.
  uint16_t AddScope(uint16_t segment, uint16_t parent, uint16_t offset, uint16_t length,
                    const std::vector<Symbol>& locals);
  // A member list; the last member gets info bit 7. Returns its first index.
  uint32_t AddMembers(const std::vector<std::pair<std::string, uint32_t>>& list);

  // The whole executable file.
  std::string Write() const;
};

}  // namespace fixture
