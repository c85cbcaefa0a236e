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

    struct Record {
        uint32_t linear;
        uint16_t segment;
        uint16_t offset;
        uint32_t name;  // offset in the name pool
        uint8_t language;
    };

    // Entries in the order they were found; equal addresses stay side by
    // side in that order. Names are offsets in `namePool`.
    void Build(std::vector<Record> entries, const char* namePool);

    size_t Count() const { return m_entries.size(); }
    // Descending by linear address: entry 0 is the highest.
    SFuncTableEntry At(size_t i) const
    {
        const Record& r = m_entries[i];
        return {m_pool + r.name, CAddr(r.segment, r.offset), r.language};
    }
    uint32_t LinearAt(size_t i) const { return m_entries[i].linear; }
    // The first entry (in list order) whose address is not above `linear`.
    size_t FindFirstAtOrBelow(uint32_t linear) const;
    // The first entry at exactly this linear address.
    size_t FindExact(uint32_t linear) const;

private:
    std::vector<Record> m_entries;
    const char* m_pool = "";
};
