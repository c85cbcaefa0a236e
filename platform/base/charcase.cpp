#include "platform/base/charcase.h"

namespace mirt {

// Upper-half pairs: Š/š, Œ/œ, Ž/ž, Ÿ/ÿ, and À..Þ/à..þ without ×/÷.
bool IsUpper1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return true;
  if (c == 0x8A || c == 0x8C || c == 0x8E || c == 0x9F) return true;
  return c >= 0xC0 && c <= 0xDE && c != 0xD7;
}

bool IsLower1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return true;
  if (c == 0x83 || c == 0x9A || c == 0x9C || c == 0x9E || c == 0xAA || c == 0xB5 || c == 0xBA) return true;
  return c >= 0xDF && c != 0xF7;
}

unsigned char ToUpper1252(unsigned char c) {
  if (c >= 'a' && c <= 'z') return c - 32;
  switch (c) {
    case 0x9A:
      return 0x8A;
    case 0x9C:
      return 0x8C;
    case 0x9E:
      return 0x8E;
    case 0xFF:
      return 0x9F;
    default:
      break;
  }
  if (c >= 0xE0 && c <= 0xFE && c != 0xF7) return c - 32;
  return c;
}

unsigned char ToLower1252(unsigned char c) {
  if (c >= 'A' && c <= 'Z') return c + 32;
  switch (c) {
    case 0x8A:
      return 0x9A;
    case 0x8C:
      return 0x9C;
    case 0x8E:
      return 0x9E;
    case 0x9F:
      return 0xFF;
    default:
      break;
  }
  if (c >= 0xC0 && c <= 0xDE && c != 0xD7) return c + 32;
  return c;
}

}  // namespace mirt
