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

  // An entry is a symbol of the debug information at a linear address.
  struct Record {
    uint32_t linear;
    uint32_t symbol;
  };
  // Reads an entry's name, address and language from its symbol.
  class Symbols {
   public:
    virtual const char* FunctionName(uint32_t symbol) const = 0;
    virtual CAddr FunctionAddress(uint32_t symbol) const = 0;
    virtual uint8_t FunctionLanguage(uint32_t symbol) const = 0;

   protected:
    ~Symbols() = default;
  };

  // Takes entries descending by linear address (equal ones in list
  // order); `symbols` must outlive the list.
  void Build(std::vector<Record> entries, const Symbols* symbols);

  size_t Count() const { return m_entries.size(); }
  // Descending by linear address: entry 0 is the highest.
  SFuncTableEntry At(size_t i) const { return {NameAt(i), AddressAt(i), LanguageAt(i)}; }
  const char* NameAt(size_t i) const { return m_symbols->FunctionName(m_entries[i].symbol); }
  CAddr AddressAt(size_t i) const { return m_symbols->FunctionAddress(m_entries[i].symbol); }
  uint8_t LanguageAt(size_t i) const { return m_symbols->FunctionLanguage(m_entries[i].symbol); }
  uint32_t LinearAt(size_t i) const { return m_entries[i].linear; }
  // The first entry (in list order) whose address is not above `linear`.
  size_t FindFirstAtOrBelow(uint32_t linear) const;
  // The first entry at exactly this linear address.
  size_t FindExact(uint32_t linear) const;

 private:
  std::vector<Record> m_entries;
  const Symbols* m_symbols = nullptr;
};
