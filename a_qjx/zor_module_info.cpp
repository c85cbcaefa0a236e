#include "a_qjx/zor_module_info.h"

#include <cctype>
#include <cstring>

#include "drivers/dovi32/dovi32.h"

void ZorModuleInfo::Fill(WORD boardNumber, WORD slotNumber, WORD layerNumber) {
  board = boardNumber;
  slot = slotNumber;
  layer = layerNumber;
  ZOR_MODULE_INFO info{};
  if (zor_get_module_info(board, slot, layer, &info) != 0) {
    info = ZOR_MODULE_INFO{};
    zor_clear_error();
  }
  moduleType = info.type;
  versionWord = info.version;
  variant = info.variant;
  info1 = info.info1;
  info2 = info.info2;

  zor_open_eeprom(board, slot, layer, 0);
  ZOR_EEPROM_AREA27 area{};
  if (zor_read_eeprom_area(board, slot, layer, 27, 0, sizeof area, &area, 0) != 0) {
    serialNumber = 0;
    productionDate = 0;
    productionState.Empty();
    productionDateText.Empty();
    designLetter = 0;
    chipDesign = -1;
    zor_clear_error();
  } else {
    serialNumber = area.serial;
    char state[12] = {};
    std::memcpy(state, area.state, sizeof area.state);
    productionState = std::isalpha((unsigned char)state[0]) ? state : "";
    productionDate = area.date;
    productionDateText.Format("%.4d-%.2d-%.2d", int(area.date >> 16), int((area.date >> 8) & 0xFF),
                              int(area.date & 0xFF));
    if (area.length > 3) designLetter = area.design;
    chipDesign = area.chipDesign == 0xFF ? -1 : area.chipDesign;
  }
  zor_close_eeprom(board, slot, layer, 0);
  zor_clear_error();

  typeKey = DWORD(moduleType) + 0x8000;
  versionText.Format("%c.%hu", char(versionWord & 0xFF), (unsigned short)(versionWord >> 8));
  if (moduleType == 0x600) {
    ZOR_BOARD_INFO b{};
    if (zor_get_board_info(board, &b) != 0) {
      b = ZOR_BOARD_INFO{};
      zor_clear_error();
    }
    moduleType = b.type;
    versionWord = b.version;
    serialNumber = b.serial;
  }
  const ZorModuleDescription& d = FindZorModuleDescription(moduleType, variant);
  name = d.name;
  description = d.description;
}
