// The line list: one entry per code address that starts a source line,
// ordered by address, with an index from (file, line) to address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "debugger/addr.h"

struct SCodeAddrTableEntry {
    const char* file;  // source file name, owned by the debug information
    CAddr address;
    uint16_t line;
};

class CCodeAddrTable {
public:
    static const size_t npos = size_t(-1);

    // Entries in the order they were read; of several at one linear address
    // the one read last stays.
    void Build(std::vector<SCodeAddrTableEntry> entries);

    size_t Count() const { return m_entries.size(); }
    // Ascending by linear address: entry i + 1 is the next higher one.
    const SCodeAddrTableEntry& At(size_t i) const { return m_entries[i]; }
    // The entry at exactly this linear address, or npos.
    size_t FindExact(uint32_t linear) const;
    // The entry with the greatest address at or below `linear`, or npos.
    size_t FindFloor(uint32_t linear) const;
    // Of the entries of the file (compared without directory, ignoring
    // case) whose line is at least `line`: the smallest line, at its highest
    // address. npos when none.
    size_t FindLine(const char* fileName, uint16_t line) const;

private:
    struct LineRef {
        uint16_t line;
        size_t entry;
    };
    static std::string FileKey(const char* fileName);

    std::vector<SCodeAddrTableEntry> m_entries;
    std::unordered_map<std::string, std::vector<LineRef>> m_byFile;
};
