// The installed boards as the board-information library reports them,
// and the texts the General page lists them under.
#pragma once

#include <cstdint>
#include <vector>

#include "platform/base/cstring.h"

struct BoardListEntry {
  int number;
  uint16_t type;  // BoardTypeCode
  CString text;   // "Board %d: %s [...]"; empty: not listed
};

enum class KalvInfoState : uint8_t { kLoaded, kMissing };

// Asks "kalvinfo.dll" about boards 0 to 99; kMissing when it does not load.
KalvInfoState ReadInstalledBoards(std::vector<BoardListEntry>& boards);

// The list text of a board, "" for an interface code above 6.
CString BoardListText(int number, uint16_t type, uint32_t interfaceCode);

// Board number and card class from a list text; false for another text.
bool ParseBoardListText(const CString& text, int& number, uint16_t& cardClass);
