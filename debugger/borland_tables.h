// The tables of Borland debug information as kept in memory: every record
// in the 32-bit layout (the 16-bit reader widens its records).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

struct BorlandSymbol {
    uint32_t name;
    uint32_t type;
    uint32_t location;  // offset in the low 16 bits, segment in the high 16
    uint16_t flags;
    uint16_t Offset() const { return uint16_t(location & 0xFFFF); }
    uint16_t Segment() const { return uint16_t(location >> 16); }
};

struct BorlandModule {
    uint32_t name;
    uint8_t language;
    uint8_t flags;  // bit 3: strip leading underscores from global names
};

struct BorlandSourceFile {
    uint32_t name;
    uint32_t timeStamp;
};

struct BorlandLine {
    uint16_t line;
    uint16_t offset;
};

struct BorlandScope {
    uint32_t firstSymbol;
    uint16_t symbolCount;
    uint16_t parent;
    uint32_t function;
    uint16_t offset;
    uint16_t length;
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
};

struct BorlandCorrelation {
    uint16_t segment;
    uint16_t sourceFile;
    uint32_t firstLine;
    uint16_t lineCount;
};

// A type record; also the record of the types the evaluator adds.
struct EntryTypeTable {
    uint8_t typeId;
    uint32_t name;
    uint16_t size;
    uint8_t flags;
    uint32_t extra;  // first member, class index, element or referenced type
};

struct BorlandMember {
    uint8_t info;  // 0x80 last member, 0xC0 list end, 0x40 skip record
    uint32_t name;
    uint32_t type;
};

struct BorlandClass {
    uint16_t firstParent;
    uint16_t parentCount;
    uint32_t firstMember;
    uint32_t field8;
    uint16_t field12;
    uint8_t field14;
};

struct BorlandParent {
    uint16_t classIndex;
};

struct BorlandItem {
    uint16_t first;
    uint16_t second;
};

// Everything read from one executable's debug information.
struct BorlandDebugInfo {
    uint16_t version = 0;
    uint8_t programFlags = 0;
    uint32_t globalCount = 0;
    std::vector<BorlandSymbol> symbols;
    std::vector<BorlandModule> modules;
    std::vector<BorlandSourceFile> sourceFiles;
    std::vector<BorlandLine> lines;
    std::vector<BorlandScope> scopes;
    std::vector<BorlandSegment> segments;
    std::vector<BorlandCorrelation> correlations;
    std::vector<EntryTypeTable> types;
    std::vector<BorlandMember> members;
    std::vector<BorlandClass> classes;
    std::vector<BorlandParent> parents;
    std::vector<BorlandItem> items;
    std::string namePool;              // always ends with a NUL byte
    uint32_t nameCount = 0;            // as the header says
    std::vector<uint32_t> nameStarts;  // pool offset of name 1, 2, ...

    bool CaseSensitive() const { return (programFlags & 2) != 0; }
};

// Result of reading debug information from an executable image.
enum class BorlandReadResult { Ok, NoDebugInfo, Damaged };

// Reads the debug information behind the MZ load image of `size` bytes at
// `data`. Counts, sizes and offsets from the file are checked against the
// bytes present; a file that does not hold what it claims is Damaged.
BorlandReadResult ReadBorlandDebugInfo(const uint8_t* data, size_t size, BorlandDebugInfo& out);
