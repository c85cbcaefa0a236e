// The family objects, one per family for the life of the library, and the
// choice of one by board type code.
#include "a_qjx/board_families.h"
#include "a_qjx/board_type_codes.h"

namespace {
CBoardFamilyQJ2 g_familyQJ2;
CBoardFamilyQJ6 g_familyQJ6;
CBoardFamilyQJ78 g_familyQJ78;
CBoardFamilyZOR g_familyZOR;
}  // namespace

CBoardFamily* g_currentFamily = nullptr;

CBoardFamily* FamilyForType(DWORD type) {
  switch (WORD(type)) {
    case kTypeKoraDesk2:
      return &g_familyQJ2;
    case kTypeKoraLine:
      return &g_familyQJ6;
    case kTypeMiniTessera:
    case kTypeTessera:
      return &g_familyQJ78;
    case kTypeZorPc:
    case kTypeZor6Pci:
      return &g_familyZOR;
    default:
      return nullptr;
  }
}
