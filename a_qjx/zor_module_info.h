// What a ZOR module tells about itself: position, type, version,
// production data from its EEPROM, and its name and description from the
// module table.
#pragma once
#include <cstdint>

#include "platform/base/cstring.h"
#include "platform/base/windef.h"

struct ZorModuleInfo {
  WORD board = 0, slot = 0, layer = 0;
  DWORD typeKey = 0;
  WORD moduleType = 0;
  WORD versionWord = 0;
  BYTE variant = 0;
  WORD info1 = 0, info2 = 0;
  DWORD productionDate = 0;
  WORD serialNumber = 0;
  CString name, description, productionState, versionText, productionDateText;
  char designLetter = 0;
  int32_t chipDesign = -1;

  // Fills the record for the module at (slot, layer) of the board.
  void Fill(WORD boardNumber, WORD slotNumber, WORD layerNumber);
};

struct ZorModuleDescription {
  WORD type;
  int variant;  // -1: any variant
  const char* name;
  const char* description;
};

// The table entry for a module type and variant (the "Unknown Hardware"
// entry for a type not in the table).
const ZorModuleDescription& FindZorModuleDescription(WORD type, BYTE variant);
