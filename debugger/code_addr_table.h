// The line list: one entry per code address that starts a source line,
// ordered by address, with an index from (file, line) to address.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
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

    // One line record: its address and line, and its file as an index into
    // the file name list given to Begin.
    struct Record {
        uint32_t linear;
        uint16_t segment;
        uint16_t offset;
        uint16_t line;
        uint16_t file;
    };

    // Starts a new list over these file names, with room for `expected`
    // records.
    void Begin(std::vector<const char*> files, size_t expected);
    // Records in the order they were read; of several at one linear address
    // the one read last stays.
    void Add(const Record& r)
    {
        if (m_inOrder && !m_records.empty()) {
            Record& last = m_records.back();
            if (r.linear == last.linear) {
                last = r;
                return;
            }
            m_inOrder = r.linear > last.linear;
        }
        m_records.push_back(r);
    }
    // Orders the records by address (when they did not come so) and builds
    // the (file, line) index.
    void Finish();

    size_t Count() const { return m_records.size(); }
    // Ascending by linear address: entry i + 1 is the next higher one.
    SCodeAddrTableEntry At(size_t i) const
    {
        const Record& r = m_records[i];
        return {m_files[r.file], CAddr(r.segment, r.offset), r.line};
    }
    uint32_t LinearAt(size_t i) const { return m_records[i].linear; }
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
        uint32_t entry;
    };
    static std::string FileKey(const char* fileName);
    void SortAndMerge();
    void IndexFiles();

    std::vector<Record> m_records;
    std::vector<const char*> m_files;
    bool m_inOrder = true;
    // The entries of the files named m_keys[k] (distinct keys, sorted) are
    // m_refs[m_keyStart[k]] up to m_refs[m_keyStart[k + 1]], by line and
    // within a line by address.
    std::vector<std::string> m_keys;
    std::vector<uint32_t> m_keyStart;
    std::vector<LineRef> m_refs;
};
