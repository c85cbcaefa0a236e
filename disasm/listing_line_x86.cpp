#include "disasm/listing_line.h"

#include <cctype>
#include <cstring>

#include "debugger/segoff.h"
#include "disasm/instruction_text.h"
#include "disasm/disass_neighbours.h"

CDisassTarget* g_pDisassTarget = nullptr;
CDisass* g_pDisass = nullptr;

namespace {

// "%08x: " of the address.
void WriteAddress(char* line, DWORD address) {
  static const char kDigits[] = "0123456789abcdef";
  for (int i = 7; i >= 0; --i, address >>= 4) line[i] = kDigits[address & 15];
  line[8] = ':';
  line[9] = ' ';
}

bool StartsWithNoCase(const char* text, const char* word) {
  for (; *word; ++text, ++word) {
    if (std::tolower(static_cast<unsigned char>(*text)) != *word) return false;
  }
  return true;
}

}  // namespace

int ReadCodeBytes(DWORD address, BYTE* buffer, int count) {
  if (g_pDisassBreakpoints && count > 0) {
    CAddr at;
    LinearToSegOff(at, address);
    BYTE* saved = nullptr;
    DWORD savedCount = 0;
    if (g_pDisassBreakpoints->GetSavedBytes(&at, &saved, &savedCount)) {
      int k = static_cast<int>(savedCount & 0xFFFF);
      if (k > count) k = count;
      if (saved && k > 0) std::memcpy(buffer, saved, k);
      delete[] saved;
      buffer += k;
      address += k;
      count -= k;
    }
  }
  if (count <= 0) return 0;
  if (!g_pDisassTarget) return 1;
  return g_pDisassTarget->ReadMemory(address, static_cast<WORD>(count), buffer) ? 0 : 1;
}

CDisassx86::CDisassx86(CDisassTarget* target) {
  g_pDisassTarget = target;
  DisasmInit(ReadCodeBytes);
}

DWORD CDisassx86::FormatLine(DWORD address, char* line) {
  WriteAddress(line, address);
  return DisasmInstruction(address, line + kDisassTextColumn);
}

DWORD CDisassx86::FormatPreviousLine(DWORD* address, char* line) {
  DWORD start = DisasmPrevious(address, line + kDisassTextColumn);
  WriteAddress(line, start);
  return start;
}

int CDisassx86::IsCallInstruction(const char* line) {
  if (std::strlen(line) < size_t(kDisassTextColumn)) return 0;
  const char* text = line + kDisassTextColumn;
  return StartsWithNoCase(text, "call") || StartsWithNoCase(text, "lcall") ? 1 : 0;
}
