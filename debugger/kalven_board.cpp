#include "debugger/kalven_board.h"

#include <set>

BoardServiceCallback g_boardServiceCallback = nullptr;
DWORD g_zorHandle = 0;
BYTE g_zorInstalledTasks[128] = {};
CKalvenBoard* g_pBoard = nullptr;
std::function<bool(std::string*)> g_chooseVantorFile;

namespace {
const int kMaxMinedRecords = 65536;
}

void CKalvenBoard::RestoreMinedBytes(const CList<CMinedAddr, const CMinedAddr&>& mined, DWORD address,
                                     WORD length, BYTE* buffer) {
  for (POSITION pos = mined.GetHeadPosition(); pos;) {
    const CMinedAddr& m = mined.GetNext(pos);
    if (m.address >= address && m.address - address < length) buffer[m.address - address] = m.saved;
  }
}

void DecodeMinedRecord(const BYTE* r, DWORD* next, CMinedAddr* entry) {
  *next = r[0] | r[1] << 8 | r[2] << 16 | static_cast<DWORD>(r[3]) << 24;
  DWORD offset = r[4] | r[5] << 8, segment = r[6] | r[7] << 8;
  entry->address = segment * 16 + offset;
  entry->saved = r[10];
}

WORD WalkMinedList(DWORD head, const MinedRecordReader& read, CList<CMinedAddr, const CMinedAddr&>& list) {
  std::set<DWORD> seen;
  for (DWORD at = head; at != 0;) {
    if (!seen.insert(at).second || static_cast<int>(seen.size()) > kMaxMinedRecords) return kMinedListBroken;
    DWORD next = 0;
    CMinedAddr entry;
    if (!read(at, &next, &entry)) return kMinedListBroken;
    list.AddTail(entry);
    at = next;
  }
  return 0;
}
