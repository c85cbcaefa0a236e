#include "drivers/sim/macro_format.h"

namespace sim {

uint32_t MacroDataLength(uint8_t format, uint16_t lengthWord) {
  uint8_t l = format & 0x0F;
  if (l == 0 || l == 12 || l == 14) return 0;
  if (l == 13 || l == 15) return lengthWord;
  return l;
}

long MacroAnswerLength(uint8_t format, uint16_t countWord) {
  uint8_t h = format >> 4, l = format & 0x0F;
  switch (h) {
    case 0:
      return l == 13 ? 4 : 0;
    case 1:
      return l == 13 ? 4 : 2;
    case 12:
    case 14:
      return -1;
    case 13:
      return l == 13 ? countWord + 6 : countWord + 4;
    case 15:
      return l == 13 ? countWord + 6 : countWord + 1;
    default:
      return h;
  }
}

}  // namespace sim
