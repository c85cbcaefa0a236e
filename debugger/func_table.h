// The function list: the program's functions that start at a line address,
// walked from the highest address down.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "debugger/addr.h"

struct SFuncTableEntry {
    const char* name;  // owned by the debug information
    CAddr address;
    uint8_t language;
};

class CFuncTable {
public:
    static const size_t npos = size_t(-1);

    // Entries in the order they were found; equal addresses stay side by
    // side in that order.
    void Build(std::vector<SFuncTableEntry> entries);

    size_t Count() const { return m_entries.size(); }
    // Descending by linear address: entry 0 is the highest.
    const SFuncTableEntry& At(size_t i) const { return m_entries[i]; }
    // The first entry (in list order) whose address is not above `linear`.
    size_t FindFirstAtOrBelow(uint32_t linear) const;
    // The first entry at exactly this linear address.
    size_t FindExact(uint32_t linear) const;

private:
    std::vector<SFuncTableEntry> m_entries;
};
