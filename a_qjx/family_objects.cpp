// The family objects, one per family for the life of the library, and the
// choice of one by board type code.
#include "a_qjx/board_families.h"

namespace {
CBoardFamilyQJ2 g_familyQJ2;
CBoardFamilyQJ6 g_familyQJ6;
CBoardFamilyQJ78 g_familyQJ78;
CBoardFamilyZOR g_familyZOR;
}  // namespace

CBoardFamily* g_currentFamily = nullptr;

CBoardFamily* FamilyForType(DWORD type) {
    switch (WORD(type)) {
    case 2: return &g_familyQJ2;
    case 6: return &g_familyQJ6;
    case 7:
    case 8: return &g_familyQJ78;
    case 16:
    case 0x600: return &g_familyZOR;
    default: return nullptr;
    }
}
