// Board type codes as the exports take them (low 16 bits of the type).
#pragma once
#include "platform/base/windef.h"

constexpr WORD kTypeKoraDesk2 = 2, kTypeKoraLine = 6, kTypeMiniTessera = 7, kTypeTessera = 8, kTypeZorPc = 16,
               kTypeZor6Pci = 0x600;

inline bool IsQjBoardType(WORD code) {
  return code == kTypeKoraDesk2 || code == kTypeKoraLine || code == kTypeMiniTessera || code == kTypeTessera;
}

inline bool IsZorBoardType(WORD code) { return code == kTypeZorPc || code == kTypeZor6Pci; }
