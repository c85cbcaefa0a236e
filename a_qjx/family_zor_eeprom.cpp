// The ZOR board's module listing: every module of the 16 x 16 grid that
// answers, with its production data and first 64 EEPROM words.
#include "a_qjx/board_families.h"
#include "a_qjx/zor_module_info.h"
#include "drivers/dovi32/dovi32.h"

namespace {

CString ChipDesignLine(int32_t n) {
  CString s;
  if (n == -1)
    s = "Chip-Design:      not set\n";
  else if (n >= 1 && n <= 26)
    s.Format("Chip-Design:      %c (%lu)\n", char('A' + n - 1), (unsigned long)n);
  else
    s.Format("Chip-Design:      - (%lu)\n", (unsigned long)n);
  return s;
}

}  // namespace

void CBoardFamilyZOR::GetEepromText() {
  eepromText.Empty();
  CString s;
  for (WORD slot = 0; slot < 16; ++slot)
    for (WORD layer = 0; layer < 16; ++layer) {
      ZOR_MODULE_INFO probe{};
      if (zor_get_module_info(boardNumber, slot, layer, &probe) != 0) {
        zor_clear_error();
        continue;
      }
      ZorModuleInfo m;
      m.Fill(boardNumber, slot, layer);
      s.Format("Module Name:      %s\n", (const char*)m.name);
      eepromText += s;
      s.Format("Module Type:      %hu\n", (unsigned short)m.moduleType);
      eepromText += s;
      s.Format("Slot / Layer:     %hu / %hu\n", (unsigned short)slot, (unsigned short)layer);
      eepromText += s;
      s.Format("Serial Number:    %hu\n", (unsigned short)m.serialNumber);
      eepromText += s;
      s.Format("Module Version:   %s\n", (const char*)m.versionText);
      eepromText += s;
      s.Format("Production State: %s\n", (const char*)m.productionState);
      eepromText += s;
      s.Format("Production Date:  %s\n", (const char*)m.productionDateText);
      eepromText += s;
      eepromText += ChipDesignLine(m.chipDesign);
      s.Format("Description:      %s\n", (const char*)m.description);
      eepromText += s;
      for (WORD i = 0; i < 64; ++i) {
        WORD word = 0;
        zor_read_eeprom(boardNumber, slot, layer, WORD(2 * i), 2, &word);
        zor_clear_error();
        s.Format("EEPROM Word %.2hu:   %.4hx hex\n", (unsigned short)i, (unsigned short)word);
        eepromText += s;
      }
      eepromText += "\n";
    }
}
